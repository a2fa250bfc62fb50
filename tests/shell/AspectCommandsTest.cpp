// exorvex aspects, and the chart settings exorvex chart takes from the program folder.
#include "shell/ExorvexCommands.h"

#include "BuiltTables.h"
#include "CurrentSubject.h"
#include "TestFolder.h"
#include "ToolRun.h"
#include "analysis/Aspects.h"
#include "analysis/OrbSettings.h"
#include "astro/CorrectionFiles.h"
#include "platform/Cp1252.h"
#include "platform/TextFile.h"
#include "shell/CurrentChart.h"
#include "shell/JsonText.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace exo {
namespace {

using test::Exorvex;
using test::ToolRun;

std::string JsonLines(const std::vector<std::string>& lines) {
    std::string array = "[";
    for (std::size_t i = 0; i < lines.size(); ++i)
        array += (i ? "," : "") + JsonString(Utf8FromCp1252(lines[i]));
    return array + "]";
}

// The text of a JSON array "key":[…] whose elements hold no brackets.
std::string FlatArray(const std::string& json, const std::string& key) {
    const std::size_t at = json.find("\"" + key + "\":[");
    if (at == std::string::npos)
        return {};
    const std::size_t from = at + key.size() + 3;
    return json.substr(from, json.find(']', from) - from + 1);
}

// A program folder with the correction tables, the installed chart settings and a current
// subject born in Milan on 1 January 1960.
class AspectsCommand : public testing::Test {
  protected:
    void SetUp() override {
        test::LinkBuiltCorrectionTables(folder.path());
        if (HasFatalFailure())
            return;
        test::WriteCurrentSubject(folder, test::kRossiMilano);
        std::filesystem::create_directory(folder.path() / "FileSet");
        WriteTextLines(kOrbSettingsFile, DefaultOrbSettingsLines());
        WriteTextLines(kOrbSetFile, DefaultOrbSetLines());
    }
    void TearDown() override { ForgetCorrectionFiles(); }

    // The chart and the orbs the main window would have for this folder.
    ChartState chart() const {
        ChartState chart;
        OrbSettings settings;
        LoadOrbSettings(settings, chart);
        ComputeCurrentChartQuiet(chart);
        return chart;
    }
    OrbSettings settings() const {
        OrbSettings settings;
        ChartState ignored;
        LoadOrbSettings(settings, ignored);
        return settings;
    }

