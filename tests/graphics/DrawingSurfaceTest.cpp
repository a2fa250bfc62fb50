#include "graphics/DrawingSurface.h"

#include "RecordingTarget.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace exo {
namespace {

using test::RecordingTarget;

DrawingSurface ScreenSurface() {
    DrawingSurface surface;
    SetScreenScale(1920, 1080, surface); // PageScale 1080 / 210
    return surface;
}

TEST(DrawingSurface, TransformDividesByStretchScalesRoundsHalfEvenThenAddsOffset) {
    struct Case {
        long double scale, zoom, stretchH, stretchV;
        int offsetX, offsetY;
        long double x, y;
        int deviceX, deviceY;
    };
    const Case cases[] = {
        {2, 1, 1, 1, 0, 0, 1.25L, 1.75L, 2, 4},     // 2.5 → 2, 3.5 → 4
        {2, 1, 1, 1, 0, 0, -1.25L, -1.75L, -2, -4}, // halves to even below zero too
        {4, 1, 2, 1, 0, 0, 10, 10, 20, 40},         // horizontal stretch halves x only
        {4, 1, 1, 4, 7, -3, 10, 10, 47, 7},         // the offsets are not scaled
        {4, 0.5L, 1, 1, 0, 0, 10, 10, 20, 20},      {4, 1.15L, 1, 1, 0, 0, 100, 50, 460, 230},
    };
    for (const Case& c : cases) {
        DrawingSurface s;
        s.PageScale = c.scale;
        s.Zoom = c.zoom;
        s.StretchH = c.stretchH;
        s.StretchV = c.stretchV;
        s.OffsetX = c.offsetX;
        s.OffsetY = c.offsetY;
        EXPECT_EQ(s.ToDeviceX(c.x), c.deviceX) << double(c.x);
        EXPECT_EQ(s.ToDeviceY(c.y), c.deviceY) << double(c.y);
    }
}

TEST(DrawingSurface, RoundingHoldsHugeValuesAtTheLimits) {
    EXPECT_EQ(RoundHalfEven(0.5L), 0);
    EXPECT_EQ(RoundHalfEven(1.5L), 2);
    EXPECT_EQ(RoundHalfEven(1e30L), 2147483647);
    EXPECT_EQ(RoundHalfEven(-1e30L), -2147483647 - 1);
    EXPECT_EQ(RoundHalfEven(std::nanl("")), 0);
}

TEST(DrawingSurface, TargetFollowsTheFlags) {
    RecordingTarget window, printer, metafile;
    DrawingSurface s;
    s.ActiveChartWindow = &window;
    s.PrinterCanvas = &printer;
    s.MetafileCanvas = &metafile;
    EXPECT_EQ(s.Target(), &window);
    s.MetafileOutput = true;
    EXPECT_EQ(s.Target(), &metafile);
    s.MetafileOutput = false;
    s.Printing = true;
    EXPECT_EQ(s.Target(), nullptr) << "no printer answered";
    s.PrinterPresent = true;
    EXPECT_EQ(s.Target(), &printer);
}

// Every code of the pen table, at PageScale 8, Zoom 2 and line factor 1.
TEST(DrawingSurface, PenTable) {
    struct Case {
        int code;
        Colour colour;
        int width;
        PenStyle style = PenStyle::Solid;
    };
    const PenStyle dash = PenStyle::Dash;
    const Case cases[] = {
        {0, 0x000000, 2},        {1, 0xFFFFFF, 2},        {2, 0x0000FF, 2},   {3, 0x00FF00, 2},
        {4, 0xFF0000, 2},        {5, 0xFFFF00, 2},        {6, 0xFF00FF, 2},   {7, 0x00FFFF, 2},
        {8, 0x454545, 2},        {9, 0x808080, 2},        {10, 0x000000, 1},  {11, 0xFF0000, 1},
        {12, 0x0000FF, 1, dash}, {13, 0x0000FF, 1},       {14, 0x00FF00, 1},  {15, 0xFF0000, 1},
        {16, 0xFF00FF, 1},       {17, 0xFFFFFF, 1},       {18, 0x4080FF, 1},  {22, 0x0000FF, 6},
        {25, 0xFFFF00, 1},       {26, 0xFF00FF, 1, dash}, {33, 0xFFFF00, 6},  {58, 0x00FF00, 32},
        {59, 0x00FF00, 16},      {60, 0xFFFF00, 16},      {61, 0xFF0000, 16}, {62, 0xFFFFFF, 16},
        {63, 0x000000, 5},       {64, 0x0000FF, 16},      {71, 0xFF0000, 4},  {74, 0x0000FF, 4},
        {75, 0xFFFF00, 4},       {76, 0x00FFFF, 4},       {77, 0x00FFFF, 6},  {78, 0x24C8C4, 3},
        {79, 0x0000FF, 3},       {80, 0xFFFF00, 3},       {19, 0x000000, 1},  {-1, 0x000000, 1},
        {999, 0x000000, 1},
    };
    DrawingSurface s;
    s.PageScale = 8;
    s.Zoom = 2;
    for (const Case& c : cases) {
        const PenInfo pen = s.PenOfCode(c.code);
        EXPECT_EQ(pen.colour, c.colour) << c.code;
        EXPECT_EQ(pen.width, c.width) << c.code;
        EXPECT_EQ(pen.style, c.style) << c.code;
    }
}

TEST(DrawingSurface, PenWidthIsRoundedAfterTheLineFactor) {
    DrawingSurface s = ScreenSurface(); // PageScale 5.142857
    struct Case {
        long double lineFactor, zoom;
        int code, width;
    };
    const Case cases[] = {
        {1, 1, 0, 1},      // 1.29
        {2.5L, 1, 0, 3},   // 3.21
        {1, 1, 10, 1},     // 0.64
        {0.5L, 1, 10, 0},  // 0.32: the device's one-pixel pen
        {1, 1, 22, 4},     // 4.11
        {1, 1.5L, 58, 15}, // 15.43: the zoomed pens follow the zoom
        {1, 1.5L, 22, 4},  // the others do not
        {3, 1, 63, 10},    // 10.29
    };
    for (const Case& c : cases) {
        s.LineFactor = c.lineFactor;
        s.Zoom = c.zoom;
        EXPECT_EQ(s.PenOfCode(c.code).width, c.width) << c.code << " × " << double(c.lineFactor);
    }
}

TEST(DrawingSurface, BlackModeTurnsColoursBlackOnPaperAndWhiteOnScreen) {
    DrawingSurface s = ScreenSurface();
    s.BlackMode = true;
    EXPECT_EQ(s.PenOfCode(79).colour, kWhite) << "red aspect line on screen";
    EXPECT_EQ(s.PenOfCode(1).colour, kWhite);
    s.Printing = true;
    EXPECT_EQ(s.PenOfCode(79).colour, kBlack) << "on paper";
    EXPECT_EQ(s.PenOfCode(1).colour, kWhite) << "a white pen stays white";
    s.Printing = false;
    s.MetafileOutput = true;
    EXPECT_EQ(s.PenOfCode(5).colour, kBlack);

    RecordingTarget dc;
    s.SelectBrush(dc, 0xFFFF00);
    EXPECT_EQ(dc.objects.at(dc.selected[RecordingTarget::Brush]).brush, kBlack);
    s.SelectBrush(dc, kWhite);
    EXPECT_EQ(dc.objects.at(dc.selected[RecordingTarget::Brush]).brush, kWhite);
    s.ReleaseBrush(dc);

    s.BlackMode = false;
    EXPECT_EQ(s.PenOfCode(79).colour, 0x0000FFu);
}

TEST(DrawingSurface, RolePensDependOnTheTarget) {
    struct Case {
        int role;
        std::optional<int> screen, paper;
    };
    const Case cases[] = {{0, 1, 0}, {4, 5, 4}, {10, 17, 10}, {2, 7, {}}, {7, 2, {}}, {3, {}, {}}};
    for (const Case& c : cases) {
        DrawingSurface s;
        EXPECT_EQ(s.PenCodeOfRole(c.role), c.screen) << c.role;
        s.Printing = true;
        EXPECT_EQ(s.PenCodeOfRole(c.role), c.paper) << c.role;
    }

    DrawingSurface s = ScreenSurface();
    s.MetafileOutput = true;
    RecordingTarget dc;
    s.SelectPen(dc, 14);
    s.SelectRolePen(dc, 7);
    ASSERT_NE(dc.selectedPen(), nullptr);
    EXPECT_EQ(dc.selectedPen()->colour, 0x00FF00u) << "the previous pen stays in use";
}

TEST(DrawingSurface, SelectAndReleaseRestoreTheCallersObjects) {
    DrawingSurface s = ScreenSurface();
    RecordingTarget dc;
    const ObjectHandle callersPen = dc.selected[RecordingTarget::Pen];
    s.SelectPen(dc, 2);
    s.SelectPen(dc, 3); // the pen 2 is released first
    EXPECT_EQ(dc.createdAlive(), 1u);
    s.ReleasePen(dc);
    EXPECT_EQ(dc.selected[RecordingTarget::Pen], callersPen);
    s.ReleasePen(dc); // nothing left to release
    EXPECT_EQ(dc.selected[RecordingTarget::Pen], callersPen);

    const ObjectHandle callersBrush = dc.selected[RecordingTarget::Brush];
    s.SelectBrush(dc, 0x0000FF);
    s.SelectBrush(dc, 0xFF0000);
    s.ReleaseBrush(dc);
    EXPECT_EQ(dc.selected[RecordingTarget::Brush], callersBrush);

    const ObjectHandle callersFont = dc.selected[RecordingTarget::Font];
    s.SelectFont(dc, 1);
    s.SelectFont(dc, 2);
    s.ReleaseFont(dc);
    EXPECT_EQ(dc.selected[RecordingTarget::Font], callersFont);
    EXPECT_EQ(dc.createdAlive(), 0u);
}

TEST(DrawingSurface, APenLeftOnAFinishedPaintIsForgotten) {
    DrawingSurface s = ScreenSurface();
    {
        RecordingTarget finished;
        s.SelectRolePen(finished, 10); // left selected, as the house rings leave it
    }
    RecordingTarget next;
    const ObjectHandle callersPen = next.selected[RecordingTarget::Pen];
    s.SelectPen(next, 2);
    ASSERT_NE(next.selectedPen(), nullptr);
    EXPECT_EQ(next.selectedPen()->colour, 0x0000FFu);
    s.ReleasePen(next);
    EXPECT_EQ(next.selected[RecordingTarget::Pen], callersPen);
}

TEST(DrawingSurface, FontHeightsAndFaces) {
    DrawingSurface s = ScreenSurface(); // FontBase 19.0286
    struct Case {
        int code;
        const char* face;
        int atZoom1, atZoom115; // Round(FontBase × 30 × Zoom) div N: 571 and 656
        bool italic = false;
        int width = 0, orientation = 0;
    };
    const Case cases[] = {
        {0, "Arial", 15, 17},
        {33, "Arial", 17, 19},
        {1, "Arial", 19, 21},
        {15, "Arial", 21, 24},
        {16, "Arial", 21, 24, true, 10},
        {18, "Arial", 27, 31},
        {2, "Arial", 24, 28},
        {21, "Courier", 28, 32, false, 0, 1000},
        {22, "Courier", 25, 29, false, 0, 1000},
        {3, "Arial", 28, 32},
        {4, "Arial", 35, 41},
        {5, "Arial", 47, 54},
    };
    for (const Case& c : cases) {
        s.Zoom = 1;
        const std::optional<FontInfo> font = s.FontOfCode(c.code);
        ASSERT_TRUE(font) << c.code;
        EXPECT_EQ(font->face, c.face);
        EXPECT_EQ(font->height, c.atZoom1) << c.code;
        EXPECT_EQ(font->italic, c.italic);
        EXPECT_EQ(font->width, c.width);
        EXPECT_EQ(font->orientation, c.orientation);
        EXPECT_EQ(font->escapement, 0);
        EXPECT_EQ(font->weight, 10);
        EXPECT_EQ(font->quality, 2);
        s.Zoom = 1.15L;
        EXPECT_EQ(s.FontOfCode(c.code)->height, c.atZoom115) << c.code;
    }
    EXPECT_FALSE(s.FontOfCode(6));
    EXPECT_FALSE(s.FontOfCode(-1));
}

TEST(DrawingSurface, TextSelectsItsFontOnlyForTheText) {
    DrawingSurface s = ScreenSurface();
    s.PageScale = 4;
    RecordingTarget dc;
    s.TextCentre(dc, "AS", 4, 10, 20);
    const auto texts = dc.ofKind("text");
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].box.left, 40);
    EXPECT_EQ(texts[0].box.top, 80);
    EXPECT_EQ(texts[0].align, TextAlign::Centre);
    ASSERT_TRUE(texts[0].font);
    EXPECT_EQ(texts[0].font->height, 35);
    EXPECT_EQ(dc.createdAlive(), 0u) << "the font is deleted afterwards";

    // A code outside the table writes in whatever font is selected, and that font stays.
    s.SelectFont(dc, 1);
    s.TextRight(dc, "x", 6, 0, 0);
    EXPECT_EQ(dc.ofKind("text").back().font->height, 19);
    EXPECT_EQ(dc.ofKind("text").back().align, TextAlign::Right);
    EXPECT_EQ(dc.createdAlive(), 1u);
    s.ReleaseFont(dc);
}

