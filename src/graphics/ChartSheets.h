#pragma once
// The four chart sheets of the current subject: each is one fixed sequence of drawing calls
// on the drawing surface, the same on screen, on paper and in a metafile. The natal chart
// window, the render command and the benchmarks all draw through DrawCurrentSheet.
#include "analysis/ArchetypalStructure.h"
#include "analysis/OrbSettings.h"
#include "chart/ChartState.h"
#include "graphics/DrawingSurface.h"
#include "graphics/Wheel.h"

#include <cstdint>
#include <string>

namespace exo {

namespace SheetLayout {
enum : std::int32_t {
    Calibration = 0,
    Vertical1 = 5,
    Horizontal1 = 16,
    Horizontal2 = 17,
    Vertical2 = 18
};
}

// What the main window hands the chart windows, and the natal chart window's own state.
struct NatalSheetState {
    std::int32_t SummaryLayout = SheetLayout::Calibration;
    std::string SummaryOrientation; // "P" portrait or "L" landscape
    std::uint8_t AspectStyle = 1;   // 1 aspect lines, 0 spindles
    std::string LastMetafileName;
    WheelGeometry Geometry = kNatalWheelGeometry;
    std::string UserDisplayName; // printed under the date stamp
};
NatalSheetState& GlobalNatalSheet();

// "V1", "V2", "H1", "H2" and their layout codes; 0 for any other name.
std::int32_t SheetLayoutOfName(const std::string& name);
// "P" for the vertical sheets, "L" for the horizontal ones.
std::string SheetOrientationOf(std::int32_t layout);
// Whether the sheet prints the archetypal structure (the caller computes it first).
bool SheetPrintsStructure(std::int32_t layout);

struct SheetInputs {
    ChartState& chart;
    const OrbTable& orbs;
    const ArchetypalStructure& structure;
};

// What every sheet reads: the current chart, the active orbs and the archetypal structure.
SheetInputs CurrentSheetInputs();

// A computed chart made ready for the sheet of `layout`: the structure built where the sheet
// prints it, the latitudes kept for the window to restore, and the state's layout,
// orientation, natal wheel and date-stamp name set (the rest of the state is kept).
void PrepareSheet(NatalSheetState& state, std::int32_t layout, ChartState& chart,
                  const std::string& userDisplayName);

// The sheet of state.SummaryLayout; any other layout draws nothing. The vertical 1 and
// horizontal 1 sheets rewrite OpzioneT\PosiPian.txt first.
void DrawSheet(DrawingSurface& surface, DrawingTarget& dc, const NatalSheetState& state,
               const SheetInputs& inputs);

// The latitudes the analyses may have changed restored from the copy taken when the window
// opened, the sheet, and the page frame (on screen with a printer only); the pen, brush and
// font are released from the target at the end.
void DrawCurrentSheet(DrawingSurface& surface, DrawingTarget& dc, const NatalSheetState& state,
                      const SheetInputs& inputs, bool printerLandscape);

// A small wheel with one of the two affinity figures (1 energetic, 2 specular) inside;
// geometry.CentreX/CentreY is its centre.
void DrawCompactWheel(DrawingSurface& surface, DrawingTarget& dc, const ChartState& chart,
                      const WheelGeometry& geometry, int figure);
void DrawAffinityFigure(DrawingSurface& surface, DrawingTarget& dc, const ChartState& chart,
                        int figure, long double radius, LogicalPoint centre);

// The page point of a sign's midpoint chord end: whole degrees, rounded to whole units.
LogicalPoint SignChordPoint(int sign, long double ascendant, long double radius,
                            LogicalPoint centre);

} // namespace exo
