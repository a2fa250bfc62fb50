// The settings files of any content: FileSet\OrbiDomi.stt, FileDum\MMVarOrb.dum and
// FileSet\MMVarLas.stt are the input's first three pieces (cut at 0xFF; a missing piece is a
// missing file), the fourth is the text of a replaced settings line. The first byte picks
// the reader, the second its letter or line. Then: the orb readers raise only InOutError
// (and ConvertError where a number is taken whole), a bad letter or line number only
// std::invalid_argument; a failed load changes no setting; the display settings raise only
// InOutError or ConvertError, and a file the old-folder check rewrote reads back with
// "Da definire" in line 6.
#include "FuzzFiles.h"
#include "analysis/OrbSettings.h"
#include "chart/ChartState.h"
#include "graphics/DisplaySettings.h"
#include "platform/Errors.h"
#include "platform/TextFile.h"

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

bool Untouched(const exo::OrbSettings& settings) {
    for (const long double orb : settings.ActiveOrbs) {
        if (orb != 0)
            return false;
    }
    return settings.ParallelOrb == 0 && settings.AntisciaOrb == 0 &&
           settings.HouseSystemName.view().empty() && settings.OrbSetLetter.view().empty();
}

void FuzzLoadOrbSettings() {
    exo::OrbSettings settings;
    exo::ChartState chart;
    try {
        exo::LoadOrbSettings(settings, chart);
    } catch (const exo::InOutError&) {
        FUZZ_CHECK(Untouched(settings));
    }
}

void FuzzLoadOrbSetFile() {
    exo::OrbSettings settings;
    try {
        const exo::OrbSetTexts texts = exo::LoadOrbSetFile(settings);
        for (const std::string& text : texts.B)
            FUZZ_CHECK(text.size() <= 7);
        for (const std::string& text : texts.C)
            FUZZ_CHECK(text.size() <= 7);
    } catch (const exo::InOutError&) {
    } catch (const exo::ConvertError&) {
    }
}

void FuzzSelectOrbSet(char letter) {
    exo::OrbSettings settings;
    exo::ChartState chart;
    const bool known = letter == 'A' || letter == 'B' || letter == 'C';
    try {
        exo::SelectOrbSet(letter, settings, chart);
    } catch (const std::invalid_argument&) {
        FUZZ_CHECK(!known);
    } catch (const exo::InOutError&) {
    } catch (const exo::ConvertError&) {
    }
}

void FuzzReplaceLine(int line, const std::string& text) {
    exo::OrbSettings settings;
    exo::ChartState chart;
    try {
        exo::ReplaceOrbSettingsLine(line, text, settings, chart);
        FUZZ_CHECK(line >= 1 && line <= 20);
    } catch (const std::invalid_argument&) {
        FUZZ_CHECK(line < 1 || line > 20);
    } catch (const exo::InOutError&) {
    }
}

void FuzzDisplaySettings() {
    try {
        (void)exo::ReadDisplaySettings();
    } catch (const exo::InOutError&) {
    } catch (const exo::ConvertError&) {
    }
    try {
        if (exo::ReplaceOldBackupFolder()) {
            const std::vector<std::string> lines = exo::ReadTextLines(exo::kDisplaySettingsFile);
            FUZZ_CHECK(lines.size() == 8 && lines[5] == "Da definire");
        }
    } catch (const exo::InOutError&) {
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2)
        return 0;
    fuzzfiles::EnterScratchFolder("exorvex-fuzz-settings");
    const std::vector<std::string> pieces = fuzzfiles::SplitFiles(data + 2, size - 2);
    fuzzfiles::PlaceProgramFile(pieces, 0, exo::kOrbSettingsFile);
    fuzzfiles::PlaceProgramFile(pieces, 1, exo::kOrbSetFile);
    fuzzfiles::PlaceProgramFile(pieces, 2, exo::kDisplaySettingsFile);
    const std::string replacement = pieces.size() > 3 ? pieces[3] : std::string();

    const std::uint8_t argument = data[1];
    switch (data[0] % 5) {
    case 0:
        FuzzLoadOrbSettings();
        break;
    case 1:
        FuzzLoadOrbSetFile();
        break;
    case 2:
        FuzzSelectOrbSet("ABCa\0Z"[argument % 6]);
        break;
    case 3:
        FuzzReplaceLine(static_cast<int>(argument % 24) - 1, replacement);
        break;
    default:
        FuzzDisplaySettings();
        break;
    }
    return 0;
}
