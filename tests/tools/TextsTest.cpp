// The interpretation texts of the prepared program folder: every key the key files
// PosiPian.txt and PosiSegn.txt can hold finds exactly one text, in the columns its readers
// take and short enough to be shown whole; every planet and sign has its general texts; the
// files are Windows-1252 lines ended by CR LF, and build_texts makes them the same each time.
#include "TestFolder.h"
#include "platform/Cp1252.h"

#include <QProcess>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include <cctype>
#include <cstddef>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

using exo::operator""_cp;
namespace fs = std::filesystem;

const fs::path kProgramFolder = EXORVEX_PROGRAM_DIR;
const fs::path kTextFolder = kProgramFolder / "OpzioneT";
const char* const kFileNames[] = {"SpgPianSpe.Txt", "SpgPianCan.Txt", "SpgPian.txt",
                                  "SpgSegnSpe.txt", "SpgSegni.txt"};

// The code tables of the key files, points in chart order, signs from Aries.
const std::vector<std::string> kPointCode4 = {"Sole", "Luna", "Merc", "Vene", "Mart", "Giov",
                                              "Satu", "NNor", "NSud", "Asce", "Mcie"};
const std::vector<std::string> kPointCode3 = {"Sol", "Lun", "Mer", "Ven", "Mar", "Gio",
                                              "Sat", "Non", "Nos", "Asc", "Mci"};
const std::vector<std::string> kPointUpper2 = {"SO", "LU", "ME", "VE", "MA", "GI",
                                               "SA", "NN", "NS", "AS", "MC"};
const std::vector<std::string> kPointLookup2 = {"So", "Lu", "Me", "Ve", "Ma", "Gi",
                                                "Sa", "Nn", "Ns", "As", "Mc"};
const std::vector<std::string> kSignCode4 = {"Arie", "Toro", "Geme", "Canc", "Leon", "Verg",
                                             "Bila", "Scor", "Sagi", "Capr", "Acqu", "Pesc"};
const std::vector<std::string> kSignAbbreviation = {"Ari", "Tau", "Gém"_cp, "Cán"_cp, "Leo", "Vir",
                                                    "Lib", "Esc", "Sag",    "Cap",    "Acu", "Pis"};
const std::vector<std::string> kSignKey2 = {"Ar", "To", "Ge", "Cn", "Le", "Ve",
                                            "Bi", "Sc", "Sa", "Cp", "Ac", "Pe"};
const std::vector<std::string> kSignLookup2 = {"Ar", "To", "Ge", "Cn", "Le", "Ve",
                                               "Bi", "Sc", "Sa", "Cp", "Aq", "Pe"};
const std::vector<std::string> kHouseCodes = {"Prim", "Seco", "Terz", "Quar", "Quin", "Sest",
                                              "Sett", "Otta", "Nona", "Deci", "Undi", "Dodi"};
const std::vector<std::string> kAspectCodes = {"Co", "Se", "Qu", "Tr", "Op"};

// What the readers show of a text: the attribution memo columns 22–81 (101 for the terms
// of points 1 … 10 and the décadas), the division memo 22–91, the terms block 22–81, the
// general memos 4–83, the sign attribution 21–70.
constexpr std::size_t kAttributionWidth = 60;
constexpr std::size_t kDivisionWidth = 70;
constexpr std::size_t kGeneralWidth = 80;
constexpr std::size_t kSignKeyWidth = 50;

std::string TwoDigits(int number) {
    return std::string(1, static_cast<char>('0' + number / 10)) +
           static_cast<char>('0' + number % 10);
}

std::string ReadWhole(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool IsCp1252TextByte(unsigned char byte) {
    return byte >= 0x20 && byte != 0x7F && byte != 0x81 && byte != 0x8D && byte != 0x8F &&
           byte != 0x90 && byte != 0x9D;
}

// The lines of a text file, each checked to end in CR LF and to hold text bytes only.
std::vector<std::string> ReadCheckedLines(const fs::path& file) {
    const std::string content = ReadWhole(file);
    EXPECT_FALSE(content.empty()) << file;
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < content.size()) {
        const std::size_t end = content.find("\r\n", start);
        EXPECT_NE(end, std::string::npos) << file << ": the last line has no CR LF";
        const std::string line =
            content.substr(start, end == std::string::npos ? end : end - start);
        for (const unsigned char byte : line)
            EXPECT_TRUE(IsCp1252TextByte(byte))
                << file << " line " << lines.size() + 1 << ": byte " << int(byte);
        lines.push_back(line);
        if (end == std::string::npos)
            break;
        start = end + 2;
    }
    return lines;
}

