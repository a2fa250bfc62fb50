// Writes the locality files and the time-zone database of the program folder:
//
//   build_places <program folder> <italia.tsv> <estero.tsv> <data/places folder>
//
// from the localities extract_places.js took from GeoNames and the ISTAT list, the history
// of civil time of the system's IANA database (/usr/share/zoneinfo, through QTimeZone) and
// the Spanish country names of Debian's iso-codes:
//   Localita/ITALIA.LOC, Localita/ESTERO.LOC   the localities, sorted as the search needs
//   Calendar/Database.cll, Calendar/Elencal.002 the foreign zones and their index
//   Calendar/<zone>.CAL                        each zone of the Italian localities
//   Calendar/Zonas.txt                         every zone with its IANA name and country
//
// A zone is one (country, IANA zone) pair. Its name is the country's calling code in four
// digits followed by the pair's number among the pairs of that calling code (sorted by
// country, then IANA name), so Pakistan's only zone is 00920000.CAL.
#include "CountryNames.h"
#include "PlaceNames.h"
#include "ZoneHistory.h"
#include "archive/LocalityFile.h"

#include "archive/PlaceRecords.h"
#include "astro/Calendar.h"
#include "platform/Cp1252.h"
#include "platform/Errors.h"
#include "platform/TextFile.h"

#include <QString>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iomanip>
#include <map>
#include <set>
#include <sstream>
#include <stdexcept>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace {

using namespace exo;
using namespace exo::places;
namespace fs = std::filesystem;

const char* const kIsoCountries = "/usr/share/iso-codes/json/iso_3166-1.json";
const char* const kSpanishCatalogue = "/usr/share/locale/es/LC_MESSAGES/iso_3166-1.mo";

constexpr std::size_t kItalianNameCapacity = 27; // the subject's locality field
constexpr std::size_t kCountryNameCapacity = 22; // a blank and the name fill the 23
constexpr int kZoneCodeBase = 100000000;         // nine digits, the first one 1
constexpr int kZonesPerCallingCode = 10000;
const std::string kItaly = "IT";

// ---- tab-separated input --------------------------------------------------------------

// The rows of a tab-separated UTF-8 file; '#' starts a comment line.
std::vector<std::vector<std::string>> ReadTable(const fs::path& file, std::size_t columns) {
    std::ifstream in(file, std::ios::binary);
    if (!in)
        throw InOutError(file.string(), "open");
    std::vector<std::vector<std::string>> rows;
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty() || line.front() == '#')
            continue;
        std::vector<std::string> fields;
        std::istringstream split(line);
        for (std::string field; std::getline(split, field, '\t');)
            fields.push_back(field);
        if (fields.size() < columns)
            throw std::runtime_error(file.string() + ":" + std::to_string(number) + ": " +
                                     std::to_string(columns) + " columns expected");
        rows.push_back(std::move(fields));
    }
    return rows;
}

long double Degrees(const std::string& text) {
    std::size_t used = 0;
    const long double value = std::stold(text, &used);
    if (used != text.size())
        throw ConvertError(text);
    return value;
}

// ---- data tables ----------------------------------------------------------------------

struct DataTables {
    std::map<std::string, int> callingCodes;
    // (country, zone or "*") → first Gregorian day
    std::map<std::pair<std::string, std::string>, std::tuple<int, int, int>> gregorian;
    std::map<std::string, std::string> countryNames; // alpha-2 → Windows-1252, upper case
};

std::tuple<int, int, int> DateOf(const std::string& text) {
    int year = 0, month = 0, day = 0;
    char dash1 = 0, dash2 = 0;
    std::istringstream in(text);
    if (!(in >> year >> dash1 >> month >> dash2 >> day) || dash1 != '-' || dash2 != '-')
        throw ConvertError(text, "fecha");
    return {year, month, day};
}

