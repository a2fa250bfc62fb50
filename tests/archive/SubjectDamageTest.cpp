// Damaged archives: every reader raises InOutError or ConvertError, and the check names the
// first fault.
#include "archive/SubjectArchive.h"

#include "TestFolder.h"
#include "astro/Calendar.h"
#include "platform/Errors.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

namespace exo {
namespace {

namespace fs = std::filesystem;

// Writes a small sound archive directly: two subjects, the second with notes.
void WriteSoundArchive(const test::ScratchFolder& folder) {
    const auto bytes = [](const auto& record) {
        std::string out(std::decay_t<decltype(record)>::kSize, '\0');
        record.encode(out.data());
        return out;
    };
    const auto key = [&](std::string_view text) {
        return bytes(SubjectKey{ShortString<43>(text)});
    };
    const std::string keys = key("0 Registro vuoto......................00000") +
                             key(KeyOf("ANNA", 1)) + key(KeyOf("BRUNO", 2));
    SubjectRecord placeholder;
    placeholder.NotesNumber = "     ";
    SubjectRecord anna;
    anna.BirthStamp = "197005010815-1";
    anna.Place = "45N28-009E11MILANO*MI*";
    anna.Calendar = "GR";
    anna.NotesNumber = "00000";
    SubjectRecord bruno = anna;
    bruno.BirthStamp = "197005020815-5,5";
    bruno.NotesNumber = "00001";
    SubjectNotes notes;
    notes.Lines[0] = "NOTA";
    folder.write("BASE.ST1", keys);
    folder.write("BASE.ST2", bytes(placeholder) + bytes(anna) + bytes(bruno));
    folder.write("BASE.ST3", bytes(SubjectNotes{}) + bytes(notes));
}

constexpr std::size_t kKey = SubjectKey::kSize;
constexpr std::size_t kSubject = SubjectRecord::kSize;

struct Damage {
    const char* what;
    std::function<void(std::string& keys, std::string& subjects, std::string& notes)> damage;
    const char* fault;    // words of the check's message
    bool opening = false; // the archive cannot even be opened
};

TEST(DamagedArchive, TheCheckNamesTheFirstFaultAndReadersRaise) {
    const Damage damages[] = {
        {"keys cut short", [](auto& k, auto&, auto&) { k.resize(k.size() - 10); },
         "BASE.ST1: el tamaño", true},
        {"subjects cut short", [](auto&, auto& s, auto&) { s.resize(s.size() - 1); },
         "BASE.ST2: el tamaño", true},
        {"notes cut short", [](auto&, auto&, auto& n) { n.resize(300); }, "BASE.ST3: el tamaño",
         true},
        {"no record 0", [](auto& k, auto&, auto&) { k.clear(); }, "falta el registro 0", true},
        {"key past the subjects",
         [](auto& k, auto&, auto&) { k.replace(2 * kKey + 39, 5, "00099"); }, "la clave 2 'BRUNO",
         false},
        {"key without number", [](auto& k, auto&, auto&) { k.replace(kKey + 39, 5, "0000X"); },
         "no termina en un número", false},
        {"keys out of order",
         [](auto& k, auto&, auto&) {
             std::swap_ranges(k.begin() + 44, k.begin() + 88, k.begin() + 88);
         },
         "no sigue a la anterior", false},
        {"key length", [](auto& k, auto&, auto&) { k[kKey] = char(200); }, "declara 200", false},
        {"notes number", [](auto&, auto& s, auto&) { s.replace(2 * kSubject + 380, 5, "00X01"); },
         "el sujeto 2: el número de notas '00X01'", false},
        {"notes past the file",
         [](auto&, auto& s, auto&) { s.replace(2 * kSubject + 380, 5, "00009"); },
         "las notas 00009 no están", false},
        {"correction", [](auto&, auto& s, auto&) { s.replace(kSubject + 13, 2, "ab"); },
         "la corrección 'ab'", false},
        {"stamp digits", [](auto&, auto& s, auto&) { s[kSubject + 3] = 'Y'; }, "doce cifras",
         false},
        {"place length", [](auto&, auto& s, auto&) { s[kSubject + 21] = char(99); },
         "lugar declara 99", false},
        {"notes line length", [](auto&, auto&, auto& n) { n[284 + 71] = char(71); }, "las notas 1",
         false},
    };
    for (const Damage& d : damages) {
        SCOPED_TRACE(d.what);
        const test::ScratchFolder folder;
        WriteSoundArchive(folder);
        ASSERT_EQ(VerifyArchive("BASE"), std::nullopt);
        std::string keys = folder.read("BASE.ST1"), subjects = folder.read("BASE.ST2"),
                    notes = folder.read("BASE.ST3");
        d.damage(keys, subjects, notes);
        folder.write("BASE.ST1", keys);
        folder.write("BASE.ST2", subjects);
        folder.write("BASE.ST3", notes);

        const std::optional<std::string> fault = VerifyArchive("BASE");
        ASSERT_NE(fault, std::nullopt);
        EXPECT_NE(fault->find(d.fault), std::string::npos) << *fault;
        if (d.opening) {
            EXPECT_THROW(SubjectArchive{"BASE"}, InOutError);
            continue;
        }
        // Every subject the keys name reads whole, or raises one of the program's errors.
        const SubjectArchive open("BASE");
        for (std::int64_t p = 1; p <= open.count(); ++p) {
            const std::string key = open.readKey(p).Key.str();
            const auto number = SubjectNumberOf(key);
            if (!number)
                continue;
            try {
                const SubjectArchive::Read read = open.readSubject(*number);
                EntryOfRecord(read.Record, read.Notes ? &*read.Notes : nullptr, key);
            } catch (const InOutError&) {
            } catch (const ConvertError&) {
            }
        }
    }
}

TEST(DamagedArchive, AKeyPastTheSubjectFileIsAnInputOutputErrorWhenRead) {
    const test::ScratchFolder folder;
    WriteSoundArchive(folder);
    const SubjectArchive open("BASE");
    EXPECT_THROW(open.readSubject(3), InOutError);
    EXPECT_THROW(open.readSubject(-1), InOutError);
    EXPECT_THROW(open.readKey(0), InOutError);
    EXPECT_THROW(open.readKey(3), InOutError);
    EXPECT_EQ(open.readSubject(2).NotesNumber, 1);
}

TEST(DamagedArchive, AnArchiveWithoutNotesFileReadsWithoutNotes) {
    const test::ScratchFolder folder;
    WriteSoundArchive(folder);
    fs::remove(folder.path() / "BASE.ST3");
    const SubjectArchive open("BASE");
    EXPECT_FALSE(open.hasNotes());
    EXPECT_FALSE(open.readSubject(2).Notes);
    // Its subjects still point at notes that are not there.
    ASSERT_NE(VerifyArchive("BASE"), std::nullopt);
    EXPECT_NE(VerifyArchive("BASE")->find("sin archivo de notas"), std::string::npos);
    EXPECT_EQ(VerifyArchive("NONE"), "falta NONE.ST1");
}

} // namespace
} // namespace exo