std::vector<std::string> TextLines(const char* name) {
    return ReadCheckedLines(kTextFolder / name);
}

struct KeyedText {
    std::string key;
    std::string text;
};

// A line with its key at column 1, blanks up to `textColumn` − 1 and the text from there.
KeyedText SplitKeyedLine(const std::string& line, std::size_t keyWidth, std::size_t textColumn) {
    SCOPED_TRACE(exo::Utf8FromCp1252(line));
    const std::string head = line.substr(0, textColumn - 1);
    const std::size_t blank = head.find(' ');
    const std::string key = head.substr(0, blank);
    EXPECT_EQ(head.size(), textColumn - 1);
    EXPECT_LE(key.size(), keyWidth);
    EXPECT_EQ(head.find_first_not_of(' ', key.size()), std::string::npos)
        << "something in the columns between key and text";
    const std::string text = line.size() >= textColumn ? line.substr(textColumn - 1) : "";
    EXPECT_FALSE(text.empty());
    EXPECT_NE(text.front(), ' ') << "the text does not begin at column " << textColumn;
    return {key, text};
}

// Every key of the file exactly once, and only those keys, each text within its width.
void ExpectKeyedTexts(const char* name, const std::map<std::string, std::size_t>& widths,
                      std::size_t keyWidth, std::size_t textColumn) {
    SCOPED_TRACE(name);
    std::set<std::string> seen;
    for (const std::string& line : TextLines(name)) {
        const KeyedText entry = SplitKeyedLine(line, keyWidth, textColumn);
        const std::string shown = exo::Utf8FromCp1252(entry.key);
        EXPECT_TRUE(seen.insert(entry.key).second) << "key twice: " << shown;
        const auto width = widths.find(entry.key);
        if (width == widths.end()) {
            ADD_FAILURE() << "no key file writes " << shown;
            continue;
        }
        EXPECT_LE(entry.text.size(), width->second) << shown << ": " << entry.text;
    }
    for (const auto& [key, width] : widths)
        EXPECT_TRUE(seen.contains(key)) << "no text for " << exo::Utf8FromCp1252(key);
}

// The term keys of points 1 … 11: 4-letter code and the sector 01 … 60.
void AddTermKeys(std::map<std::string, std::size_t>& widths, std::size_t pointWidth,
                 std::size_t midheavenWidth) {
    for (std::size_t point = 0; point < kPointCode4.size(); ++point) {
        for (int term = 1; term <= 60; ++term)
            widths[kPointCode4[point] + TwoDigits(term)] =
                point == 10 ? midheavenWidth : pointWidth;
    }
}

// Every key PosiPian.txt can hold, with the width of the narrowest reader of its text.
std::map<std::string, std::size_t> PointKeyWidths() {
    std::map<std::string, std::size_t> widths;
    for (std::size_t point = 0; point < kPointCode4.size(); ++point) {
        for (const std::string& sign : kSignCode4)
            widths[kPointCode4[point] + sign] = kAttributionWidth;
        for (const std::string& house : kHouseCodes)
            widths[kPointCode4[point] + house] = kAttributionWidth;
        for (int decan = 1; decan <= 36; ++decan) {
            widths[kPointCode3[point] + "Dec" + TwoDigits(decan)] = kAttributionWidth;
            widths[kPointUpper2[point] + TwoDigits(decan)] = kDivisionWidth;
        }
        for (const std::string& sign : kSignAbbreviation) {
            widths[kPointCode3[point] + "An" + sign] = kAttributionWidth;
            widths[kPointCode3[point] + "Ca" + sign] = kAttributionWidth;
        }
    }
    // The Midheaven's term key is read as 6 characters by the 60-column reading.
    AddTermKeys(widths, kDivisionWidth, kAttributionWidth);
    for (std::size_t first = 0; first < 9; ++first) {
        for (std::size_t second = first + 1; second < kPointCode3.size(); ++second) {
            for (const std::string& aspect : kAspectCodes)
                widths[kPointCode3[first] + aspect + kPointCode3[second]] = kAttributionWidth;
        }
    }
    return widths;
}

TEST(TextsTest, EveryFileIsWindows1252WithCrLfLines) {
    for (const char* name : kFileNames) {
        SCOPED_TRACE(name);
        ASSERT_TRUE(fs::is_regular_file(kTextFolder / name));
        EXPECT_FALSE(TextLines(name).empty());
    }
}