TEST(DrawingSurface, TextRolesAndBlackModeFonts) {
    DrawingSurface s = ScreenSurface();
    RecordingTarget dc;
    s.SetTextRole(dc, 4);
    EXPECT_EQ(dc.textColour(), 0xFFFF00u);
    s.SetTextRole(dc, 0);
    EXPECT_EQ(dc.textColour(), kWhite);
    dc.setTextColour(0x0000FF);
    s.SetTextRole(dc, 3); // changes nothing
    EXPECT_EQ(dc.textColour(), 0x0000FFu);
    s.TextLeft(dc, "r", 0, 0, 0);
    EXPECT_EQ(dc.ofKind("text").back().textColour, 0x0000FFu) << "colour mode keeps red";

    s.BlackMode = true;
    s.TextLeft(dc, "r", 0, 0, 0);
    EXPECT_EQ(dc.ofKind("text").back().textColour, kWhite);
    s.Printing = true;
    dc.setTextColour(0x0000FF);
    s.SelectFont(dc, 99); // no font, but the role still applies
    EXPECT_EQ(dc.textColour(), kBlack);
    s.SetTextRole(dc, 4);
    EXPECT_EQ(dc.textColour(), 0xFF0000u) << "roles are unchanged in black mode";
}

TEST(DrawingSurface, CircleIsAnArcOnScreenAtZoomOneAndA72GonOtherwise) {
    DrawingSurface s;
    s.PageScale = 10;
    {
        RecordingTarget dc;
        s.DrawCircle(dc, 5, 20, 30);
        ASSERT_EQ(dc.events.size(), 1u);
        const auto& arc = dc.events[0];
        EXPECT_EQ(arc.kind, "arc");
        EXPECT_EQ(arc.box, (DeviceRect{150, 250, 250, 350}));
        EXPECT_EQ(arc.start, arc.end);
    }
    const auto polygonCircle = [&](DrawingSurface& surface) {
        RecordingTarget dc;
        surface.DrawCircle(dc, 5, 20, 30);
        EXPECT_EQ(dc.ofKind("arc").size(), 0u);
        const auto lines = dc.ofKind("line");
        ASSERT_EQ(dc.events.front().kind, "move");
        EXPECT_EQ(dc.events.front().box.left, RoundHalfEven(20 * surface.PageScale * surface.Zoom));
        EXPECT_EQ(dc.events.front().box.top, RoundHalfEven(25 * surface.PageScale * surface.Zoom));
        ASSERT_EQ(lines.size(), 72u);
        // Clockwise from the top: the first step goes right and down.
        EXPECT_GT(lines[0].box.left, dc.events.front().box.left);
        EXPECT_GT(lines[17].box.top, lines[0].box.top);
        EXPECT_EQ(lines[17].box.left, RoundHalfEven(25 * surface.PageScale * surface.Zoom));
        EXPECT_EQ(lines.back().box.left, dc.events.front().box.left);
        EXPECT_EQ(lines.back().box.top, dc.events.front().box.top);
    };
    s.Zoom = 1.15L;
    polygonCircle(s);
    s.Zoom = 1;
    s.Printing = true;
    polygonCircle(s);
    s.Printing = false;
    s.MetafileOutput = true;
    polygonCircle(s);
}

