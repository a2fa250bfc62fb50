#pragma once
// The current subject's chart made ready for a chart sheet without the main window: the
// orb and display settings read, the chart computed, the structure built where the sheet
// prints it, the latitudes saved, the user's name taken for the date stamp.
#include "graphics/ChartSheets.h"

namespace exo {

// Fills GlobalChart() and the sheet state for `layout`; the state's aspect style is
// `aspectStyle`.
NatalSheetState PrepareSheetChart(std::int32_t layout, std::uint8_t aspectStyle = 1);

} // namespace exo
