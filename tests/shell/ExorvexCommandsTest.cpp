#include "shell/ExorvexCommands.h"

#include "TestFolder.h"
#include "ToolRun.h"
#include "astro/Angles.h"
#include "astro/Ephemeris.h"
#include "astro/Houses.h"
#include "chart/ChartState.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace exo {
namespace {

using test::Exorvex;
using test::ToolRun;

struct OutputCase {
    std::vector<std::string> args;
    const char* out; // UTF-8, one line
};

TEST(Exorvex, CommandsPrintTheProgramsTexts) {
    const OutputCase cases[] = {
        {{"jd", "--calendar", "GIUL", "--date", "04/10/1582", "--time", "00:00", "--json"},
         "{\"jd\":2299159.5}"},
        {{"--json", "jd", "--time", "12:00", "--date", "01/01/2000", "--calendar", "GR"},
         "{\"jd\":2451545}"},
        {{"jd", "--calendar=GR", "--date=01/01/2000", "--time=18:00"}, "2451545,25"},
        {{"datetext", "--jd", "2451545.0", "--json"}, "{\"text\":\"01/01/2000 12:00\"}"},
        {{"datetext", "--jd", "2451544,5"}, "01/01/2000 00:00"},
        {{"datetext", "--calendar", "GIUL", "--jd", "2451544.5"}, "19/12/1999 00:00"},
        {{"text", "retro", "r", "125.13", "--json"}, "{\"text\":\"05°08' Leo Retrogrado \"}"},
        {{"text", "retro", " ", "59.995"}, "29°59' Tauro "},
        {{"text", "sign", "2", "42.5826"}, "12Tau34:57"},
        {{"text", "sign", "1", "75.5"}, "15Gém30"},
        {{"text", "degree", "1", "59.995"}, "29°59'"},
        {{"text", "latitude", "-45.5", "--json"}, "{\"text\":\"45° 30' Sur\"}"},
        {{"text", "plain", "4", "-1.5"}, "1.50"},
        {{"text", "clean", "MILANO*MI*"}, "MILANO(MI)"},
        {{"text", "clean", "Forlì  *FC*", "--json"}, "{\"text\":\"Forlì (FC)\"}"},
    };
    for (const OutputCase& c : cases) {
        const ToolRun run = Exorvex(c.args);
        EXPECT_EQ(run.status, 0) << c.args[0] << " " << run.err;
        EXPECT_EQ(run.out, std::string(c.out) + "\n") << c.args[0];
        EXPECT_EQ(run.err, "");
    }
}

TEST(Exorvex, FullPrecisionJulianDayInJson) {
    const ToolRun run =
        Exorvex({"jd", "--calendar", "GR", "--date", "10/04/1987", "--time", "18:31", "--json"});
    ASSERT_EQ(run.status, 0);
    // 18:31 is 0.271527777… of a day: more digits than a six-digit print would keep.
    EXPECT_EQ(run.out.rfind("{\"jd\":2446896.27152777", 0), 0u) << run.out;
}

TEST(Exorvex, BadOrMissingArgumentsExitTwoWithOneLine) {
    const std::vector<std::vector<std::string>> cases = {
        {},
        {"nothing"},
        {"jd"},
        {"jd", "--calendar", "XX", "--date", "01/01/2000", "--time", "12:00"},
        {"jd", "--calendar", "GR", "--date", "32/01/2000", "--time", "12:00"},
        {"jd", "--calendar", "GR", "--date", "01/13/2000", "--time", "12:00"},
        {"jd", "--calendar", "GR", "--date", "01-01-2000", "--time", "12:00"},
        {"jd", "--calendar", "GR", "--date", "01/01/2000", "--time", "24:00"},
        {"jd", "--calendar", "GR", "--date", "01/01/2000", "--time", "12"},
        {"jd", "--calendar", "GR", "--date", "01/01/2000", "--time", "12:00", "extra"},
        {"jd", "--calendar", "GR", "--calendar", "GR", "--date", "01/01/2000", "--time", "12:00"},
        {"jd", "--calendar"},
        {"jd", "--unknown", "1"},
        {"datetext"},
        {"datetext", "--jd", "abc"},
        {"datetext", "--jd", "nan"},
        {"datetext", "--jd", "1e300"},
        {"text"},
        {"text", "retro", "r"},
        {"text", "sign", "x", "10"},
        {"text", "sign", "1", "ten"},
        {"text", "degree", "1"},
        {"text", "latitude"},
        {"text", "plain", "-1", "2"},
        {"text", "plain", "4", "1e5000"},
        {"text", "clean"},
        {"text", "unknown", "1"},
        {"text", "sign", "1", "1e300"},
    };
    for (const auto& args : cases) {
        const ToolRun run = Exorvex(args);
        std::string joined;
        for (const auto& a : args)
            joined += a + " ";
        EXPECT_EQ(run.status, 2) << joined;
        EXPECT_EQ(run.out, "") << joined;
        ASSERT_FALSE(run.err.empty()) << joined;
        EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << "one line: " << run.err;
    }
}

TEST(Exorvex, MissingFolderIsABadArgument) {
    const ToolRun run = Exorvex({"datetext", "--jd", "2451545", "--folder", "/nonexistent/folder"});
    EXPECT_EQ(run.status, 2);
}

// The numbers of one array of a one-line JSON object.
std::vector<long double> JsonArray(const std::string& json, const std::string& key) {
    const std::string opening = "\"" + key + "\":[";
    const std::size_t start = json.find(opening);
    if (start == std::string::npos)
        return {};
    std::vector<long double> numbers;
    const char* at = json.data() + start + opening.size();
    const char* end = json.data() + json.find(']', start);
    while (at < end) {
        long double x = 0;
        const auto read = std::from_chars(at, end, x);
        EXPECT_EQ(read.ec, std::errc()) << json;
        if (read.ec != std::errc())
            return numbers;
        numbers.push_back(x);
        at = read.ptr + (read.ptr < end && *read.ptr == ',');
    }
    return numbers;
}

long double JsonValue(const std::string& json, const std::string& key) {
    const std::string opening = "\"" + key + "\":";
    const std::size_t start = json.find(opening);
    EXPECT_NE(start, std::string::npos) << key << " in " << json;
    long double x = 0;
    if (start != std::string::npos)
        std::from_chars(json.data() + start + opening.size(), json.data() + json.size(), x);
    return x;
}

// 1987 April 10, 19:21 UT.
const std::string kJulianDay = "2446896.30625";

struct HousesRun {
    std::vector<long double> cusps; // houses 1 … 12
    long double ascendant, midheaven, siderealTime;
};

HousesRun HousesJson(const std::string& time, const std::string& correction,
                     const std::string& coords, const std::string& system) {
    const ToolRun run = Exorvex({"houses", "--jd", kJulianDay, "--time", time, "--corr", correction,
                                 "--coords", coords, "--system", system, "--json"});
    EXPECT_EQ(run.status, 0) << run.err;
    return {JsonArray(run.out, "cusps"), JsonValue(run.out, "ascendant"),
            JsonValue(run.out, "midheaven"), JsonValue(run.out, "sidereal_time")};
}

TEST(ExorvexHouses, CoordinateFieldIsReadByPosition) {
    struct Case {
        const char* coords;
        int latDegrees, latMinutes;
        const char* latLetter;
        int lonDegrees, lonMinutes;
        const char* lonLetter;
    };
    const Case cases[] = {
        {"45N28-009E11", 45, 28, "N", 9, 11, "E"}, {"33S52 151E12", 33, 52, "S", 151, 12, "E"},
        {"40N43-074O00", 40, 43, "N", 74, 0, "O"}, {"40N43-074W00", 40, 43, "N", 74, 0, "W"},
        {"4xN28-009E11", 0, 28, "N", 9, 11, "E"}, // a field that does not convert counts 0
        {"45N28-009E1 ", 45, 28, "N", 9, 0, "E"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.coords);
        const HousesRun run = HousesJson("19:21", "0", c.coords, "PLACIDO");
        HouseInputs in;
        in.latitudeDegrees = c.latDegrees;
        in.latitudeMinutes = c.latMinutes;
        in.latitudeLetter = c.latLetter;
        in.longitudeDegrees = c.lonDegrees;
        in.longitudeMinutes = c.lonMinutes;
        in.longitudeLetter = c.lonLetter;
        in.julianDay = 2446896.30625L;
        in.hour = 19;
        in.minute = 21;
        const HouseResult expected = ComputeHouses(in, "PLACIDO");
        ASSERT_EQ(run.cusps.size(), 12u);
        for (int h = 1; h <= 12; ++h)
            EXPECT_EQ(run.cusps[h - 1], expected.cusp[h]) << "house " << h;
        EXPECT_EQ(run.ascendant, RadToDeg(expected.ascendantRad));
        EXPECT_EQ(run.midheaven, RadToDeg(expected.midheavenRad));
        EXPECT_EQ(run.siderealTime, expected.siderealTimeHours);
    }
}

TEST(ExorvexHouses, CorrectionIsAddedToTheClockTime) {
    const HousesRun ut = HousesJson("19:21", "0", "45N28-009E11", "CASE_MEDIE");
    for (const char* correction : {"-1.5", "-1,5"}) {
        SCOPED_TRACE(correction);
        const HousesRun local = HousesJson("20:51", correction, "45N28-009E11", "CASE_MEDIE");
        EXPECT_NEAR(static_cast<double>(local.siderealTime), static_cast<double>(ut.siderealTime),
                    1e-12);
        EXPECT_NEAR(static_cast<double>(local.ascendant), static_cast<double>(ut.ascendant), 1e-9);
    }
    // Equal houses from the Ascendant; the Midheaven stays the true one.
    ASSERT_EQ(ut.cusps.size(), 12u);
    EXPECT_EQ(ut.cusps[0], ut.ascendant);
    EXPECT_GT(std::fabs(ut.cusps[9] - ut.midheaven), 1.0L);
}

TEST(ExorvexHouses, UnknownSystemSetsOnlyHousesOneAndTen) {
    const HousesRun placidus = HousesJson("19:21", "0", "45N28-009E11", "PLACIDO");
    const HousesRun unknown = HousesJson("19:21", "0", "45N28-009E11", "TOPOCENTRICO");
    ASSERT_EQ(unknown.cusps.size(), 12u);
    for (int h = 1; h <= 12; ++h) {
        if (h == 1 || h == 10) {
            EXPECT_EQ(unknown.cusps[h - 1], placidus.cusps[h - 1]) << h;
        } else {
            EXPECT_EQ(unknown.cusps[h - 1], 0) << "a fresh chart has no cusp " << h;
        }
    }
}

TEST(ExorvexHouses, BadArgumentsExitTwo) {
    const std::vector<std::string> good = {"houses",       "--jd",     kJulianDay, "--time",
                                           "19:21",        "--corr",   "0",        "--coords",
                                           "45N28-009E11", "--system", "PLACIDO"};
    ASSERT_EQ(Exorvex(good).status, 0);
    std::vector<std::vector<std::string>> cases;
    for (std::size_t option = 1; option < good.size(); option += 2) {
        auto without = good;
        without.erase(without.begin() + static_cast<long>(option),
                      without.begin() + static_cast<long>(option) + 2);
        cases.push_back(without);
    }
    const auto with = [&](std::size_t index, const std::string& value) {
        auto changed = good;
        changed[index] = value;
        return changed;
    };
    cases.push_back(with(2, "abc"));
    cases.push_back(with(2, "1e12"));
    cases.push_back(with(4, "25:00"));
    cases.push_back(with(4, "19"));
    cases.push_back(with(4, "19:60"));
    cases.push_back(with(6, "una"));
    cases.push_back(with(8, "45N28-009E1"));
    cases.push_back(with(8, "45N28-009E111"));
    auto extra = good;
    extra.push_back("extra");
    cases.push_back(extra);
    for (const auto& args : cases) {
        const ToolRun run = Exorvex(args);
        std::string joined;
        for (const auto& a : args)
            joined += a + " ";
        EXPECT_EQ(run.status, 2) << joined;
        EXPECT_EQ(run.out, "") << joined;
        EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << joined << ": " << run.err;
    }
}

// A Julian Day after every correction table, so the theory alone gives the positions.
const std::string kBeyondTables = "2500000.25";

TEST(ExorvexPositions, JsonHoldsThe22PointsAsTheEngineLeavesThem) {
    for (const char* node : {"VERO", "MEDIO"}) {
        for (const char* apogee : {"VERA", "MEDIA"}) {
            SCOPED_TRACE(std::string(node) + " " + apogee);
            const ToolRun run = Exorvex(
                {"positions", "--jd", kBeyondTables, "--node", node, "--apogee", apogee, "--json"});
            ASSERT_EQ(run.status, 0) << run.err;
            ChartState chart;
            chart.NodeKind = node;
            chart.ApogeeKind = apogee;
            ComputePositionsWithMotion(0, 2500000.25L, chart);
            const auto longitude = JsonArray(run.out, "longitude");
            const auto latitude = JsonArray(run.out, "latitude");
            ASSERT_EQ(longitude.size(), 22u);
            ASSERT_EQ(latitude.size(), 22u);
            for (int point = 1; point <= 22; ++point) {
                EXPECT_EQ(longitude[point - 1], chart.ChartLongitude[point]) << point;
                EXPECT_EQ(latitude[point - 1], chart.ChartLatitude[point]) << point;
            }
            EXPECT_EQ(longitude[12], 0) << "no houses computed: point 13 is the empty cusp 1";
        }
    }
}

// Correction tables in a scratch program folder, long enough for 1 January 2000: zeros
// everywhere except a Black Moon correction of 3600″ around that day.
void WriteCorrectionTables(const test::ScratchFolder& folder) {
    const auto sized = [&](const char* name, std::uintmax_t bytes) {
        const auto path = folder.path() / "FilePosi" / name;
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary).close();
        std::filesystem::resize_file(path, bytes);
        return path;
    };
    const long double jd = 2451545;
    sized("DSEL.rnd", static_cast<std::uintmax_t>(jd - 1721420.5L + 10) * 2);
    sized("DPR1.rnd", static_cast<std::uintmax_t>((jd - 1721409) / 5 + 10) * 32);
    const auto apogee = sized("NOJLNE.rnd", static_cast<std::uintmax_t>(jd - 2341972.5L + 10) * 4);
    std::fstream out(apogee, std::ios::binary | std::ios::in | std::ios::out);
    const auto day = static_cast<std::streamoff>(jd - 2341972.5L);
    for (std::streamoff record = day - 3; record <= day + 3; ++record) {
        out.seekp(record * 4);
        const unsigned char arcseconds[4] = {0x10, 0x0E, 0, 0}; // 3600, little-endian
        out.write(reinterpret_cast<const char*>(arcseconds), 4);
    }
}