TEST(DrawingSurface, StretchNarrowsCirclesAndSymbolCentresButNotSymbolSquares) {
    DrawingSurface s;
    s.PageScale = 10;
    s.StretchH = 2;
    RecordingTarget dc;
    s.DrawCircle(dc, 5, 20, 30);
    EXPECT_EQ(dc.events.at(0).box, (DeviceRect{75, 250, 125, 350}));
    EXPECT_EQ(s.SymbolSquare(4, 20, 30), (DeviceRect{80, 280, 120, 320}));
}

TEST(DrawingSurface, DashedLineHasFifteenDashesOverTheWholeLine) {
    DrawingSurface s;
    s.PageScale = 1;
    RecordingTarget dc;
    s.DrawDashedLine(dc, {0, 0}, {440, 44});
    const auto moves = dc.ofKind("move"), lines = dc.ofKind("line");
    ASSERT_EQ(moves.size(), 15u);
    ASSERT_EQ(lines.size(), 15u);
    EXPECT_EQ(moves[0].box.left, 0);
    EXPECT_EQ(lines[0].box.left, 20);
    EXPECT_EQ(moves[1].box.left, 30);
    EXPECT_EQ(moves[14].box.left, 420);
    EXPECT_EQ(lines[14].box.left, 440);
    EXPECT_EQ(lines[14].box.top, 44);
}

