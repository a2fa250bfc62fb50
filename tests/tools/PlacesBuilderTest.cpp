// The locality files and the time-zone database of the prepared program folder, as the
// birth-data form reads them.
#include "archive/LocalityFile.h"
#include "archive/PlaceRecords.h"
#include "platform/Cp1252.h"

#include <gtest/gtest.h>

#include <time.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace exo {
namespace {

namespace fs = std::filesystem;

const fs::path kProgramFolder = EXORVEX_PROGRAM_DIR;

std::string ReadWhole(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

template <typename Record> std::vector<Record> ReadRecords(const fs::path& file) {
    const std::string bytes = ReadWhole(file);
    EXPECT_EQ(bytes.size() % Record::kSize, 0u) << file;
    std::vector<Record> records;
    for (std::size_t at = 0; at + Record::kSize <= bytes.size(); at += Record::kSize)
        records.push_back(Record::decode(bytes.data() + at));
    return records;
}

std::vector<std::string> ReadCrLfLines(const fs::path& file) {
    const std::string text = ReadWhole(file);
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(text.substr(start, end - start));
    EXPECT_EQ(start, text.size()) << file << " does not end with CR LF";
    return lines;
}

struct ZoneEntry {
    std::string iana;
    std::string country;
};

class PlacesBuilderTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        italian_ = ReadRecords<LocalityRecord>(kProgramFolder / "Localita" / "ITALIA.LOC");
        foreign_ = ReadRecords<LocalityRecord>(kProgramFolder / "Localita" / "ESTERO.LOC");
        database_ = ReadRecords<ZonePeriodRecord>(kProgramFolder / "Calendar" / "Database.cll");
        for (const std::string& line : ReadCrLfLines(kProgramFolder / "Calendar" / "Elencal.002"))
            index_[line.substr(0, 12)] = std::stoi(line.substr(14, 6));
        for (const std::string& line : ReadCrLfLines(kProgramFolder / "Calendar" / "Zonas.txt")) {
            const std::size_t first = line.find("  ");
            const std::size_t second = line.find("  ", first + 2);
            zones_[line.substr(0, first)] = {line.substr(first + 2, second - first - 2),
                                             line.substr(second + 2)};
        }
    }

    // A zone's records as the form loads them: from its start record in Database.cll up
    // to the "****" record, or the whole per-zone file of an Italian zone.
    static std::vector<ZonePeriodRecord> ZoneRecords(const std::string& name, bool italian) {
        if (italian)
            return ReadRecords<ZonePeriodRecord>(kProgramFolder / "Calendar" / name);
        std::vector<ZonePeriodRecord> records;
        const auto start = index_.find(name);
        if (start == index_.end())
            return records;
        for (std::size_t n = start->second; n < database_.size(); ++n) {
            if (database_[n].Type == "****")
                return records;
            records.push_back(database_[n]);
        }
        ADD_FAILURE() << name << " has no \"****\" record after it";
        return records;
    }

    static std::optional<LocalityRecord> Find(const std::vector<LocalityRecord>& file,
                                              const std::string& name, const std::string& country) {
        for (std::size_t n = 1; n < file.size(); ++n)
            if (file[n].Name == name && file[n].Country == country)
                return file[n];
        return std::nullopt;
    }

    static inline std::vector<LocalityRecord> italian_;
    static inline std::vector<LocalityRecord> foreign_;
    static inline std::vector<ZonePeriodRecord> database_;
    static inline std::map<std::string, int> index_;
    static inline std::map<std::string, ZoneEntry> zones_;
};

TEST_F(PlacesBuilderTest, RecordZeroIsAPlaceholderAndTheNamesAreSorted) {
    ASSERT_EQ(italian_.size(), 7904u + 1) << "every municipality of the ISTAT list";
    ASSERT_GT(foreign_.size(), 20000u);
    for (const auto* file : {&italian_, &foreign_}) {
        const bool normalised = file == &foreign_;
        SCOPED_TRACE(normalised ? "ESTERO.LOC" : "ITALIA.LOC");
        EXPECT_TRUE((*file)[0].Name.empty());
        EXPECT_EQ((*file)[0].ZoneCode, 0);
        for (std::size_t n = 2; n < file->size(); ++n) {
            const std::string previous = (*file)[n - 1].Name.str();
            const std::string current = (*file)[n].Name.str();
            ASSERT_LE(CompareBytes(normalised ? NormalizeLocalityName(previous) : previous,
                                   normalised ? NormalizeLocalityName(current) : current),
                      0)
                << "record " << n << ": \"" << previous << "\" before \"" << current << "\"";
        }
    }
}

TEST_F(PlacesBuilderTest, EveryZoneCodeLeadsToItsZone) {
    for (const auto* file : {&italian_, &foreign_}) {
        const bool italian = file == &italian_;
        std::map<std::string, bool> checked;
        for (std::size_t n = 1; n < file->size(); ++n) {
            const LocalityRecord& place = (*file)[n];
            ASSERT_GE(place.ZoneCode, 100000000) << place.Name.str();
            ASSERT_LE(place.ZoneCode, 199999999) << place.Name.str();
            const std::string name = ZoneNameOfCode(place.ZoneCode);
            if (checked.count(name))
                continue;
            checked[name] = true;
            SCOPED_TRACE(name + " of " + place.Name.str());
            EXPECT_EQ(zones_.count(name), 1u) << "not in Zonas.txt";
            const std::vector<ZonePeriodRecord> records = ZoneRecords(name, italian);
            ASSERT_GE(records.size(), 2u);
            EXPECT_EQ(records[0].Type, "GREG");
            for (std::size_t k = 1; k < records.size(); ++k) {
                const std::string type = records[k].Type.str();
                EXPECT_TRUE(type == "STD " || type == "DST " || (k == 1 && type == "LMT "))
                    << "record " << k << " \"" << type << "\"";
                if (k > 1) {
                    ASSERT_LT(records[k - 1].startDay(), records[k].startDay()) << "record " << k;
                }
            }
        }
    }
}

