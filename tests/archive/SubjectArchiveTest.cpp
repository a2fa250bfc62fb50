// The archive operations on real files in a scratch program folder.
#include "archive/SubjectArchive.h"

#include "TestFolder.h"
#include "astro/Calendar.h"
#include "platform/Cp1252.h"
#include "platform/Errors.h"
#include "platform/TextFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <sys/stat.h>

namespace exo {
namespace {

namespace fs = std::filesystem;

// Every file of the folder and its bytes, to see what an operation changed.
std::map<std::string, std::string> FolderBytes(const test::ScratchFolder& folder) {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder.path())) {
        if (entry.is_regular_file() && !entry.is_symlink() &&
            entry.path().parent_path().filename() != "FilePosi")
            files[fs::relative(entry.path(), folder.path()).string()] =
                folder.read(fs::relative(entry.path(), folder.path()).string());
    }
    return files;
}

// What the archive operations expect of the program folder: the archive list, the current
// subject, a fresh BASE and the correction tables of the built program folder.
class Archive : public ::testing::Test {
  protected:
    void SetUp() override {
        folder_.write("FileDum/MMordina.dum", "");
        CreateArchive("TMPR");
        EnsureBaseArchive();
        const fs::path tables = fs::path(EXORVEX_PROGRAM_DIR) / "FilePosi";
        ASSERT_TRUE(fs::exists(tables / "DSEL.rnd"))
            << "the correction tables are built into " << tables;
        fs::create_directory_symlink(tables, folder_.path() / "FilePosi");
    }

    std::string keyFile(const std::string& archive = "BASE") const {
        return folder_.read(archive + ".ST1");
    }
    std::vector<std::string> keys(const std::string& archive = "BASE") const {
        const SubjectArchive open(archive);
        std::vector<std::string> all;
        for (std::int64_t p = 1; p <= open.count(); ++p)
            all.push_back(open.readKey(p).Key.str());
        return all;
    }

    test::ScratchFolder folder_;
};

SubjectEntry Subject(const std::string& name, int day = 1, long double correction = -1) {
    SubjectEntry entry;
    entry.Name = name;
    entry.BirthDateText = (day < 10 ? "0" : "") + std::to_string(day) + "/05/1970 08:15";
    entry.Correction = correction;
    entry.CorrectionText = StoredCorrectionText(correction);
    entry.CoordinatesText = "45N28-009E11";
    entry.Locality = "MILANO*MI*";
    entry.Country = " ITALIA";
    entry.JulianDay = JulianDayOf(1, 15, 8, 1970, 5, day) + correction / 24;
    return entry;
}

std::string Key(const std::string& name, int number) {
    return KeyOf(name, number);
}

TEST_F(Archive, AFreshBaseHoldsThePlaceholderRecords) {
    EXPECT_EQ(keyFile(), "\x2b"
                         "0 Registro vuoto......................00000");
    const std::string subject = folder_.read("BASE.ST2");
    ASSERT_EQ(subject.size(), SubjectRecord::kSize);
    for (const std::size_t offset : {0, 21, 61, 64, 85, 158, 219, 344, 366}) {
        SCOPED_TRACE(offset);
        EXPECT_EQ(subject.substr(offset, 2), "\x01 ");
    }
    EXPECT_EQ(subject.substr(379, 6), "\x05     ");
    const std::string notes = folder_.read("BASE.ST3");
    ASSERT_EQ(notes.size(), SubjectNotes::kSize);
    for (std::size_t line = 0; line < 4; ++line)
        EXPECT_EQ(notes.substr(71 * line, 2), "\x01 ");
    EXPECT_EQ(notes.find_first_not_of('\0', 2), 71u); // zeros after each length
    // Once made, it is left alone.
    const auto before = FolderBytes(folder_);
    EnsureBaseArchive();
    EXPECT_EQ(FolderBytes(folder_), before);
    EXPECT_THROW(CreateArchive("BASE"), InOutError);
}