TEST(TextsTest, EveryPointKeyHasOneTextThatIsShownWhole) {
    const auto widths = PointKeyWidths();
    EXPECT_EQ(widths.size(), 2250u);
    ExpectKeyedTexts("SpgPianSpe.Txt", widths, 8, 22);
}

TEST(TextsTest, EveryTermOfTheTermsBlockHasOneText) {
    // The sheets leave room for 40 characters beside the block.
    std::map<std::string, std::size_t> widths;
    AddTermKeys(widths, 40, 40);
    ExpectKeyedTexts("SpgPianCan.Txt", widths, 8, 22);
    // The block pads a 6-character key line with two blanks and compares 8 characters.
    for (const std::string& line : TextLines("SpgPianCan.Txt"))
        EXPECT_EQ(line.substr(6, 2), "  ") << line;
}

// The division memo takes the first line whose first 4 (décadas), 6 (terms) or 8 (decans)
// characters equal the key; the attribution reads a Midheaven key with a blank at its 7th
// character as 6 characters. Each must land on the key's own line.
TEST(TextsTest, PrefixLookupsFindTheKeysOwnLine) {
    const std::vector<std::string> lines = TextLines("SpgPianSpe.Txt");
    auto firstLineOf = [&](const std::string& key) -> std::string {
        for (const std::string& line : lines) {
            if (line.compare(0, key.size(), key) == 0)
                return line;
        }
        return {};
    };
    for (std::size_t point = 0; point < kPointCode4.size(); ++point) {
        for (int number = 1; number <= 36; ++number) {
            for (const std::string& key : {kPointUpper2[point] + TwoDigits(number),
                                           kPointCode3[point] + "Dec" + TwoDigits(number)})
                EXPECT_EQ(firstLineOf(key).substr(0, 9), key + std::string(9 - key.size(), ' '));
        }
        for (int term = 1; term <= 60; ++term) {
            const std::string key = kPointCode4[point] + TwoDigits(term);
            EXPECT_EQ(firstLineOf(key).substr(0, 9), key + "   ");
        }
    }
    int midheavenTerms = 0;
    for (const std::string& line : lines) {
        if (line.starts_with("Mcie") && line.size() > 6 && line[6] == ' ') {
            ++midheavenTerms;
            EXPECT_TRUE(std::isdigit(static_cast<unsigned char>(line[4])) &&
                        std::isdigit(static_cast<unsigned char>(line[5])))
                << line;
        }
    }
    EXPECT_EQ(midheavenTerms, 60);
}

// General texts: several lines per code, code in columns 1–2, a blank, text from column 4.
void ExpectGeneralTexts(const char* name, const std::vector<std::string>& codes) {
    SCOPED_TRACE(name);
    std::map<std::string, int> linesOf;
    for (const std::string& line : TextLines(name)) {
        SCOPED_TRACE(exo::Utf8FromCp1252(line));
        ASSERT_GE(line.size(), 4u);
        const KeyedText entry = SplitKeyedLine(line, 2, 4);
        EXPECT_EQ(entry.key.size(), 2u);
        EXPECT_LE(entry.text.size(), kGeneralWidth);
        ++linesOf[entry.key];
    }
    for (const std::string& code : codes)
        EXPECT_GE(linesOf[code], 2) << code;
    EXPECT_EQ(linesOf.size(), codes.size()) << "a code that no point or sign looks up";
}

TEST(TextsTest, EveryPointAndSignHasGeneralTexts) {
    ExpectGeneralTexts("SpgPian.txt", kPointLookup2);
    ExpectGeneralTexts("SpgSegni.txt", kSignLookup2);
}

// PosiSegn.txt mirrors the midpoint 30·s − 15 of each sign: 360 − m ("An"), 180 − m ("Ca").
TEST(TextsTest, EverySignKeyHasOneTextThatIsShownWhole) {
    std::map<std::string, std::size_t> widths;
    for (int sign = 1; sign <= 12; ++sign) {
        const int midpoint = 30 * sign - 15;
        const int antiscion = (360 - midpoint) / 30;
        const int contrantiscion = ((540 - midpoint) % 360) / 30;
        const std::string& code = kSignKey2[static_cast<std::size_t>(sign - 1)];
        widths[code + "An" + kSignAbbreviation[static_cast<std::size_t>(antiscion)]] =
            kSignKeyWidth;
        widths[code + "Ca" + kSignAbbreviation[static_cast<std::size_t>(contrantiscion)]] =
            kSignKeyWidth;
    }
    EXPECT_EQ(widths.count("ArAnPis"), 1u);
    EXPECT_EQ(widths.count("ArCaVir"), 1u);
    ExpectKeyedTexts("SpgSegnSpe.txt", widths, 7, 21);
}

