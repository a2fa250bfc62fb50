#include "graphics/SheetPlacementKeys.h"

#include "analysis/Dignities.h"
#include "analysis/Divisions.h"
#include "analysis/PlacementKeys.h"
#include "astro/TextHelpers.h"
#include "platform/TextFile.h"

namespace exo {

std::vector<std::string> SheetPlacementKeyLines(const ChartState& chart) {
    DivisionValues values;
    ComputeDivisions(chart, values);
    std::vector<std::string> lines;
    lines.reserve(2 * kSheetKeyPoints);
    for (int point = 1; point <= kSheetKeyPoints; ++point)
        lines.push_back(PointKeyCode4(point) +
                        PadLeftZeros(values.TermNumber[static_cast<std::size_t>(point)], 2));
    for (int point = 1; point <= kSheetKeyPoints; ++point)
        lines.push_back(values.DecanKey[static_cast<std::size_t>(point)]);
    return lines;
}

void WriteSheetPlacementKeys(const ChartState& chart) {
    WriteTextLines(kPointKeyFile, SheetPlacementKeyLines(chart));
}

} // namespace exo
