// exorvex analyze on a scratch program folder: a subject from Milan, the installed orb
// settings, the exchange files and a few interpretation texts written here.
#include "shell/ExorvexCommands.h"

#include "BuiltTables.h"
#include "CurrentSubject.h"
#include "TestFolder.h"
#include "ToolRun.h"
#include "analysis/ArchetypalStructure.h"
#include "analysis/OrbSettings.h"
#include "astro/CorrectionFiles.h"
#include "platform/Cp1252.h"
#include "platform/TextFile.h"
#include "shell/CurrentChart.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace exo {
namespace {

using test::Exorvex;
using test::ToolRun;

std::string Joined(const std::vector<std::string>& lines) {
    std::string bytes;
    for (const std::string& line : lines)
        bytes += line + "\r\n";
    return bytes;
}

// The raw JSON text of "key":<value> up to the matching bracket.
std::string RawValue(const std::string& json, const std::string& key) {
    const std::size_t at = json.find("\"" + key + "\":");
    if (at == std::string::npos)
        return {};
    std::size_t i = at + key.size() + 3;
    const std::size_t start = i;
    int depth = 0;
    bool inString = false;
    for (; i < json.size(); ++i) {
        const char c = json[i];
        if (inString) {
            if (c == '\\')
                ++i;
            else if (c == '"')
                inString = false;
        } else if (c == '"') {
            inString = true;
        } else if (c == '[' || c == '{') {
            ++depth;
        } else if (c == ']' || c == '}') {
            if (--depth == 0)
                return json.substr(start, i + 1 - start);
        }
    }
    return {};
}

std::vector<long double> Numbers(const std::string& array) {
    std::vector<long double> values;
    std::size_t at = 1;
    while (at < array.size() && array[at] != ']') {
        char* end = nullptr;
        values.push_back(std::strtold(array.c_str() + at, &end));
        at = static_cast<std::size_t>(end - array.c_str());
        if (array[at] == ',')
            ++at;
    }
    return values;
}

// Rossi Mario, 1 January 1960, 10:30 in Milan (correction −1).
class AnalyzeCommand : public testing::Test {
  protected:
    void SetUp() override {
        test::LinkBuiltCorrectionTables(folder.path());
        if (HasFatalFailure())
            return;
        test::WriteCurrentSubject(folder, test::kRossiMilano);
        folder.write("FileSet/OrbiDomi.stt", Joined(DefaultOrbSettingsLines()));
        for (int size = kSmallestReception; size <= kLargestReception; ++size) {
            std::string name = ExchangeFileName(size);
            std::replace(name.begin(), name.end(), '\\', '/');
            folder.write(name, Joined(ExchangeFileLines(size)));
        }
        folder.write("OpzioneT/SpgPianSpe.Txt",
                     Joined({"SoleCapr             El Sol en Capricornio",
                             "NNor" + std::string(17, ' ') + "no es una clave"}));
        folder.write("OpzioneT/SpgPian.txt", Joined({"So El Sol", "Nn El Nodo Norte"}));
        folder.write("OpzioneT/SpgSegnSpe.txt", "");
        folder.write("OpzioneT/SpgSegni.txt", "");

        // The chart the command computes, for the independent checks below.
        ClearChartState(chart);
        LoadOrbSettings(GlobalOrbSettings(), chart);
        ComputeCurrentChartQuiet(chart);
        ForgetCorrectionFiles();
    }
    void TearDown() override { ForgetCorrectionFiles(); }

    long double Longitude(int point) const { return chart.ChartLongitude[point]; }

