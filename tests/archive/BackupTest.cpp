// Backup and restore of the personal archive: a folder of the scratch folder stands in for
// the volume, and the copy seam injects failures part of the way through.
#include "archive/Backup.h"
#include "TestFolder.h"
#include "archive/SubjectArchive.h"
#include "archive/SubjectRecords.h"
#include "platform/Errors.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>

namespace exo {
namespace {

namespace fs = std::filesystem;
using test::ScratchFolder;

template <typename Record> std::string BytesOf(const Record& record) {
    std::string bytes(Record::kSize, '\0');
    record.encode(bytes.data());
    return bytes;
}

std::string KeyRecord(std::string_view name, std::int64_t number) {
    return BytesOf(SubjectKey{ShortString<43>(KeyOf(name, number))});
}

// An archive of the named subjects, stored in this order (keys sorted by name).
struct ArchiveBytes {
    std::string keys, subjects, notes;
};

ArchiveBytes ArchiveOf(const std::vector<std::string>& sortedNames, const std::string& place) {
    ArchiveBytes a;
    a.keys = KeyRecord("0 Registro vuoto", 0);
    SubjectRecord placeholder;
    placeholder.NotesNumber = "     ";
    a.subjects = BytesOf(placeholder);
    SubjectNotes notes;
    a.notes = BytesOf(notes);
    for (std::size_t i = 0; i < sortedNames.size(); ++i) {
        a.keys += KeyRecord(sortedNames[i], static_cast<std::int64_t>(i + 1));
        SubjectRecord record;
        record.BirthStamp = "198001011200+1";
        record.Place = "45N28-009E11" + place;
        record.Calendar = "GR";
        record.NotesNumber = "00000";
        a.subjects += BytesOf(record);
    }
    return a;
}

void WriteArchive(const ScratchFolder& folder, const ArchiveBytes& archive) {
    folder.write("BASE.ST1", archive.keys);
    folder.write("BASE.ST2", archive.subjects);
    folder.write("BASE.ST3", archive.notes);
}

// Every file below a folder and its bytes, by path relative to it.
std::map<std::string, std::string> Tree(const fs::path& root) {
    std::map<std::string, std::string> files;
    if (!fs::exists(root))
        return files;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        if (!entry.is_regular_file())
            continue;
        std::ifstream in(entry.path(), std::ios::binary);
        files[fs::relative(entry.path(), root).string()] = {std::istreambuf_iterator<char>(in),
                                                            std::istreambuf_iterator<char>()};
    }
    return files;
}

// The personal archive's files in the program folder.
std::map<std::string, std::string> PersonalFiles(const ScratchFolder& folder) {
    std::map<std::string, std::string> files;
    for (const char* name : {"BASE.ST1", "BASE.ST2", "BASE.ST3"})
        files[name] = folder.read(name);
    for (const auto& [name, bytes] : Tree(folder.path() / "BASEtxt"))
        files["BASEtxt/" + name] = bytes;
    return files;
}

// A copy that fails at its n-th file (counted from 1), doing the real copy otherwise.
FileCopyFunction FailingAt(int n) {
    auto count = std::make_shared<int>(0);
    return [count, n](const std::string& from, const std::string& to) {
        if (++*count == n)
            throw InOutError(to, "write", "disco lleno");
        CopyFileBytes(from, to);
    };
}

class BackupTest : public ::testing::Test {
  protected:
    ScratchFolder folder;
    std::string volume = (folder.path() / "volume").string();
    fs::path backup = folder.path() / "volume" / "ExorvexBck";
    ArchiveBytes first = ArchiveOf({"ALFA", "BETA"}, "MILANO");

    void SetUp() override {
        fs::create_directories(volume);
        WriteArchive(folder, first);
        folder.write("BASEtxt/FlagTxt.set", "3\r\n");
        folder.write("BASEtxt/00001.txt", "ALFA\r\n");
        folder.write("BASEtxt/00002.txt", "BETA\r\nnota\r\n");
        folder.write("FileDum/MMbakMod1.dum", "01/02/2020\r\n");
    }
    void TearDown() override { SetBackupFileCopy({}); }

