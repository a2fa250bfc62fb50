#include "shell/ExorvexCommands.h"

#include "BuiltTables.h"
#include "CurrentSubject.h"
#include "TestFolder.h"
#include "ToolRun.h"
#include "analysis/OrbSettings.h"
#include "astro/CorrectionFiles.h"
#include "platform/ProgramPaths.h"
#include "platform/TextFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

namespace exo {
namespace {

using test::Exorvex;
using test::ToolRun;

// A program folder whose current subject is ALI MUHAMMAD as the installed TMPR holds him,
// with the installed chart settings.
class PowersCommand : public testing::Test {
  protected:
    void SetUp() override {
        test::LinkBuiltCorrectionTables(folder.path());
        if (HasFatalFailure())
            return;
        test::WriteCurrentSubject(folder, {"ALI MUHAMMAD                          ",
                                           "194201171835+6", "38N15-085W46Louisville (KY)", "GR",
                                           "Estados Unidos", "Boxeador"});
        MakeFolder("FileSet");
        WriteTextLines(kOrbSettingsFile, DefaultOrbSettingsLines());
    }
    void TearDown() override { ForgetCorrectionFiles(); }

    const test::ScratchFolder folder;
};

TEST_F(PowersCommand, JsonHoldsThePowersTheElementsAndTheMaster) {
    const ToolRun run = Exorvex({"powers", "--json"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out, "{\"totals\":[13,7,23,13,13,15,18,-4,7,10],\"elements\":[14,55,68,3],"
                       "\"elements_7\":[3,52,68,3],\"master\":\"MERCURIO\"}\n");
}

TEST_F(PowersCommand, LeavesTheFilesOfTheRun) {
    ASSERT_EQ(Exorvex({"powers"}).status, 0);
    EXPECT_EQ(ReadTextLines("FileDum\\MMMaitre.dum").size(), 96u);
    EXPECT_EQ(ReadTextLines("FileDum\\MMMaitr2.dum").size(), 18u);
    EXPECT_EQ(ReadTextLines("FileDum\\Dati.dum").size(), 10u);
    EXPECT_EQ(folder.read("FileDum/Dati3.dum"), "CAPRICORNIO\r\nLEO        \r\nMERCURIO  \r\n");

    // The data file is written again after the run, from the birth instant restored: the
    // Placidus houses, ephemeris order with the Ascendant at 13 and the Midheaven at 14, and
    // the retrograde marks of the chart the window had computed.
    const std::vector<std::string> data = ReadTextLines("FileTmp\\DatiNasc.Tmp");
    ASSERT_EQ(data.size(), 85u);
    EXPECT_EQ(data[0], "ALI MUHAMMAD                          ");
    EXPECT_EQ(data[1], "194201171835+6");
    EXPECT_EQ(data[2], "38N15-085W46Louisville (KY)");
    EXPECT_EQ(data[3], "PLACIDO");
    EXPECT_EQ(data[4], " 2.43037752430556E+0006");
    EXPECT_EQ(data[5].substr(0, 11), " 2.97292129");  // the Sun at birth
    EXPECT_EQ(data[12].substr(0, 10), " 5.6468963");  // Uranus at 8
    EXPECT_EQ(data[17].substr(0, 11), " 1.39525519"); // the Ascendant at 13
    EXPECT_EQ(data[18].substr(0, 10), " 4.2221331");  // the Midheaven at 14
    EXPECT_EQ(data[28].substr(0, 11), " 1.62099400"); // the Placidus cusp of house 2
    EXPECT_EQ(data[53 + 3], "r");                     // Venus
    EXPECT_EQ(data[53 + 0], " ");                     // the Sun
}

TEST_F(PowersCommand, PlainFormListsThePlanets) {
    const ToolRun run = Exorvex({"powers"});
    ASSERT_EQ(run.status, 0) << run.err;
    std::vector<std::string> lines;
    std::istringstream text(run.out);
    for (std::string line; std::getline(text, line);)
        lines.push_back(line);
    ASSERT_EQ(lines.size(), 13u);
    EXPECT_EQ(lines[0], "SOL           13");
    EXPECT_EQ(lines[5], "JÚPITER       15");
    EXPECT_EQ(lines[7], "URANUS        -4");
    EXPECT_EQ(lines[10], "Elementos:             Fuego 014  Tierra 055  Aire 068  Agua 003");
    EXPECT_EQ(lines[11], "Elementos Sol-Saturno: Fuego 003  Tierra 052  Aire 068  Agua 003");
    EXPECT_EQ(lines[12], "Maestro: MERCURIO");
}

TEST_F(PowersCommand, FailuresAndBadArguments) {
    const ToolRun extra = Exorvex({"powers", "now"});
    EXPECT_EQ(extra.status, 2);
    EXPECT_EQ(extra.out, "");

    std::filesystem::remove(folder.path() / "FileSet" / "OrbiDomi.stt");
    const ToolRun missing = Exorvex({"powers", "--json"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.out, "");
    EXPECT_NE(missing.err.find("OrbiDomi.stt"), std::string::npos) << missing.err;
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "FileDum" / "MMMaitre.dum"));
}

} // namespace
} // namespace exo
