#pragma once
// The blocks of text and small tables the chart sheets print beside the wheel. Each block
// is one drawing given its anchor (x, y) in logical units; the sheets place them. The data
// come from the chart and the analyses; the blocks only lay them out.
#include "analysis/ArchetypalStructure.h"
#include "analysis/OrbSettings.h"
#include "astro/PlanetaryHours.h"
#include "chart/ChartState.h"
#include "graphics/DrawingSurface.h"

#include <string>
#include <vector>

namespace exo {

// The texts of the terms block: key in columns 1–8, text from column 22.
inline constexpr const char* kSheetTermTextFile = "OpzioneT\\SpgPianCan.Txt";

// "(123°,45)" for 123.4567: the whole degrees and characters 3–4 of the shortest decimal
// text of the fraction ("0,4567"), so the decimals are cut, not rounded, and a fraction
// written with one decimal keeps one ("(10°,5)"). A fraction too small for two decimals
// shows "00" and a whole number of degrees "0" ("(10°,0)").
std::string AbsoluteDegreeText(long double longitude);

// The text colour of a colour of the analysis pages on the present target: their white is
// text role 0 (black on paper, where white would not show); any other colour goes through
// the black mode.
void SetBlockTextColour(DrawingSurface& surface, DrawingTarget& dc, Colour colour);

// The term texts of the points the sheet placement keys list (OpzioneT\PosiPian.txt,
// OpzioneT\SpgPianCan.Txt); a missing file raises InOutError.
void DrawTermsBlock(DrawingSurface& surface, DrawingTarget& dc, long double x, long double y);
void DrawDodecatemoriaBlock(DrawingSurface& surface, DrawingTarget& dc, const ChartState& chart,
                            long double x, long double y);
void DrawLongitudesBlock(DrawingSurface& surface, DrawingTarget& dc, const ChartState& chart,
                         long double x, long double y);
void DrawLatitudesBlock(DrawingSurface& surface, DrawingTarget& dc, const ChartState& chart,
                        long double x, long double y);
void DrawRelativeLongitudesBlock(DrawingSurface& surface, DrawingTarget& dc,
                                 const ChartState& chart, long double x, long double y);
void DrawStructureBlock(DrawingSurface& surface, DrawingTarget& dc, const ChartState& chart,
                        const ArchetypalStructure& structure, long double x, long double y);
void DrawDistancesBlock(DrawingSurface& surface, DrawingTarget& dc, const ChartState& chart,
                        const OrbTable& orbs, long double x, long double y);

// The four constitution webs of the printed sheets.
void DrawElementalWebBlock(DrawingSurface& surface, DrawingTarget& dc, const ChartState& chart,
                           long double x, long double y);
void DrawElementalHumoralBlock(DrawingSurface& surface, DrawingTarget& dc, const ChartState& chart,
                               long double x, long double y);
void DrawSeasonalWebBlock(DrawingSurface& surface, DrawingTarget& dc, const ChartState& chart,
                          long double x, long double y);
void DrawSeasonalHumoralBlock(DrawingSurface& surface, DrawingTarget& dc, const ChartState& chart,
                              long double x, long double y);

// The planetary-hours column: computes the hour and the year rulers for the chart (which
// borrows and restores the chart's arrays) and prints the lines of the printed page.
void DrawPlanetaryHoursBlock(DrawingSurface& surface, DrawingTarget& dc, ChartState& chart,
                             long double x, long double y);
// The lines of that column, one under the other from (x, y), each in its colour.
void DrawPlanetaryHoursLines(DrawingSurface& surface, DrawingTarget& dc,
                             const std::vector<PageLine>& lines, long double x, long double y);

} // namespace exo