    const test::ScratchFolder folder;
};

TEST_F(AspectsCommand, JsonHoldsTheFourTablesOfTheActiveSet) {
    const ToolRun run = Exorvex({"aspects", "--json"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    const ChartState c = chart();
    const OrbTable& orbs = settings().ActiveOrbs;
    const std::vector<std::string> listing = AspectListingLines(c, orbs);
    const std::vector<std::string> keys = AspectKeyLines(c, orbs);
    EXPECT_EQ(run.out.rfind("{\"orb_set\":\"A\",\"listing\":" + JsonLines(listing) +
                                ",\"keys\":" + JsonLines(keys) + ",\"grid\":[[",
                            0),
              0u)
        << run.out;
    EXPECT_GT(listing.size(), 4u) << "a chart has aspects under set A";
    EXPECT_EQ(Utf8FromCp1252(listing.back()), "más preciso está l'Aspecto");
    EXPECT_NE(FlatArray(run.out, "keys").find("\"NonOpNos\""), std::string::npos) << run.out;
    // The node pair in row 8: an exact opposition.
    EXPECT_NE(run.out.find("[{\"kind\":\"Oppo\",\"glyph\":5,\"angle\":180,\"text\":\"00\"},null,"
                           "null]"),
              std::string::npos)
        << run.out;
    const std::string distances = run.out.substr(run.out.find("\"distances\":"));
    EXPECT_NE(distances.find("\"text\":\"180.0\",\"hard\":true,\"soft\":false,"
                             "\"conjunction\":false,\"colour\":255}"),
              std::string::npos)
        << distances;
    std::size_t cells = 0;
    for (std::size_t at = distances.find("\"distance\":"); at != std::string::npos;
         at = distances.find("\"distance\":", at + 1))
        ++cells;
    EXPECT_EQ(cells, 10u + 9 + 8 + 7 + 6 + 5 + 4 + 3 + 2);
}

TEST_F(AspectsCommand, OrbsOfTheSettingsFileDecide) {
    // With every orb 0 no window holds anything, not even an exact opposition.
    std::vector<std::string> closed = DefaultOrbSettingsLines();
    for (int line = 0; line < kAspectKinds; ++line)
        closed[static_cast<std::size_t>(line)] = " 0.00000000000000E+0000";
    WriteTextLines(kOrbSettingsFile, closed);
    const ToolRun run = Exorvex({"aspects", "--json"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("\"listing\":[\"ASPECTOS PLANETARIOS\",\"   \","), std::string::npos)
        << run.out;
    EXPECT_NE(run.out.find("\"keys\":[],\"grid\":[[null,null,null,null,null,null,null,null,"
                           "null,null],"),
              std::string::npos)
        << run.out;
    EXPECT_EQ(run.out.find("\"kind\":"), std::string::npos) << run.out;
}

TEST_F(AspectsCommand, PlainFormShowsEachTable) {
    const ToolRun run = Exorvex({"aspects"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out.rfind("ASPECTOS PLANETARIOS\n", 0), 0u) << run.out;
    // Row 8 of the grid: the node pair under the column of the South node.
    const std::string nodeRow = "\nNon" + std::string(3 + 7 * 7 - 3 + 1, ' ') + "Oppo00";
    for (const std::string& text :
         {std::string("\nClaves de los aspectos\n"), std::string("\nNonOpNos\n"),
          std::string("\nASPECTOS y ÓRBITAS en la eclíptica\n"),
          std::string("\nDISTANCIAS ESFÉRICAS"), nodeRow})
        EXPECT_NE(run.out.find(text), std::string::npos) << text << "\n" << run.out;
}

TEST_F(AspectsCommand, FailuresAndBadArguments) {
    const ToolRun extra = Exorvex({"aspects", "A"});
    EXPECT_EQ(extra.status, 2);
    EXPECT_EQ(extra.out, "");
    std::filesystem::remove(folder.path() / "FileSet/OrbiDomi.stt");
    const ToolRun missing = Exorvex({"aspects", "--json"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.out, "");
    EXPECT_NE(missing.err.find("OrbiDomi.stt"), std::string::npos) << missing.err;
}

// The longitudes of `exorvex chart --json`: the North node (8) and the Black Moon (12).
std::pair<std::string, std::string> NodeAndBlackMoon(const std::vector<std::string>& args) {
    const ToolRun run = Exorvex(args);
    EXPECT_EQ(run.status, 0) << run.err;
    std::string values = FlatArray(run.out, "longitude");
    std::vector<std::string> numbers(1);
    for (const char c : values.substr(0, values.size() - 1)) {
        if (c == ',')
            numbers.emplace_back();
        else
            numbers.back() += c;
    }
    EXPECT_EQ(numbers.size(), 22u);
    return numbers.size() < 12 ? std::pair<std::string, std::string>()
                               : std::pair{numbers[7], numbers[11]};
}

TEST_F(AspectsCommand, ChartTakesTheNodeAndBlackMoonKindsFromTheSettings) {
    const auto mean = NodeAndBlackMoon({"chart", "--json", "--node", "MEDIO", "--apogee", "MEDIA"});
    const auto corrected =
        NodeAndBlackMoon({"chart", "--json", "--node", "VERO", "--apogee", "VERA"});
    ASSERT_NE(mean.first, corrected.first);
    ASSERT_NE(mean.second, corrected.second);

    // The installed settings: mean node, mean Black Moon.
    EXPECT_EQ(NodeAndBlackMoon({"chart", "--json"}), mean);
    ReplaceOrbSettingsLine(18, "VERO");
    ReplaceOrbSettingsLine(20, "VERA");
    EXPECT_EQ(NodeAndBlackMoon({"chart", "--json", "--quiet"}), corrected);
    // An option overrides its own setting only.
    EXPECT_EQ(NodeAndBlackMoon({"chart", "--json", "--node", "MEDIO"}),
              std::pair(mean.first, corrected.second));
    // Without a settings file the tool's own defaults hold: true node, corrected Black Moon.
    std::filesystem::remove(folder.path() / "FileSet/OrbiDomi.stt");
    EXPECT_EQ(NodeAndBlackMoon({"chart", "--json"}), corrected);
}

} // namespace
} // namespace exo
