#pragma once
// FileSet\MMVarLas.stt: the display and print settings, eight lines read and rewritten
// whole. Texts are Windows-1252 bytes.
#include <cstdint>
#include <string>
#include <vector>

namespace exo {

struct DrawingSurface;
DrawingSurface& GlobalDrawingSurface();

inline constexpr const char* kDisplaySettingsFile = "FileSet\\MMVarLas.stt";

struct DisplaySettings {
    std::int32_t Line1 = 1;         // kept and written back
    std::uint8_t DummyPrintJob = 0; // 1: an empty job "Dummy" precedes each printed sheet
    std::uint8_t Line3 = 0;         // kept and written back
    std::uint8_t CalendarReformOption = 1;
    long double LineFactor = 1.0L; // pen width factor
    std::string BackupFolder;      // the backup destination; empty until chosen
    long double StretchH = 1.0L;   // horizontal stretch divisor
    long double StretchV = 1.0L;   // vertical stretch divisor
};

// The process-wide settings as last read.
DisplaySettings& GlobalDisplaySettings();

// The eight lines of the file (integers plain, reals in the 23-character scientific form).
std::vector<std::string> DisplaySettingsLines(const DisplaySettings& settings);

// Reads the file; a real that reads as 0 is taken as 1.0. Raises InOutError when the file
// cannot be read or has fewer than eight lines, ConvertError when a number does not convert.
DisplaySettings ReadDisplaySettings();
void WriteDisplaySettings(const DisplaySettings& settings);

// The backup folder of an older installation ("…Ex6Backup…" in line 6) is not valid here:
// the whole line becomes "Da definire" and the file is written back. Returns whether it did;
// a missing file (the first start) is left to LoadOrCreateDisplaySettings.
bool ReplaceOldBackupFolder();

// Reads the file, or creates it with the defaults (line 6 `backupFolder`) when missing.
DisplaySettings LoadOrCreateDisplaySettings(const std::string& backupFolder);

// The pen width factor and the stretch divisors the drawing surface draws with.
void ApplyDisplaySettings(const DisplaySettings& settings,
                          DrawingSurface& surface = GlobalDrawingSurface());

} // namespace exo