TEST(DrawingSurface, DottedLinesPlaceRoundedCountsOfDots) {
    DrawingSurface s;
    s.PageScale = 10;
    RecordingTarget dc;
    s.DrawDottedLine(dc, {0, 0}, {10, 0}); // 6 dots, 1.76 units apart
    auto dots = dc.ofKind("ellipse");
    ASSERT_EQ(dots.size(), 6u);
    EXPECT_EQ(dots[0].box, (DeviceRect{-5, -5, 5, 5}));
    const long double step = 3.0L / 17 * 10;
    EXPECT_EQ(dots[5].box.left, RoundHalfEven((5 * step - 0.5L) * 10));

    dc.events.clear();
    s.DrawFineDottedLine(dc, {0, 0}, {0, 10});
    dots = dc.ofKind("ellipse");
    ASSERT_EQ(dots.size(), 6u);
    EXPECT_EQ(dots[0].box, (DeviceRect{-3, -3, 3, 3}));

    dc.events.clear();
    s.DrawDottedLine(dc, {0, 0}, {0.7L, 0}); // 0.42 rounds to no dot
    EXPECT_TRUE(dc.events.empty());

    dc.events.clear();
    s.DrawDottedLine(dc, {0, 0}, {500, 0}); // 300 dots: the count is not cut to a byte
    EXPECT_EQ(dc.ofKind("ellipse").size(), 300u);
}