    void ChangePersonalArchive() {
        WriteArchive(folder, ArchiveOf({"ALFA", "BETA", "GAMMA"}, "ROMA"));
        folder.write("BASEtxt/00001.txt", "ALFA cambiado\r\n");
        folder.write("BASEtxt/00003.txt", "GAMMA\r\n");
        folder.write("BASEtxt/FlagTxt.set", "4\r\n");
    }

    static bool NoLeftovers(const fs::path& root) {
        for (const auto& [name, bytes] : Tree(root)) {
            if (name.ends_with(".nuevo") || name.ends_with(".previo"))
                return false;
        }
        return true;
    }
};

TEST_F(BackupTest, BackupLaysOutThePreviousDateTheArchiveAndTheTexts) {
    const TransferResult result = BackupPersonalArchive(volume, "05/06/2024");
    ASSERT_TRUE(result.ok()) << *result.failure;
    EXPECT_EQ(result.filesCopied, 7);
    const std::map<std::string, std::string> expected = {
        {"MMbakMod1.dum", "01/02/2020\r\n"},      {"DatiBase/BASE.ST1", first.keys},
        {"DatiBase/BASE.ST2", first.subjects},    {"DatiBase/BASE.ST3", first.notes},
        {"BASEtxt/FlagTxt.set", "3\r\n"},         {"BASEtxt/00001.txt", "ALFA\r\n"},
        {"BASEtxt/00002.txt", "BETA\r\nnota\r\n"}};
    EXPECT_EQ(Tree(backup), expected);
    EXPECT_EQ(folder.read("FileDum/MMbakMod1.dum"), "05/06/2024\r\n");
    EXPECT_EQ(LastBackupDate(), "05/06/2024");
}

TEST_F(BackupTest, FirstBackupHasNoPreviousDateAndRecordsToday) {
    fs::remove(folder.path() / "FileDum" / "MMbakMod1.dum");
    EXPECT_EQ(LastBackupDate(), "Mai");
    ASSERT_TRUE(BackupPersonalArchive(volume, "05/06/2024").ok());
    EXPECT_FALSE(fs::exists(backup / "MMbakMod1.dum"));
    EXPECT_EQ(LastBackupDate(), "05/06/2024");
}

TEST_F(BackupTest, ArchiveWithoutTextFolderOrNotesFileIsBackedUp) {
    fs::remove_all(folder.path() / "BASEtxt");
    fs::remove(folder.path() / "BASE.ST3");
    const TransferResult result = BackupPersonalArchive(volume, "05/06/2024");
    ASSERT_TRUE(result.ok()) << *result.failure;
    EXPECT_EQ(result.filesCopied, 3);
    EXPECT_TRUE(fs::is_directory(backup / "BASEtxt"));
    EXPECT_FALSE(fs::exists(backup / "DatiBase" / "BASE.ST3"));
}

TEST_F(BackupTest, MissingVolumeIsReportedAndNothingIsRecorded) {
    const std::string gone = (folder.path() / "gone").string();
    const TransferResult result = BackupPersonalArchive(gone, "05/06/2024");
    EXPECT_EQ(result.failure, "Unidad " + gone + " no está disponible");
    EXPECT_FALSE(fs::exists(gone));
    EXPECT_EQ(LastBackupDate(), "01/02/2020");
}

// A failure at any file, or a copy that does not read back whole, leaves the earlier
// backup as it was and records no date.
TEST_F(BackupTest, FailedBackupLeavesTheEarlierBackupWhole) {
    ASSERT_TRUE(BackupPersonalArchive(volume, "05/06/2024").ok());
    const auto earlier = Tree(backup);
    ChangePersonalArchive();
    struct Case {
        const char* what;
        FileCopyFunction copy;
        const char* message;
    };
    std::vector<Case> cases;
    for (int n = 1; n <= 8; ++n)
        cases.push_back({"fails at a file", FailingAt(n), "disco lleno"});
    cases.push_back({"short copy",
                     [](const std::string& from, const std::string& to) {
                         CopyFileBytes(from, to);
                         fs::resize_file(to, fs::file_size(to) / 2);
                     },
                     "la copia tiene"});
    cases.push_back({"altered copy",
                     [](const std::string& from, const std::string& to) {
                         CopyFileBytes(from, to);
                         std::fstream f(to, std::ios::in | std::ios::out | std::ios::binary);
                         f.seekp(0);
                         f.put('#');
                     },
                     "no es igual al original"});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SetBackupFileCopy(c.copy);
        const TransferResult result = BackupPersonalArchive(volume, "07/07/2024");
        ASSERT_FALSE(result.ok());
        EXPECT_NE(result.failure->find(c.message), std::string::npos) << *result.failure;
        EXPECT_EQ(Tree(backup), earlier);
        EXPECT_EQ(LastBackupDate(), "05/06/2024");
    }
    SetBackupFileCopy({});
    ASSERT_TRUE(BackupPersonalArchive(volume, "07/07/2024").ok());
    EXPECT_EQ(Tree(backup)["DatiBase/BASE.ST2"], folder.read("BASE.ST2"));
    EXPECT_TRUE(NoLeftovers(folder.path()));
}

