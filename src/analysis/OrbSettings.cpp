#include "analysis/OrbSettings.h"

#include "platform/Cp1252.h"
#include "platform/Errors.h"
#include "platform/NumberText.h"
#include "platform/ProgramPaths.h"
#include "platform/TextFile.h"

#include <algorithm>
#include <stdexcept>

namespace exo {

namespace {

// The orbs of the three sets as installed, in form order. Set A never changes.
constexpr std::array<int, kAspectKinds> kSetA = {10, 1, 1, 1, 1, 1, 4, 1, 6, 8, 1, 1, 1, 9};
constexpr std::array<long double, kAspectKinds> kInitialSetB = {10, 1, 0.5L, 0.5L, 1, 0.5L, 3,
                                                                1,  4, 4,    1,    1, 2,    8};
constexpr std::array<long double, kAspectKinds> kInitialSetC = {5, 1,    0.5L, 0.5L, 1,    0.5L, 3,
                                                                1, 4.5L, 5,    0.8L, 0.8L, 1.5L, 7};
constexpr long double kInitialExtraOrb = 1;

constexpr std::size_t kSettingsLines = 20;
constexpr std::size_t kSetFileLines = 49;
// One set in either file: 14 orbs in form order, the parallel orb, the antiscia orb.
constexpr std::size_t kBlockValues = kAspectKinds + 2;
constexpr std::size_t kSetCount = 3;
constexpr std::size_t kStoredLineLength = 25;

// Lines of OrbiDomi.stt, 1-based.
constexpr std::size_t kHouseSystemLine = 17;
constexpr std::size_t kNodeKindLine = 18;
constexpr std::size_t kOrbSetLetterLine = 19;
constexpr std::size_t kApogeeKindLine = 20;

using Block = std::array<long double, kBlockValues>;
using Blocks = std::array<Block, kSetCount>;

int SetIndex(char letter) {
    switch (letter) {
    case 'A':
        return 0;
    case 'B':
        return 1;
    case 'C':
        return 2;
    default:
        throw std::invalid_argument(std::string("orb set letter '") + letter + "'");
    }
}

// The first `count` lines of a settings file; a file with fewer is damaged.
std::vector<std::string> SettingsLines(const std::string& name,
                                       const std::vector<std::string>& lines, std::size_t count) {
    if (lines.size() < count)
        throw InOutError(ResolveProgramPath(name), "read",
                         "el archivo termina tras " + std::to_string(lines.size()) + " de " +
                             std::to_string(count) + " líneas");
    return {lines.begin(), lines.begin() + static_cast<std::ptrdiff_t>(count)};
}

long double SettingsReal(const std::string& name, const std::vector<std::string>& lines,
                         std::size_t lineNumber) {
    long double x = 0;
    if (!ParseLeadingReal(lines[lineNumber - 1], x))
        throw InOutError(ResolveProgramPath(name), "read",
                         "la línea " + std::to_string(lineNumber) + " no es un número");
    return x;
}

// The 48 values of MMVarOrb.dum as three blocks. Set A is fixed: its orbs are the program's
// own whatever lines 1-14 hold, but they must still read as numbers.
Blocks ReadBlocks(const std::vector<std::string>& lines) {
    Blocks blocks{};
    for (std::size_t set = 0; set < kSetCount; ++set) {
        for (std::size_t k = 0; k < kBlockValues; ++k)
            blocks[set][k] = SettingsReal(kOrbSetFile, lines, set * kBlockValues + k + 1);
    }
    for (std::size_t row = 0; row < kAspectKinds; ++row)
        blocks[0][row] = kSetA[row];
    return blocks;
}

std::vector<std::string> SetFileLines(const Blocks& blocks, char letter) {
    std::vector<std::string> lines;
    for (std::size_t set = 0; set < kSetCount; ++set) {
        for (std::size_t k = 0; k < kBlockValues; ++k) {
            if (set == 0 && k < kAspectKinds)
                lines.push_back(std::to_string(kSetA[k]));
            else
                lines.push_back(ScientificText(blocks[set][k]));
        }
    }
    lines.emplace_back(1, letter);
    return lines;
}

// OrbiDomi.stt with the orbs of `block` and `letter`; lines 17, 18 and 20 as `current` has them.
std::vector<std::string> SettingsFileLines(const Block& block, char letter,
                                           const std::vector<std::string>& current) {
    std::vector<std::string> lines;
    for (const long double value : block)
        lines.push_back(ScientificText(value));
    lines.push_back(current[kHouseSystemLine - 1]);
    lines.push_back(current[kNodeKindLine - 1]);
    lines.emplace_back(1, letter);
    lines.push_back(current[kApogeeKindLine - 1]);
    return lines;
}

std::vector<std::string> CurrentSettingsLines() {
    return SettingsLines(kOrbSettingsFile, ReadTextLines(kOrbSettingsFile), kSettingsLines);
}

// What the dialog shows of a stored real: its shortest decimal text cut to 7 characters.
std::string EditText(long double x) {
    return GeneralText(x).substr(0, 7);
}

// An edit's text as a real: the decimal comma of the program, or a point.
long double EditValue(std::string_view text) {
    std::string comma(text);
    std::replace(comma.begin(), comma.end(), '.', kDecimalSeparator);
    return LocaleReal(comma);
}

struct SetFileContent {
    Blocks blocks;
    std::string letterLine;
};

SetFileContent ReadSetFile() {
    const std::vector<std::string> lines =
        SettingsLines(kOrbSetFile, ReadTextLines(kOrbSetFile), kSetFileLines);
    return {ReadBlocks(lines), lines[kSetFileLines - 1]};
}

OrbSetTexts TextsOf(const Blocks& blocks) {
    OrbSetTexts texts;
    for (std::size_t row = 0; row < kAspectKinds; ++row) {
        texts.B[row] = EditText(blocks[1][row]);
        texts.C[row] = EditText(blocks[2][row]);
    }
    // The three copies of the extras are written from the same two edits; the last read wins.
    texts.Parallel = EditText(blocks[2][kAspectKinds]);
    texts.Antiscia = EditText(blocks[2][kAspectKinds + 1]);
    return texts;
}

void TakeSetFile(const SetFileContent& content, OrbSettings& settings) {
    for (std::size_t row = 0; row < kAspectKinds; ++row)
        settings.ActiveOrbs[static_cast<std::size_t>(kFormOrder[row])] = content.blocks[0][row];
    settings.ParallelOrb = content.blocks[2][kAspectKinds];
    settings.AntisciaOrb = content.blocks[2][kAspectKinds + 1];
    settings.OrbSetLetter = content.letterLine;
}

} // namespace

long double ExactAngle(int kind) {
    static constexpr std::array<long double, kAspectKinds> angles = {
        0, 60, 90, 120, 180, 30, 36, 40, 45, 360.0L / 7, 72, 135, 144, 150};
    return angles.at(static_cast<std::size_t>(kind));
}

const std::string& AspectLabel(int kind) {
    static const std::array<std::string, kAspectKinds> labels = {
        "Conjunción"_cp, "Sextil",         "Cuadrado",  "Trígono"_cp,     "Oposición"_cp,
        "SemiSextil",    "Decil",          "Novil",     "Semicuadratura", "Septile",
        "Quintil",       "Sesquicuadrad.", "Biquintil", "Quinconcio"};
    return labels.at(static_cast<std::size_t>(kind));
}

const std::string& AspectCode(int kind) {
    static const std::array<std::string, kAspectKinds> codes = {"Co", "Se", "Qu", "Tr", "Op"};
    return codes.at(static_cast<std::size_t>(kind));
}

int AspectGlyph(int kind) {
    static constexpr std::array<int, kAspectKinds> glyphs = {1, 2, 3, 4,  5, 9,  0,
                                                             0, 7, 0, 10, 6, 11, 8};
    return glyphs.at(static_cast<std::size_t>(kind));
}

OrbSettings& GlobalOrbSettings() {
    static OrbSettings settings;
    return settings;
}

std::string OrbSetItem(char letter) {
    switch (letter) {
    case 'A':
        return "A (normali)";
    case 'B':
        return "B (personali)";
    case 'C':
        return "C (personali)";
    default:
        return {};
    }
}

char OrbSetLetterOfItem(std::string_view item) {
    for (const char letter : {'A', 'B', 'C'}) {
        if (item == OrbSetItem(letter))
            return letter;
    }
    return 0;
}

void LoadOrbSettings(OrbSettings& settings, ChartState& chart) {
    const std::vector<std::string> lines = CurrentSettingsLines();
    // Read whole before anything changes, so a damaged file leaves the settings as they were.
    OrbSettings read;
    for (std::size_t row = 0; row < kAspectKinds; ++row)
        read.ActiveOrbs[static_cast<std::size_t>(kFormOrder[row])] =
            SettingsReal(kOrbSettingsFile, lines, row + 1);
    read.ParallelOrb = SettingsReal(kOrbSettingsFile, lines, kAspectKinds + 1);
    read.AntisciaOrb = SettingsReal(kOrbSettingsFile, lines, kAspectKinds + 2);
    read.HouseSystemName = lines[kHouseSystemLine - 1];
    read.NodeKind = lines[kNodeKindLine - 1];
    read.OrbSetLetter = lines[kOrbSetLetterLine - 1];
    read.ApogeeKind = lines[kApogeeKindLine - 1];
    settings = read;
    chart.HouseSystemName = settings.HouseSystemName.view();
    chart.NodeKind = settings.NodeKind.view();
    chart.ApogeeKind = settings.ApogeeKind.view();
}

void ReplaceOrbSettingsLine(int line, std::string_view text, OrbSettings& settings,
                            ChartState& chart) {
    if (line < 1 || line > static_cast<int>(kSettingsLines))
        throw std::invalid_argument("settings line " + std::to_string(line));
    std::vector<std::string> lines = CurrentSettingsLines();
    lines[static_cast<std::size_t>(line - 1)] = std::string(text);
    for (std::string& stored : lines)
        stored = stored.substr(0, kStoredLineLength);
    WriteTextLines(kOrbSettingsFile, lines);
    LoadOrbSettings(settings, chart);
}

bool SelectOrbSet(char letter, OrbSettings& settings, ChartState& chart) {
    const int set = SetIndex(letter);
    std::vector<std::string> setFile;
    if (!TryReadTextLines(kOrbSetFile, setFile))
        return false;
    const Blocks blocks = ReadBlocks(SettingsLines(kOrbSetFile, setFile, kSetFileLines));
    const std::vector<std::string> current = CurrentSettingsLines();
    WriteTextLines(kOrbSettingsFile,
                   SettingsFileLines(blocks[static_cast<std::size_t>(set)], letter, current));
    WriteTextLines(kOrbSetFile, SetFileLines(blocks, letter));
    LoadOrbSettings(settings, chart);
    return true;
}

const std::array<std::string, kAspectKinds>& SetATexts() {
    static const std::array<std::string, kAspectKinds> texts = [] {
        std::array<std::string, kAspectKinds> t;
        for (std::size_t row = 0; row < kAspectKinds; ++row)
            t[row] = "\xB1 " + std::to_string(kSetA[row]);
        return t;
    }();
    return texts;
}

void WriteOrbSetFile(const OrbSetTexts& texts, char letter) {
    SetIndex(letter);
    // Every text is converted before the file is touched: a bad one leaves it whole.
    Blocks blocks{};
    const long double parallel = EditValue(texts.Parallel);
    const long double antiscia = EditValue(texts.Antiscia);
    for (std::size_t row = 0; row < kAspectKinds; ++row) {
        blocks[1][row] = EditValue(texts.B[row]);
        blocks[2][row] = EditValue(texts.C[row]);
    }
    for (Block& block : blocks) {
        block[kAspectKinds] = parallel;
        block[kAspectKinds + 1] = antiscia;
    }
    WriteTextLines(kOrbSetFile, SetFileLines(blocks, letter));
}

OrbSetTexts LoadOrbSetFile(OrbSettings& settings) {
    const SetFileContent content = ReadSetFile();
    TakeSetFile(content, settings);
    return TextsOf(content.blocks);
}

OrbSetTexts AdoptOrbSet(char letter, const OrbSetTexts& texts, OrbSettings& settings,
                        ChartState& chart) {
    const int set = SetIndex(letter);
    const std::vector<std::string> current = CurrentSettingsLines();
    WriteOrbSetFile(texts, letter);
    const SetFileContent content = ReadSetFile();
    TakeSetFile(content, settings);
    // The active orbs are the stored values, not the 7-character texts the edits show.
    WriteTextLines(
        kOrbSettingsFile,
        SettingsFileLines(content.blocks[static_cast<std::size_t>(set)], letter, current));
    LoadOrbSettings(settings, chart);
    return TextsOf(content.blocks);
}

std::vector<std::string> DefaultOrbSettingsLines() {
    std::vector<std::string> lines;
    for (const int orb : kSetA)
        lines.push_back(ScientificText(orb));
    lines.push_back(ScientificText(kInitialExtraOrb));
    lines.push_back(ScientificText(kInitialExtraOrb));
    lines.insert(lines.end(), {"PLACIDO", "MEDIO", "A", "MEDIA"});
    return lines;
}

std::vector<std::string> DefaultOrbSetLines() {
    Blocks blocks{};
    for (std::size_t row = 0; row < kAspectKinds; ++row) {
        blocks[0][row] = kSetA[row];
        blocks[1][row] = kInitialSetB[row];
        blocks[2][row] = kInitialSetC[row];
    }
    for (Block& block : blocks) {
        block[kAspectKinds] = kInitialExtraOrb;
        block[kAspectKinds + 1] = kInitialExtraOrb;
    }
    return SetFileLines(blocks, 'A');
}

} // namespace exo