TEST_F(Archive, ArchiveCreationKeepsSubjectsAlreadyThere) {
    // A personal archive whose key file went missing: its subjects stay where they are and
    // the next subject is numbered after them.
    const StoredSubject first = StoreSubject("BASE", Subject("ROSSI MARIO"));
    const std::string subjects = folder_.read("BASE.ST2");
    fs::remove(folder_.path() / "BASE.ST1");
    EnsureBaseArchive();
    EXPECT_EQ(folder_.read("BASE.ST2"), subjects);
    EXPECT_EQ(SubjectArchive("BASE").count(), 0);
    EXPECT_EQ(StoreSubject("BASE", Subject("ROSSI MARIO")).Key, Key("ROSSI MARIO", 2));
    EXPECT_EQ(first.Key, Key("ROSSI MARIO", 1));
}

TEST_F(Archive, FirstSubjectIntoAFreshBase) {
    SubjectEntry entry = Subject("ROSSI MARIO");
    entry.Correction = -5.5L;
    const StoredSubject stored = StoreSubject("BASE", entry);
    EXPECT_EQ(stored.Key, Key("ROSSI MARIO", 1));
    EXPECT_EQ(stored.Position, 1);
    EXPECT_EQ(keys(), std::vector<std::string>{stored.Key});

    const SubjectArchive open("BASE");
    const SubjectArchive::Read read = open.readSubject(1);
    EXPECT_EQ(read.Record.BirthStamp, "197005010815-5,5");
    EXPECT_EQ(read.Record.Place, "45N28-009E11MILANO*MI*");
    EXPECT_EQ(read.Record.Calendar, "GR");
    EXPECT_EQ(read.Record.NotesNumber, "00000");
    EXPECT_EQ(read.Record.PlanetCodes.size(), 72u);
    EXPECT_EQ(read.Record.CuspCodes.size(), 60u);
    EXPECT_FALSE(read.Notes);
    EXPECT_EQ(EntryOfRecord(read.Record).Correction, -5.5L);

    // The same subject is now the current one.
    const std::string current = folder_.read("TMPR.ST1");
    EXPECT_EQ(SubjectKey::decode(current.data()).Key, stored.Key);
    EXPECT_EQ(folder_.read("TMPR.ST2").substr(0, SubjectRecord::kSize),
              folder_.read("BASE.ST2").substr(SubjectRecord::kSize));
    EXPECT_EQ(folder_.read("FileDum/MMordina.dum"), "BASE\r\n");
    EXPECT_EQ(folder_.read("FileDum/Annotaz.dum"), "\r\n");
    EXPECT_EQ(folder_.read("FileDum/StrText.dum"), "BASE\r\n\r\n");
}

TEST_F(Archive, KeysGoInOrderAndEqualNamesByTheirNumber) {
    const std::string longName(38, 'W');
    struct Step {
        std::string name;
        std::int64_t position; // where the new key lands
    };
    const Step steps[] = {{"ROSSI MARIO", 1}, {"BIANCHI ANNA", 1}, {"ROSSI MARIO", 3},
                          {longName, 4},      {"ROSSI", 2},        {"ZETA", 6},
                          {"ROSSI MARIO", 5}};
    for (const Step& step : steps) {
        SCOPED_TRACE(step.name);
        EXPECT_EQ(StoreSubject("BASE", Subject(step.name)).Position, step.position);
    }
    EXPECT_EQ(keys(), (std::vector<std::string>{Key("BIANCHI ANNA", 2), Key("ROSSI", 5),
                                                Key("ROSSI MARIO", 1), Key("ROSSI MARIO", 3),
                                                Key("ROSSI MARIO", 7), longName + "00004",
                                                Key("ZETA", 6)}));
    EXPECT_EQ(folder_.read("FileDum/MMordina.dum"), "BASE\r\n");
}