TEST_F(BackupTest, DamagedPersonalArchiveIsNotCopiedOverASoundBackup) {
    ASSERT_TRUE(BackupPersonalArchive(volume, "05/06/2024").ok());
    const auto earlier = Tree(backup);
    folder.write("BASE.ST1", first.keys.substr(0, first.keys.size() - 1));
    const TransferResult result = BackupPersonalArchive(volume, "07/07/2024");
    ASSERT_FALSE(result.ok());
    EXPECT_NE(result.failure->find("El archivo BASE está dañado"), std::string::npos);
    EXPECT_EQ(Tree(backup), earlier);
}

TEST_F(BackupTest, RestoreReplacesTheArchiveAndTheTextsOfTheBackup) {
    ASSERT_TRUE(BackupPersonalArchive(volume, "05/06/2024").ok());
    ChangePersonalArchive();
    folder.write("BASEtxt/FlagTxt.set", "3\r\n");
    const TransferResult result = RestorePersonalArchive(volume);
    ASSERT_TRUE(result.ok()) << *result.failure;
    EXPECT_EQ(result.filesCopied, 6);
    const std::map<std::string, std::string> expected = {
        {"BASE.ST1", first.keys},          {"BASE.ST2", first.subjects},
        {"BASE.ST3", first.notes},         {"BASEtxt/FlagTxt.set", "3\r\n"},
        {"BASEtxt/00001.txt", "ALFA\r\n"}, {"BASEtxt/00002.txt", "BETA\r\nnota\r\n"},
        {"BASEtxt/00003.txt", "GAMMA\r\n"}}; // only in the program folder: kept
    EXPECT_EQ(PersonalFiles(folder), expected);
    EXPECT_EQ(VerifyArchive("BASE"), std::nullopt);
    EXPECT_TRUE(NoLeftovers(folder.path()));
}

TEST_F(BackupTest, RestoreNeverTurnsTheTextCounterBack) {
    ASSERT_TRUE(BackupPersonalArchive(volume, "05/06/2024").ok()); // counter 3 in the backup
    struct Case {
        const char* program;
        const char* after;
    };
    for (const Case& c : {Case{"9\r\n", "9\r\n"}, Case{"2\r\n", "3\r\n"}, Case{"x\r\n", "3\r\n"}}) {
        SCOPED_TRACE(c.program);
        folder.write("BASEtxt/FlagTxt.set", c.program);
        ASSERT_TRUE(RestorePersonalArchive(volume).ok());
        EXPECT_EQ(folder.read("BASEtxt/FlagTxt.set"), c.after);
    }
}

