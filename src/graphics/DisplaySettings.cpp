#include "graphics/DisplaySettings.h"

#include "graphics/DrawingSurface.h"

#include "platform/Errors.h"
#include "platform/NumberText.h"
#include "platform/ProgramPaths.h"
#include "platform/TextFile.h"

namespace exo {

namespace {

constexpr std::size_t kLines = 8;

std::string Blank(const std::string& s) {
    const auto first = s.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    return s.substr(first, s.find_last_not_of(' ') - first + 1);
}

std::int32_t IntegerLine(const std::string& line) {
    return IntegerOf(Blank(line));
}

std::uint8_t ByteLine(const std::string& line) {
    return static_cast<std::uint8_t>(IntegerLine(line));
}

long double RealLine(const std::string& line) {
    long double x = 0;
    if (!ParseLeadingReal(line, x))
        throw ConvertError(line);
    return x == 0 ? 1.0L : x;
}

} // namespace

DisplaySettings& GlobalDisplaySettings() {
    static DisplaySettings settings;
    return settings;
}

std::vector<std::string> DisplaySettingsLines(const DisplaySettings& s) {
    return {std::to_string(s.Line1),      std::to_string(s.DummyPrintJob),
            std::to_string(s.Line3),      std::to_string(s.CalendarReformOption),
            ScientificText(s.LineFactor), s.BackupFolder,
            ScientificText(s.StretchH),   ScientificText(s.StretchV)};
}

DisplaySettings ReadDisplaySettings() {
    const std::vector<std::string> lines = ReadTextLines(kDisplaySettingsFile);
    if (lines.size() < kLines)
        throw InOutError(kDisplaySettingsFile, "read");
    DisplaySettings s;
    s.Line1 = IntegerLine(lines[0]);
    s.DummyPrintJob = ByteLine(lines[1]);
    s.Line3 = ByteLine(lines[2]);
    s.CalendarReformOption = ByteLine(lines[3]);
    s.LineFactor = RealLine(lines[4]);
    s.BackupFolder = lines[5];
    s.StretchH = RealLine(lines[6]);
    s.StretchV = RealLine(lines[7]);
    return s;
}

void WriteDisplaySettings(const DisplaySettings& settings) {
    WriteTextLines(kDisplaySettingsFile, DisplaySettingsLines(settings));
}

bool ReplaceOldBackupFolder() {
    std::vector<std::string> lines;
    if (!TryReadTextLines(kDisplaySettingsFile, lines) || lines.size() < 6 ||
        lines[5].find("Ex6Backup") == std::string::npos)
        return false;
    lines[5] = "Da definire";
    lines.resize(kLines);
    WriteTextLines(kDisplaySettingsFile, lines);
    return true;
}

DisplaySettings LoadOrCreateDisplaySettings(const std::string& backupFolder) {
    if (FileExists(kDisplaySettingsFile))
        return ReadDisplaySettings();
    DisplaySettings defaults;
    defaults.BackupFolder = backupFolder;
    WriteDisplaySettings(defaults);
    return defaults;
}

void ApplyDisplaySettings(const DisplaySettings& settings, DrawingSurface& surface) {
    surface.LineFactor = settings.LineFactor;
    surface.StretchH = settings.StretchH;
    surface.StretchV = settings.StretchV;
}

} // namespace exo