TEST_F(Archive, TheTemporaryArchiveOnlyTakesTheCurrentSubject) {
    const StoredSubject stored = StoreSubject("TMPR", Subject("ROSSI MARIO"));
    EXPECT_EQ(stored.Key, Key("ROSSI MARIO", 1));
    EXPECT_EQ(stored.Position, 0);
    EXPECT_EQ(folder_.read("TMPR.ST1").size(), SubjectKey::kSize);
    const std::string subjects = folder_.read("TMPR.ST2");
    ASSERT_EQ(subjects.size(), 2 * SubjectRecord::kSize);
    EXPECT_EQ(subjects.substr(0, SubjectRecord::kSize), subjects.substr(SubjectRecord::kSize));
}

TEST_F(Archive, NotesAreAppendedAndShownToTheMainWindow) {
    SubjectEntry entry = Subject("ROSSI MARIO");
    entry.NoteLines = {"PRIMERA  ", "SEGUNDA", "", "CUARTA"};
    entry.TextNumber = "00001";
    StoreSubject("BASE", entry);
    const SubjectArchive::Read read = SubjectArchive("BASE").readSubject(1);
    EXPECT_EQ(read.Record.NotesNumber, "00001");
    ASSERT_TRUE(read.Notes);
    EXPECT_EQ(read.Notes->Lines[0], "PRIMERA  ");
    EXPECT_EQ(read.Notes->Lines[3], "CUARTA" + std::string(58, ' ') + "00001");
    EXPECT_EQ(folder_.read("FileDum/Annotaz.dum"),
              "PRIMERA SEGUNDA  CUARTA" + std::string(58, ' ') + "00001\r\n");
    EXPECT_EQ(folder_.read("FileDum/StrText.dum"), "BASE\r\n00001\r\n");
    // The current subject's copy keeps no notes number.
    EXPECT_EQ(SubjectRecord::decode(folder_.read("TMPR.ST2").data()).NotesNumber, "00000");

    // A subject without notes stored next leaves none of the previous notes shown.
    StoreSubject("BASE", Subject("VERDI ANNA"));
    EXPECT_EQ(folder_.read("FileDum/Annotaz.dum"), "\r\n");
    EXPECT_EQ(folder_.read("FileDum/StrText.dum"), "BASE\r\n\r\n");
    EXPECT_EQ(folder_.read("BASE.ST3").size(), 2 * SubjectNotes::kSize);
}

TEST_F(Archive, FindingNames) {
    for (const char* name : {"BIANCHI ANNA", "ROSSI MARIO", "ROSSINI GIOACHINO", "VERDI GIUSEPPE"})
        StoreSubject("BASE", Subject(name));
    struct Case {
        const char* typed;
        std::int64_t position;
        bool hit;
    };
    const Case cases[] = {
        {"A", 1, false},                               // sorts before every key
        {"BIANCHI ANNA", 1, true}, {"ROSSI", 2, true}, // ROSSI MARIO: the blank sorts below "!"
        {"ROSSI ", 1, false},                          // the M sorts above "!": the key before it
        {"ROSSI M", 1, false},                         // the A of MARIO sorts above "!" too
        {"ROSSIN", 2, false},      {"ROSSINI", 3, true},
        {"S", 3, false},           {"VERDI", 4, true}, // the last key is reached too
        {"ZZZ", 4, false},
    };
    const SubjectArchive open("BASE");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        const SubjectArchive::Found found = open.findKeyPosition(c.typed);
        EXPECT_EQ(found.Position, c.position);
        EXPECT_EQ(found.Key.Key, open.readKey(c.position).Key);
        EXPECT_EQ(SubjectArchive::IsHit(found, c.typed), c.hit);
    }
}

