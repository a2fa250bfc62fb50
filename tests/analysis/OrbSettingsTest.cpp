// The two orb settings files on real files in a scratch program folder.
#include "analysis/OrbSettings.h"

#include "TestFolder.h"
#include "platform/Errors.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

namespace exo {
namespace {

using Lines = std::vector<std::string>;

// The stored reals, as the program writes them.
const std::string k10 = " 1.00000000000000E+0001";
const std::string k9 = " 9.00000000000000E+0000";
const std::string k8 = " 8.00000000000000E+0000";
const std::string k7 = " 7.00000000000000E+0000";
const std::string k6 = " 6.00000000000000E+0000";
const std::string k5 = " 5.00000000000000E+0000";
const std::string k4_5 = " 4.50000000000000E+0000";
const std::string k4 = " 4.00000000000000E+0000";
const std::string k3 = " 3.00000000000000E+0000";
const std::string k2 = " 2.00000000000000E+0000";
const std::string k1_5 = " 1.50000000000000E+0000";
const std::string k1 = " 1.00000000000000E+0000";
const std::string k0_8 = " 8.00000000000000E-0001";
const std::string k0_5 = " 5.00000000000000E-0001";

const Lines kSetAOrbs = {k10, k1, k1, k1, k1, k1, k4, k1, k6, k8, k1, k1, k1, k9};
const Lines kSetBOrbs = {k10, k1, k0_5, k0_5, k1, k0_5, k3, k1, k4, k4, k1, k1, k2, k8};
const Lines kSetCOrbs = {k5, k1, k0_5, k0_5, k1, k0_5, k3, k1, k4_5, k5, k0_8, k0_8, k1_5, k7};
const Lines kSetAIntegers = {"10", "1", "1", "1", "1", "1", "4", "1", "6", "8", "1", "1", "1", "9"};

Lines Join(std::initializer_list<Lines> pieces) {
    Lines all;
    for (const Lines& piece : pieces)
        all.insert(all.end(), piece.begin(), piece.end());
    return all;
}

std::string Bytes(const Lines& lines) {
    std::string bytes;
    for (const std::string& line : lines)
        bytes += line + "\r\n";
    return bytes;
}

const Lines kInstalledSettings = Join({kSetAOrbs, {k1, k1, "PLACIDO", "MEDIO", "A", "MEDIA"}});
Lines InstalledSetFile(const std::string& letter) {
    return Join({kSetAIntegers, {k1, k1}, kSetBOrbs, {k1, k1}, kSetCOrbs, {k1, k1}, {letter}});
}

TEST(OrbSettingsDefaults, InstalledFilesHoldSetAActiveAndTheThreeSets) {
    EXPECT_EQ(DefaultOrbSettingsLines(), kInstalledSettings);
    EXPECT_EQ(DefaultOrbSetLines(), InstalledSetFile("A"));
}

TEST(OrbSettingsDefaults, ItemsAndSetATexts) {
    const struct {
        char letter;
        const char* item;
    } cases[] = {{'A', "A (normali)"}, {'B', "B (personali)"}, {'C', "C (personali)"}};
    for (const auto& c : cases) {
        EXPECT_EQ(OrbSetItem(c.letter), c.item);
        EXPECT_EQ(OrbSetLetterOfItem(c.item), c.letter);
    }
    EXPECT_EQ(OrbSetItem('D'), "");
    EXPECT_EQ(OrbSetLetterOfItem("a (normali)"), 0);
    EXPECT_EQ(OrbSetLetterOfItem("B (personali) "), 0);

    Lines texts(SetATexts().begin(), SetATexts().end());
    EXPECT_EQ(texts, (Lines{"\xB1 10", "\xB1 1", "\xB1 1", "\xB1 1", "\xB1 1", "\xB1 1", "\xB1 4",
                            "\xB1 1", "\xB1 6", "\xB1 8", "\xB1 1", "\xB1 1", "\xB1 1", "\xB1 9"}));
}

// A program folder with its settings folders, and the settings and chart they load into.
class OrbFiles : public ::testing::Test {
  protected:
    OrbFiles() {
        std::filesystem::create_directory(folder_.path() / "FileSet");
        std::filesystem::create_directory(folder_.path() / "FileDum");
    }
    void writeSettings(const Lines& lines) const {
        folder_.write("FileSet/OrbiDomi.stt", Bytes(lines));
    }
    void writeSetFile(const Lines& lines) const {
        folder_.write("FileDum/MMVarOrb.dum", Bytes(lines));
    }
    std::string settingsBytes() const { return folder_.read("FileSet/OrbiDomi.stt"); }
    std::string setFileBytes() const { return folder_.read("FileDum/MMVarOrb.dum"); }