TEST(ExorvexPositions, NodeAndBlackMoonKindsReachTheEngine) {
    const test::ScratchFolder folder;
    WriteCorrectionTables(folder);
    ForgetCorrectionFiles();
    const auto longitudes = [](std::vector<std::string> kinds) {
        std::vector<std::string> args = {"positions", "--jd", "2451545", "--json"};
        args.insert(args.end(), kinds.begin(), kinds.end());
        const ToolRun run = Exorvex(args);
        EXPECT_EQ(run.status, 0) << run.err;
        const auto values = JsonArray(run.out, "longitude");
        EXPECT_EQ(values.size(), 22u);
        return values;
    };
    const auto defaults = longitudes({});
    const auto trueKinds = longitudes({"--node", "VERO", "--apogee", "VERA"});
    const auto meanNode = longitudes({"--node", "MEDIO"});
    const auto meanApogee = longitudes({"--apogee", "MEDIA"});
    ForgetCorrectionFiles();
    ASSERT_EQ(defaults.size(), 22u);
    ASSERT_EQ(meanNode.size(), 22u);
    ASSERT_EQ(meanApogee.size(), 22u);
    EXPECT_EQ(defaults, trueKinds) << "true node and corrected Black Moon unless told";
    for (int point = 1; point <= 22; ++point) {
        SCOPED_TRACE(point);
        if (point != 11) {
            EXPECT_EQ(meanNode[point - 1], defaults[point - 1]);
        }
        if (point != 12) {
            EXPECT_EQ(meanApogee[point - 1], defaults[point - 1]);
        }
    }
    EXPECT_GT(std::fabs(meanNode[10] - defaults[10]), 1e-6L) << "the mean node is another point";
    EXPECT_NEAR(static_cast<double>(defaults[11] - meanApogee[11]), 1.0, 1e-9)
        << "the corrected Black Moon adds the table's 3600 arcseconds";
}