DataTables ReadDataTables(const fs::path& folder) {
    DataTables tables;
    for (const auto& row : ReadTable(folder / "calling_codes.tsv", 2)) {
        const int code = std::stoi(row[1]);
        if (code <= 0 || code >= 10000)
            throw std::runtime_error("calling code " + row[1] + " does not fit four digits");
        tables.callingCodes[row[0]] = code;
    }
    for (const auto& row : ReadTable(folder / "gregorian_adoption.tsv", 4))
        tables.gregorian[{row[0], row[1]}] = DateOf(row[2]);

    std::map<std::string, std::string> overrides;
    for (const auto& row : ReadTable(folder / "country_names_es.tsv", 2))
        overrides[row[0]] = row[1];
    std::vector<std::string> tooLong;
    for (const auto& [code, name] :
         SpanishCountryNames(kIsoCountries, kSpanishCatalogue, overrides)) {
        const std::string upper = UpperCp1252(QString::fromStdString(name));
        if (upper.size() > kCountryNameCapacity)
            tooLong.push_back(code + " " + name);
        tables.countryNames[code] = upper;
    }
    if (!tooLong.empty()) {
        std::string list;
        for (const auto& entry : tooLong)
            list += "\n  " + entry;
        throw std::runtime_error("country names longer than " +
                                 std::to_string(kCountryNameCapacity) +
                                 " characters need a short form in country_names_es.tsv:" + list);
    }
    return tables;
}

// ---- localities -----------------------------------------------------------------------

struct Place {
    LocalityRecord record;
    std::string country; // ISO alpha-2
    std::string zone;    // IANA name
};

std::vector<Place> ItalianPlaces(const fs::path& file) {
    std::vector<Place> places;
    for (const auto& row : ReadTable(file, 5)) {
        // "MILANO *MI*" shows as "MILANO (MI)". The blank sorts below the "!" of the search
        // probe, so typing the whole name lands on the locality itself.
        const std::string sigla = " *" + row[1] + "*";
        Place place;
        place.record.Name = CutToCapacity(UpperCp1252(QString::fromStdString(row[0])),
                                          kItalianNameCapacity - sigla.size()) +
                            sigla;
        place.record.Latitude = Degrees(row[2]);
        place.record.Longitude = Degrees(row[3]);
        place.record.Country = " ITALIA";
        place.country = kItaly;
        place.zone = row[4];
        places.push_back(std::move(place));
    }
    return places;
}

std::vector<Place> ForeignPlaces(const fs::path& file, const DataTables& tables) {
    std::vector<Place> places;
    for (const auto& row : ReadTable(file, 5)) {
        const auto country = tables.countryNames.find(row[1]);
        if (country == tables.countryNames.end())
            throw std::runtime_error("no Spanish name for the country " + row[1]);
        Place place;
        place.record.Name = CutToCapacity(UpperCp1252(QString::fromStdString(row[0])),
                                          decltype(LocalityRecord::Name)::kCapacity);
        place.record.Latitude = Degrees(row[2]);
        place.record.Longitude = Degrees(row[3]);
        place.record.Country = " " + country->second;
        place.country = row[1];
        place.zone = row[4];
        places.push_back(std::move(place));
    }
    return places;
}

// Sorted by the name as the search compares it, then by country and coordinates so that
// equal names always come in the same order; exact repetitions are dropped.
void SortPlaces(std::vector<Place>& places, bool normalised) {
    const auto key = [normalised](const Place& place) {
        const std::string name = place.record.Name.str();
        return std::make_tuple(normalised ? NormalizeLocalityName(name) : name,
                               place.record.Country.str(), place.record.Latitude,
                               place.record.Longitude, name, place.record.ZoneCode);
    };
    const auto byteOrder = [](const auto& a, const auto& b) {
        if (const int c = CompareBytes(std::get<0>(a), std::get<0>(b)); c != 0)
            return c < 0;
        if (const int c = CompareBytes(std::get<1>(a), std::get<1>(b)); c != 0)
            return c < 0;
        if (std::get<2>(a) != std::get<2>(b))
            return std::get<2>(a) < std::get<2>(b);
        if (std::get<3>(a) != std::get<3>(b))
            return std::get<3>(a) < std::get<3>(b);
        if (const int c = CompareBytes(std::get<4>(a), std::get<4>(b)); c != 0)
            return c < 0;
        return std::get<5>(a) < std::get<5>(b);
    };
    std::stable_sort(places.begin(), places.end(),
                     [&](const Place& a, const Place& b) { return byteOrder(key(a), key(b)); });
    places.erase(std::unique(places.begin(), places.end(),
                             [&](const Place& a, const Place& b) { return key(a) == key(b); }),
                 places.end());
}