TEST_F(PlacesBuilderTest, KnownLocalitiesAndTheirCalendars) {
    // First Gregorian days: Italy and Spain 15 October 1582 (JD 2299160.5 at midnight),
    // Great Britain 14 September 1752 (JD 2361221.5); Pakistan is Gregorian at any time.
    // The foreign files store the day before, the Italian ones the day itself.
    const struct {
        bool italian;
        const char* name;
        const char* country; // UTF-8
        double latitude, longitude;
        const char* zone; // empty: any
        long double storedGregorianDay;
    } cases[] = {
        {true, "MILANO *MI*", " ITALIA", 45 + 28 / 60.0, 9 + 11 / 60.0, "", 2299160.5L},
        {true, "ROMA *RM*", " ITALIA", 41 + 54 / 60.0, 12 + 30 / 60.0, "", 2299160.5L},
        {false, "MADRID", " ESPAÑA", 40 + 25 / 60.0, -(3 + 42 / 60.0), "", 2299159.5L},
        {false, "LONDON", " REINO UNIDO", 51 + 30 / 60.0, -(0 + 8 / 60.0), "", 2361220.5L},
        {false, "KARACHI", " PAKISTÁN", 24 + 52 / 60.0, 67 + 1 / 60.0, kSpecialZoneName,
         1721423.5L},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto place = Find(c.italian ? italian_ : foreign_, c.name, Cp1252FromUtf8(c.country));
        ASSERT_TRUE(place.has_value());
        EXPECT_NEAR(place->Latitude, c.latitude, 0.1);
        EXPECT_NEAR(place->Longitude, c.longitude, 0.1);
        const std::string zone = ZoneNameOfCode(place->ZoneCode);
        if (*c.zone) {
            EXPECT_EQ(zone, c.zone);
        }
        const std::vector<ZonePeriodRecord> records = ZoneRecords(zone, c.italian);
        ASSERT_FALSE(records.empty());
        EXPECT_NEAR(static_cast<double>(records[0].StartValue),
                    static_cast<double>(c.storedGregorianDay + kZoneStartOffset), 1e-9);
    }
}

// The C library's reading of the same IANA zone files, at one universal instant: the
// offset from UTC in seconds.
long UtcOffsetByCLibrary(const std::string& iana, std::int64_t unixSeconds) {
    static std::string current;
    if (iana != current) {
        setenv("TZ", (":" + iana).c_str(), 1);
        tzset();
        current = iana;
    }
    const time_t t = static_cast<time_t>(unixSeconds);
    tm local{};
    localtime_r(&t, &local);
    return local.tm_gmtoff;
}

TEST_F(PlacesBuilderTest, EveryPeriodKeepsTheOffsetOfTheIanaDatabase) {
    const char* const savedZone = std::getenv("TZ");
    const std::optional<std::string> saved =
        savedZone ? std::optional<std::string>(savedZone) : std::nullopt;
    for (const auto& [name, entry] : zones_) {
        SCOPED_TRACE(name + " " + entry.iana);
        const bool italian = !index_.count(name);
        const std::vector<ZonePeriodRecord> records = ZoneRecords(name, italian);
        ASSERT_GE(records.size(), 2u);
        for (std::size_t k = 1; k + 1 < records.size(); ++k) {
            // The middle of the period, on its own clock; periods of under two hours are
            // too short for the hour by which the clocks differ at their ends.
            const long double from = records[k].startDay();
            const long double to = records[k + 1].startDay();
            if (to - from < 2.0L / 24 || from < 2299160.5L)
                continue;
            const long double middleUt = (from + to) / 2 + records[k].Offset / 24;
            const auto unixSeconds =
                static_cast<std::int64_t>(std::llround((middleUt - 2440587.5L) * 86400));
            ASSERT_DOUBLE_EQ(records[k].Offset,
                             -UtcOffsetByCLibrary(entry.iana, unixSeconds) / 3600.0)
                << "record " << k;
        }
        // Far from any change of clocks, so the local start days can be compared with the
        // universal instant: the rules still hold at the end of the periods' range.
        for (const long double utDay : {2488083.0L, 2488264.0L}) { // 15 Jan, 15 Jul 2100 noon
            std::size_t k = 1;
            while (k + 1 < records.size() && records[k + 1].startDay() <= utDay)
                ++k;
            const auto unixSeconds = static_cast<std::int64_t>((utDay - 2440587.5L) * 86400);
            EXPECT_DOUBLE_EQ(records[k].Offset,
                             -UtcOffsetByCLibrary(entry.iana, unixSeconds) / 3600.0)
                << "JD " << static_cast<double>(utDay);
        }
    }
    if (saved)
        setenv("TZ", saved->c_str(), 1);
    else
        unsetenv("TZ");
    tzset();
}

} // namespace
} // namespace exo
