// `exorvex subject …` and `exorvex archive …` on a scratch program folder. The subjects are
// born after 2131, where the engine reads no correction table.
#include "shell/ExorvexCommands.h"

#include "TestFolder.h"
#include "ToolRun.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>

namespace exo {
namespace {

namespace fs = std::filesystem;

using test::Exorvex;
using test::ToolRun;

std::string Json(std::vector<std::string> args) {
    args.push_back("--json");
    const ToolRun run = Exorvex(args);
    EXPECT_EQ(run.status, 0) << run.err;
    return run.out.empty() ? run.out : run.out.substr(0, run.out.size() - 1);
}

// A key as UTF-8: the name padded to 38 characters, then the number.
std::string Padded(const std::string& name, const std::string& number) {
    std::size_t characters = 0;
    for (const char c : name)
        characters += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return name + std::string(38 - characters, ' ') + number;
}

// `subject add` into BASE; `more` adds options or flags, or replaces the value of one given.
std::vector<std::string> Add(const std::string& name, const std::string& date,
                             const std::vector<std::string>& more = {}) {
    std::vector<std::string> args = {"subject",   "add",          "--archive",  "BASE",
                                     "--name",    name,           "--date",     date,
                                     "--time",    "10:30",        "--corr",     "-1",
                                     "--coords",  "45N28-009E11", "--locality", "MILANO*MI*",
                                     "--country", " ITALIA",      "--calendar", "GR"};
    for (std::size_t i = 0; i < more.size(); ++i) {
        const bool flag = i + 1 == more.size() || more[i + 1].rfind("--", 0) == 0;
        const auto given = std::find(args.begin(), args.end(), more[i]);
        if (flag)
            args.push_back(more[i]);
        else if (given != args.end())
            *(given + 1) = more[++i];
        else {
            args.push_back(more[i]);
            args.push_back(more[++i]);
        }
    }
    return args;
}

class SubjectCommands : public ::testing::Test {
  protected:
    void SetUp() override {
        folder_.write("FileDum/MMordina.dum", "");
        EXPECT_EQ(Json({"archive", "create", "tmpr"}), "{\"created\":\"TMPR\"}");
        EXPECT_EQ(Json({"archive", "create", "BASE"}), "{\"created\":\"BASE\"}");
    }
    test::ScratchFolder folder_;
};

TEST_F(SubjectCommands, AddFindListShow) {
    EXPECT_EQ(Json(Add("rossi mario", "01/01/2150", {"--note1", "Nota ñ"})),
              "{\"key\":\"" + Padded("ROSSI MARIO", "00001") + "\",\"position\":1}");
    EXPECT_EQ(Json(Add("Núñez Ana", "02/01/2150")),
              "{\"key\":\"" + Padded("NÚÑEZ ANA", "00002") + "\",\"position\":1}");
    EXPECT_EQ(Json({"subject", "list", "--archive", "BASE"}),
              "{\"keys\":[\"" + Padded("NÚÑEZ ANA", "00002") + "\",\"" +
                  Padded("ROSSI MARIO", "00001") + "\"]}");
    EXPECT_EQ(Json({"subject", "find", "--archive", "BASE", "rossi"}),
              "{\"position\":2,\"key\":\"" + Padded("ROSSI MARIO", "00001") + "\",\"hit\":true}");
    EXPECT_EQ(Json({"subject", "find", "--archive", "BASE", "ROSSI "}),
              "{\"position\":1,\"key\":\"" + Padded("NÚÑEZ ANA", "00002") + "\",\"hit\":false}");

    const std::string shown = Json({"subject", "show", "--archive", "BASE", "--position", "2"});
    for (const char* expected :
         {"\"number\":1,", "\"name\":\"ROSSI MARIO\"", "\"birth_date\":\"01/01/2150 10:30\"",
          "\"correction\":\"-1\"", "\"correction_hours\":-1,", "\"coordinates\":\"45N28-009E11\"",
          "\"locality\":\"MILANO*MI*\"", "\"locality_shown\":\"MILANO(MI)\"",
          "\"country\":\" ITALIA\"", "\"calendar\":\"GR\"", "\"notes_number\":1,",
          "\"notes\":[\"Nota ñ\",\"\",\"\",\"\"]", "\"text_number\":\"\""})
        EXPECT_NE(shown.find(expected), std::string::npos) << expected << " in " << shown;
    EXPECT_EQ(folder_.read("FileDum/MMDatArc.dum"), "BASE\r\n" +
                                                        Padded("N\xDA\xD1"
                                                               "EZ ANA",
                                                               "00002") +
                                                        "\r\n1\r\nN\xDA\xD1"
                                                        "EZ ANA\r\n");
}

TEST_F(SubjectCommands, AddWithATextFile) {
    EXPECT_EQ(Json(Add("ROSSI MARIO", "01/01/2150", {"--text"})),
              "{\"key\":\"" + Padded("ROSSI MARIO", "00001") +
                  "\",\"position\":1,\"text\":\"BASEtxt\\\\00001.txt\"}");
    EXPECT_EQ(folder_.read("BASEtxt/00001.txt"), "ROSSI MARIO\r\n");
    EXPECT_EQ(folder_.read("BASEtxt/FlagTxt.set"), "2\r\n");
    EXPECT_EQ(folder_.read("FileDum/DatModif.dum"), "BASEtxt\\00001.txt\r\n");
    EXPECT_EQ(folder_.read("FileDum/StrText.dum"), "BASE\r\n00001\r\n");
}

TEST_F(SubjectCommands, RetrieveMakesTheSubjectCurrent) {
    Json(Add("ROSSI MARIO (NONNO)", "01/01/2150", {"--note1", " uno ", "--note4", "cuatro"}));
    EXPECT_EQ(Json({"subject", "retrieve", "--archive", "BASE", "--position", "1"}),
              "{\"key\":\"" + Padded("ROSSI MARIO (NONNO)", "00001") +
                  "\",\"position\":1,\"number\":1,\"name\":\"" + Padded("ROSSI MARIO ", "") +
                  "\"}");
    const std::string current = folder_.read("TMPR.ST1");
    EXPECT_EQ(current.substr(0, 39), "\x26" + Padded("ROSSI MARIO", ""));
    EXPECT_EQ(folder_.read("TMPR.ST2").substr(22, 22), "45N28-009E11MILANO(MI)");
    EXPECT_EQ(folder_.read("FileDum/Annotaz.dum"), " uno   cuatro\r\n");
    EXPECT_EQ(folder_.read("FileDum/StrText.dum"), "BASE\r\n\r\n");
    EXPECT_EQ(folder_.read("FileDum/PointGlo.dum"), "00001\r\nBASE\r\n");
    EXPECT_EQ(folder_.read("FileDum/MMDatArc.dum"),
              "BASE\r\n" + Padded("ROSSI MARIO (NONNO)", "00001") + "\r\n1\r\n" +
                  Padded("ROSSI MARIO ", "") + "\r\n");
}

TEST_F(SubjectCommands, ModifyKeepsWhatIsNotGiven) {
    Json(Add("ANNA", "01/01/2150", {"--corr", "+5.5"}));
    Json(Add("BRUNO", "02/01/2150"));
    EXPECT_EQ(Json({"subject", "modify", "--archive", "BASE", "--position", "1", "--name", "zeno",
                    "--note2", "nueva"}),
              "{\"key\":\"" + Padded("ZENO", "00001") + "\",\"position\":2}");
    const std::string shown = Json({"subject", "show", "--archive", "BASE", "--position", "2"});
    for (const char* expected :
         {"\"birth_date\":\"01/01/2150 10:30\"", "\"correction\":\"+5,5\"",
          "\"locality\":\"MILANO*MI*\"", "\"notes\":[\"\",\"nueva\",\"\",\"\"]"})
        EXPECT_NE(shown.find(expected), std::string::npos) << expected << " in " << shown;
    // A text that exists is used again.
    const std::string made =
        Json({"subject", "modify", "--archive", "BASE", "--position", "2", "--text"});
    EXPECT_NE(made.find("\"text\":\"BASEtxt\\\\00001.txt\""), std::string::npos) << made;
    const std::string again = Json(
        {"subject", "modify", "--archive", "BASE", "--position", "2", "--time", "11:00", "--text"});
    EXPECT_NE(again.find("\"text\":\"BASEtxt\\\\00001.txt\""), std::string::npos) << again;
    EXPECT_EQ(folder_.read("BASEtxt/FlagTxt.set"), "2\r\n");
}

TEST_F(SubjectCommands, DeleteRemovesTheKeyAndItsText) {
    Json(Add("ANNA", "01/01/2150", {"--text"}));
    Json(Add("BRUNO", "02/01/2150"));
    EXPECT_EQ(Json({"subject", "delete", "--archive", "BASE", "--position", "1"}),
              "{\"deleted\":\"" + Padded("ANNA", "00001") +
                  "\",\"count\":1,\"text_number\":\"00001\"}");
    EXPECT_FALSE(fs::exists(folder_.path() / "BASEtxt/00001.txt"));
    EXPECT_EQ(Json({"subject", "list", "--archive", "BASE"}),
              "{\"keys\":[\"" + Padded("BRUNO", "00002") + "\"]}");
}

TEST_F(SubjectCommands, ExportAndImport) {
    Json(Add("ANNA", "01/01/2150", {"--note3", "a, \"b\""}));
    Json(Add("BRUNO", "02/01/2150", {"--corr", "-0,75", "--calendar", "GIUL"}));
    const std::string csv = (folder_.path() / "out.csv").string();
    EXPECT_EQ(Json({"subject", "export", "--archive", "BASE", csv}),
              "{\"exported\":2,\"file\":\"" + csv + "\"}");
    EXPECT_EQ(Json({"archive", "create", "BANK"}), "{\"created\":\"BANK\"}");
    EXPECT_EQ(Json({"subject", "import", "--archive", "BANK", csv}),
              "{\"imported\":2,\"key\":\"" + Padded("BRUNO", "00002") + "\",\"position\":2}");
    EXPECT_EQ(Json({"subject", "list", "--archive", "BANK"}),
              Json({"subject", "list", "--archive", "BASE"}));
    const std::string again = (folder_.path() / "again.csv").string();
    Json({"subject", "export", "--archive", "BANK", again});
    EXPECT_EQ(folder_.read("again.csv"), folder_.read("out.csv"));
    EXPECT_NE(folder_.read("out.csv").find(",\"a, \"\"b\"\"\","), std::string::npos);
}

TEST_F(SubjectCommands, VerifyReportsTheFirstFault) {
    Json(Add("ANNA", "01/01/2150"));
    EXPECT_EQ(Json({"archive", "verify", "BASE"}),
              "{\"archive\":\"BASE\",\"subjects\":1,\"ok\":true}");
    std::string keys = folder_.read("BASE.ST1");
    keys.replace(44 + 39, 5, "00009");
    folder_.write("BASE.ST1", keys);
    const ToolRun run = Exorvex({"archive", "verify", "BASE"});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("apunta fuera del archivo de sujetos"), std::string::npos) << run.err;
    EXPECT_EQ(Exorvex({"subject", "show", "--archive", "BASE", "--position", "1"}).status, 1);
    folder_.write("BASE.ST2", "short");
    EXPECT_EQ(Exorvex({"archive", "verify", "BASE"}).status, 1);
    EXPECT_EQ(Exorvex({"subject", "list", "--archive", "BASE"}).status, 1);
}

TEST_F(SubjectCommands, RefusalsAndFailures) {
    Json(Add("ANNA", "01/01/2150"));
    for (const char* action : {"retrieve", "delete", "modify"}) {
        const ToolRun run = Exorvex({"subject", action, "--archive", "TMPR", "--position", "1"});
        EXPECT_EQ(run.status, 1) << action;
        EXPECT_EQ(run.err, "exorvex: Nombre de archivo no admitido\n") << action;
    }
    EXPECT_EQ(Exorvex({"archive", "create", "BASE"}).status, 1);
    EXPECT_EQ(Exorvex({"subject", "list", "--archive", "RICE"}).status, 1);
    // Inside the tables' range a missing table stops the store before anything is written.
    const std::string before = folder_.read("BASE.ST1") + folder_.read("BASE.ST2");
    const ToolRun run = Exorvex(Add("BRUNO", "02/01/1990"));
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("FilePosi"), std::string::npos) << run.err;
    EXPECT_EQ(folder_.read("BASE.ST1") + folder_.read("BASE.ST2"), before);
}

