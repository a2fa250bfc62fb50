#include "graphics/ChartSheets.h"

#include "astro/PlanetaryHours.h"
#include "graphics/SheetBlocks.h"
#include "graphics/SheetPlacementKeys.h"

#include <array>

namespace exo {
namespace {

// A sheet scales the whole drawing by its own factor and moves the wheel centre; both come
// back when the sheet is done, whatever happens in between.
class SheetFrame {
  public:
    SheetFrame(DrawingSurface& surface, long double factor)
        : surface_(surface), zoom_(surface.Zoom) {
        surface_.Zoom = zoom_ * factor;
    }
    ~SheetFrame() { surface_.Zoom = zoom_; }
    SheetFrame(const SheetFrame&) = delete;
    SheetFrame& operator=(const SheetFrame&) = delete;

  private:
    DrawingSurface& surface_;
    long double zoom_;
};

WheelGeometry MovedCentre(WheelGeometry geometry, std::int32_t dx, std::int32_t dy) {
    geometry.CentreX += dx;
    geometry.CentreY += dy;
    return geometry;
}

std::string WeekdayOfBirth(const ChartState& chart) {
    PlanetaryHourState scratch;
    return WeekdayName(WeekdayOf(chart.JulianDay - chart.TimeCorrection / 24, scratch));
}

// " Calend. Giuliano" after the birth line of a Julian-calendar date.
std::string CalendarMark(const ChartState& chart) {
    return chart.GregorianCalendar ? std::string() : std::string(" Calend. Giuliano");
}

std::string BirthLine(const ChartState& chart, const std::string& prefix) {
    return prefix + WeekdayOfBirth(chart) + " " + chart.BirthDateText.str() + " (GMT" +
           chart.ZoneText.str() + ")" + CalendarMark(chart);
}

std::string LocalityLine(const ChartState& chart) {
    return chart.LocalityText.str() + " - " + chart.NationalityText.str();
}

// The header every sheet draws in one run: name, title, birth line, locality, coordinates,
// houses and node, the footer, the Julian Day and the date stamp.
struct SheetHeader {
    bool plainTextFirst = false; // text role 0 before the name
    const char* birthPrefix = "NACIMIENTO ";
    long double right = 230; // right edge of the title, houses and node
    std::string houses;
    long double housesY = 19.8L;
    std::string node;
    long double nodeY = 23.5L;
    LogicalPoint footer;
    LogicalPoint stamp;
};

void DrawSheetHeader(DrawingSurface& surface, DrawingTarget& dc, const ChartState& chart,
                     const NatalSheetState& state, const SheetHeader& h) {
    if (h.plainTextFirst)
        surface.SetTextRole(dc, 0);
    surface.TextLeft(dc, chart.SubjectName.str(), 4, 15, 15);
    surface.TextRight(dc, "TEMA DE NACIMIENTO", 3, h.right, 15);
    surface.TextLeft(dc, BirthLine(chart, h.birthPrefix), 2, 15, 25);
    surface.TextLeft(dc, LocalityLine(chart), 2, 15, 30);
    surface.TextLeft(dc, chart.CoordinatesText.str(), 2, 15, 35);
    surface.SetTextRole(dc, 4);
    surface.TextRight(dc, h.houses, 15, h.right, h.housesY);
    surface.TextRight(dc, h.node, 15, h.right, h.nodeY);
    DrawFooter(surface, dc, h.footer.x, h.footer.y);
    surface.TextLeft(dc, chart.JulianDayText.str(), 2, 15, 40);
    surface.SetTextRole(dc, 0);
    DrawDateStamp(surface, dc, state.UserDisplayName, h.stamp.x, h.stamp.y);
}

const char* const kMeanHouses = "DOMIFICACI\xD3N: CASAS MEDIANAS";

// Zodiac ring, planet ring, mean houses, aspect figures and axes of the first sheets.
void DrawFullWheel(DrawingSurface& surface, DrawingTarget& dc, const NatalSheetState& state,
                   const SheetInputs& in, const WheelGeometry& g) {
    const LogicalPoint centre = g.Centre();
    DrawZodiacRing(surface, dc, in.chart, "M", 7, g.ZodiacInner, g.ZodiacOuter, centre, true);
    DrawPlanetRing(surface, dc, in.chart, 9, centre, g.PlanetOuter, g.PlanetInner,
                   RingVariant::Full);
    DrawMeanHouseRing(surface, dc, in.chart, centre, g.HouseOuter - 3, g.HouseInner - 3);
    DrawAspectFigures(surface, dc, in.chart, in.orbs, state.AspectStyle, g.HouseInner - 3, centre);
    DrawAxes(surface, dc, in.chart, centre, g.ZodiacOuter + 5, RingVariant::Full);
}

void DrawVertical1(DrawingSurface& surface, DrawingTarget& dc, const NatalSheetState& state,
                   const SheetInputs& in) {
    const ChartState& chart = in.chart;
    WriteSheetPlacementKeys(chart);
    const SheetFrame frame(surface, 1.15L);
    const WheelGeometry g = MovedCentre(state.Geometry, -25, 18);
    DrawFullWheel(surface, dc, state, in, g);
    DrawDistancesBlock(surface, dc, chart, in.orbs, 15, 202);
    SheetHeader header;
    header.houses = "DOMIFICACI\xD3N: " + chart.HouseSystemName.str();
    header.node = "NODO: " + chart.NodeKind.str();
    header.footer = {190, 170};
    header.stamp = {225, 316};
    DrawSheetHeader(surface, dc, chart, state, header);
    DrawTermsBlock(surface, dc, 115, 220);
    DrawDodecatemoriaBlock(surface, dc, chart, 115, 275);
    DrawLatitudesBlock(surface, dc, chart, 205, 219);
    DrawLongitudesBlock(surface, dc, chart, 18, 115);
    DrawPlanetaryHoursBlock(surface, dc, in.chart, 16, 55);
    DrawStructureBlock(surface, dc, chart, in.structure, 25, 315);
    surface.SetTextRole(dc, 0);
    surface.TextLeft(dc,
                     "NOTA: en el gr\xE1"
                     "fico zodiacales no",
                     2, 165, 267.5L);
    surface.TextLeft(dc, "no son trazados los aspectos", 2, 165, 272.5L);
    surface.TextLeft(dc, "que implican los nodos lunares", 2, 165, 277.5L);
}

void DrawHorizontal1(DrawingSurface& surface, DrawingTarget& dc, const NatalSheetState& state,
                     const SheetInputs& in) {
    const ChartState& chart = in.chart;
    WriteSheetPlacementKeys(chart);
    const SheetFrame frame(surface, 1 / 1.22L);
    const WheelGeometry g = MovedCentre(state.Geometry, -5, -7);
    const long double c = g.CentreX;
    const long double d = g.CentreY;
    DrawFullWheel(surface, dc, state, in, g);
    DrawDistancesBlock(surface, dc, chart, in.orbs, 15, 105);
    SheetHeader header;
    header.birthPrefix = "NACIDO el ";
    header.right = c + 145;
    header.houses = kMeanHouses;
    header.housesY = 20.5L;
    header.node = "NODO " + chart.NodeKind.str();
    header.nodeY = 25;
    header.footer = {c - 60, d - 21};
    header.stamp = {c - 10, d + 120};
    DrawSheetHeader(surface, dc, chart, state, header);
    DrawDodecatemoriaBlock(surface, dc, chart, 265, 90);
    DrawTermsBlock(surface, dc, 243, 150);
    DrawLatitudesBlock(surface, dc, chart, 18, 65);
    DrawRelativeLongitudesBlock(surface, dc, chart, 165, 210);
    DrawStructureBlock(surface, dc, chart, in.structure, 25, 218);
    DrawPlanetaryHoursBlock(surface, dc, in.chart, 263, 35);
    surface.SetTextRole(dc, 0);
    surface.TextCentre(dc,
                       "NOTA: en el gr\xE1"
                       "fico zodiacales no son trazados los aspectos",
                       15, 170, 185);
    surface.TextCentre(dc, "que implican los Nodos Lunares", 15, 170, 190);
}

struct WebAnchors {
    std::array<LogicalPoint, 4> at; // elemental web, its humours, seasonal web, its humours
};

void DrawWebs(DrawingSurface& surface, DrawingTarget& dc, const ChartState& chart,
              const WebAnchors& anchors) {
    DrawElementalWebBlock(surface, dc, chart, anchors.at[0].x, anchors.at[0].y);
    DrawElementalHumoralBlock(surface, dc, chart, anchors.at[1].x, anchors.at[1].y);
    DrawSeasonalWebBlock(surface, dc, chart, anchors.at[2].x, anchors.at[2].y);
    DrawSeasonalHumoralBlock(surface, dc, chart, anchors.at[3].x, anchors.at[3].y);
}

void DrawVertical2(DrawingSurface& surface, DrawingTarget& dc, const NatalSheetState& state,
                   const SheetInputs& in) {
    const ChartState& chart = in.chart;
    const SheetFrame frame(surface, 1.15L);
    SheetHeader header;
    header.plainTextFirst = true;
    header.houses = "DOMIFICATION: " + chart.HouseSystemName.str();
    header.node = "NODO: " + chart.NodeKind.str();
    header.footer = {190, 35};
    header.stamp = {225, 181};
    DrawSheetHeader(surface, dc, chart, state, header);
    DrawCompactWheel(surface, dc, chart, MovedCentre(state.Geometry, -12, 0), 1);
    surface.SetTextRole(dc, 0);
    surface.TextRight(dc, "AFINIDAD' ENERG\xC9TICA", 15, 113, 52);
    surface.TextRight(dc, "(Magn\xE9ticas y Soli-lunares)", 15, 111, 57);
    DrawCompactWheel(surface, dc, chart, MovedCentre(state.Geometry, -12, 150), 2);
    surface.TextRight(dc, "AFINIDADES' ESPECULARES", 15, 113, 202);
    surface.TextRight(dc, "(por Antiscia y Contrantiscia)", 15, 111, 207);
    DrawWebs(surface, dc, chart, {{{{46, 95}, {50, 160}, {46, 233}, {50, 300}}}});
}

void DrawHorizontal2(DrawingSurface& surface, DrawingTarget& dc, const NatalSheetState& state,
                     const SheetInputs& in) {
    const ChartState& chart = in.chart;
    const SheetFrame frame(surface, 1 / 1.32L);
    const WheelGeometry& g = state.Geometry;
    const long double c = g.CentreX;
    const long double d = g.CentreY;
    SheetHeader header;
    header.plainTextFirst = true;
    header.birthPrefix = "NACIDO el ";
    header.right = c + 165;
    header.houses = kMeanHouses;
    header.housesY = 20.5L;
    header.node = "NODO " + chart.NodeKind.str();
    header.nodeY = 25;
    header.footer = {c - 10, d - 220};
    header.stamp = {c + 40, d - 75};
    DrawSheetHeader(surface, dc, chart, state, header);
    DrawCompactWheel(surface, dc, chart, MovedCentre(g, -60, 5), 1);
    surface.SetTextRole(dc, 0);
    surface.TextLeft(dc, "AFINIDADES ENERG\xC9TICAS", 15, 15, 60);
    surface.TextLeft(dc, "(Magn\xE9ticas y Soli-lunares)", 15, 15, 65);
    DrawCompactWheel(surface, dc, chart, MovedCentre(g, 100, 5), 2);
    surface.TextLeft(dc, "AFINIDADES ESPECULARES", 15, 175, 60);
    surface.TextLeft(dc, "(por antiscia y Contrantiscia)", 15, 175, 65);
    DrawWebs(surface, dc, chart, {{{{50, 215}, {130, 215}, {230, 210}, {305, 215}}}});
}

enum class ChordKind { Solid, Dotted };

struct SignChord {
    int pen;
    ChordKind kind;
    int from, to;
};

namespace Sign {
enum : int {
    Aries = 1,
    Taurus,
    Gemini,
    Cancer,
    Leo,
    Virgo,
    Libra,
    Scorpio,
    Sagittarius,
    Capricorn,
    Aquarius,
    Pisces
};
}

// The energetic affinities: magnetic pairs solid, soli-lunar pairs dotted.
constexpr std::array<SignChord, 12> kEnergeticChords = {{
    {78, ChordKind::Solid, Sign::Aries, Sign::Libra},
    {78, ChordKind::Solid, Sign::Taurus, Sign::Scorpio},
    {79, ChordKind::Solid, Sign::Virgo, Sign::Pisces},
    {79, ChordKind::Solid, Sign::Gemini, Sign::Leo},
    {80, ChordKind::Solid, Sign::Sagittarius, Sign::Aquarius},
    {80, ChordKind::Solid, Sign::Cancer, Sign::Capricorn},
    {80, ChordKind::Dotted, Sign::Cancer, Sign::Aquarius},
    {80, ChordKind::Dotted, Sign::Sagittarius, Sign::Capricorn},
    {79, ChordKind::Dotted, Sign::Gemini, Sign::Pisces},
    {79, ChordKind::Dotted, Sign::Leo, Sign::Virgo},
    {78, ChordKind::Dotted, Sign::Aries, Sign::Taurus},
    {78, ChordKind::Dotted, Sign::Libra, Sign::Scorpio},
}};

struct SignQuadrilateral {
    int pen;
    std::array<int, 4> signs;
};

// The specular affinities by antiscia and contrantiscia, each closed on its first sign.
constexpr std::array<SignQuadrilateral, 3> kSpecularFigures = {{
    {78, {Sign::Aries, Sign::Pisces, Sign::Libra, Sign::Virgo}},
    {80, {Sign::Gemini, Sign::Cancer, Sign::Sagittarius, Sign::Capricorn}},
    {79, {Sign::Leo, Sign::Scorpio, Sign::Aquarius, Sign::Taurus}},
}};

void DrawSignChord(DrawingSurface& surface, DrawingTarget& dc, const SignChord& chord,
                   long double ascendant, long double radius, LogicalPoint centre) {
    const LogicalPoint a = SignChordPoint(chord.from, ascendant, radius, centre);
    const LogicalPoint b = SignChordPoint(chord.to, ascendant, radius, centre);
    surface.SelectPen(dc, chord.pen);
    if (chord.kind == ChordKind::Solid) {
        surface.DrawLine(dc, a, b);
    } else {
        surface.DrawFineDottedLine(dc, a, b);
    }
    surface.ReleasePen(dc);
}

} // namespace

NatalSheetState& GlobalNatalSheet() {
    static NatalSheetState state;
    return state;
}

std::int32_t SheetLayoutOfName(const std::string& name) {
    if (name == "V1")
        return SheetLayout::Vertical1;
    if (name == "V2")
        return SheetLayout::Vertical2;
    if (name == "H1")
        return SheetLayout::Horizontal1;
    if (name == "H2")
        return SheetLayout::Horizontal2;
    return SheetLayout::Calibration;
}

std::string SheetOrientationOf(std::int32_t layout) {
    return layout == SheetLayout::Vertical1 || layout == SheetLayout::Vertical2 ? "P" : "L";
}

bool SheetPrintsStructure(std::int32_t layout) {
    return layout == SheetLayout::Vertical1 || layout == SheetLayout::Horizontal1 ||
           layout == SheetLayout::Vertical2;
}

LogicalPoint SignChordPoint(int sign, long double ascendant, long double radius,
                            LogicalPoint centre) {
    const long double midpoint = 30.0L * sign - 15;
    const long double angle = RoundHalfEven(ascendant) - RoundHalfEven(midpoint) + 360;
    const LogicalPoint p = WheelAnglePoint(angle, radius, centre);
    return {static_cast<long double>(RoundHalfEven(p.x)),
            static_cast<long double>(RoundHalfEven(p.y))};
}

void DrawAffinityFigure(DrawingSurface& surface, DrawingTarget& dc, const ChartState& chart,
                        int figure, long double radius, LogicalPoint centre) {
    const long double ascendant = chart.HouseCusp[1];
    if (figure == 1) {
        for (const SignChord& chord : kEnergeticChords)
            DrawSignChord(surface, dc, chord, ascendant, radius, centre);
    } else if (figure == 2) {
        for (const SignQuadrilateral& figureSides : kSpecularFigures)
            for (std::size_t i = 0; i < figureSides.signs.size(); ++i)
                DrawSignChord(surface, dc,
                              {figureSides.pen, ChordKind::Solid, figureSides.signs[i],
                               figureSides.signs[(i + 1) % figureSides.signs.size()]},
                              ascendant, radius, centre);
    }
}

void DrawCompactWheel(DrawingSurface& surface, DrawingTarget& dc, const ChartState& chart,
                      const WheelGeometry& g, int figure) {
    const LogicalPoint centre = g.Centre();
    DrawZodiacRing(surface, dc, chart, "M", 7, g.ZodiacInner - 2, g.ZodiacOuter - 2, centre, false);
    DrawPlanetRing(surface, dc, chart, 9, centre, g.PlanetOuter - 2, g.PlanetInner,
                   RingVariant::Compact);
    DrawMeanHouseRing(surface, dc, chart, centre, g.HouseOuter - 3, g.HouseInner - 3);
    DrawAxes(surface, dc, chart, centre, g.ZodiacOuter - 2, RingVariant::Compact);
    DrawAffinityFigure(surface, dc, chart, figure, g.HouseInner - 3.5L, centre);
}

void DrawSheet(DrawingSurface& surface, DrawingTarget& dc, const NatalSheetState& state,
               const SheetInputs& inputs) {
    switch (state.SummaryLayout) {
    case SheetLayout::Vertical1:
        DrawVertical1(surface, dc, state, inputs);
        break;
    case SheetLayout::Vertical2:
        DrawVertical2(surface, dc, state, inputs);
        break;
    case SheetLayout::Horizontal1:
        DrawHorizontal1(surface, dc, state, inputs);
        break;
    case SheetLayout::Horizontal2:
        DrawHorizontal2(surface, dc, state, inputs);
        break;
    default:
        break;
    }
}

SheetInputs CurrentSheetInputs() {
    return {GlobalChart(), GlobalOrbSettings().ActiveOrbs, GlobalArchetypalStructure()};
}

void PrepareSheet(NatalSheetState& state, std::int32_t layout, ChartState& chart,
                  const std::string& userDisplayName) {
    if (SheetPrintsStructure(layout))
        BuildArchetypalStructure(chart);
    chart.SavedLatitude = chart.ChartLatitude;
    state.SummaryLayout = layout;
    state.SummaryOrientation = SheetOrientationOf(layout);
    state.Geometry = kNatalWheelGeometry;
    state.UserDisplayName = userDisplayName;
}

void DrawCurrentSheet(DrawingSurface& surface, DrawingTarget& dc, const NatalSheetState& state,
                      const SheetInputs& inputs, bool printerLandscape) {
    inputs.chart.ChartLatitude = inputs.chart.SavedLatitude;
    DrawSheet(surface, dc, state, inputs);
    surface.DrawPageFrame(dc, printerLandscape);
    // The target is gone once the caller's drawing ends.
    surface.ReleasePen(dc);
    surface.ReleaseBrush(dc);
    surface.ReleaseFont(dc);
}

} // namespace exo