    test::ScratchFolder folder_;
    OrbSettings settings_;
    ChartState chart_;
};

TEST_F(OrbFiles, LoadTakesTheOrbsInFormOrderAndMirrorsTheChartOptions) {
    // Free-format reals: blanks before, anything after the number.
    writeSettings({"1",
                   " 2",
                   "3.5 grados",
                   "-4",
                   " 5.00000000000000E+0000",
                   "6",
                   "7",
                   "8",
                   "9",
                   "1e1",
                   "11",
                   "12",
                   "13",
                   "14",
                   "0.25",
                   "0.75",
                   "CASE_UGUALI_MOLTO_LUNGO",
                   "VERO",
                   "B",
                   "VERA"});
    LoadOrbSettings(settings_, chart_);
    const std::array<long double, kAspectKinds> expected = {
        // Cong Sest Quad Trig Oppo SmSt Deci Novi SmQd Sett Quin SsQd BiQn Qunc
        1, 7, 9, 10, 14, 2, 3.5L, -4, 5, 6, 8, 11, 12, 13};
    for (int kind = 0; kind < kAspectKinds; ++kind)
        EXPECT_EQ(settings_.ActiveOrbs[kind], expected[kind]) << AspectLabel(kind);
    EXPECT_EQ(settings_.ParallelOrb, 0.25L);
    EXPECT_EQ(settings_.AntisciaOrb, 0.75L);
    EXPECT_EQ(settings_.HouseSystemName, "CASE_UGUALI_MOL");
    EXPECT_EQ(settings_.NodeKind, "VERO");
    EXPECT_EQ(settings_.OrbSetLetter, "B");
    EXPECT_EQ(settings_.ApogeeKind, "VERA");
    EXPECT_EQ(chart_.HouseSystemName, "CASE_UGUALI_MOL");
    EXPECT_EQ(chart_.NodeKind, "VERO");
    EXPECT_EQ(chart_.ApogeeKind, "VERA");
}

TEST_F(OrbFiles, DamagedSettingsFileRaisesAndChangesNothing) {
    writeSettings(kInstalledSettings);
    LoadOrbSettings(settings_, chart_);
    const OrbSettings before = settings_;

    Lines shortFile = kInstalledSettings;
    shortFile.pop_back();
    Lines wordForNumber = kInstalledSettings;
    wordForNumber[4] = "uno";
    Lines emptyExtra = kInstalledSettings;
    emptyExtra[15] = "";
    for (const Lines& lines : {shortFile, wordForNumber, emptyExtra}) {
        writeSettings(lines);
        EXPECT_THROW(LoadOrbSettings(settings_, chart_), InOutError) << lines.size();
        EXPECT_EQ(settings_.ActiveOrbs, before.ActiveOrbs);
        EXPECT_EQ(settings_.AntisciaOrb, before.AntisciaOrb);
        EXPECT_EQ(settings_.NodeKind, before.NodeKind);
    }
    std::filesystem::remove(folder_.path() / "FileSet/OrbiDomi.stt");
    EXPECT_THROW(LoadOrbSettings(settings_, chart_), InOutError);
}

TEST_F(OrbFiles, ReplacingALineChangesOnlyThatLineAndCutsLongLines) {
    Lines lines = kInstalledSettings;
    lines[16] = "PLACIDO_CON_UN_NOME_MOLTO_LUNGO"; // 31 characters
    lines[19] = "MEDIA                        x";  // 30 characters
    writeSettings(lines);
    ReplaceOrbSettingsLine(18, "VERO", settings_, chart_);

    Lines expected = kInstalledSettings;
    expected[16] = "PLACIDO_CON_UN_NOME_MOLTO";
    expected[17] = "VERO";
    expected[19] = "MEDIA                    ";
    EXPECT_EQ(settingsBytes(), Bytes(expected));
    EXPECT_EQ(settings_.NodeKind, "VERO");
    EXPECT_EQ(chart_.NodeKind, "VERO");
    EXPECT_EQ(settings_.ActiveOrbs[Oppo], 9);

    for (const int line : {0, 21}) {
        EXPECT_THROW(ReplaceOrbSettingsLine(line, "VERO", settings_, chart_),
                     std::invalid_argument);
        EXPECT_EQ(settingsBytes(), Bytes(expected));
    }
}

TEST_F(OrbFiles, SelectingASetRewritesBothFiles) {
    writeSettings(Join({kSetAOrbs, {k1, k1, "KOCH", "VERO", "A", "VERA"}}));
    writeSetFile(InstalledSetFile("A"));

    ASSERT_TRUE(SelectOrbSet('B', settings_, chart_));
    EXPECT_EQ(settingsBytes(), Bytes(Join({kSetBOrbs, {k1, k1, "KOCH", "VERO", "B", "VERA"}})));
    EXPECT_EQ(setFileBytes(), Bytes(InstalledSetFile("B")));
    EXPECT_EQ(settings_.OrbSetLetter, "B");
    EXPECT_EQ(settings_.ActiveOrbs[Quad], 4);
    EXPECT_EQ(settings_.ActiveOrbs[Qunc], 2);
    EXPECT_EQ(chart_.NodeKind, "VERO");

    ASSERT_TRUE(SelectOrbSet('C', settings_, chart_));
    EXPECT_EQ(settingsBytes(), Bytes(Join({kSetCOrbs, {k1, k1, "KOCH", "VERO", "C", "VERA"}})));
    EXPECT_EQ(setFileBytes(), Bytes(InstalledSetFile("C")));
    EXPECT_EQ(settings_.ActiveOrbs[Cong], 5);
}

TEST_F(OrbFiles, SetAIsTheProgramsOwnWhateverTheFileHolds) {
    writeSettings(kInstalledSettings);
    Lines setFile = InstalledSetFile("B");
    setFile[0] = "12";
    setFile[13] = "7.5";
    writeSetFile(setFile);
    ASSERT_TRUE(SelectOrbSet('A', settings_, chart_));
    EXPECT_EQ(settingsBytes(), Bytes(kInstalledSettings));
    EXPECT_EQ(setFileBytes(), Bytes(InstalledSetFile("A")));
}

TEST_F(OrbFiles, SelectingWithoutTheSetFileWritesNothing) {
    writeSettings(kInstalledSettings);
    EXPECT_FALSE(SelectOrbSet('B', settings_, chart_));
    EXPECT_EQ(settingsBytes(), Bytes(kInstalledSettings));
    EXPECT_FALSE(std::filesystem::exists(folder_.path() / "FileDum/MMVarOrb.dum"));
}

TEST_F(OrbFiles, DamagedSetFileRaisesBeforeAnythingIsWritten) {
    Lines shortFile = InstalledSetFile("A");
    shortFile.pop_back();
    Lines wordForNumber = InstalledSetFile("A");
    wordForNumber[29] = "otto";
    for (const Lines& setFile : {shortFile, wordForNumber}) {
        writeSettings(kInstalledSettings);
        writeSetFile(setFile);
        EXPECT_THROW(SelectOrbSet('B', settings_, chart_), InOutError);
        EXPECT_EQ(settingsBytes(), Bytes(kInstalledSettings));
        EXPECT_EQ(setFileBytes(), Bytes(setFile));
    }
    // The settings file is read before either file is written.
    std::filesystem::remove(folder_.path() / "FileSet/OrbiDomi.stt");
    writeSetFile(InstalledSetFile("A"));
    EXPECT_THROW(SelectOrbSet('B', settings_, chart_), InOutError);
    EXPECT_EQ(setFileBytes(), Bytes(InstalledSetFile("A")));
    EXPECT_THROW(SelectOrbSet('D', settings_, chart_), std::invalid_argument);
}

OrbSetTexts DialogTexts() {
    OrbSetTexts texts;
    const Lines b = {"10", "1", "0,5", "0.5", "1", "0,5", "3", "1", "4", "4", "1", "1", "2", "8"};
    const Lines c = {"5",   "1",   "0,5", "0,5", "1",           "0,5", "3",
                     "1,0", "4,5", " 5 ", "0,8", "0,123456789", "1,5", "7"};
    std::copy(b.begin(), b.end(), texts.B.begin());
    std::copy(c.begin(), c.end(), texts.C.begin());
    texts.Parallel = "1,5";
    texts.Antiscia = "2";
    return texts;
}

const std::string k0_123 = " 1.23456789000000E-0001";
const Lines kDialogC = {k5, k1, k0_5, k0_5, k1, k0_5, k3, k1, k4_5, k5, k0_8, k0_123, k1_5, k7};

TEST_F(OrbFiles, TheDialogsSetsGoToTheSetFileAndBack) {
    WriteOrbSetFile(DialogTexts(), 'C');
    EXPECT_EQ(
        setFileBytes(),
        Bytes(
            Join({kSetAIntegers, {k1_5, k2}, kSetBOrbs, {k1_5, k2}, kDialogC, {k1_5, k2}, {"C"}})));

    const OrbSetTexts back = LoadOrbSetFile(settings_);
    EXPECT_EQ(Lines(back.B.begin(), back.B.end()),
              (Lines{"10", "1", "0,5", "0,5", "1", "0,5", "3", "1", "4", "4", "1", "1", "2", "8"}));
    EXPECT_EQ(Lines(back.C.begin(), back.C.end()),
              (Lines{"5", "1", "0,5", "0,5", "1", "0,5", "3", "1", "4,5", "5", "0,8", "0,12345",
                     "1,5", "7"}));
    EXPECT_EQ(back.Parallel, "1,5");
    EXPECT_EQ(back.Antiscia, "2");
    EXPECT_EQ(settings_.OrbSetLetter, "C");
    EXPECT_EQ(settings_.ParallelOrb, 1.5L);
    EXPECT_EQ(settings_.ActiveOrbs[Sest], 4);
    EXPECT_EQ(settings_.ActiveOrbs[Oppo], 9);

    // A text that is no number stops the write before the file is touched.
    const std::string before = setFileBytes();
    OrbSetTexts bad = DialogTexts();
    bad.C[3] = "mezzo";
    EXPECT_THROW(WriteOrbSetFile(bad, 'B'), ConvertError);
    bad = DialogTexts();
    bad.Antiscia = "";
    EXPECT_THROW(WriteOrbSetFile(bad, 'B'), ConvertError);
    EXPECT_EQ(setFileBytes(), before);
    std::filesystem::remove(folder_.path() / "FileDum/MMVarOrb.dum");
    EXPECT_THROW(LoadOrbSetFile(settings_), InOutError);
}

TEST_F(OrbFiles, AdoptingASetMakesItActiveWithItsStoredValues) {
    writeSettings(Join({kSetAOrbs, {k1, k1, "PLACIDO", "VERO", "A", "VERA"}}));
    const OrbSetTexts back = AdoptOrbSet('C', DialogTexts(), settings_, chart_);
    EXPECT_EQ(
        setFileBytes(),
        Bytes(
            Join({kSetAIntegers, {k1_5, k2}, kSetBOrbs, {k1_5, k2}, kDialogC, {k1_5, k2}, {"C"}})));
    // The active orb is the stored value, not the seven characters the edit shows.
    EXPECT_EQ(settingsBytes(), Bytes(Join({kDialogC, {k1_5, k2, "PLACIDO", "VERO", "C", "VERA"}})));
    EXPECT_EQ(back.C[11], "0,12345");
    EXPECT_EQ(settings_.OrbSetLetter, "C");
    EXPECT_EQ(settings_.ActiveOrbs[Cong], 5);
    EXPECT_EQ(settings_.ActiveOrbs[BiQn], 0.123456789L);
    EXPECT_EQ(chart_.NodeKind, "VERO");

    AdoptOrbSet('A', DialogTexts(), settings_, chart_);
    EXPECT_EQ(settingsBytes(),
              Bytes(Join({kSetAOrbs, {k1_5, k2, "PLACIDO", "VERO", "A", "VERA"}})));
    EXPECT_EQ(settings_.ActiveOrbs[Oppo], 9);
}

TEST_F(OrbFiles, AdoptingWithoutTheSettingsFileWritesNothing) {
    writeSetFile(InstalledSetFile("A"));
    EXPECT_THROW(AdoptOrbSet('B', DialogTexts(), settings_, chart_), InOutError);
    EXPECT_EQ(setFileBytes(), Bytes(InstalledSetFile("A")));
    EXPECT_FALSE(std::filesystem::exists(folder_.path() / "FileSet/OrbiDomi.stt"));
}

} // namespace
} // namespace exo