TEST_F(SubjectCommands, BadArgumentsExitTwo) {
    const std::vector<std::vector<std::string>> cases = {
        {"subject"},
        {"subject", "nothing", "--archive", "BASE"},
        {"subject", "list"},
        {"subject", "list", "--archive", "BAS"},
        {"subject", "list", "--archive", "BASE", "extra"},
        {"subject", "show", "--archive", "BASE", "--position", "0"},
        {"subject", "find", "--archive", "BASE"},
        {"subject", "export", "--archive", "BASE"},
        {"archive", "create"},
        {"archive", "remove", "BASE"},
        Add(std::string(39, 'A'), "01/01/2150"),
        Add("ANNA", "1/1/2150"),
        Add("ANNA", "32/01/2150"),
        Add("ANNA", "01/01/2150", {"--note4", std::string(65, 'n')}),
        Add("ANNA ☃", "01/01/2150"),
        {"subject", "add", "--archive", "BASE", "--name", "ANNA"},
        {"subject", "modify", "--archive", "BASE", "--position", "1", "--calendar", "XX"},
        {"subject", "modify", "--archive", "BASE", "--position", "1", "--coords", "45N28009E11"},
        {"subject", "modify", "--archive", "BASE", "--position", "1", "--corr", "uno"},
    };
    Json(Add("ANNA", "01/01/2150"));
    for (const auto& args : cases) {
        const ToolRun run = Exorvex(args);
        EXPECT_EQ(run.status, 2) << args[0] << " " << (args.size() > 1 ? args[1] : "") << ": "
                                 << run.err;
        EXPECT_EQ(run.out, "");
    }
}

} // namespace
} // namespace exo

namespace exo {
namespace {

// A program folder as installed has no personal archive until the program first starts;
// the tool makes it before its first use, as the program does.
TEST(SubjectCommandsOnAFreshFolder, MakeThePersonalArchiveFirst) {
    const test::ScratchFolder folder;
    folder.write("FileDum/MMordina.dum", "");
    ASSERT_EQ(Json({"archive", "create", "TMPR"}), "{\"created\":\"TMPR\"}");
    ASSERT_FALSE(fs::exists("BASE.ST1"));
    EXPECT_EQ(Json(Add("ROSSI MARIO", "01/01/2150")),
              "{\"key\":\"" + Padded("ROSSI MARIO", "00001") + "\",\"position\":1}");
    EXPECT_EQ(Json({"subject", "list", "--archive", "BASE"}),
              "{\"keys\":[\"" + Padded("ROSSI MARIO", "00001") + "\"]}");
}

} // namespace
} // namespace exo
