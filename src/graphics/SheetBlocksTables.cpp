// The two table blocks of the chart sheets: the archetypal structure, one framed column per
// strong, weak or receiving planet with the planets it rules stacked above its head, and
// the triangle of spherical distances between the points.
#include "graphics/SheetBlocks.h"

#include "analysis/Aspects.h"
#include "analysis/Dignities.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <string>

namespace exo {
namespace {

constexpr Colour kAquaText = 0xFFFF00;
constexpr Colour kRedText = 0x0000FF;
constexpr Colour kOrangeText = 0x4080FF;
constexpr Colour kGreyText = 0x808080;

// --- The archetypal structure ---------------------------------------------------------

constexpr long double kColumnStep = 13;
constexpr long double kSlotStep = 7;

bool IsStrength(int code) {
    return code == Domicile || code == Exaltation;
}
bool IsWeakness(int code) {
    return code == Exile || code == Fall;
}

int FramePen(int code) {
    return IsStrength(code) ? 5 : IsWeakness(code) ? 2 : 18;
}

Colour SlotColour(int code) {
    return IsStrength(code) ? kAquaText : IsWeakness(code) ? kRedText : kOrangeText;
}

// The printed sheets name the heads and the parents in their own short forms.
std::string HeadLabel(int code) {
    switch (code) {
    case Domicile:
        return "Domic.";
    case Exaltation:
        return "Exaltac";
    case Exile:
        return "Exilio";
    case Fall:
        return "Caida";
    default:
        return "Intercam";
    }
}

const std::string& PrintedParentCode(int planet) {
    static const std::array<std::string, kStructurePlanets + 1> codes = {
        "", "sol", "lun", "mer", "ven", "mar", "gio", "sat"};
    return codes.at(
        static_cast<std::size_t>(planet >= 1 && planet <= kStructurePlanets ? planet : 0));
}

std::size_t At(int index) {
    return static_cast<std::size_t>(index);
}

int FilledSlots(const ArchetypalStructure& structure, int column) {
    int filled = 0;
    for (int slot = 1; slot <= kStructureSlots; ++slot)
        filled += structure.StructurePlanet[At(column)][At(slot)] != 0 ? 1 : 0;
    return filled;
}

bool JoinedReception(const ArchetypalStructure& structure, int left, int right) {
    const int group = structure.ReceptionGroup[At(left)];
    return structure.DignityCode[At(left)] == Reception &&
           structure.DignityCode[At(right)] == Reception && group != NoReceptionGroup &&
           group == structure.ReceptionGroup[At(right)];
}

// Whether some planet stands in a sign of its dignity or debility.
bool AnyPlanetDignifiedBySign(const ChartState& chart) {
    for (int planet = 1; planet <= kStructurePlanets; ++planet) {
        const int sign = SignOfLongitude(std::fabs(chart.ChartLongitude[At(planet)]));
        if (DignityOf(planet, sign) != NoDignity)
            return true;
    }
    return false;
}

void ColumnFrame(DrawingSurface& surface, DrawingTarget& dc, int pen, long double cx, long double y,
                 int filled) {
    const long double top = y - kSlotStep * filled + 2;
    surface.SelectPen(dc, pen);
    surface.MoveToPoint(dc, cx - 8, top);
    surface.LineToPoint(dc, cx + 4, top);
    surface.LineToPoint(dc, cx + 4, y + 4);
    surface.LineToPoint(dc, cx - 8, y + 4);
    surface.LineToPoint(dc, cx - 8, top);
    surface.ReleasePen(dc);
}

// Two columns of one reception share their heads' box: the edges between them are covered
// with the background and short strokes close the box at the top and the bottom. The
// background is the page's even in black mode, where the surface would turn a black pen
// white on screen.
void JoinToPreviousColumn(DrawingSurface& surface, DrawingTarget& dc, long double cx,
                          long double y) {
    const bool screen = surface.OnScreen();
    const bool blackMode = surface.BlackMode;
    surface.BlackMode = false;
    surface.SelectPen(dc, screen ? 0 : 1);
    surface.SelectBrush(dc, screen ? kBlack : kWhite);
    surface.BlackMode = blackMode;
    surface.DrawRectangle(dc, cx - 9, y - 5, cx - 8, y + 3.9L);
    surface.ReleaseBrush(dc);
    surface.SelectPen(dc, 18);
    surface.DrawLine(dc, {cx - 8, y - 5}, {cx - 9.1L, y - 5});
    surface.DrawLine(dc, {cx - 7.5L, y + 4}, {cx - 10, y + 4});
    surface.ReleasePen(dc);
}

void ColumnSlots(DrawingSurface& surface, DrawingTarget& dc, const ArchetypalStructure& structure,
                 int column, long double cx, long double y) {
    const int code = structure.DignityCode[At(column)];
    for (int slot = 1; slot <= kStructureSlots; ++slot) {
        const int planet = structure.StructurePlanet[At(column)][At(slot)];
        if (planet == 0)
            continue;
        const long double slotY = y - kSlotStep * (slot - 1);
        const std::string level = std::to_string(structure.StructureLevel[At(column)][At(slot)]);
        surface.DrawPlanetSymbol(dc, planet, 5.5L, cx, slotY);
        SetBlockTextColour(surface, dc, SlotColour(code));
        if (slot == 1) {
            surface.TextLeft(dc, level, 2, cx - 6.5L, slotY - 2.5L);
        } else {
            surface.TextLeft(dc, level, 15, cx - 6, slotY - 4);
            surface.TextLeft(dc, PrintedParentCode(structure.StructureParent[At(column)][At(slot)]),
                             33, cx - 7.5L, slotY - 0.5L);
        }
    }
    SetBlockTextColour(surface, dc, SlotColour(code));
    surface.TextLeft(dc, HeadLabel(code), 1, code == Reception ? cx - 8 : cx - 7, y + 4.5L);
}

// --- The spherical distances ----------------------------------------------------------

// Five characters of font 33 take about 7.3 units; the cells give them a little room. The
// Sun's head has no cells above it and is only as wide as its symbol, so that the sheets
// fit the grid beside the wheel.
constexpr long double kCellWidth = 7.8L;
constexpr long double kCellHeight = 6;
constexpr long double kFirstHeadWidth = 5;
constexpr long double kUnderlineLength = 7.5L;

// Column j (2 … 11) of the triangle and row i (1 … 9) below the row of column heads; the
// symbol of row i stands in column position i, just left of the row's first cell.
struct DistanceLayout {
    long double x, y;
    long double left(int column) const {
        return column <= 1 ? x : x + kFirstHeadWidth + kCellWidth * (column - 2);
    }
    long double headX(int column) const {
        return column <= 1 ? x + kFirstHeadWidth / 2 : left(column) + kCellWidth / 2;
    }
    long double top(int row) const { return y + kCellHeight * row; }
};

void DistanceGridLines(DrawingSurface& surface, DrawingTarget& dc, const DistanceLayout& at) {
    surface.SelectRolePen(dc, 10);
    // The line above row r (r = 10: under row 9) starts at the first cell of row r − 1.
    for (int row = 1; row <= kGridRows + 1; ++row)
        surface.DrawLine(dc, {at.left(std::max(2, row)), at.top(row)},
                         {at.left(kGridColumns + 1), at.top(row)});
    // A column line goes down as far as the longer of the two columns beside it.
    for (int column = 2; column <= kGridColumns + 1; ++column)
        surface.DrawLine(dc, {at.left(column), at.top(1)},
                         {at.left(column), at.top(std::min(column - 1, kGridRows) + 1)});
}

// The underline pen of a cell: its class as the analysis grid colours it.
std::optional<int> UnderlinePen(const DistanceCell& cell) {
    if (cell.hard)
        return 79;
    if (cell.soft)
        return 80;
    if (cell.conjunction)
        return 78;
    return std::nullopt;
}

} // namespace

void DrawStructureBlock(DrawingSurface& surface, DrawingTarget& dc, const ChartState& chart,
                        const ArchetypalStructure& structure, long double x, long double y) {
    int columns = 0;
    for (int column = 1; column <= kStructurePlanets; ++column)
        columns += structure.DignityCode[At(column)] != NoDignity ? 1 : 0;
    const bool plain = columns == 0 && !AnyPlanetDignifiedBySign(chart);
    // A structure that shows no column for a chart with a planet in its dignity or
    // debility has nothing true to print, not even its title.
    if (columns == 0 && !plain)
        return;

    surface.SetTextRole(dc, 4);
    surface.TextLeft(dc, "ESTRUCTURA ARQUETIPAL", 2, x - 8, y - 53);
    if (plain) {
        surface.TextLeft(dc, "Ninguna Debilidad o Dignidad Planetary", 2, x - 8, y);
        surface.SetTextRole(dc, 0);
        return;
    }
    long double cx = x;
    int previous = 0;
    for (int column = 1; column <= kStructurePlanets; ++column) {
        const int code = structure.DignityCode[At(column)];
        if (code == NoDignity)
            continue;
        ColumnFrame(surface, dc, FramePen(code), cx, y, FilledSlots(structure, column));
        if (previous != 0 && JoinedReception(structure, previous, column))
            JoinToPreviousColumn(surface, dc, cx, y);
        ColumnSlots(surface, dc, structure, column, cx, y);
        previous = column;
        cx += kColumnStep;
    }
    surface.SetTextRole(dc, 0);
}

void DrawDistancesBlock(DrawingSurface& surface, DrawingTarget& dc, const ChartState& chart,
                        const OrbTable& orbs, long double x, long double y) {
    const DistanceLayout at{x, y};
    const DistanceGrid grid = SphericalDistanceCells(chart, orbs);

    // The title fills the empty corner under the diagonal.
    surface.SetTextRole(dc, 4);
    surface.TextLeft(dc, "DISTANCIAS", 15, x, at.top(7) - 4);
    surface.TextLeft(dc, "ESF\xC9RICAS", 15, x, at.top(7) + 0.5L);
    surface.SetTextRole(dc, 0);

    DistanceGridLines(surface, dc, at);
    for (int column = 2; column <= kGridColumns; ++column)
        surface.DrawPlanetSymbol(dc, column, 4.5L, at.headX(column), y + kCellHeight / 2);
    for (int row = 1; row <= kGridRows; ++row)
        surface.DrawPlanetSymbol(dc, row, 4.5L, at.headX(row), at.top(row) + kCellHeight / 2);

    for (int row = 1; row <= kGridRows; ++row) {
        for (int column = row + 1; column <= kGridColumns; ++column) {
            const DistanceCell& cell = grid[At(row - 1)][At(column - row - 1)];
            const long double left = at.left(column), top = at.top(row);
            SetBlockTextColour(surface, dc, kGreyText);
            surface.TextLeft(dc, cell.text.substr(0, 5), 33, left + 0.2L, top + 0.4L);
            if (const std::optional<int> pen = UnderlinePen(cell)) {
                surface.SelectPen(dc, *pen);
                const long double start = left + (kCellWidth - kUnderlineLength) / 2;
                surface.DrawLine(dc, {start, top + kCellHeight - 0.7L},
                                 {start + kUnderlineLength, top + kCellHeight - 0.7L});
            }
        }
    }
    surface.ReleasePen(dc);
    surface.SetTextRole(dc, 0);
}

} // namespace exo
