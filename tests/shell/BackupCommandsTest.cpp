// `exorvex backup --to ROOT` and `exorvex restore --from ROOT` on a scratch program folder,
// with a folder of it standing in for the volume. The subjects are born after 2131, where
// the engine reads no correction table.
#include "shell/ExorvexCommands.h"

#include "TestFolder.h"
#include "ToolRun.h"
#include "archive/Backup.h"
#include "platform/Errors.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

namespace exo {
namespace {

namespace fs = std::filesystem;

using test::Exorvex;
using test::ToolRun;

class BackupCommands : public ::testing::Test {
  protected:
    test::ScratchFolder folder;
    std::string volume = (folder.path() / "volume").string();
    std::string backup = volume + "/ExorvexBck";

    void SetUp() override {
        fs::create_directories(volume);
        folder.write("FileDum/MMordina.dum", "");
        for (const char* archive : {"TMPR", "BASE"})
            ASSERT_EQ(Exorvex({"archive", "create", archive}).status, 0);
        for (const char* name : {"ROSSI MARIO", "BIANCHI ANNA"}) {
            const ToolRun run =
                Exorvex({"subject",    "add",       "--archive",  "BASE",         "--name",
                         name,         "--date",    "01/02/2150", "--time",       "10:30",
                         "--corr",     "-1",        "--coords",   "45N28-009E11", "--locality",
                         "MILANO*MI*", "--country", " ITALIA",    "--calendar",   "GR"});
            ASSERT_EQ(run.status, 0) << run.err;
        }
        folder.write("BASEtxt/00001.txt", "ROSSI MARIO\r\n");
    }
    void TearDown() override { SetBackupFileCopy({}); }

    std::string Archive() const {
        return folder.read("BASE.ST1") + folder.read("BASE.ST2") + folder.read("BASE.ST3") +
               folder.read("BASEtxt/00001.txt");
    }
};

TEST_F(BackupCommands, BackupCopiesEveryFileAndSaysOk) {
    const ToolRun run = Exorvex({"backup", "--to", volume});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "OK: 4 archivos copiados (" + backup + ")\n");
    EXPECT_EQ(folder.read("volume/ExorvexBck/DatiBase/BASE.ST2"), folder.read("BASE.ST2"));
    EXPECT_EQ(folder.read("volume/ExorvexBck/BASEtxt/00001.txt"), "ROSSI MARIO\r\n");
    EXPECT_EQ(LastBackupDate(), TodayDateText());

    const ToolRun json = Exorvex({"backup", "--to", volume, "--json"});
    EXPECT_EQ(json.out, "{\"ok\":true,\"folder\":\"" + backup + "\",\"files\":5}\n");
}

TEST_F(BackupCommands, RestoreBringsTheBackupBack) {
    ASSERT_EQ(Exorvex({"backup", "--to", volume}).status, 0);
    const std::string saved = Archive();
    ASSERT_EQ(Exorvex({"subject", "delete", "--archive", "BASE", "--position", "1"}).status, 0);
    folder.write("BASEtxt/00001.txt", "cambiado\r\n");
    ASSERT_NE(Archive(), saved);

    const ToolRun run = Exorvex({"restore", "--from", volume});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "OK: 4 archivos copiados (" + backup + ")\n");
    EXPECT_EQ(Archive(), saved);
}

TEST_F(BackupCommands, FailuresExitWithOneAndLeaveThePersonalArchive) {
    ASSERT_EQ(Exorvex({"backup", "--to", volume}).status, 0);
    ASSERT_EQ(Exorvex({"subject", "delete", "--archive", "BASE", "--position", "2"}).status, 0);
    const std::string current = Archive();
    const std::string gone = (folder.path() / "gone").string();

    struct Case {
        const char* what;
        std::vector<std::string> args;
        std::function<void()> prepare;
        std::string err;
    };
    auto calls = std::make_shared<int>(0);
    const std::vector<Case> cases = {
        {"no volume",
         {"restore", "--from", gone},
         [] {},
         "exorvex: El origin " + gone + "/ExorvexBck no está disponible\n"},
        {"no volume for the backup",
         {"backup", "--to", gone},
         [] {},
         "exorvex: Unidad " + gone + " no está disponible\n"},
        {"copy fails",
         {"restore", "--from", volume},
         [calls] {
             SetBackupFileCopy([calls](const std::string& from, const std::string& to) {
                 if (++*calls == 2)
                     throw InOutError(to, "write", "disco lleno");
                 CopyFileBytes(from, to);
             });
         },
         ""},
        {"damaged backup",
         {"restore", "--from", volume},
         [this] { folder.write("volume/ExorvexBck/DatiBase/BASE.ST2", std::string(100, 'x')); },
         ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        c.prepare();
        const ToolRun run = Exorvex(c.args);
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.out, "");
        if (!c.err.empty())
            EXPECT_EQ(run.err, c.err);
        else
            EXPECT_NE(run.err.find("exorvex: "), std::string::npos) << run.err;
        EXPECT_EQ(Archive(), current);
        SetBackupFileCopy({});
    }
}

TEST_F(BackupCommands, TheRootIsRequired) {
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"backup"}, {"restore"}, {"backup", "--to", volume, "extra"}}) {
        const ToolRun run = Exorvex(args);
        EXPECT_EQ(run.status, 2);
        EXPECT_NE(run.err.find("uso: exorvex "), std::string::npos) << run.err;
    }
}

} // namespace
} // namespace exo