// Spanish "e" for "y" before the sound i; no doubled blanks or unfilled names.
TEST(TextsTest, TextsReadAsComposedSpanish) {
    for (const char* name : kFileNames) {
        for (const std::string& raw : TextLines(name)) {
            const std::string line = exo::Utf8FromCp1252(raw);
            const std::string text = line.substr(line.find_first_not_of(' ', line.find(' ')));
            SCOPED_TRACE(line);
            EXPECT_EQ(text.find("  "), std::string::npos);
            EXPECT_EQ(text.find_first_of("{}\t"), std::string::npos);
            for (const char* wrong : {" y i", " y í", " y hi", " y I"})
                EXPECT_EQ(text.find(wrong), std::string::npos) << wrong;
        }
    }
}

struct BuilderRun {
    int status;
    std::string err;
};

BuilderRun RunBuilder(const fs::path& dataFolder, const fs::path& programFolder) {
    QProcess process;
    process.start(QString::fromStdString(EXORVEX_TEXTS_BUILDER),
                  {QString::fromStdString(dataFolder.string()),
                   QString::fromStdString(programFolder.string())});
    process.waitForFinished(-1);
    const int status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    return {status, process.readAllStandardError().toStdString()};
}

TEST(TextsTest, BuilderWritesTheSameFilesEachTime) {
    exo::test::ScratchFolder scratch;
    for (const char* run : {"first", "second"}) {
        const BuilderRun result = RunBuilder(EXORVEX_TEXTS_DATA_DIR, scratch.path() / run);
        ASSERT_EQ(result.status, 0) << result.err;
    }
    for (const char* name : kFileNames) {
        SCOPED_TRACE(name);
        const std::string first = ReadWhole(scratch.path() / "first" / "OpzioneT" / name);
        EXPECT_FALSE(first.empty());
        EXPECT_EQ(first, ReadWhole(scratch.path() / "second" / "OpzioneT" / name));
        EXPECT_EQ(first, ReadWhole(kTextFolder / name)) << "the installed file is stale";
    }
}

// A broken table stops the builder with a message, before any file is written.
TEST(TextsTest, BuilderRefusesBrokenTables) {
    struct Damage {
        const char* table;
        std::function<void(std::string&)> edit;
        const char* complaint; // part of the message
    };
    const Damage damages[] = {
        {"signs.tsv",
         [](std::string& table) {
             table += "12\tPiscis\tagua\tmutable\tfemenino\tcon compasión\tcompasión\n";
         },
         "number 12 given twice"},
        {"decans.tsv", [](std::string& table) { table.erase(table.rfind("36\t")); }, "no row 36"},
        {"decans.tsv",
         [](std::string& table) { table.replace(table.find("2\tSol"), 5, "2\tLuna"); },
         "Chaldean order"},
        {"templates.tsv", // an unknown name ahead of the forms that would fit
         [](std::string& table) { table.insert(table.find("\nsign\t") + 1, "sign\t{sign.x}\n"); },
         "no value {sign.x}"},
        {"overrides.tsv", [](std::string& table) { table += "SoleXxxx\tTexto\n"; },
         "no key SoleXxxx"},
        {"point_general.tsv",
         [](std::string& table) { table += "1\t" + std::string(81, 'x') + "\n"; },
         "longer than 80"},
        {"houses.tsv", // a domain too long for every form of the house texts
         [](std::string& table) {
             table.replace(table.find("la propia persona"), 17, std::string(50, 'x'));
         },
         "no form of kind house fits 60 characters for key SolePrim"},
    };
    for (const Damage& damage : damages) {
        SCOPED_TRACE(damage.complaint);
        exo::test::ScratchFolder scratch;
        const fs::path data = scratch.path() / "data";
        fs::copy(EXORVEX_TEXTS_DATA_DIR, data);
        std::string table = ReadWhole(data / damage.table);
        damage.edit(table);
        scratch.write("data/" + std::string(damage.table), table);
        const BuilderRun result = RunBuilder(data, scratch.path() / "program");
        EXPECT_EQ(result.status, 1);
        EXPECT_NE(result.err.find(damage.complaint), std::string::npos) << result.err;
        EXPECT_FALSE(fs::exists(scratch.path() / "program")) << result.err;
    }
}

} // namespace