// ---- zones ----------------------------------------------------------------------------

struct Zone {
    std::string country;
    std::string iana;
    std::int32_t code = 0;
    std::string name; // "00390000.CAL"
    bool italian = false;
    bool foreign = false;
};

using ZoneKey = std::pair<std::string, std::string>; // country, IANA zone

std::map<ZoneKey, Zone> NumberZones(const std::vector<Place>& italian,
                                    const std::vector<Place>& foreign, const DataTables& tables) {
    std::map<ZoneKey, Zone> zones; // sorted by country, then IANA name
    for (const auto* places : {&italian, &foreign})
        for (const Place& place : *places) {
            Zone& zone = zones[{place.country, place.zone}];
            zone.country = place.country;
            zone.iana = place.zone;
            (places == &italian ? zone.italian : zone.foreign) = true;
        }
    std::map<int, int> used; // calling code → zones numbered so far
    for (auto& [key, zone] : zones) {
        const auto calling = tables.callingCodes.find(zone.country);
        if (calling == tables.callingCodes.end())
            throw std::runtime_error("no calling code for the country " + zone.country);
        const int index = used[calling->second]++;
        if (index >= kZonesPerCallingCode)
            throw std::runtime_error("too many zones for calling code " +
                                     std::to_string(calling->second));
        zone.code = kZoneCodeBase + calling->second * kZonesPerCallingCode + index;
        zone.name = ZoneNameOfCode(zone.code);
    }
    return zones;
}

void AssignZoneCodes(std::vector<Place>& places, const std::map<ZoneKey, Zone>& zones) {
    for (Place& place : places)
        place.record.ZoneCode = zones.at({place.country, place.zone}).code;
}

// Record 0: the reader takes a birth for Julian when its Gregorian-reckoned Julian Day is
// at most the stored day (minus one more in an Italian zone), so the stored day is the
// first Gregorian day's midnight minus one, and the midnight itself in the Italian files.
ZonePeriodRecord GregorianRecord(const Zone& zone, const DataTables& tables) {
    long double day = kBeginningOfTime;
    auto found = tables.gregorian.find({zone.country, zone.iana});
    if (found == tables.gregorian.end())
        found = tables.gregorian.find({zone.country, "*"});
    if (found != tables.gregorian.end()) {
        const auto [year, month, dayOfMonth] = found->second;
        day = JulianDayOf(1, 0, 0, year, month, dayOfMonth) - 1;
    }
    if (zone.italian)
        day += 1;
    ZonePeriodRecord record;
    record.StartValue = day + kZoneStartOffset;
    record.Type = "GREG";
    record.Offset = 0;
    return record;
}

std::vector<ZonePeriodRecord> ZoneRecords(const Zone& zone, const DataTables& tables) {
    std::vector<ZonePeriodRecord> records{GregorianRecord(zone, tables)};
    for (const ZonePeriodRecord& period : ZonePeriods(zone.iana))
        records.push_back(period);
    return records;
}

// ---- output ---------------------------------------------------------------------------

// Written beside the file and renamed over it, so that a failed run leaves no half file.
void WriteWhole(const fs::path& file, const std::string& bytes) {
    const fs::path temporary = file.string() + ".part";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out || !out.write(bytes.data(), static_cast<std::streamsize>(bytes.size())) ||
            !out.flush())
            throw InOutError(temporary.string(), "write");
    }
    std::error_code error;
    fs::rename(temporary, file, error);
    if (error)
        throw InOutError(file.string(), "rename", error.message());
}

