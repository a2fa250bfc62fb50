#pragma once
// The chart of the current subject: record 0 of TMPR.ST1 and TMPR.ST2 turned into the chart
// state, with what the main window's subject panel shows of it. Every run reads the files
// afresh. Texts are Windows-1252 bytes.
#include "chart/ChartState.h"

#include <array>
#include <optional>
#include <string>

namespace exo {

// The subject panel of the main window after a computation. A field left empty (nothing) is
// one the run does not touch: the window keeps what it showed before.
struct SubjectPanel {
    // MemoDati, lines 0 to 5: name, birth and correction, locality, nationality,
    // coordinates, calendar.
    std::optional<std::array<std::string, 6>> MemoDati;
    // MemoAnnotaz: the first line of FileDum\Annotaz.dum.
    std::string MemoAnnotaz;
    // Whether BBApriTesto is shown: the subject's text file exists.
    std::optional<bool> BBApriTestoVisible;
};

// Fills `chart` from the current subject: birth fields, Julian Day, the houses in the
// "CASE_MEDIE" system, the bodies with their retrograde marks, then the chart order (8 the
// North node, 9 the South node, 10 the Ascendant, 11 the Midheaven). The node kind and the
// Black Moon kind are taken from `chart` as they are. Cuts SubjectName to 38 characters and
// returns the whole panel.
// Raises InOutError when TMPR.ST1, TMPR.ST2 (or its record 0), FileDum\Annotaz.dum or a
// needed correction table is missing, and ConvertError when the stored correction is no
// number; `chart` is then partly updated.
SubjectPanel ComputeCurrentChart(ChartState& chart = GlobalChart());

// The same computation for the windows that only need the chart: SubjectName keeps the whole
// stored name, MemoDati and BBApriTestoVisible are left empty; MemoAnnotaz is still given.
SubjectPanel ComputeCurrentChartQuiet(ChartState& chart = GlobalChart());

// "+" when −correction ≥ 0, else "-", then |correction| cut to 4 characters: −1 gives "+1.00".
std::string ZoneTextOf(long double timeCorrection);
// "JD=" and the first 12 characters of the general decimal text of the Julian Day.
std::string JulianDayTextOf(long double julianDay);
// Whether FileDum\StrText.dum names a text file (line 1 the archive, line 2 the number) that
// exists: <archive>txt/<number>.txt.
bool SubjectTextExists();

} // namespace exo
