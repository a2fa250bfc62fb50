#include "archive/BirthResults.h"

#include "TestFolder.h"
#include "archive/BirthZone.h"
#include "astro/Calendar.h"
#include "platform/Cp1252.h"
#include "platform/Errors.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <limits>
#include <map>
#include <string>
#include <vector>

namespace exo {
namespace {

// Julian Day of a Gregorian date and clock time.
long double Jd(int year, int month, int day, int hour = 0, int minute = 0) {
    return JulianDayOf(1, minute, hour, year, month, day);
}

ZonePeriodRecord Period(long double startDay, const char* type, double offset) {
    ZonePeriodRecord r;
    r.StartValue = startDay + kZoneStartOffset;
    r.Type = type;
    r.Offset = offset;
    return r;
}

ZonePeriodRecord Continuation(int zoneNumber) {
    ZonePeriodRecord r;
    r.StartValue = zoneNumber;
    r.Type = "RICH";
    return r;
}

const ZonePeriodRecord kEnd = Period(0, "****", 0);
constexpr long double kAlways = 1721423.5L; // Gregorian since year 1
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

std::string ZoneBytes(const std::vector<ZonePeriodRecord>& records) {
    std::string bytes;
    for (const ZonePeriodRecord& r : records) {
        std::string one(ZonePeriodRecord::kSize, '\0');
        r.encode(one.data());
        bytes += one;
    }
    return bytes;
}

// The zones of the tests. Italian zones are files of their own; the foreign ones are written
// one after the other into Database.cll, each ended by "****" (the last one by the end of
// the file), and listed in Elencal.002 by their first record.
class BirthFolder {
  public:
    BirthFolder() {
        // Italian: Rome-like, with local mean time; and one that adopted the Gregorian
        // calendar on 2 January 1700 (the stored day is one day after the adoption).
        folder.write(
            "Calendar/00390000.CAL",
            ZoneBytes({Period(2299161.5L, "GREG", 0), Period(Jd(1866, 12, 12), "LMT ", -0.8322222),
                       Period(Jd(1893, 11, 1), "STD ", -1), Period(Jd(1916, 6, 4), "DST ", -2),
                       Period(Jd(1916, 10, 1, 1), "STD ", -1),
                       Period(Jd(2020, 3, 29, 2), "DST ", -2),
                       Period(Jd(2020, 10, 25, 3), "STD ", -1)}));
        folder.write("Calendar/00391000.CAL", ZoneBytes({Period(Jd(1700, 1, 2), "GREG", 0),
                                                         Period(Jd(1600, 1, 1), "STD ", -1)}));
        folder.write("Calendar/00392000.CAL", "");
        folder.write("Calendar/00394000.CAL", std::string(30, '\0'));

        addForeign("00330000.CAL",
                   {Period(kAlways, "GREG", 0), Period(Jd(1891, 3, 16, 0, 1), "STD ", -0.5),
                    Period(Jd(1911, 3, 11), "STD ", -1), Period(Jd(1950, 4, 1, 2), "DST ", -2),
                    Period(Jd(1950, 10, 1, 3), "STD ", -1)});
        // Follows zone 00330000 in the database: its periods never belong to it.
        addForeign("00340000.CAL", {Period(kAlways, "GREG", 0), Period(Jd(1900, 1, 1), "STD ", -7),
                                    Period(Jd(2040, 1, 1), "STD ", -9)});
        // Britain-like: Gregorian from 14 September 1752, continued in zone 00330000.
        addForeign("00440000.CAL",
                   {Period(Jd(1752, 9, 14), "GREG", 0), Period(Jd(1847, 12, 1), "LMT ", 0),
                    Period(Jd(1900, 1, 1), "STD ", 0), Continuation(330000)});
        addForeign("00920000.CAL",
                   {Period(kAlways, "GREG", 0), Period(Jd(1907, 1, 1), "LMT ", -5.5),
                    Period(Jd(1942, 9, 1), "STD ", -6.5), Period(Jd(1945, 10, 15), "STD ", -5.5),
                    Period(Jd(1951, 10, 15), "STD ", -5), Period(Jd(2008, 6, 1), "DST ", -6),
                    Period(Jd(2008, 11, 1), "STD ", -5)});
        addForeign("00550000.CAL", {Period(kAlways, "GREG", 0), Continuation(560000)});
        addForeign("00560000.CAL", {Period(kAlways, "GREG", 0), Continuation(550000)});
        addForeign("00570000.CAL", {Period(kAlways, "GREG", 0)});
        addForeign("00580000.CAL",
                   {Period(kAlways, "GREG", 0), Period(Jd(1900, 1, 1), "STD ", kNaN)});
        addForeign("00590000.CAL", {Period(kAlways, "GREG", 0), Period(kNaN, "STD ", 1)});
        addForeign("00600000.CAL",
                   {Period(Jd(1700, 1, 2), "GREG", 0), Period(Jd(1600, 1, 1), "STD ", -1)});
        addForeign("00620000.CAL",
                   {Period(2400000.5L, "XXXX", 0), Period(Jd(1600, 1, 1), "STD ", -1)});
        addForeign("00610000.CAL",
                   {Period(kAlways, "GREG", 0), Period(Jd(1900, 1, 1), "LMT ", 4),
                    Period(Jd(1950, 1, 1), "STD ", 3)},
                   /*ended=*/false);
        index += "00980000.CAL  abcdef\r\n";
        index += "00970000.CAL    9999\r\n";
        folder.write("Calendar/Database.cll", ZoneBytes(database));
        folder.write("Calendar/Elencal.002", index);
    }

