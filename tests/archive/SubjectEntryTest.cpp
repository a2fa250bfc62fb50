// A subject in memory and in its records: the birth stamp, the place, the notes, the texts of
// a key and the checks before a store.
#include "archive/SubjectArchive.h"

#include "astro/Calendar.h"
#include "platform/Cp1252.h"
#include "platform/Errors.h"

#include <gtest/gtest.h>

#include <cmath>

namespace exo {
namespace {

SubjectEntry MilanSubject() {
    SubjectEntry entry;
    entry.Name = "ROSSI MARIO";
    entry.BirthDateText = "01/01/1960 10:30";
    entry.Correction = -1;
    entry.CorrectionText = "-1";
    entry.CoordinatesText = "45N28-009E11";
    entry.Locality = "MILANO*MI*";
    entry.Country = " ITALIA";
    entry.Gregorian = true;
    entry.JulianDay = JulianDayOf(1, 30, 10, 1960, 1, 1) - 1.0L / 24;
    return entry;
}

TEST(SubjectEntry, RecordFieldsFollowTheStoredLayout) {
    SubjectEntry entry = MilanSubject();
    entry.Gregorian = false;
    entry.Locality = "A LOCALITY NAME LONGER THAN 27 CHARS";
    const SubjectRecord record = RecordOfEntry(entry);
    EXPECT_EQ(record.BirthStamp, "196001011030-1");
    // Coordinates and locality share 39 characters; a longer locality is cut.
    EXPECT_EQ(record.Place, "45N28-009E11A LOCALITY NAME LONGER THAN");
    EXPECT_EQ(record.Calendar, "GI");
    EXPECT_EQ(record.NotesNumber, "00000");
    EXPECT_TRUE(record.PlanetCodes.empty() && record.ReservedA.empty() && record.ReservedB.empty());
}

TEST(SubjectEntry, RecordReadsBackAsTheSubject) {
    SubjectRecord record;
    record.BirthStamp = "196001011030-5,5";
    record.Place = "45N28-009E11MILANO*MI*     ";
    record.Calendar = "GR";
    record.Country = " ITALIA";
    SubjectNotes notes;
    notes.Lines[0] = "PRIMERA";
    notes.Lines[1] = "SEGUNDA ";
    const std::string fourth = std::string(60, 'N') + "    00042";
    notes.Lines[3] = fourth;
    const SubjectEntry entry =
        EntryOfRecord(record, &notes, "ROSSI MARIO" + std::string(27, ' ') + "00007");
    EXPECT_EQ(entry.Name, "ROSSI MARIO");
    EXPECT_EQ(entry.BirthDateText, "01/01/1960 10:30");
    EXPECT_EQ(entry.CorrectionText, "-5,5");
    EXPECT_EQ(entry.Correction, -5.5L);
    EXPECT_EQ(entry.CoordinatesText, "45N28-009E11");
    EXPECT_EQ(entry.Locality, "MILANO*MI*");
    EXPECT_EQ(DisplayedLocality(entry.Locality), "MILANO(MI)");
    EXPECT_TRUE(entry.Gregorian);
    EXPECT_EQ(entry.JulianDay, JulianDayOf(1, 30, 10, 1960, 1, 1) - 5.5L / 24);
    EXPECT_EQ(entry.NoteLines[0], "PRIMERA");
    EXPECT_EQ(entry.NoteLines[1], "SEGUNDA ");
    EXPECT_EQ(entry.NoteLines[3], std::string(60, 'N'));
    EXPECT_EQ(entry.TextNumber, "00042");
}

TEST(SubjectEntry, CorrectionTexts) {
    struct Case {
        long double hours;
        const char* stored;
    };
    const Case cases[] = {
        {-5.5L, "-5,5"}, {-1, "-1"}, {0, "+0"}, {5.5L, "+5,5"}, {-0.6656L, "-0,6656"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored);
        EXPECT_EQ(StoredCorrectionText(c.hours), c.stored);
        long double back = 99;
        ASSERT_TRUE(ReadCorrection(c.stored, back));
        EXPECT_NEAR(back, c.hours, 1e-15L);
    }
    // The forms' readers take a point first and the decimal comma after it.
    long double hours = 0;
    EXPECT_TRUE(ReadCorrection("-1.00", hours));
    EXPECT_EQ(hours, -1);
    EXPECT_FALSE(ReadCorrection("", hours));
    EXPECT_FALSE(ReadCorrection("-1,0x", hours));
    EXPECT_EQ(EnteredCorrectionText("  +5.5 "), "+5,5");
}

TEST(SubjectEntry, AnUnreadableCorrectionIsAConversionError) {
    SubjectRecord record;
    record.BirthStamp = "196001011030ABC";
    EXPECT_THROW(EntryOfRecord(record), ConvertError);
}

TEST(SubjectEntry, NotesLineFourHoldsTheTextNumberAfterSixtyFourCharacters) {
    SubjectEntry entry = MilanSubject();
    entry.NoteLines = {"UNO  ", "DOS", "", "CUATRO"};
    entry.TextNumber = "00003";
    const SubjectNotes notes = NotesOfEntry(entry);
    EXPECT_EQ(notes.Lines[3], "CUATRO" + std::string(58, ' ') + "00003");
    EXPECT_EQ(StoredNotesLine(notes), "UNO DOS  CUATRO" + std::string(58, ' ') + "00003");
    EXPECT_EQ(ShownNotesLine(&notes), " UNO DOS  CUATRO" + std::string(58, ' ') + "00003");
    EXPECT_EQ(TextNumberOf(&notes), "00003");
    // A fourth line longer than 64 characters loses its end, never the text number's place.
    entry.NoteLines[3] = std::string(70, 'X');
    EXPECT_EQ(NotesOfEntry(entry).Lines[3], std::string(64, 'X') + "00003");
    entry.NoteLines = {};
    entry.TextNumber.clear();
    EXPECT_FALSE(HasNotes(entry));
    entry.NoteLines[2] = " ";
    EXPECT_TRUE(HasNotes(entry));
}

TEST(SubjectEntry, KeysAndNames) {
    EXPECT_EQ(KeyOf("ROSSI", 7), "ROSSI" + std::string(33, ' ') + "00007");
    const std::string full(38, 'Z');
    EXPECT_EQ(KeyOf(full, 12345), full + "12345");
    EXPECT_EQ(KeyOf(full + "MORE", 1), full + "00001");
    EXPECT_EQ(NameOfKey(KeyOf("ROSSI MARIO", 3)), "ROSSI MARIO");
    EXPECT_EQ(UpperSubjectText("rossi müller, josé ñ ß œ ÿ 1"_cp),
              "ROSSI MÜLLER, JOSÉ Ñ ß Œ Ÿ 1"_cp);
}

TEST(SubjectEntry, SubjectNumberOfTakesTheLastFiveCharacters) {
    struct Case {
        std::string key;
        std::optional<std::int64_t> number;
    };
    const Case cases[] = {
        {KeyOf("ROSSI", 42), 42},
        {KeyOf("ROSSI", 99999), 99999},
        {"0 Registro vuoto" + std::string(22, '.') + "00000", 0},
        {std::string(38, 'A'), std::nullopt}, // a current subject holds only its name
        {"ROSSI" + std::string(33, ' ') + "0004X", std::nullopt},
        {"X-0001", std::nullopt},
        {"123", 123},
        {"", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key);
        EXPECT_EQ(SubjectNumberOf(c.key), c.number);
    }
}

TEST(SubjectEntry, FaultsBeforeAStore) {
    struct Case {
        const char* what;
        void (*change)(SubjectEntry&);
    };
    const Case cases[] = {
        {"empty name", [](SubjectEntry& e) { e.Name.clear(); }},
        {"39 characters", [](SubjectEntry& e) { e.Name = std::string(39, 'A'); }},
        {"date without time", [](SubjectEntry& e) { e.BirthDateText = "01/01/1960"; }},
        {"month 13", [](SubjectEntry& e) { e.BirthDateText = "01/13/1960 10:30"; }},
        {"day 0", [](SubjectEntry& e) { e.BirthDateText = "00/01/1990 10:30"; }},
        {"minute 60", [](SubjectEntry& e) { e.BirthDateText = "01/01/1960 10:60"; }},
        {"latitude 90", [](SubjectEntry& e) { e.CoordinatesText = "90N00-009E11"; }},
        {"letter X", [](SubjectEntry& e) { e.CoordinatesText = "45X28-009E11"; }},
        {"short coordinates", [](SubjectEntry& e) { e.CoordinatesText = "45N28-9E11"; }},
        {"long locality", [](SubjectEntry& e) { e.Locality = std::string(28, 'L'); }},
        {"long country", [](SubjectEntry& e) { e.Country = std::string(21, 'C'); }},
        {"long note 4", [](SubjectEntry& e) { e.NoteLines[3] = std::string(65, 'N'); }},
        {"text number", [](SubjectEntry& e) { e.TextNumber = "12"; }},
        {"correction", [](SubjectEntry& e) { e.Correction = 25; }},
        {"Julian day", [](SubjectEntry& e) { e.JulianDay = NAN; }},
    };
    EXPECT_EQ(SubjectEntryFault(MilanSubject()), std::nullopt);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SubjectEntry entry = MilanSubject();
        c.change(entry);
        EXPECT_NE(SubjectEntryFault(entry), std::nullopt);
    }
    // Days are not checked against the month, as in the forms; "O" is a west longitude.
    SubjectEntry entry = MilanSubject();
    entry.BirthDateText = "31/02/1990 00:00";
    entry.CoordinatesText = "45S28-009O11";
    EXPECT_EQ(SubjectEntryFault(entry), std::nullopt);
}

} // namespace
} // namespace exo