TEST_F(Archive, FindingInSmallArchives) {
    const SubjectArchive open("BASE");
    EXPECT_EQ(open.findKeyPosition("ROSSI").Position, 0); // no subjects
    StoreSubject("BASE", Subject("ROSSI MARIO"));
    EXPECT_TRUE(SubjectArchive::IsHit(open.findKeyPosition("ROSSI"), "ROSSI"));
    EXPECT_EQ(open.findKeyPosition("ZETA").Position, 1);
    StoreSubject("BASE", Subject("ZETA"));
    for (const char* typed : {"ZETA", "ZZ"})
        EXPECT_EQ(open.findKeyPosition(typed).Position, 2) << typed;
    EXPECT_EQ(open.findKeyPosition("A").Position, 1);
}

TEST_F(Archive, DeletingKeys) {
    for (const char* name : {"ANNA", "BRUNO", "CARLA"})
        StoreSubject("BASE", Subject(name));
    const std::string before = keyFile();
    DeleteSubjectKey("BASE", 3, "");
    EXPECT_EQ(keyFile(), before.substr(0, 3 * SubjectKey::kSize)); // the last: only shortened
    DeleteSubjectKey("BASE", 1, "");
    EXPECT_EQ(keys(), std::vector<std::string>{Key("BRUNO", 2)});
    // Subject records stay; their numbers are never given again.
    EXPECT_EQ(SubjectArchive("BASE").subjectRecords(), 4);
    EXPECT_EQ(StoreSubject("BASE", Subject("ANNA")).Key, Key("ANNA", 4));
    EXPECT_THROW(DeleteSubjectKey("BASE", 0, ""), InOutError);
    EXPECT_THROW(DeleteSubjectKey("BASE", 3, ""), InOutError);
}

TEST_F(Archive, DeletingAKeyDeletesItsText) {
    StoreSubject("BASE", Subject("ANNA"));
    StoreSubject("BASE", Subject("BRUNO"));
    const std::string number = NextTextNumber("BASE");
    CreateSubjectText("BASE", number, "ANNA");
    folder_.write("BASEtxt/00002.txt", "not ANNA's\r\n");
    DeleteSubjectKey("BASE", 1, number);
    EXPECT_FALSE(fs::exists(folder_.path() / "BASEtxt/00001.txt"));
    EXPECT_TRUE(fs::exists(folder_.path() / "BASEtxt/00002.txt"));
    DeleteSubjectKey("BASE", 1, "../x"); // not a text number: nothing is looked for
    EXPECT_TRUE(fs::exists(folder_.path() / "BASEtxt/00002.txt"));
}

TEST_F(Archive, RewritingMovesTheKeyToItsPlace) {
    for (const char* name : {"ANNA", "BRUNO", "CARLA", "DARIO"})
        StoreSubject("BASE", Subject(name));
    SubjectEntry entry = Subject("ZORRO");
    StoredSubject moved = RewriteSubject("BASE", 1, 1, 0, entry);
    EXPECT_EQ(moved.Position, 4);
    EXPECT_EQ(keys(), (std::vector<std::string>{Key("BRUNO", 2), Key("CARLA", 3), Key("DARIO", 4),
                                                Key("ZORRO", 1)}));
    moved = RewriteSubject("BASE", 4, 1, 0, Subject("AAA"));
    EXPECT_EQ(moved.Position, 1);
    EXPECT_EQ(keys().front(), Key("AAA", 1));
    EXPECT_THROW(RewriteSubject("BASE", 2, 1, 0, entry), InOutError); // not subject 1's key
    entry.CorrectionText = "";
    EXPECT_THROW(RewriteSubject("BASE", 1, 1, 0, entry), ConvertError);
    EXPECT_EQ(VerifyArchive("BASE"), std::nullopt);
}

