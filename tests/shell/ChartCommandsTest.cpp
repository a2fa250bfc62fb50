#include "shell/ExorvexCommands.h"

#include "BuiltTables.h"
#include "CurrentSubject.h"
#include "TestFolder.h"
#include "ToolRun.h"
#include "astro/CorrectionFiles.h"
#include "platform/Cp1252.h"
#include "shell/CurrentChart.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

namespace exo {
namespace {

using test::Exorvex;
using test::ToolRun;

// The numbers of a JSON array "key":[…] in one-line output.
std::vector<long double> NumberArray(const std::string& json, const std::string& key) {
    std::vector<long double> values;
    std::size_t at = json.find("\"" + key + "\":[");
    if (at == std::string::npos)
        return values;
    at += key.size() + 4;
    while (json[at] != ']') {
        char* end = nullptr;
        values.push_back(std::strtold(json.c_str() + at, &end));
        at = static_cast<std::size_t>(end - json.c_str());
        if (json[at] == ',')
            ++at;
    }
    return values;
}

long double Number(const std::string& json, const std::string& key) {
    const std::size_t at = json.find("\"" + key + "\":");
    return at == std::string::npos ? -1 : std::strtold(json.c_str() + at + key.size() + 3, nullptr);
}

// A program folder with the correction tables and a current subject from Milan whose
// locality and notes need the accented letters.
class ChartCommand : public testing::Test {
  protected:
    void SetUp() override {
        test::LinkBuiltCorrectionTables(folder.path());
        if (HasFatalFailure())
            return;
        test::WriteCurrentSubject(folder, {"ROSSI MARIO                           00001",
                                           "196001011030-1.00", "45N28-009E11Forl\xEC *FC*", "GR",
                                           "Italia", "Naci\xF3 en casa"});
    }
    void TearDown() override { ForgetCorrectionFiles(); }

