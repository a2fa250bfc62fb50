#pragma once
// The placement keys of the sheets "Vertical 1" and "Horizontal 1": OpzioneT\PosiPian.txt
// rewritten just before those sheets are drawn, so their terms block finds the texts of the
// chart being drawn. The layout is shorter than the analysis window's (PlacementKeys.h):
// only the term and decan keys of the points Sun … South Node.
#include "chart/ChartState.h"

#include <string>
#include <vector>

namespace exo {

inline constexpr int kSheetKeyPoints = 9; // Sun … South Node

// 18 lines: the term key of points 1 … 9 ("Sole05": 4-letter point code and the 6° sector
// from 15° before the Ascendant in two digits), then their decan keys ("SolDec05"). The
// divisions are taken from the chart as it is now, not from the last analysis.
std::vector<std::string> SheetPlacementKeyLines(const ChartState& chart = GlobalChart());

// Rewrites OpzioneT\PosiPian.txt with those lines; raises InOutError when it cannot.
void WriteSheetPlacementKeys(const ChartState& chart = GlobalChart());

} // namespace exo