TEST_F(Archive, ChangesAfterTheEighthCharacterKeepTheKeysSorted) {
    for (const char* name : {"ROSSINI ANNA", "ROSSINI BRUNO", "ROSSINI CARLA"})
        StoreSubject("BASE", Subject(name));
    // The first eight characters stay "ROSSINI ": the key still has to move past its
    // neighbour.
    RewriteSubject("BASE", 1, 1, 0, Subject("ROSSINI ZENO"));
    EXPECT_EQ(keys(), (std::vector<std::string>{Key("ROSSINI BRUNO", 2), Key("ROSSINI CARLA", 3),
                                                Key("ROSSINI ZENO", 1)}));
    EXPECT_EQ(VerifyArchive("BASE"), std::nullopt);
}

TEST_F(Archive, RewritingTheDataAndAddingNotes) {
    StoreSubject("BASE", Subject("ANNA"));
    StoreSubject("BASE", Subject("BRUNO"));
    SubjectEntry entry = Subject("BRUNO", 2);
    entry.CorrectionText = " -5.5 ";
    entry.Correction = -5.5L;
    entry.JulianDay = JulianDayOf(1, 15, 8, 1970, 5, 2) - 5.5L / 24;
    entry.Locality = "TORINO*TO*";
    entry.NoteLines[0] = "NUEVA";
    RewriteSubject("BASE", 2, 2, 0, entry);
    const SubjectArchive::Read read = SubjectArchive("BASE").readSubject(2);
    EXPECT_EQ(read.Record.BirthStamp, "197005020815-5,5");
    EXPECT_EQ(read.Record.Place, "45N28-009E11TORINO*TO*");
    EXPECT_EQ(read.Record.NotesNumber, "00001");
    ASSERT_TRUE(read.Notes);
    EXPECT_EQ(read.Notes->Lines[0], "NUEVA");
    EXPECT_EQ(read.NotesNumber, 1);
    // The codes follow the new birth moment.
    EXPECT_EQ(read.Record.PlanetCodes, ComputeChartCodes(entry).Planets);
    EXPECT_NE(read.Record.PlanetCodes, SubjectArchive("BASE").readSubject(1).Record.PlanetCodes);

    // The notes are written over from now on; clearing them clears the stored record.
    entry.NoteLines[0] = "OTRA";
    RewriteSubject("BASE", 2, 2, 1, entry);
    EXPECT_EQ(SubjectArchive("BASE").readSubject(2).Notes->Lines[0], "OTRA");
    entry.NoteLines[0].clear();
    RewriteSubject("BASE", 2, 2, 1, entry);
    const SubjectArchive::Read cleared = SubjectArchive("BASE").readSubject(2);
    EXPECT_EQ(cleared.Notes->Lines[0], "");
    EXPECT_EQ(cleared.Record.NotesNumber, "00001");
    EXPECT_EQ(folder_.read("BASE.ST3").size(), 2 * SubjectNotes::kSize);
}

TEST_F(Archive, KeyFileChangesReplaceTheWholeFile) {
    StoreSubject("BASE", Subject("BRUNO"));
    const SubjectArchive open("BASE");
    struct stat before {};
    ASSERT_EQ(::stat("BASE.ST1", &before), 0);
    StoreSubject("BASE", Subject("ANNA"));
    struct stat after {};
    ASSERT_EQ(::stat("BASE.ST1", &after), 0);
    EXPECT_NE(before.st_ino, after.st_ino); // a new file renamed over the old one
    // An archive opened before reads the new file.
    EXPECT_EQ(open.count(), 2);
    EXPECT_EQ(open.readKey(1).Key, Key("ANNA", 2));
    for (const auto& entry : fs::directory_iterator(folder_.path()))
        EXPECT_EQ(entry.path().filename().string().find("BASE.ST1."), std::string::npos)
            << "no temporary file is left behind";
}

