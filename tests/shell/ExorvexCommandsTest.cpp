#include "shell/ExorvexCommands.h"

#include <gtest/gtest.h>

#include <sstream>

namespace exo {
namespace {

struct ToolRun {
    int status;
    std::string out;
    std::string err;
};

ToolRun Exorvex(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    const int status = RunExorvex(args, out, err);
    return {status, out.str(), err.str()};
}

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

} // namespace
} // namespace exo