    test::ScratchFolder folder;

  private:
    void addForeign(const std::string& name, std::vector<ZonePeriodRecord> records,
                    bool ended = true) {
        char line[40];
        std::snprintf(line, sizeof line, "%-12s  %6zu\r\n", name.c_str(), database.size());
        index += line;
        if (ended)
            records.push_back(kEnd);
        database.insert(database.end(), records.begin(), records.end());
    }

    std::vector<ZonePeriodRecord> database;
    std::string index;
};

LocalityRecord Locality(const char* name, const char* country, long double latitude,
                        long double longitude, std::int32_t zoneCode) {
    LocalityRecord r;
    r.Name = Cp1252FromUtf8(name);
    r.Country = Cp1252FromUtf8(country);
    r.Latitude = latitude;
    r.Longitude = longitude;
    r.ZoneCode = zoneCode;
    return r;
}

const LocalityRecord kMilan =
    Locality("MILANO*MI*", " ITALIA", 45 + 28 / 60.0L, 9 + 11 / 60.0L, 390000);
const LocalityRecord kParis = Locality("PARIGI", " FRANCIA", 48.8566L, 2.3522L, 330000);
const LocalityRecord kLondon = Locality("LONDRA", " GRAN BRETAGNA", 51.5072L, -0.1275L, 440000);
const LocalityRecord kKarachi = Locality("KARACHI", " PAKISTAN", 24.86L, 67.01L, 920000);

BirthResults Compute(const LocalityRecord& locality, LocalitySource source, BirthDateTime when,
                     int reform = 1) {
    BirthInput input;
    input.locality = locality;
    input.source = source;
    input.when = when;
    input.reformOption = reform;
    return ComputeBirthResults(input);
}

// The working copies live in the program folder only while a computation runs.
bool NoWorkingCopyLeft(const test::ScratchFolder& folder) {
    for (const auto& entry : std::filesystem::directory_iterator(folder.path())) {
        if (entry.is_regular_file())
            return false;
    }
    return true;
}

constexpr auto kItalian = LocalitySource::Italian;
constexpr auto kForeign = LocalitySource::Foreign;

TEST(BirthResults, CorrectionOfThePeriodInForce) {
    const BirthFolder fixture;
    const struct {
        const char* what;
        const LocalityRecord& locality;
        LocalitySource source;
        BirthDateTime when;
        const char* correction;
        double hours;
    } cases[] = {
        {"before the first period", kParis, kForeign, {1, 1, 1880, 12, 0}, "-0,5", -0.5},
        {"exactly on a start", kParis, kForeign, {1, 4, 1950, 2, 0}, "-1", -1},
        {"a minute after the start", kParis, kForeign, {1, 4, 1950, 2, 1}, "-2", -2},
        {"inside a period", kParis, kForeign, {15, 6, 1950, 12, 0}, "-2", -2},
        {"after the last period, not the next zone's",
         kParis,
         kForeign,
         {1, 1, 2060, 12, 0},
         "-1",
         -1},
        {"Italian zone, summer", kMilan, kItalian, {15, 7, 2020, 12, 0}, "-2", -2},
        {"Italian zone, after the last start", kMilan, kItalian, {1, 1, 2030, 0, 0}, "-1", -1},
        {"just after local mean time",
         kMilan,
         kItalian,
         {12, 12, 1866, 0, 1},
         "-0,8322222",
         -0.8322222},
        {"zero offset", kLondon, kForeign, {1, 6, 1905, 12, 0}, "+0", 0},
        {"end of the database file",
         Locality("X", " Y", 0, 0, 610000),
         kForeign,
         {1, 1, 1999, 0, 0},
         "+3",
         3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const BirthResults r = Compute(c.locality, c.source, c.when);
        EXPECT_EQ(r.correctionText, c.correction);
        EXPECT_FALSE(r.localMeanTime);
        EXPECT_NEAR(static_cast<double>(r.correctionHours), c.hours, 1e-12);
        const long double local =
            Jd(c.when.year, c.when.month, c.when.day, c.when.hour, c.when.minute);
        EXPECT_NEAR(static_cast<double>(r.localJulianDay), static_cast<double>(local), 1e-9);
        EXPECT_NEAR(static_cast<double>(r.universalJulianDay),
                    static_cast<double>(local + c.hours / 24), 1e-9);
        EXPECT_TRUE(NoWorkingCopyLeft(fixture.folder));
    }
}

TEST(BirthResults, CalendarInForce) {
    const BirthFolder fixture;
    const LocalityRecord adopted1700 = Locality("A", " B", 10, 10, 600000);
    const LocalityRecord italian1700 = Locality("A*XX*", " ITALIA", 10, 10, 391000);
    const LocalityRecord notGreg = Locality("A", " B", 10, 10, 620000);
    const struct {
        const char* what;
        const LocalityRecord& locality;
        LocalitySource source;
        BirthDateTime when;
        int reform;
        const char* calendar;
    } cases[] = {
        {"always Gregorian, option off", kParis, kForeign, {1, 3, 1500, 12, 0}, 0, "GREG"},
        {"always Gregorian, option on, before the reform",
         kParis,
         kForeign,
         {1, 3, 1500, 12, 0},
         1,
         "GIUL"},
        {"always Gregorian, option on, after the reform",
         kParis,
         kForeign,
         {1, 1, 1600, 12, 0},
         1,
         "GREG"},
        {"adopted in 1752, option off", kLondon, kForeign, {1, 3, 1700, 10, 0}, 0, "GIUL"},
        {"adopted in 1752, option off, later", kLondon, kForeign, {1, 3, 1800, 10, 0}, 0, "GREG"},
        {"adopted in 1752, option on", kLondon, kForeign, {1, 3, 1700, 10, 0}, 1, "GREG"},
        {"foreign zone on the stored adoption day",
         adopted1700,
         kForeign,
         {1, 1, 1700, 12, 0},
         0,
         "GIUL"},
        {"Italian zone: adoption a day earlier",
         italian1700,
         kItalian,
         {1, 1, 1700, 12, 0},
         0,
         "GREG"},
        {"Italian zone: before the earlier day",
         italian1700,
         kItalian,
         {31, 12, 1699, 23, 0},
         0,
         "GIUL"},
        {"record 0 not GREG", notGreg, kForeign, {1, 1, 1500, 12, 0}, 0, "GREG"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const BirthResults r = Compute(c.locality, c.source, c.when, c.reform);
        EXPECT_EQ(r.calendar, c.calendar);
        const bool gregorian = std::string(c.calendar) == "GREG";
        EXPECT_EQ(r.gregorian, gregorian);
        const long double local = JulianDayOf(gregorian ? 1 : 0, c.when.minute, c.when.hour,
                                              c.when.year, c.when.month, c.when.day);
        EXPECT_EQ(r.localJulianDay, local);
        // The date as typed, in its own calendar.
        char date[32];
        std::snprintf(date, sizeof date, "%02d/%02d/%04d %02d:%02d", c.when.day, c.when.month,
                      c.when.year, c.when.hour, c.when.minute);
        EXPECT_EQ(r.dateText, date);
    }
    const BirthResults italian = Compute(italian1700, kItalian, {1, 1, 1700, 12, 0}, 0);
    EXPECT_EQ(italian.periodList.front(), "01/01/1700 00:00 GREG");
    const BirthResults foreign = Compute(adopted1700, kForeign, {1, 1, 1700, 12, 0}, 0);
    EXPECT_EQ(foreign.periodList.front(), "02/01/1700 00:00 GREG");
}

// hours of longitude as the correction edit shows them: the 15-digit decimal text
std::string HoursText(long double longitude) {
    char text[40];
    std::snprintf(text, sizeof text, "%.15g", static_cast<double>(std::fabs(longitude) / 15));
    std::string s = text;
    for (char& c : s)
        c = c == '.' ? ',' : c;
    return s;
}

TEST(BirthResults, LocalMeanTimeByLongitude) {
    const BirthFolder fixture;
    // 9° 11' east: "-" and the first nine characters of 0,6122…
    const BirthResults milan = Compute(kMilan, kItalian, {1, 1, 1850, 12, 0});
    EXPECT_TRUE(milan.localMeanTime);
    EXPECT_EQ(milan.correctionText, "-" + HoursText(kMilan.Longitude).substr(0, 9));
    EXPECT_EQ(milan.correctionText.rfind("-0,6122222", 0), 0u);
    EXPECT_EQ(milan.correctionText.size(), 10u);
    EXPECT_NEAR(static_cast<double>(milan.universalJulianDay),
                static_cast<double>(Jd(1850, 1, 1, 12) - (9 + 11 / 60.0L) / 15 / 24), 1e-9);

    // The end of local mean time itself still belongs to it.
    EXPECT_TRUE(Compute(kMilan, kItalian, {12, 12, 1866, 0, 0}).localMeanTime);

    // West of Greenwich the correction is positive; a Julian-calendar birth is compared on its
    // own day number.
    const BirthResults london = Compute(kLondon, kForeign, {1, 3, 1700, 10, 0}, 0);
    EXPECT_TRUE(london.localMeanTime);
    EXPECT_EQ(london.correctionText, "+" + HoursText(kLondon.Longitude).substr(0, 9));
    EXPECT_NEAR(static_cast<double>(london.universalJulianDay),
                static_cast<double>(JulianDayOf(0, 0, 10, 1700, 3, 1) + 0.1275L / 15 / 24), 1e-9);

    EXPECT_EQ(LocalMeanTimeCorrectionText(0), "-0");
    EXPECT_EQ(LocalMeanTimeCorrectionText(-45), "+3");
}

TEST(BirthResults, SpecialZoneKeepsFiveHoursFromSeptember1951) {
    const BirthFolder fixture;
    const struct {
        BirthDateTime when;
        const char* correction;
        long double universal;
    } cases[] = {
        // the periods say six hours; the special zone says five
        {{1, 7, 2008, 12, 0}, "-5", Jd(2008, 7, 1, 7)},
        // universal time still on 29 September: the periods decide
        {{30, 9, 1951, 3, 0}, "-5,5", Jd(1951, 9, 29, 21, 30)},
        // universal time on 30 September 01:30 by the periods, then five hours
        {{30, 9, 1951, 7, 0}, "-5", Jd(1951, 9, 30, 2)},
        {{1, 1, 1930, 12, 0}, "-5,5", Jd(1930, 1, 1, 6, 30)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.correction);
        const BirthResults r = Compute(kKarachi, kForeign, c.when);
        EXPECT_TRUE(r.specialZone);
        EXPECT_EQ(r.correctionText, c.correction);
        EXPECT_NEAR(static_cast<double>(r.universalJulianDay), static_cast<double>(c.universal),
                    1e-9);
    }
}

TEST(BirthResults, ContinuationInAnotherZone) {
    const BirthFolder fixture;
    const BirthResults early = Compute(kLondon, kForeign, {1, 6, 1905, 12, 0});
    EXPECT_EQ(early.correctionText, "+0"); // the continued zone's earlier history is not London's
    EXPECT_EQ(early.periodList, (std::vector<std::string>{
                                    "14/09/1752 00:00 GREG",
                                    "01/12/1847 00:00 +0.000 LMT ",
                                    "01/01/1900 00:00 +0.000 STD ",
                                    "CAMBIO FILE: 00330000.CAL",
                                    "11/03/1911 00:00 -1.000 STD ",
                                }));
    EXPECT_EQ(Compute(kLondon, kForeign, {15, 6, 1950, 12, 0}).correctionText, "-2");
    EXPECT_EQ(Compute(kLondon, kForeign, {1, 6, 1920, 12, 0}).correctionText, "-1");
    EXPECT_TRUE(NoWorkingCopyLeft(fixture.folder));
}

TEST(BirthResults, TextsOfTheResultPanel) {
    const BirthFolder fixture;
    const BirthResults r = Compute(kParis, kForeign, {1, 1, 2000, 13, 0});
    EXPECT_EQ(r.zoneName, "00330000.CAL");
    EXPECT_EQ(r.zoneCode, 330000);
    EXPECT_FALSE(r.specialZone);
    EXPECT_EQ(r.julianDayText, "2451545.000"); // 13:00 local is 12:00 UT
    EXPECT_EQ(r.dateText, "01/01/2000 13:00");
    EXPECT_EQ(r.coordinatesText, "48N51-002E21");
    EXPECT_EQ(r.locality, "PARIGI");
    EXPECT_EQ(r.country, " FRANCIA");
    EXPECT_EQ(r.periodList, (std::vector<std::string>{
                                "01/01/0001 00:00 GREG",
                                "16/03/1891 00:01 -0.500 STD ",
                                "11/03/1911 00:00 -1.000 STD ",
                                "01/04/1950 02:00 -2.000 DST ",
                                "01/10/1950 03:00 -1.000 STD ",
                            }));
    // The scan stops at the first period after the birth.
    EXPECT_EQ(Compute(kParis, kForeign, {1, 1, 1900, 0, 0}).periodList.size(), 3u);

    EXPECT_TRUE(Compute(kMilan, kItalian, {1, 1, 2011, 12, 0}).showNote);
    EXPECT_FALSE(Compute(kMilan, kItalian, {31, 12, 2010, 12, 0}).showNote);
    EXPECT_FALSE(Compute(kParis, kForeign, {1, 1, 2011, 12, 0}).showNote);
}

TEST(BirthResults, CoordinatesText) {
    const struct {
        long double latitude, longitude;
        const char* text;
    } cases[] = {
        {45 + 28 / 60.0L, 9 + 11 / 60.0L, "45N28-009E11"},
        {-33.8688L, 151.2093L, "33S52-151E13"},
        {40.4168L, -3.7038L, "40N25-003W42"},
        {0.9999L, -0.0L, "00N60-000E00"}, // rounded minutes reach 60 and stay
        {51.5L, -0.1275L, "51N30-000W08"},
        {-90, 180, "90S00-180E00"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(LocalityCoordinatesText(c.latitude, c.longitude), c.text);
    }
}

TEST(BirthResults, BadDataIsAnErrorAndLeavesNoWorkingCopy) {
    const BirthFolder fixture;
    const long double nan = std::numeric_limits<long double>::quiet_NaN();
    const struct {
        const char* what;
        LocalityRecord locality;
        LocalitySource source;
        const char* named; // in the message
    } cases[] = {
        {"zone not in the index", Locality("A", " B", 0, 0, 990000), kForeign, "00990000.CAL"},
        {"index line without a number", Locality("A", " B", 0, 0, 980000), kForeign,
         "00980000.CAL"},
        {"index beyond the database", Locality("A", " B", 0, 0, 970000), kForeign, "00970000.CAL"},
        {"zone without periods", Locality("A", " B", 0, 0, 570000), kForeign, "00570000.CAL"},
        {"offset not a number", Locality("A", " B", 0, 0, 580000), kForeign, "00580000.CAL"},
        {"start not a number", Locality("A", " B", 0, 0, 590000), kForeign, "00590000.CAL"},
        {"continuations in a circle", Locality("A", " B", 0, 0, 550000), kForeign, "00550000.CAL"},
        {"Italian zone file missing", Locality("A", " B", 0, 0, 393000), kItalian, "00393000.CAL"},
        {"Italian zone file empty", Locality("A", " B", 0, 0, 392000), kItalian, "00392000.CAL"},
        {"Italian zone file cut short", Locality("A", " B", 0, 0, 394000), kItalian,
         "00394000.CAL"},
        {"latitude not a number", Locality("NOWHERE", " B", nan, 0, 390000), kItalian, "NOWHERE"},
        {"longitude out of range", Locality("NOWHERE", " B", 0, 200, 390000), kItalian, "NOWHERE"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        try {
            Compute(c.locality, c.source, {1, 1, 1950, 12, 0});
            ADD_FAILURE() << "no error";
        } catch (const InOutError& error) {
            EXPECT_NE(std::string(error.what()).find(c.named), std::string::npos) << error.what();
        }
        EXPECT_TRUE(NoWorkingCopyLeft(fixture.folder));
    }
    // The index is named when it does not list the zone.
    try {
        Compute(Locality("A", " B", 0, 0, 990000), kForeign, {1, 1, 1950, 12, 0});
    } catch (const InOutError& error) {
        EXPECT_NE(std::string(error.what()).find("Elencal.002"), std::string::npos);
    }
}

TEST(BirthResults, WorkingCopyHoldsTheZoneWhileItLives) {
    const BirthFolder fixture;
    {
        const ZoneWorkingCopy copy(kForeign, "00340000.CAL");
        EXPECT_EQ(copy.count(), 3); // up to, not including, "****"
        EXPECT_TRUE(std::filesystem::exists(fixture.folder.path() / "00340000.CAL"));
        EXPECT_EQ(copy.read(2).Offset, -9);
    }
    EXPECT_TRUE(NoWorkingCopyLeft(fixture.folder));
    EXPECT_EQ(ZoneStartRecord("00330000.CAL"), 0);
    EXPECT_EQ(ZoneStartRecord("00340000.CAL"), 6);
}

TEST(BirthDate, CheckOfTheFiveEdits) {
    const struct {
        std::array<std::string, 5> fields;
        BirthDateStatus status;
        BirthDateField failing;
    } cases[] = {
        {{"1", "1", "2000", "12", "0"}, BirthDateStatus::Valid, BirthDateField::Day},
        {{" 31 ", "12", "0", "23", "59"}, BirthDateStatus::Valid, BirthDateField::Day},
        {{"", "1", "2000", "12", "0"}, BirthDateStatus::Incomplete, BirthDateField::Day},
        {{"1", "1", "2000", "12", "  "}, BirthDateStatus::Incomplete, BirthDateField::Day},
        {{"32", "1", "2000", "12", "0"}, BirthDateStatus::Invalid, BirthDateField::Day},
        {{"0", "1", "2000", "12", "0"}, BirthDateStatus::Invalid, BirthDateField::Day},
        {{"1", "13", "2000", "12", "0"}, BirthDateStatus::Invalid, BirthDateField::Month},
        {{"1", "1", "2081", "12", "0"}, BirthDateStatus::Invalid, BirthDateField::Year},
        {{"1", "1", "-1", "12", "0"}, BirthDateStatus::Invalid, BirthDateField::Year},
        {{"1", "1", "2000", "24", "0"}, BirthDateStatus::Invalid, BirthDateField::Hour},
        {{"1", "1", "2000", "12", "60"}, BirthDateStatus::Invalid, BirthDateField::Minute},
        {{"1", "1", "2000", "1a", "0"}, BirthDateStatus::Invalid, BirthDateField::Hour},
        {{"40", "1", "2000", "12", "99"}, BirthDateStatus::Invalid, BirthDateField::Day},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fields[0] + "/" + c.fields[1] + "/" + c.fields[2] + " " + c.fields[3] + ":" +
                     c.fields[4]);
        const BirthDateCheck check = CheckBirthDate(c.fields);
        EXPECT_EQ(check.status, c.status);
        if (c.status == BirthDateStatus::Invalid) {
            EXPECT_EQ(check.failing, c.failing);
        }
    }
    const BirthDateCheck valid = CheckBirthDate({"7", "3", "1985", "5", "9"});
    EXPECT_EQ(valid.value.day, 7);
    EXPECT_EQ(valid.value.month, 3);
    EXPECT_EQ(valid.value.year, 1985);
    EXPECT_EQ(valid.value.hour, 5);
    EXPECT_EQ(valid.value.minute, 9);
}

TEST(BirthDate, ReformOptionFromTheFourthSettingsLine) {
    const test::ScratchFolder folder;
    EXPECT_EQ(ReadReformOption(), 1); // no file
    const struct {
        const char* content;
        int option;
    } cases[] = {
        {"1\r\n0\r\n0\r\n0\r\n1.0\r\n\r\n1.0\r\n1.0\r\n", 0},
        {"1\r\n0\r\n0\r\n1\r\n1.0\r\n\r\n1.0\r\n1.0\r\n", 1},
        {"1\n0\n0\n 2 \n", 2},
        {"1\r\n0\r\n0\r\n", 1}, // no fourth line
        {"1\r\n0\r\n0\r\nuno\r\n", 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.content);
        folder.write("FileSet/MMVarLas.stt", c.content);
        EXPECT_EQ(ReadReformOption(), c.option);
    }
}

} // namespace
} // namespace exo