template <typename Record> void AppendRecord(std::string& bytes, const Record& record) {
    const std::size_t at = bytes.size();
    bytes.resize(at + Record::kSize);
    record.encode(bytes.data() + at);
}

void WriteLocalities(const fs::path& file, const std::vector<Place>& places) {
    std::string bytes;
    LocalityRecord placeholder; // record 0 is not a locality
    AppendRecord(bytes, placeholder);
    for (const Place& place : places)
        AppendRecord(bytes, place.record);
    WriteWhole(file, bytes);
}

std::string RecordBytes(const std::vector<ZonePeriodRecord>& records) {
    std::string bytes;
    for (const ZonePeriodRecord& record : records)
        AppendRecord(bytes, record);
    return bytes;
}

struct Counts {
    std::size_t zones = 0;
    std::size_t foreignZones = 0;
    std::size_t italianZones = 0;
    std::size_t databaseRecords = 0;
};

Counts WriteZones(const fs::path& calendar, const std::map<ZoneKey, Zone>& zones,
                  const DataTables& tables) {
    std::vector<const Zone*> byName;
    for (const auto& [key, zone] : zones)
        byName.push_back(&zone);
    std::sort(byName.begin(), byName.end(),
              [](const Zone* a, const Zone* b) { return a->name < b->name; });

    Counts counts;
    std::string database;
    std::vector<std::string> index;
    std::vector<std::string> list;
    for (const Zone* zone : byName) {
        const std::vector<ZonePeriodRecord> records = ZoneRecords(*zone, tables);
        if (zone->foreign) {
            std::ostringstream line;
            line << zone->name << "  " << std::setw(6) << database.size() / ZonePeriodRecord::kSize;
            index.push_back(line.str());
            database += RecordBytes(records);
            ZonePeriodRecord end;
            end.Type = "****";
            AppendRecord(database, end);
            ++counts.foreignZones;
        }
        if (zone->italian) {
            WriteWhole(calendar / zone->name, RecordBytes(records));
            ++counts.italianZones;
        }
        list.push_back(zone->name + "  " + zone->iana + "  " + zone->country);
        ++counts.zones;
    }
    WriteWhole(calendar / "Database.cll", database);
    counts.databaseRecords = database.size() / ZonePeriodRecord::kSize;
    WriteTextLines((calendar / "Elencal.002").string(), index);
    WriteTextLines((calendar / "Zonas.txt").string(), list);
    return counts;
}

int Run(const fs::path& program, const fs::path& italiaTable, const fs::path& esteroTable,
        const fs::path& dataFolder) {
    const DataTables tables = ReadDataTables(dataFolder);
    std::vector<Place> italian = ItalianPlaces(italiaTable);
    std::vector<Place> foreign = ForeignPlaces(esteroTable, tables);
    const std::map<ZoneKey, Zone> zones = NumberZones(italian, foreign, tables);
    AssignZoneCodes(italian, zones);
    AssignZoneCodes(foreign, zones);
    SortPlaces(italian, false);
    SortPlaces(foreign, true);

    fs::create_directories(program / "Localita");
    fs::create_directories(program / "Calendar");
    WriteLocalities(program / "Localita" / "ITALIA.LOC", italian);
    WriteLocalities(program / "Localita" / "ESTERO.LOC", foreign);
    const Counts counts = WriteZones(program / "Calendar", zones, tables);

    std::printf("ITALIA.LOC: %zu localities; ESTERO.LOC: %zu localities\n", italian.size(),
                foreign.size());
    std::printf("zones: %zu (%zu foreign in Database.cll, %zu records; %zu Italian .CAL)\n",
                counts.zones, counts.foreignZones, counts.databaseRecords, counts.italianZones);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 5) {
        std::fprintf(stderr, "usage: build_places <program folder> <italia.tsv> <estero.tsv> "
                             "<data/places folder>\n");
        return 2;
    }
    try {
        return Run(argv[1], argv[2], argv[3], argv[4]);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "build_places: %s\n", error.what());
        return 1;
    }
}