TEST(ExorvexPositions, PlainTableNamesThePoints) {
    const ToolRun run = Exorvex({"positions", "--jd", kBeyondTables});
    ASSERT_EQ(run.status, 0) << run.err;
    std::vector<std::string> lines;
    std::istringstream text(run.out);
    for (std::string line; std::getline(text, line);)
        lines.push_back(line);
    ASSERT_EQ(lines.size(), 22u);
    EXPECT_EQ(lines[0].rfind(" 1  SOL", 0), 0u) << lines[0];
    EXPECT_EQ(lines[5].rfind(" 6  JÚPITER", 0), 0u) << lines[5];
    EXPECT_EQ(lines[11].rfind("12  LUNA NEGRA", 0), 0u) << lines[11];
}

TEST(ExorvexPositions, CorrectionsComeFromTheProgramFolder) {
    // Inside the tables' range the engine reads FilePosi of the program folder; an empty
    // folder is a file failure, not a bad argument.
    const test::ScratchFolder folder;
    const ToolRun run =
        Exorvex({"positions", "--jd", "2451545", "--folder", folder.path().string(), "--json"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find("FilePosi"), std::string::npos) << run.err;
}

TEST(ExorvexPositions, BadArgumentsExitTwo) {
    const std::vector<std::vector<std::string>> cases = {
        {"positions"},
        {"positions", "--jd", "abc"},
        {"positions", "--jd", "1e12"},
        {"positions", "--jd", kBeyondTables, "--node", "TRUE"},
        {"positions", "--jd", kBeyondTables, "--apogee", "vera"},
        {"positions", "--jd", kBeyondTables, "extra"},
    };
    for (const auto& args : cases) {
        const ToolRun run = Exorvex(args);
        EXPECT_EQ(run.status, 2) << args.back();
        EXPECT_EQ(run.out, "") << args.back();
    }
}

} // namespace
} // namespace exo