TEST_F(Archive, StoringManyEqualsStoringOneByOne) {
    std::vector<SubjectEntry> entries;
    for (const char* name : {"VERDI", "ANNA", "ROSSI MARIO", "ANNA", "BRUNO"}) {
        entries.push_back(Subject(name, static_cast<int>(entries.size()) + 1));
        entries.back().NoteLines[1] = entries.size() % 2 ? "NOTA" : "";
    }
    StoreSubject("BASE", Subject("MARCO"));
    const auto start = FolderBytes(folder_);
    for (const SubjectEntry& entry : entries)
        StoreSubject("BASE", entry);
    const auto oneByOne = FolderBytes(folder_);

    for (const auto& [name, bytes] : start)
        folder_.write(name, bytes);
    const StoredSubject last = StoreSubjects("BASE", entries);
    EXPECT_EQ(FolderBytes(folder_), oneByOne);
    EXPECT_EQ(last.Key, Key("BRUNO", 6));
    EXPECT_EQ(last.Position, 3);
}

TEST_F(Archive, AKeyFileOutOfOrderIsPassedOverAsRecordByRecord) {
    // Keys C, A (out of order), then B is stored: the pass from the end leaves (A, B), since
    // A < B, and swaps (C, A). The file ends A, C, B, as the record-by-record pass leaves it.
    const std::string placeholder = keyFile();
    StoreSubject("BASE", Subject("C"));
    StoreSubject("BASE", Subject("A"));
    const std::string file = keyFile();
    const std::string a = file.substr(44, 44), c = file.substr(88, 44);
    folder_.write("BASE.ST1", placeholder + c + a);
    const auto damaged = FolderBytes(folder_);
    EXPECT_EQ(StoreSubject("BASE", Subject("B")).Position, 3);
    EXPECT_EQ(keys(), (std::vector<std::string>{Key("A", 2), Key("C", 1), Key("B", 3)}));
    const std::string oneByOne = keyFile();
    for (const auto& [name, bytes] : damaged)
        folder_.write(name, bytes);
    StoreSubjects("BASE", {Subject("B")});
    EXPECT_EQ(keyFile(), oneByOne);
}

TEST_F(Archive, AChartThatFailsWritesNothing) {
    StoreSubject("BASE", Subject("ANNA"));
    fs::remove(folder_.path() / "FilePosi");
    const auto before = FolderBytes(folder_);
    SubjectEntry entry = Subject("BRUNO");
    entry.NoteLines[0] = "NOTA";
    EXPECT_THROW(StoreSubject("BASE", entry), InOutError);
    EXPECT_THROW(RewriteSubject("BASE", 1, 1, 0, entry), InOutError);
    EXPECT_EQ(FolderBytes(folder_), before);
    EXPECT_EQ(VerifyArchive("BASE"), std::nullopt);
}

