// The chart sheets: their layouts, the affinity figures of the compact wheels, and the
// whole call sequences drawn on a recording device.
#include "graphics/ChartSheets.h"

#include "RecordingTarget.h"
#include "TestFolder.h"
#include "graphics/SheetPlacementKeys.h"
#include "platform/Errors.h"
#include "platform/TextFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

namespace exo {
namespace {

using test::RecordingTarget;

ChartState ChartWithAscendant(long double ascendant) {
    ChartState chart;
    for (int h = 1; h <= 12; ++h)
        chart.HouseCusp[static_cast<std::size_t>(h)] = std::fmod(ascendant + 30.0L * (h - 1), 360);
    return chart;
}

DrawingSurface PaperSurface() {
    DrawingSurface surface;
    surface.PageScale = 10;
    surface.FontBase = 37;
    surface.Printing = true;
    surface.PrinterPresent = true;
    return surface;
}

TEST(ChartSheets, LayoutNamesOrientationsAndStructure) {
    const struct {
        const char* name;
        std::int32_t layout;
        const char* orientation;
        bool structure;
    } cases[] = {
        {"V1", SheetLayout::Vertical1, "P", true},    {"V2", SheetLayout::Vertical2, "P", true},
        {"H1", SheetLayout::Horizontal1, "L", true},  {"H2", SheetLayout::Horizontal2, "L", false},
        {"v1", SheetLayout::Calibration, "L", false}, {"", SheetLayout::Calibration, "L", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SheetLayoutOfName(c.name), c.layout) << c.name;
        EXPECT_EQ(SheetOrientationOf(c.layout), c.orientation) << c.name;
        EXPECT_EQ(SheetPrintsStructure(c.layout), c.structure) << c.name;
    }
}

TEST(ChartSheets, ChordEndsStandOnWholeDegreesAndWholeUnits) {
    const LogicalPoint centre{100, 100};
    // Ascendant 100.4° rounds to 100°: Aries' midpoint (15°) lies 85° from the left end,
    // counter-clockwise on the page, so above and right of the left-hand point.
    const LogicalPoint aries = SignChordPoint(1, 100.4L, 40, centre);
    EXPECT_EQ(aries.x, std::round(100 - 40 * std::cos(85 * std::acos(-1.0L) / 180)));
    EXPECT_EQ(aries.y, std::round(100 - 40 * std::sin(85 * std::acos(-1.0L) / 180)));
    // 100.6° rounds to 101°: one degree further round.
    const LogicalPoint moved = SignChordPoint(1, 100.6L, 400, centre);
    const LogicalPoint unmoved = SignChordPoint(1, 100.4L, 400, centre);
    EXPECT_NE(moved.x, unmoved.x);
    // With the Ascendant at Libra's midpoint, Libra stands at the left end of the wheel.
    const LogicalPoint libra = SignChordPoint(7, 195, 40, centre);
    EXPECT_EQ(libra.x, 60);
    EXPECT_EQ(libra.y, 100);
    for (int sign = 1; sign <= 12; ++sign) {
        const LogicalPoint p = SignChordPoint(sign, 33.3L, 31.5L, centre);
        EXPECT_EQ(p.x, std::round(p.x));
        EXPECT_EQ(p.y, std::round(p.y));
    }
}

// The lines and dotted lines of a figure, each with its pen colour.
struct Chord {
    Colour colour;
    bool dotted;
};

std::vector<Chord> FigureChords(int figure, const DrawingSurface& surface) {
    DrawingSurface s = surface;
    RecordingTarget dc;
    const ChartState chart = ChartWithAscendant(0);
    DrawAffinityFigure(s, dc, chart, figure, 30, {100, 100});
    EXPECT_EQ(s.CurrentPen.created, 0u) << "the pen is released after each chord";
    std::vector<Chord> chords;
    for (const auto& e : dc.events) {
        if (e.kind == "line")
            chords.push_back({e.pen.colour, false});
        else if (e.kind == "ellipse" &&
                 (chords.empty() || !chords.back().dotted || chords.back().colour != e.pen.colour))
            chords.push_back({e.pen.colour, true});
    }
    return chords;
}

TEST(ChartSheets, EnergeticFigureHasSixSolidAndSixDottedChordsInThreeColours) {
    const DrawingSurface surface = PaperSurface();
    const std::vector<Chord> chords = FigureChords(1, surface);
    const Colour green = surface.PenOfCode(78).colour;
    const Colour red = surface.PenOfCode(79).colour;
    const Colour aqua = surface.PenOfCode(80).colour;
    const auto count = [&](Colour colour, bool dotted) {
        return std::count_if(chords.begin(), chords.end(), [&](const Chord& c) {
            return c.colour == colour && c.dotted == dotted;
        });
    };
    EXPECT_EQ(count(green, false), 2);
    EXPECT_EQ(count(red, false), 2);
    EXPECT_EQ(count(aqua, false), 2);
    EXPECT_GE(count(green, true), 1);
    EXPECT_GE(count(red, true), 1);
    EXPECT_GE(count(aqua, true), 1);
}

TEST(ChartSheets, SpecularFigureClosesThreeQuadrilaterals) {
    const DrawingSurface surface = PaperSurface();
    DrawingSurface s = surface;
    RecordingTarget dc;
    const ChartState chart = ChartWithAscendant(0);
    DrawAffinityFigure(s, dc, chart, 2, 30, {100, 100});
    std::vector<RecordingTarget::Event> moves = dc.ofKind("move");
    std::vector<RecordingTarget::Event> lines = dc.ofKind("line");
    ASSERT_EQ(lines.size(), 12u);
    // Each side ends where the next begins, and the fourth side returns to the first corner.
    for (int figure = 0; figure < 3; ++figure) {
        for (int side = 0; side < 4; ++side) {
            const auto& end = lines[static_cast<std::size_t>(figure * 4 + side)].box;
            const auto& nextStart =
                moves[static_cast<std::size_t>(figure * 4 + (side + 1) % 4)].box;
            EXPECT_EQ(end.left, nextStart.left) << figure << " " << side;
            EXPECT_EQ(end.top, nextStart.top) << figure << " " << side;
        }
    }
    EXPECT_EQ(lines[0].pen.colour, surface.PenOfCode(78).colour);
    EXPECT_EQ(lines[4].pen.colour, surface.PenOfCode(80).colour);
    EXPECT_EQ(lines[8].pen.colour, surface.PenOfCode(79).colour);
    RecordingTarget none;
    DrawAffinityFigure(s, none, chart, 3, 30, {100, 100});
    EXPECT_TRUE(none.events.empty());
}

} // namespace
} // namespace exo
