// Subjects as CSV: the RFC 4180 reading and writing, export and import.
#include "archive/SubjectCsv.h"

#include "TestFolder.h"
#include "astro/Calendar.h"
#include "platform/Cp1252.h"
#include "platform/Errors.h"

#include <gtest/gtest.h>

#include <charconv>
#include <filesystem>
#include <map>

namespace exo {
namespace {

namespace fs = std::filesystem;

TEST(Csv, RecordsAndFields) {
    struct Case {
        const char* text;
        std::vector<std::vector<std::string>> records;
    };
    const Case cases[] = {
        {"a,b\r\nc,d\r\n", {{"a", "b"}, {"c", "d"}}},
        {"a,b\nc,d", {{"a", "b"}, {"c", "d"}}},
        {"\"a,b\",\"say \"\"hi\"\"\"\r\n", {{"a,b", "say \"hi\""}}},
        {"\"two\r\nlines\",x\r\n", {{"two\r\nlines", "x"}}},
        {"a,,\r\n", {{"a", "", ""}}},
        {"\"\"\r\n", {{""}}},
        {"a\r\n\r\nb\r\n", {{"a"}, {"b"}}}, // blank lines are no records
        {" spaced , x", {{" spaced ", " x"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const std::vector<CsvRecord> records = ParseCsv(c.text);
        ASSERT_EQ(records.size(), c.records.size());
        for (std::size_t i = 0; i < records.size(); ++i)
            EXPECT_EQ(records[i].fields, c.records[i]);
    }
    EXPECT_EQ(ParseCsv("a\r\n\"b\r\nc\"\r\nd\r\n")[2].line, 4u);
    for (const char* bad : {"\"open", "\"a\"b,c", "a\"b"}) {
        SCOPED_TRACE(bad);
        EXPECT_THROW(ParseCsv(bad), CsvError);
    }
    EXPECT_EQ(CsvField("plain"), "plain");
    EXPECT_EQ(CsvField("a,b"), "\"a,b\"");
    EXPECT_EQ(CsvField("say \"hi\""), "\"say \"\"hi\"\"\"");
    EXPECT_EQ(CsvField(" ITALIA"), "\" ITALIA\"");
    EXPECT_EQ(CsvField(""), "");
}

std::string Row(const std::string& fields) {
    return std::string(kSubjectCsvHeader) + "\r\n" + fields + "\r\n";
}

TEST(Csv, RowsBecomeSubjects) {
    const std::vector<SubjectEntry> entries =
        SubjectsOfCsv("\xEF\xBB\xBF" +
                      Row("Núñez josé,14/03/1879 11:30,\"-0,6656\",48n24-010e00,ULM,\" GERMANIA\","
                          "GR,,Fuente: acta,,,cuarta,") +
                      "ROSSI MARIO,01/01/1960 "
                      "10:30,+5.5,45N28-009E11,MILANO*MI*,ITALIA,GIUL,2436935.1,,,,,00012\r\n");
    ASSERT_EQ(entries.size(), 2u);
    const SubjectEntry& first = entries[0];
    EXPECT_EQ(first.Name, "NÚÑEZ JOSÉ"_cp);
    EXPECT_EQ(first.BirthDateText, "14/03/1879 11:30");
    EXPECT_EQ(first.Correction, -0.6656L);
    EXPECT_EQ(first.CoordinatesText, "48N24-010E00");
    EXPECT_EQ(first.Country, " GERMANIA");
    EXPECT_TRUE(first.Gregorian);
    // An empty Julian Day is that of the date, calendar and correction.
    EXPECT_EQ(first.JulianDay, JulianDayOf(1, 30, 11, 1879, 3, 14) + -0.6656L / 24);
    EXPECT_EQ(first.NoteLines[0], "Fuente: acta");
    EXPECT_EQ(first.NoteLines[3], "cuarta");
    const SubjectEntry& second = entries[1];
    EXPECT_EQ(second.Correction, 5.5L);
    EXPECT_FALSE(second.Gregorian);
    EXPECT_EQ(second.JulianDay, 2436935.1L);
    EXPECT_EQ(second.TextNumber, "00012");
}

TEST(Csv, RowsThatMakeNoSubjectAreRefusedWithTheirLine) {
    const std::string good = "ANNA,01/01/1960 10:30,-1,45N28-009E11,MILANO,ITALIA,GR,,,,,,";
    struct Case {
        std::string text;
        const char* message;
    };
    const Case cases[] = {
        {"name,birth_date\r\n" + good, "línea 1: la cabecera"},
        {Row(good) + "ANNA,01/01/1960 10:30\r\n", "línea 3: hay 2 campos"},
        {Row(good + "\r\n" + "ANNA,01/01/1960,-1,45N28-009E11,MILANO,ITALIA,GR,,,,,,"),
         "línea 3: la fecha"},
        {Row("ANNA,01/01/1960 10:30,x,45N28-009E11,MILANO,ITALIA,GR,,,,,,"), "la corrección 'x'"},
        {Row("ANNA,01/01/1960 10:30,-1,45N28-009E11,MILANO,ITALIA,GREG,,,,,,"), "el calendario"},
        {Row("ANNA,01/01/1960 10:30,-1,45N28-009E11,MILANO,ITALIA,GR,2436935,5,,,,,"),
         "hay 14 campos"},
        {Row("ANNA,01/01/1960 10:30,-1,45N28-009E11,MILANO,ITALIA,GR,\"2436935,5\",,,,,"),
         "el día juliano"},
        {Row("ANNA ☃,01/01/1960 10:30,-1,45N28-009E11,MILANO,ITALIA,GR,,,,,,"), "Windows-1252"},
        {Row(",01/01/1960 10:30,-1,45N28-009E11,MILANO,ITALIA,GR,,,,,,"), "el nombre"},
        {Row("ANNA,01/01/1960 10:30,-1,45N28-009E11,MILANO,ITALIA,GR,,,,,,1"), "número de texto"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        try {
            SubjectsOfCsv(c.text);
            ADD_FAILURE() << "accepted";
        } catch (const CsvError& error) {
            EXPECT_NE(std::string(error.what()).find(c.message), std::string::npos) << error.what();
        }
    }
}

std::map<std::string, std::string> ArchiveBytes(const test::ScratchFolder& folder) {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder.path())) {
        const std::string name = fs::relative(entry.path(), folder.path()).string();
        if (entry.is_regular_file() && name.rfind("FilePosi", 0) != 0 &&
            name.find(".csv") == std::string::npos)
            files[name] = folder.read(name);
    }
    return files;
}

class CsvArchive : public ::testing::Test {
  protected:
    void SetUp() override {
        folder_.write("FileDum/MMordina.dum", "");
        CreateArchive("TMPR");
        CreateArchive("BASE");
        CreateArchive("BANK");
        const fs::path tables = fs::path(EXORVEX_PROGRAM_DIR) / "FilePosi";
        ASSERT_TRUE(fs::exists(tables / "DSEL.rnd"));
        fs::create_directory_symlink(tables, folder_.path() / "FilePosi");
    }
    std::string csv(const std::string& name) const { return (folder_.path() / name).string(); }
    test::ScratchFolder folder_;
};

const char* const kRows =
    "ROSSI MARIO,01/01/1960 10:30,-1,45N28-009E11,MILANO*MI*, ITALIA,GR,,uno,dos,,,\r\n"
    "BIANCHI ANNA,15/08/1975 23:59,\"-5,5\",28S40-077W05,\"LIMA, CENTRO\",PERÚ,GR,,,,,,00003\r\n"
    "\"O'HARA \"\"KIT\"\"\",29/02/1600 "
    "00:00,+0,51N30-000W07,LONDRA,INGHILTERRA,GIUL,,,,,cuarta,\r\n"
    "ROSSI MARIO,02/01/1960 10:30,-1,45N28-009E11,MILANO*MI*, ITALIA,GR,,,,,,\r\n";

TEST_F(CsvArchive, ImportEqualsStoringOneByOne) {
    folder_.write("in.csv", std::string(kSubjectCsvHeader) + "\r\n" + kRows);
    const auto start = ArchiveBytes(folder_);
    const std::vector<SubjectEntry> entries = SubjectsOfCsv(folder_.read("in.csv"));
    for (const SubjectEntry& entry : entries)
        StoreSubject("BANK", entry);
    const auto oneByOne = ArchiveBytes(folder_);
    for (const auto& [name, bytes] : start)
        folder_.write(name, bytes);
    const CsvImport imported = ImportSubjectsCsv("BANK", csv("in.csv"));
    EXPECT_EQ(imported.Count, 4);
    EXPECT_EQ(imported.Last.Key, KeyOf("ROSSI MARIO", 4));
    EXPECT_EQ(imported.Last.Position, 4);
    EXPECT_EQ(ArchiveBytes(folder_), oneByOne);
    EXPECT_EQ(VerifyArchive("BANK"), std::nullopt);
}

TEST_F(CsvArchive, ExportThenImportGivesTheSameSubjects) {
    folder_.write("in.csv", std::string(kSubjectCsvHeader) + "\r\n" + kRows);
    ImportSubjectsCsv("BASE", csv("in.csv"));
    EXPECT_EQ(ExportSubjectsCsv("BASE", csv("out.csv")), 4);
    const std::string exported = folder_.read("out.csv");
    EXPECT_EQ(exported.substr(0, exported.find("\r\n")), kSubjectCsvHeader);
    // In key order, the whole stored correction, an exact Julian Day, the notes and text.
    const std::vector<CsvRecord> rows = ParseCsv(exported);
    ASSERT_EQ(rows.size(), 5u);
    EXPECT_EQ(rows[1].fields,
              (std::vector<std::string>{"BIANCHI ANNA", "15/08/1975 23:59", "-5,5", "28S40-077W05",
                                        "LIMA, CENTRO", "PERÚ", "GR", rows[1].fields[7], "", "", "",
                                        "", "00003"}));
    const std::string& exact = rows[1].fields[7];
    long double julianDay = 0;
    ASSERT_EQ(std::from_chars(exact.data(), exact.data() + exact.size(), julianDay).ec,
              std::errc());
    EXPECT_EQ(julianDay, JulianDayOf(1, 59, 23, 1975, 8, 15) + -5.5L / 24);
    EXPECT_EQ(rows[2].fields[0], "O'HARA \"KIT\"");
    EXPECT_EQ(rows[2].fields[6], "GIUL");
    EXPECT_EQ(rows[3].fields[5], " ITALIA");

    ImportSubjectsCsv("BANK", csv("out.csv"));
    ExportSubjectsCsv("BANK", csv("again.csv"));
    EXPECT_EQ(folder_.read("again.csv"), exported);
    // The same subjects, their codes included, though in another order of arrival.
    const SubjectArchive base("BASE"), bank("BANK");
    for (std::int64_t p = 1; p <= base.count(); ++p) {
        const auto record = [](const SubjectArchive& a, std::int64_t position) {
            return a.readSubject(*SubjectNumberOf(a.readKey(position).Key.view())).Record;
        };
        EXPECT_EQ(record(base, p).AspectCodes, record(bank, p).AspectCodes) << p;
        EXPECT_EQ(record(base, p).CuspCodes, record(bank, p).CuspCodes) << p;
    }
}

TEST_F(CsvArchive, ARefusedRowWritesNothing) {
    folder_.write("in.csv",
                  std::string(kSubjectCsvHeader) + "\r\n" + kRows + "BAD,,,,,,,,,,,,\r\n");
    const auto before = ArchiveBytes(folder_);
    EXPECT_THROW(ImportSubjectsCsv("BANK", csv("in.csv")), CsvError);
    EXPECT_EQ(ArchiveBytes(folder_), before);
    EXPECT_THROW(ImportSubjectsCsv("BANK", csv("missing.csv")), InOutError);
    folder_.write("empty.csv", std::string(kSubjectCsvHeader) + "\r\n");
    EXPECT_EQ(ImportSubjectsCsv("BANK", csv("empty.csv")).Count, 0);
    EXPECT_EQ(ArchiveBytes(folder_), before);
}

} // namespace
} // namespace exo