TEST_F(BackupTest, FailedRestoreLeavesThePersonalArchiveIntact) {
    ASSERT_TRUE(BackupPersonalArchive(volume, "05/06/2024").ok());
    ChangePersonalArchive();
    const auto before = PersonalFiles(folder);
    for (int n = 1; n <= 5; ++n) {
        SCOPED_TRACE(n);
        SetBackupFileCopy(FailingAt(n));
        const TransferResult result = RestorePersonalArchive(volume);
        ASSERT_FALSE(result.ok());
        EXPECT_NE(result.failure->find("disco lleno"), std::string::npos);
        EXPECT_EQ(PersonalFiles(folder), before);
        EXPECT_TRUE(NoLeftovers(folder.path()));
    }
}

TEST_F(BackupTest, DamagedBackupIsRefused) {
    ASSERT_TRUE(BackupPersonalArchive(volume, "05/06/2024").ok());
    ChangePersonalArchive();
    const auto before = PersonalFiles(folder);
    const fs::path archive = backup / "DatiBase";
    std::string pointsOutside = first.keys;
    pointsOutside += KeyRecord("ZETA", 7);
    struct Case {
        const char* what;
        std::function<void()> damage;
        const char* fault;
    };
    const std::vector<Case> cases = {
        {"keys cut",
         [&] { folder.write("volume/ExorvexBck/DatiBase/BASE.ST1", first.keys.substr(1)); },
         "no es un número entero"},
        {"subjects cut",
         [&] { folder.write("volume/ExorvexBck/DatiBase/BASE.ST2", first.subjects.substr(3)); },
         "no es un número entero"},
        {"key outside", [&] { folder.write("volume/ExorvexBck/DatiBase/BASE.ST1", pointsOutside); },
         "apunta fuera del archivo de sujetos"},
        {"subjects missing", [&] { fs::remove(archive / "BASE.ST2"); }, "falta"},
        {"no archive folder", [&] { fs::remove_all(archive); }, "falta"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(BackupPersonalArchive(volume, "05/06/2024").ok());
        c.damage();
        EXPECT_NE(BackupFault(backup.string()), std::nullopt);
        const TransferResult result = RestorePersonalArchive(volume);
        ASSERT_FALSE(result.ok());
        EXPECT_NE(result.failure->find("está dañada y no se restablece"), std::string::npos);
        EXPECT_NE(result.failure->find(c.fault), std::string::npos) << *result.failure;
        EXPECT_EQ(PersonalFiles(folder), before);
    }
}

TEST_F(BackupTest, RestoreWithoutBackupFolderIsReported) {
    const TransferResult result = RestorePersonalArchive(volume);
    EXPECT_EQ(result.failure, "El origin " + backup.string() + " no está disponible");
}

TEST(BackupFolder, IsExorvexBckAtTheVolumeRoot) {
    struct Case {
        const char* root;
        const char* folder;
    };
    for (const Case& c : {Case{"/", "/ExorvexBck"}, Case{"/media/usb", "/media/usb/ExorvexBck"},
                          Case{"/media/usb/", "/media/usb/ExorvexBck"}})
        EXPECT_EQ(BackupFolderOn(c.root), c.folder);
}

TEST(BackupVolumes, TestsCanOfferTheirOwnVolumes) {
    SetBackupVolumeLister([] { return std::vector<BackupVolume>{{"/tmp/a", "A"}}; });
    ASSERT_EQ(BackupVolumes().size(), 1u);
    EXPECT_EQ(BackupVolumes()[0].root, "/tmp/a");
    SetBackupVolumeLister({});
    EXPECT_FALSE(BackupVolumes().empty()); // the system has at least its root
}

} // namespace
} // namespace exo