    const test::ScratchFolder folder;
};

TEST_F(ChartCommand, JsonHoldsThePanelAndTheChartInChartOrder) {
    const ToolRun run = Exorvex({"chart", "--json"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    EXPECT_NE(run.out.find("\"memo\":[\"ROSSI MARIO                           \","
                           "\"Nascita 01/01/1960 10:30  Correz. -1,00\","
                           "\"Località: Forlì (FC)\",\"Nazionalità: Italia\","
                           "\"Coordinate: 45N28-009E11\",\"Calendario GREGORIANO\"]"),
              std::string::npos)
        << run.out;
    EXPECT_NE(run.out.find("\"notes\":\"Nació en casa\""), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("\"zone_text\":\"+1.00\",\"jd_text\":\"JD=2436934,8958\""),
              std::string::npos)
        << run.out;
    EXPECT_NE(run.out.find("\"text_button\":false"), std::string::npos) << run.out;
    EXPECT_NEAR(static_cast<double>(Number(run.out, "jd")), 2436934.5 + 9.5 / 24, 1e-9);

    // The same numbers as the computation the main window runs, with the true node and the
    // corrected Black Moon.
    ChartState chart;
    chart.NodeKind = "VERO";
    chart.ApogeeKind = "VERA";
    ComputeCurrentChart(chart);
    const auto longitude = NumberArray(run.out, "longitude");
    const auto latitude = NumberArray(run.out, "latitude");
    const auto cusps = NumberArray(run.out, "cusps");
    ASSERT_EQ(longitude.size(), 22u);
    ASSERT_EQ(latitude.size(), 22u);
    ASSERT_EQ(cusps.size(), 12u);
    for (int point = 1; point <= 22; ++point) {
        EXPECT_EQ(longitude[point - 1], chart.ChartLongitude[point]) << point;
        EXPECT_EQ(latitude[point - 1], chart.ChartLatitude[point]) << point;
    }
    for (int h = 1; h <= 12; ++h)
        EXPECT_EQ(cusps[h - 1], chart.HouseCusp[h]) << h;
    EXPECT_EQ(Number(run.out, "midheaven"), chart.ChartLongitude[ChartOrder::Midheaven]);
    // 1960: the true node moves backward, and so both nodes are marked.
    EXPECT_NE(
        run.out.find("\"retro\":[\" \",\" \",\" \",\" \",\" \",\" \",\" \",\"r\",\"r\",\" \""),
        std::string::npos)
        << run.out;
}

TEST_F(ChartCommand, QuietLeavesTheLinesAndTheButtonOut) {
    const ToolRun run = Exorvex({"chart", "--quiet", "--json"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out.rfind("{\"memo\":null,\"notes\":\"Nació en casa\",", 0), 0u) << run.out;
    EXPECT_NE(run.out.find("\"text_button\":null}"), std::string::npos) << run.out;
    EXPECT_EQ(NumberArray(run.out, "longitude").size(), 22u);
}

TEST_F(ChartCommand, TextButtonFollowsTheSubjectsText) {
    folder.write("FileDum/StrText.dum", "BASE\r\n00003\r\n");
    folder.write("BASEtxt/00003.txt", "ROSSI MARIO\r\n");
    const ToolRun run = Exorvex({"chart", "--json"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("\"text_button\":true"), std::string::npos) << run.out;
}

TEST_F(ChartCommand, NodeKindChoosesTheMarks) {
    // In 1960 both node kinds move backward; the mean node differs in place.
    const ToolRun trueNode = Exorvex({"chart", "--json"});
    const ToolRun meanNode = Exorvex({"chart", "--json", "--node", "MEDIO", "--apogee", "MEDIA"});
    ASSERT_EQ(meanNode.status, 0) << meanNode.err;
    const auto a = NumberArray(trueNode.out, "longitude");
    const auto b = NumberArray(meanNode.out, "longitude");
    ASSERT_EQ(a.size(), 22u);
    ASSERT_EQ(b.size(), 22u);
    EXPECT_NE(a[7], b[7]) << "North node";
    EXPECT_NE(a[11], b[11]) << "Black Moon";
    EXPECT_EQ(a[0], b[0]) << "Sun";
}

TEST_F(ChartCommand, PlainFormShowsTheLinesAndThePoints) {
    const ToolRun run = Exorvex({"chart"});
    ASSERT_EQ(run.status, 0) << run.err;
    std::vector<std::string> lines;
    std::istringstream text(run.out);
    for (std::string line; std::getline(text, line);)
        lines.push_back(line);
    ASSERT_EQ(lines.size(), 6u + 1 + 1 + 22 + 12 + 1 + 1);
    EXPECT_EQ(lines[2], "Località: Forlì (FC)");
    EXPECT_EQ(lines[6], "Notas: Nació en casa");
    EXPECT_EQ(lines[7], "JD=2436934,8958  GMT+1.00");
    EXPECT_EQ(lines[8].rfind(" 1  SOL", 0), 0u) << lines[8];
    EXPECT_EQ(lines[15].rfind(" 8  NODONORTE", 0), 0u) << lines[15];
    EXPECT_EQ(lines[15].back(), 'r') << lines[15];
    EXPECT_EQ(lines[17].rfind("10  ASCENDENTE", 0), 0u) << lines[17];
    EXPECT_EQ(lines[30].rfind("Casa  1", 0), 0u) << lines[30];
    EXPECT_EQ(lines[42].rfind("Medio Cielo", 0), 0u) << lines[42];
    EXPECT_EQ(lines[43], "Abrir texto: no");

    const ToolRun quiet = Exorvex({"chart", "--quiet"});
    ASSERT_EQ(quiet.status, 0) << quiet.err;
    EXPECT_EQ(quiet.out.rfind("Notas: Nació en casa\nJD=", 0), 0u) << quiet.out;
}

TEST_F(ChartCommand, FailuresAndBadArguments) {
    const struct {
        std::vector<std::string> args;
        int status;
    } cases[] = {
        {{"chart", "extra"}, 2},
        {{"chart", "--node", "TRUE"}, 2},
        {{"chart", "--apogee", "vera"}, 2},
        {{"chart", "--quiet=yes"}, 2},
    };
    for (const auto& c : cases) {
        const ToolRun run = Exorvex(c.args);
        EXPECT_EQ(run.status, c.status) << c.args.back();
        EXPECT_EQ(run.out, "");
        EXPECT_NE(run.err, "");
    }
    std::filesystem::remove(folder.path() / "TMPR.ST2");
    const ToolRun missing = Exorvex({"chart", "--json"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.out, "");
    EXPECT_NE(missing.err.find("TMPR.ST2"), std::string::npos) << missing.err;
}

} // namespace
} // namespace exo
