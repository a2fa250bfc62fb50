#pragma once
// The chart wheel drawn on the drawing surface: zodiac ring, planet ring, the two house
// rings, the axes, the aspect figures, the page footer and the date stamp. Every component
// takes its centre and radii as arguments, so the natal sheet and the analysis pages share
// them at their own sizes. Longitudes are placed with the Ascendant at the left and
// increase counter-clockwise on the page.
#include "analysis/Aspects.h"
#include "analysis/OrbSettings.h"
#include "chart/ChartState.h"
#include "graphics/DrawingSurface.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace exo {

struct WheelGeometry {
    std::int32_t CentreX = 0;
    std::int32_t CentreY = 0;
    std::int32_t ZodiacOuter = 0;
    std::int32_t ZodiacInner = 0;
    std::int32_t PlanetOuter = 0;
    std::int32_t PlanetInner = 0;
    std::int32_t HouseOuter = 0;
    std::int32_t HouseInner = 0;

    LogicalPoint Centre() const {
        return {static_cast<long double>(CentreX), static_cast<long double>(CentreY)};
    }
};
inline constexpr WheelGeometry kNatalWheelGeometry{173, 105, 67, 57, 57, 44, 44, 38};
inline constexpr WheelGeometry kAnalysisWheelGeometry{100, 100, 78, 65, 65, 50, 47, 39};

// The page point of longitude λ at radius R, the Ascendant A at the left: θ = A − λ.
LogicalPoint WheelPoint(long double longitude, long double radius, LogicalPoint centre,
                        long double ascendant);
// The page point of a wheel angle θ (already A − λ) at radius R.
LogicalPoint WheelAnglePoint(long double angle, long double radius, LogicalPoint centre);

// Display angles of crowded points: each angle (degrees, in point order) moved so that
// neighbours stand at least `spacing` apart, runs centred where there is room in front.
// The result is in point order and may lie outside 0 … 360.
std::vector<float> SpreadAngles(std::span<const float> angles, float spacing);

enum class RingVariant { Full, Compact };

// b the inner, c the outer radius; with decans a ring of decan rulers 5 units wide outside.
void DrawZodiacRing(DrawingSurface& surface, DrawingTarget& dc, const ChartState& chart,
                    const std::string& prefix, long double glyphSize, long double inner,
                    long double outer, LogicalPoint centre, bool decans);
// The planet of decan 1 … 36 (0°–10° Aries is decan 1), chart point numbers 1 … 7.
int DecanRuler(int decan);

// The first `count` chart points; the full variant with degree texts and rings around the
// symbols.
void DrawPlanetRing(DrawingSurface& surface, DrawingTarget& dc, const ChartState& chart, int count,
                    LogicalPoint centre, long double outer, long double inner, RingVariant variant);

// Houses centred on their cusps.
void DrawMeanHouseRing(DrawingSurface& surface, DrawingTarget& dc, const ChartState& chart,
                       LogicalPoint centre, long double outer, long double inner);
// Houses beginning at their cusps.
void DrawCuspRing(DrawingSurface& surface, DrawingTarget& dc, const ChartState& chart,
                  LogicalPoint centre, long double outer, long double inner);

// R is the radius of the Ascendant marks.
void DrawAxes(DrawingSurface& surface, DrawingTarget& dc, const ChartState& chart,
              LogicalPoint centre, long double radius, RingVariant variant);

// The aspects the wheel draws among the seven planets, the Ascendant (8) and the
// Midheaven (9); conjunctions are left out.
WheelAspects WheelAspectFigures(const ChartState& chart, const OrbTable& orbs);

// The tapered band between two page points, in device pixels: half-width
// 1 / (1.2 √max(e, 0.2)) narrowing to the end points over 8 units. The band's width is not
// stretched.
std::vector<DevicePoint> AspectSpindlePolygon(const DrawingSurface& surface, LogicalPoint first,
                                              LogicalPoint second, int exactness);
void DrawAspectSpindle(DrawingSurface& surface, DrawingTarget& dc, LogicalPoint first,
                       LogicalPoint second, int exactness);

// Style 1 draws lines, style 0 spindles.
void DrawAspectFigures(DrawingSurface& surface, DrawingTarget& dc, const ChartState& chart,
                       const OrbTable& orbs, int style, long double radius, LogicalPoint centre);

void DrawFooter(DrawingSurface& surface, DrawingTarget& dc, long double x, long double y);
// Today's date and the user's name, right-aligned at x.
void DrawDateStamp(DrawingSurface& surface, DrawingTarget& dc, const std::string& userName,
                   long double x, long double y);

} // namespace exo