TEST_F(Archive, AMissingFileStopsTheStoreBeforeAnyWrite) {
    struct Case {
        const char* file;
        bool withNotes;
    };
    const Case cases[] = {{"TMPR.ST2", false},
                          {"TMPR.ST1", false},
                          {"BASE.ST3", true},
                          {"FileDum/MMordina.dum", false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        const std::string kept = folder_.read(c.file);
        fs::remove(folder_.path() / c.file);
        const auto before = FolderBytes(folder_);
        SubjectEntry entry = Subject("ANNA");
        if (c.withNotes)
            entry.NoteLines[0] = "NOTA";
        EXPECT_THROW(StoreSubject("BASE", entry), InOutError);
        EXPECT_EQ(FolderBytes(folder_), before);
        folder_.write(c.file, kept);
    }
}

TEST_F(Archive, AFullArchiveTakesNoMoreSubjects) {
    // 100 000 records: numbers 0 … 99 999 are taken (a sparse file of zeros will do).
    fs::resize_file(folder_.path() / "BASE.ST2", 100000 * SubjectRecord::kSize);
    const auto before = FolderBytes(folder_);
    EXPECT_THROW(StoreSubject("BASE", Subject("ANNA")), InOutError);
    EXPECT_EQ(keyFile(), before.at("BASE.ST1"));
}

TEST_F(Archive, TextNumbers) {
    EXPECT_EQ(NextTextNumber("BASE"), "00001");
    EXPECT_EQ(NextTextNumber("BASE"), "00002");
    EXPECT_EQ(folder_.read("BASEtxt/FlagTxt.set"), "3\r\n");
    EXPECT_EQ(CreateSubjectText("BASE", "00002", std::string(40, 'N')), "BASEtxt\\00002.txt");
    EXPECT_EQ(folder_.read("BASEtxt/00002.txt"), std::string(38, 'N') + "\r\n");
    EXPECT_EQ(folder_.read("FileDum/DatModif.dum"), "BASEtxt\\00002.txt\r\n");

    struct Damage {
        const char* counter;
        bool raises;
    };
    const Damage damages[] = {
        {"", true}, {"x7\r\n", true}, {"99999\r\n", false}, {"100000\r\n", true}};
    for (const Damage& d : damages) {
        SCOPED_TRACE(d.counter);
        folder_.write("BASEtxt/FlagTxt.set", d.counter);
        if (d.raises)
            EXPECT_THROW(NextTextNumber("BASE"), InOutError);
        else
            EXPECT_EQ(NextTextNumber("BASE"), "99999");
    }
    fs::remove(folder_.path() / "BASEtxt/FlagTxt.set");
    EXPECT_THROW(NextTextNumber("BASE"), InOutError); // the folder is there, its counter not
}

TEST_F(Archive, TheArchiveListHoldsTwelveNames) {
    std::string list;
    for (int i = 1; i <= 11; ++i)
        list += "AR" + std::string(i < 10 ? "0" : "") + std::to_string(i) + "\r\n";
    folder_.write("FileDum/MMordina.dum", list);
    NoteArchiveUse("AR05");
    EXPECT_EQ(folder_.read("FileDum/MMordina.dum"), list);
    NoteArchiveUse("BASE");
    EXPECT_EQ(folder_.read("FileDum/MMordina.dum"), list + "BASE\r\n");
    // Full: a thirteenth archive is not listed and no listed name is lost.
    NoteArchiveUse("RICE");
    EXPECT_EQ(folder_.read("FileDum/MMordina.dum"), list + "BASE\r\n");
    fs::remove(folder_.path() / "FileDum/MMordina.dum");
    EXPECT_THROW(NoteArchiveUse("BASE"), InOutError);
}

TEST_F(Archive, TheCurrentSubjectFiles) {
    SubjectRecord record;
    record.BirthStamp = "196001011030-1";
    WriteCurrentSubject("ROSSI MARIO", record);
    EXPECT_EQ(folder_.read("TMPR.ST1"), "\x26"
                                        "ROSSI MARIO" +
                                            std::string(27, ' ') + std::string(5, '\0'));
    EXPECT_EQ(SubjectRecord::decode(folder_.read("TMPR.ST2").data()).BirthStamp, record.BirthStamp);
    EXPECT_EQ(folder_.read("TMPR.ST2").size(), SubjectRecord::kSize);

    WriteArchiveSelection("BASE", Key("ROSSI MARIO", 7), 3, "ROSSI MARIO");
    EXPECT_EQ(folder_.read("FileDum/MMDatArc.dum"),
              "BASE\r\n" + Key("ROSSI MARIO", 7) + "\r\n3\r\nROSSI MARIO\r\n");
    WriteSelectedNumber("00007", "BASE");
    EXPECT_EQ(folder_.read("FileDum/PointGlo.dum"), "00007\r\nBASE\r\n");
}

TEST_F(Archive, ArchiveNamesAreFourCharacters) {
    for (const char* name : {"", "BAS", "BASES", "../B", "B.SE", "BA E"}) {
        SCOPED_TRACE(name);
        EXPECT_FALSE(IsArchiveName(name));
        EXPECT_THROW(StoreSubject(name, Subject("ANNA")), InOutError);
        EXPECT_THROW(SubjectArchive{name}, InOutError);
    }
    EXPECT_TRUE(IsArchiveName("RICE"));
}

} // namespace
} // namespace exo