    const test::ScratchFolder folder;
    ChartState chart;
};

TEST_F(AnalyzeCommand, DivisionsFollowTheChart) {
    const ToolRun run = Exorvex({"analyze", "--json"});
    ASSERT_EQ(run.status, 0) << run.err;
    const auto decades = Numbers(RawValue(run.out, "decades"));
    const auto terms = Numbers(RawValue(run.out, "terms"));
    const auto dodecatemoria = Numbers(RawValue(run.out, "dodecatemoria"));
    const auto antiscia = Numbers(RawValue(run.out, "antiscia"));
    const auto contrantiscia = Numbers(RawValue(run.out, "contrantiscia"));
    ASSERT_EQ(decades.size(), 11u) << run.out;
    ASSERT_EQ(terms.size(), 11u);
    ASSERT_EQ(dodecatemoria.size(), 11u);
    ASSERT_EQ(antiscia.size(), 11u);
    ASSERT_EQ(contrantiscia.size(), 11u);
    const long double ascendant = chart.HouseCusp[1];
    for (int point = 1; point <= 11; ++point) {
        const long double x = Longitude(point);
        EXPECT_EQ(decades[point - 1], std::floor(x / 10) + 1) << point;
        EXPECT_EQ(terms[point - 1], 1 + std::floor(std::fmod(x - ascendant + 15 + 720, 360.0L) / 6))
            << point;
        EXPECT_NEAR(dodecatemoria[point - 1], std::fmod(x + 12 * std::fmod(x, 30.0L), 360.0L), 1e-9)
            << point;
        EXPECT_NEAR(antiscia[point - 1], 360 - x, 1e-12) << point;
        EXPECT_NEAR(contrantiscia[point - 1], std::fmod(540 - x, 360.0L), 1e-12) << point;
    }
}

// 1 January 1960: the Sun, Saturn and Jupiter in Capricorn, Capricorn and Sagittarius.
TEST_F(AnalyzeCommand, KeysAndDignitiesOfTheSubject) {
    const ToolRun run = Exorvex({"analyze", "--json"});
    ASSERT_EQ(run.status, 0) << run.err;
    const auto dignity = Numbers(RawValue(run.out, "dignity"));
    ASSERT_EQ(dignity.size(), 7u);
    EXPECT_EQ(dignity[0], 0) << "the Sun in Capricorn";
    EXPECT_EQ(dignity[5], 1) << "Jupiter in Sagittarius";
    EXPECT_EQ(dignity[6], 1) << "Saturn in Capricorn";

    const std::string keys = RawValue(run.out, "placement_keys");
    EXPECT_EQ(keys.rfind("[\"SoleCapr\",", 0), 0u) << keys;
    EXPECT_NE(keys.find("\"GiovSagi\",\"SatuCapr\""), std::string::npos) << keys;
    EXPECT_NE(keys.find("\"NonOpNos\""), std::string::npos) << keys;
    // The key files as written, in Windows-1252.
    EXPECT_EQ(Utf8FromCp1252(Joined(ReadTextLines("OpzioneT\\PosiPian.txt"))), Joined([&] {
                  std::vector<std::string> lines;
                  std::size_t at = 2;
                  while (at < keys.size()) {
                      const std::size_t end = keys.find('"', at);
                      lines.push_back(keys.substr(at, end - at));
                      at = end + 3;
                  }
                  return lines;
              }()));
    EXPECT_EQ(RawValue(run.out, "sign_keys").substr(0, 21), "[\"ArAnPis\",\"ToAnAcu\",");
    EXPECT_NE(RawValue(run.out, "sign_keys").find("\"AcAnTau\""), std::string::npos);
    EXPECT_EQ(RawValue(run.out, "decans").size(), 11 * 11 + 1u);
}

TEST_F(AnalyzeCommand, AttributionOfTheChosenPoint) {
    const ToolRun sun = Exorvex({"analyze", "--json"});
    ASSERT_EQ(sun.status, 0) << sun.err;
    const std::string attribution = RawValue(sun.out, "attribution");
    EXPECT_EQ(attribution.rfind("{\"point\":1,\"specific\":[\"SOL  ", 0), 0u) << attribution;
    EXPECT_NE(attribution.find("\"El Sol en Capricornio\",\"Dodecatemorias SOL = "),
              std::string::npos)
        << attribution;
    EXPECT_NE(attribution.find("\"general\":[\"El Sol\"]"), std::string::npos) << attribution;

    const ToolRun node = Exorvex({"analyze", "--json", "--point", "8"});
    ASSERT_EQ(node.status, 0) << node.err;
    const std::string nodeAttribution = RawValue(node.out, "attribution");
    EXPECT_EQ(nodeAttribution.rfind("{\"point\":8,\"specific\":[\"NODO NORTE  ", 0), 0u)
        << nodeAttribution;
    // Only the name and the dodecatemoria: no key of the node finds the text.
    const std::string specific = RawValue(nodeAttribution, "specific");
    EXPECT_EQ(specific.find("\",\""), specific.rfind("\",\"")) << specific;
    EXPECT_NE(specific.find("\",\"Dodecatemorias NODO NORTE = "), std::string::npos) << specific;
    EXPECT_NE(nodeAttribution.find("\"general\":[\"El Nodo Norte\"]"), std::string::npos);
}

TEST_F(AnalyzeCommand, WebsAndStructure) {
    const ToolRun run = Exorvex({"analyze", "--json"});
    ASSERT_EQ(run.status, 0) << run.err;
    const std::string elemental = RawValue(run.out, "elemental");
    const std::string seasonal = RawValue(run.out, "seasonal");
    // Three rows of four counts each, seven planets in all.
    long double total = 0;
    int rows = 0;
    for (std::size_t at = 1; (at = elemental.find('[', at)) != std::string::npos; ++at, ++rows) {
        const auto row = Numbers(elemental.substr(at));
        EXPECT_EQ(row.size(), 4u);
        for (const long double n : row)
            total += n;
    }
    EXPECT_EQ(rows, 3);
    EXPECT_EQ(total, 7);
    EXPECT_EQ(seasonal.rfind("[[", 0), 0u) << seasonal;
    EXPECT_NE(RawValue(run.out, "humoral_elemental").find("\"elements\":["), std::string::npos);
    EXPECT_NE(RawValue(run.out, "humoral_seasonal").find("\"hot\":"), std::string::npos);
    // Saturn and Jupiter in their domiciles head columns of the structure.
    const std::string structure = RawValue(run.out, "structure");
    EXPECT_EQ(structure.rfind("{\"columns\":[{\"head\":", 0), 0u) << structure;
    EXPECT_NE(structure.find("\"head\":7,\"dignity\":1,\"label\":\"Domic.\""), std::string::npos)
        << structure;
}

TEST_F(AnalyzeCommand, PlainFormListsThePointsAndTheTexts) {
    const ToolRun run = Exorvex({"analyze"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out.rfind("Punto ", 0), 0u) << run.out;
    EXPECT_NE(run.out.find("\nSOL  "), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("\nSATURNO      Domic."), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("\nESPECÍFICA ATRIBUCIÓN al PLANETA\nSOL  "), std::string::npos)
        << run.out;
    EXPECT_NE(run.out.find("\nGENERAL ATRIBUCIÓN al PLANETA\nEl Sol\n"), std::string::npos)
        << run.out;
}

TEST_F(AnalyzeCommand, FailuresAndBadArguments) {
    for (const std::vector<std::string>& args :
         std::vector<std::vector<std::string>>{{"analyze", "--point", "0"},
                                               {"analyze", "--point", "12"},
                                               {"analyze", "--point", "sol"},
                                               {"analyze", "extra"}}) {
        const ToolRun run = Exorvex(args);
        EXPECT_EQ(run.status, 2) << args.back();
        EXPECT_EQ(run.out, "");
        EXPECT_NE(run.err, "");
    }
    std::filesystem::remove(folder.path() / "OpzioneT/SpgPian.txt");
    const ToolRun missing = Exorvex({"analyze", "--json"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.out, "");
    EXPECT_NE(missing.err.find("SpgPian.txt"), std::string::npos) << missing.err;
}

} // namespace
} // namespace exo