TEST(DrawingSurface, SymbolFileNames) {
    struct Case {
        std::string made, expected;
    };
    const Case cases[] = {
        {PlanetSymbolFile(1, false, true), "Simboli\\PiaX01.emf"},
        {PlanetSymbolFile(7, false, true), "Simboli\\PiaX07.emf"},
        {PlanetSymbolFile(8, false, true), "Simboli\\PiaX11.emf"},
        {PlanetSymbolFile(9, true, true), "Simboli\\PiaXB13.emf"},
        {PlanetSymbolFile(10, true, false), "Simboli\\PiaXN14.emf"},
        {PlanetSymbolFile(11, false, false), "Simboli\\PiaX15.emf"},
        {PlanetSymbolFile(12, false, false), "Simboli\\PiaX12.emf"},
        {SignSymbolFile(1, "A", false, true), "Zodiaco\\SegA01.emf"},
        {SignSymbolFile(12, "A", true, true), "Zodiaco\\SegAB12.emf"},
        {SignSymbolFile(5, "A", true, false), "Zodiaco\\SegAN05.emf"},
        {ElementSymbolFile(1, false, true), "Simboli\\ElFuo1.emf"},
        {ElementSymbolFile(4, true, true), "Simboli\\ElAcq1B.emf"},
        {ElementSymbolFile(7, true, false), "Simboli\\ElMer2N.emf"},
        {ElementSymbolFile(6, false, false), "Simboli\\ElZol2.emf"},
        {ElementSymbolFile(0, false, false), ""},
        {ElementSymbolFile(8, false, false), ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.made, c.expected);
}

TEST(DrawingSurface, SymbolsAreSkippedOnHiddenWindowsAndSignsOutsideTheNatalChart) {
    DrawingSurface s;
    s.PageScale = 10;
    RecordingTarget dc;
    s.DrawPlanetSymbol(dc, 2, 4, 10, 10);
    ASSERT_EQ(dc.ofKind("picture").size(), 1u);
    EXPECT_EQ(dc.events.back().text, "Simboli\\PiaX02.emf");
    EXPECT_EQ(dc.events.back().box, (DeviceRect{80, 80, 120, 120}));
    s.DrawSignSymbol(dc, 3, "A", 4, 10, 10);
    EXPECT_EQ(dc.ofKind("picture").size(), 1u) << "not the natal chart window";
    s.NatalChartActive = true;
    s.DrawSignSymbol(dc, 3, "A", 4, 10, 10);
    EXPECT_EQ(dc.ofKind("picture").size(), 2u);
    dc.shown = false;
    s.DrawElementSymbol(dc, 2, 4, 10, 10);
    EXPECT_EQ(dc.ofKind("picture").size(), 2u) << "hidden window";
    s.Printing = true;
    s.NatalChartActive = false;
    s.DrawSignSymbol(dc, 3, "A", 4, 10, 10);
    s.DrawElementSymbol(dc, 2, 4, 10, 10);
    s.DrawElementSymbol(dc, 9, 4, 10, 10); // no such element
    EXPECT_EQ(dc.ofKind("picture").size(), 4u);
}

TEST(DrawingSurface, MarkerGlyphsAsStored) {
    struct Case {
        int code, screenPen, paperPen;
        std::vector<std::size_t> polylineLengths;
    };
    const Case cases[] = {
        {1, 3, 3, {10}},    {2, 5, 4, {2, 2, 2}},  {3, 2, 2, {5}},           {4, 5, 4, {4}},
        {5, 2, 2, {18}},    {6, 2, 2, {5, 3}},     {7, 2, 2, {3}},           {8, 5, 5, {2, 3}},
        {9, 5, 4, {3, 2}},  {10, 5, 5, {3, 3, 2}}, {11, 5, 5, {3, 3, 2, 3}}, {12, 5, 5, {8}},
        {13, 3, 3, {2, 2}}, {14, 2, 2, {2, 2, 2}},
    };
    for (const Case& c : cases) {
        const MarkerGlyph glyph = MarkerGlyphOfCode(c.code);
        EXPECT_EQ(glyph.screenPen, c.screenPen) << c.code;
        EXPECT_EQ(glyph.paperPen, c.paperPen) << c.code;
        std::vector<std::size_t> lengths;
        for (const auto& line : glyph.polylines)
            lengths.push_back(line.size());
        EXPECT_EQ(lengths, c.polylineLengths) << c.code;
    }
    EXPECT_TRUE(MarkerGlyphOfCode(0).polylines.empty());
    EXPECT_TRUE(MarkerGlyphOfCode(15).polylines.empty());
    const MarkerGlyph five = MarkerGlyphOfCode(5);
    EXPECT_EQ(five.polylines[0][9].x, 1);
    EXPECT_EQ(five.polylines[0][9].y, -1);
}

TEST(DrawingSurface, MarkerGlyphScalesAroundItsPointWithThePenOfTheTarget) {
    DrawingSurface s;
    s.PageScale = 10;
    RecordingTarget dc;
    s.DrawMarkerGlyph(dc, 4, 20, 50, 50); // k = 9
    ASSERT_EQ(dc.events.size(), 4u);
    EXPECT_EQ(dc.events[0].box.left, 500);
    EXPECT_EQ(dc.events[0].box.top, 500 - 360);
    EXPECT_EQ(dc.events[1].box.left, 500 - 270);
    EXPECT_EQ(dc.events[1].pen.colour, 0xFFFF00u) << "aqua on screen";
    EXPECT_EQ(dc.createdAlive(), 0u) << "the pen is released";
    dc.events.clear();
    s.Printing = true;
    s.DrawMarkerGlyph(dc, 4, 20, 50, 50);
    EXPECT_EQ(dc.events[1].pen.colour, 0xFF0000u) << "blue on paper";
    dc.events.clear();
    s.DrawMarkerGlyph(dc, 0, 20, 50, 50);
    EXPECT_TRUE(dc.events.empty());
}

TEST(DrawingSurface, PageFrameOnlyOnScreenWithAPrinter) {
    DrawingSurface s;
    s.PageScale = 1;
    RecordingTarget dc;
    s.DrawPageFrame(dc, true);
    EXPECT_TRUE(dc.events.empty());
    s.PrinterPresent = true;
    s.DrawPageFrame(dc, true);
    ASSERT_EQ(dc.events.size(), 5u);
    EXPECT_EQ(dc.events[2].box, (DeviceRect{279, 202, 0, 0}));
    EXPECT_EQ(dc.events[2].pen.colour, 0x00FFFFu);
    dc.events.clear();
    s.DrawPageFrame(dc, false);
    EXPECT_EQ(dc.events[2].box, (DeviceRect{279, 405, 0, 0}));
    dc.events.clear();
    s.Printing = true;
    s.DrawPageFrame(dc, true);
    EXPECT_TRUE(dc.events.empty());
    EXPECT_EQ(dc.createdAlive(), 0u);
}

TEST(DrawingSurface, PrintJobScaleAndBack) {
    DrawingSurface s = ScreenSurface();
    s.StretchH = 1.5L;
    s.StretchV = 0.8L;
    const DrawingSurface::ScreenScale saved = s.BeginPrintScale(4961);
    EXPECT_TRUE(s.Printing);
    EXPECT_DOUBLE_EQ(double(s.PageScale), 4961 / 210.0 * 0.776);
    EXPECT_EQ(s.StretchH, 1.0L);
    EXPECT_EQ(s.StretchV, 1.0L);
    EXPECT_EQ(s.FontBase, 60.0f); // 60.5 rounds to even
    s.EndPrintScale(saved);
    EXPECT_FALSE(s.Printing);
    EXPECT_DOUBLE_EQ(double(s.PageScale), 1080 / 210.0);
    EXPECT_EQ(s.StretchH, 1.5L);
    EXPECT_EQ(s.StretchV, 0.8L);
    EXPECT_EQ(s.FontBase, 19.0f) << "rounded now, unlike at start-up";
}

TEST(DrawingSurface, ClosingTheChartResetsTheView) {
    DrawingSurface s = ScreenSurface();
    s.Zoom = 0.5L;
    s.OffsetX = 100;
    s.OffsetY = -20;
    s.BlackMode = true;
    s.ResetChartView();
    EXPECT_EQ(s.Zoom, 1.0L);
    EXPECT_EQ(s.OffsetX, 0);
    EXPECT_EQ(s.OffsetY, 0);
    EXPECT_FALSE(s.BlackMode);
}

} // namespace
} // namespace exo
