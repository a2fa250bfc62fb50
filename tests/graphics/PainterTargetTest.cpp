#include "graphics/PainterTarget.h"
#include "TestFolder.h"
#include "graphics/DrawingSurface.h"
#include "graphics/EmfWriter.h"
#include "platform/Errors.h"

#include "GuiApplication.h"

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

namespace exo {
namespace {

// Text needs the font database, which needs an application object.
class PainterTargetTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { test::EnsureGuiApplication(); }

    // A black screen page of 200 × 200 pixels at 4 pixels per unit.
    PainterTargetTest() : image(200, 200, QImage::Format_RGB32) {
        image.fill(Qt::black);
        surface.PageScale = 4;
        surface.FontBase = 10;
    }

    QRgb at(int x, int y) const { return image.pixel(x, y) & 0xFFFFFF; }
    bool painted(int x, int y) const { return at(x, y) != 0; }

    // The smallest box around every painted pixel; empty when nothing was painted.
    QRect paintedBox() const {
        QRect box;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (painted(x, y))
                    box |= QRect(x, y, 1, 1);
        return box;
    }

    QImage image;
    DrawingSurface surface;
};

constexpr QRgb kRedPixel = 0xFF0000, kWhitePixel = 0xFFFFFF, kAquaPixel = 0x00FFFF;
constexpr QRgb kGreenPixel = 0x00FF00;

TEST_F(PainterTargetTest, RectangleIsOutlinedByThePenAndFilledByTheBrush) {
    {
        QPainter painter(&image);
        PainterTarget dc(painter);
        surface.SelectPen(dc, 1); // white, 1 pixel
        surface.SelectBrush(dc, 0x0000FF);
        surface.DrawRectangle(dc, 10, 10, 20, 20); // pixels 40 … 79
        surface.ReleaseBrush(dc);
        surface.ReleasePen(dc);
    }
    EXPECT_EQ(at(60, 60), kRedPixel);
    EXPECT_EQ(at(40, 60), kWhitePixel);
    EXPECT_EQ(at(79, 60), kWhitePixel);
    EXPECT_EQ(at(60, 79), kWhitePixel);
    EXPECT_FALSE(painted(80, 60)) << "the right edge is outside the box";
    EXPECT_FALSE(painted(39, 60));
}

TEST_F(PainterTargetTest, CircleOnScreenIsARingWithoutFill) {
    {
        QPainter painter(&image);
        PainterTarget dc(painter);
        surface.SelectPen(dc, 5);
        surface.SelectBrush(dc, 0x0000FF);  // an arc takes no brush
        surface.DrawCircle(dc, 20, 25, 25); // centre 100, radius 80
        surface.ReleaseBrush(dc);
        surface.ReleasePen(dc);
    }
    const QRect box = paintedBox();
    EXPECT_NEAR(box.left(), 20, 1);
    EXPECT_NEAR(box.right(), 179, 1);
    EXPECT_NEAR(box.top(), 20, 1);
    EXPECT_NEAR(box.bottom(), 179, 1);
    EXPECT_FALSE(painted(100, 100));
    EXPECT_FALSE(painted(60, 100));
    EXPECT_EQ(at(box.left(), 100), kAquaPixel);
}

TEST_F(PainterTargetTest, ZoomedCircleIsThePolygonThroughTheSameBox) {
    surface.Zoom = 1.25L;
    {
        QPainter painter(&image);
        PainterTarget dc(painter);
        surface.SelectPen(dc, 3);
        surface.DrawCircle(dc, 16, 20, 20); // centre 100, radius 80
        surface.ReleasePen(dc);
    }
    EXPECT_EQ(at(100, 20), kGreenPixel) << "starts at the top";
    EXPECT_TRUE(painted(180, 100) || painted(179, 100));
    EXPECT_FALSE(painted(100, 100));
}

TEST_F(PainterTargetTest, WindingFillFillsTheCentreOfAStar) {
    const auto star = [&](FillMode mode) {
        image.fill(Qt::black);
        QPainter painter(&image);
        PainterTarget dc(painter);
        dc.setFillMode(mode);
        dc.selectObject(dc.createBrush(0x0000FF));
        std::vector<DevicePoint> points;
        for (int i = 0; i < 5; ++i) {
            const double a = (90 + 144 * i) * std::acos(-1.0) / 180;
            points.push_back({static_cast<int>(100 + 80 * std::cos(a)),
                              static_cast<int>(100 - 80 * std::sin(a))});
        }
        dc.polygon(points);
    };
    star(FillMode::Winding);
    EXPECT_EQ(at(100, 100), kRedPixel);
    star(FillMode::Alternate);
    EXPECT_NE(at(100, 100), kRedPixel);
    EXPECT_EQ(at(100, 40), kRedPixel) << "a point of the star is filled either way";
}

TEST_F(PainterTargetTest, FontHeightIsTheCellHeight) {
    for (int height : {12, 24, 40}) {
        const QFont font = PainterTarget::ToQFont({"Arial", height, 0, 0, 0, 10, false, 0, 2});
        const QFontMetricsF metrics(font);
        EXPECT_NEAR(metrics.ascent() + metrics.descent(), height, 1.5) << height;
    }
    const QFont narrow = PainterTarget::ToQFont({"Arial", 40, 10, 0, 0, 10, true, 0, 2});
    EXPECT_TRUE(narrow.italic());
    EXPECT_NEAR(QFontMetricsF(narrow).averageCharWidth(), 10, 1.5);
}

TEST_F(PainterTargetTest, TextTopAndAlignment) {
    surface.FontBase = 40; // font 5: Round(1200) div 12 = 100 pixels
    const auto write = [&](void (DrawingSurface::*how)(DrawingTarget&, const std::string&, int,
                                                       long double, long double)) {
        image.fill(Qt::black);
        QPainter painter(&image);
        PainterTarget dc(painter);
        surface.SetTextRole(dc, 0);
        (surface.*how)(dc, "HH", 5, 25, 10); // x 100, top 40
        return paintedBox();
    };
    const QRect left = write(&DrawingSurface::TextLeft);
    ASSERT_FALSE(left.isEmpty());
    EXPECT_GE(left.top(), 40);
    EXPECT_LE(left.bottom(), 140);
    EXPECT_NEAR(left.left(), 100, 12);
    EXPECT_GT(left.left(), 99);
    EXPECT_EQ(at(left.left() + 2, left.center().y()), kWhitePixel);
    const QRect right = write(&DrawingSurface::TextRight);
    EXPECT_LT(right.right(), 101);
    EXPECT_NEAR(right.right(), 100, 12);
    const QRect centre = write(&DrawingSurface::TextCentre);
    EXPECT_NEAR(centre.center().x(), 100, 2);
    EXPECT_EQ(centre.top(), left.top());
}

TEST_F(PainterTargetTest, OpaqueTextPaintsTheBackgroundBox) {
    surface.FontBase = 40;
    QPainter painter(&image);
    PainterTarget dc(painter);
    dc.setBackgroundMode(BackgroundMode::Opaque);
    dc.setBackgroundColour(0x0000FF);
    dc.setTextColour(kWhite);
    surface.TextLeft(dc, "i", 5, 25, 10);
    painter.end();
    EXPECT_EQ(at(101, 41), kRedPixel);
}

// Every segment of every glyph is drawn and nothing else: each painted pixel is next to a
// segment and each segment's points are painted.
TEST_F(PainterTargetTest, MarkerGlyphsDrawTheirSegments) {
    surface.PageScale = 4;
    const long double size = 5; // 2.25 units, 9 pixels per glyph unit
    for (int code = 1; code <= 14; ++code) {
        image.fill(Qt::black);
        {
            QPainter painter(&image);
            PainterTarget dc(painter);
            surface.DrawMarkerGlyph(dc, code, size, 25, 25); // glyph origin at pixel 100
        }
        const MarkerGlyph glyph = MarkerGlyphOfCode(code);
        const QRgb colour =
            PainterTarget::ToQColor(surface.PenOfCode(glyph.screenPen).colour).rgb() & 0xFFFFFF;
        std::vector<std::pair<QPointF, QPointF>> segments;
        for (const auto& line : glyph.polylines)
            for (std::size_t i = 1; i < line.size(); ++i)
                segments.push_back(
                    {QPointF(100 + 9 * double(line[i - 1].x), 100 + 9 * double(line[i - 1].y)),
                     QPointF(100 + 9 * double(line[i].x), 100 + 9 * double(line[i].y))});
        for (const auto& [a, b] : segments)
            for (double t = 0; t <= 1.0; t += 0.125) {
                const QPointF p = a + (b - a) * t;
                const int x = int(std::lround(p.x())), y = int(std::lround(p.y()));
                bool near = false;
                for (int dy = -1; dy <= 1; ++dy)
                    for (int dx = -1; dx <= 1; ++dx)
                        near = near || at(x + dx, y + dy) == colour;
                EXPECT_TRUE(near) << "glyph " << code << " misses (" << x << ", " << y << ")";
            }
        int stray = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                if (!painted(x, y))
                    continue;
                double nearest = 1e9;
                for (const auto& [a, b] : segments) {
                    const QPointF d = b - a, p = QPointF(x, y) - a;
                    const double length2 = QPointF::dotProduct(d, d);
                    const double t =
                        length2 == 0 ? 0
                                     : std::clamp(QPointF::dotProduct(p, d) / length2, 0.0, 1.0);
                    const QPointF off = p - d * t;
                    nearest = std::min(nearest, std::hypot(off.x(), off.y()));
                }
                stray += nearest > 1.5 ? 1 : 0;
            }
        EXPECT_EQ(stray, 0) << "glyph " << code;
    }
}

// Pixels that tell each glyph from its neighbours, in glyph units about the origin.
TEST_F(PainterTargetTest, MarkerGlyphShapes) {
    struct Case {
        int code;
        double x, y;
        bool painted;
    };
    const Case cases[] = {
        {1, 3, -4, true},     {1, 1, -2, true},      {1, -1.5, 1.5, false}, {2, 0, 0, true},
        {2, 2, -2, true},     {2, 2, 2, true},       {2, 0, -3, false},     {3, 0, 3, true},
        {3, 0, -4, true},     {3, 0, 0, false},      {4, 0, -4, true},      {4, 1.5, -0.5, true},
        {4, -3, -4, false},   {5, 1, -1, true},      {5, 1.5, -2.5, false}, {5, -1.5, 1.5, false},
        {6, 0, 1, true},      {6, 1, 3, true},       {6, 1, 2, false},      {7, -1.5, -0.5, true},
        {7, 0, 3, true},      {7, 1.5, -0.5, false}, {8, 0, -4, true},      {8, 1.5, -0.5, true},
        {8, 0, 3, false},     {9, -1.5, -0.5, true}, {9, 0, 3, true},       {9, 0, -4, false},
        {10, 0, -2, true},    {10, -1.5, 1.5, true}, {10, 0, 2, false},     {10, -2.5, -4, false},
        {11, -2.5, -4, true}, {11, -2, -3, true},    {12, 2, 0, true},      {12, 1, -1, true},
        {12, -2, 0, false},   {13, 0, -2, true},     {13, 0, 1, true},      {13, -0.5, -1, false},
        {14, -0.5, -1, true}, {14, 0, 1, true},      {14, 0, -3, false},
    };
    int drawn = 0;
    for (const Case& c : cases) {
        if (c.code != drawn) {
            image.fill(Qt::black);
            QPainter painter(&image);
            PainterTarget dc(painter);
            surface.DrawMarkerGlyph(dc, c.code, 5, 25, 25); // 9 pixels per glyph unit
            drawn = c.code;
        }
        const int x = int(std::lround(100 + 9 * c.x)), y = int(std::lround(100 + 9 * c.y));
        bool near = false;
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx)
                near = near || painted(x + dx, y + dy);
        EXPECT_EQ(near, c.painted) << "glyph " << c.code << " at " << c.x << ", " << c.y;
    }
}

TEST_F(PainterTargetTest, SymbolPictureIsStretchedIntoItsSquare) {
    test::ScratchFolder folder;
    std::filesystem::create_directory("Simboli");
    EmfWriter writer(100, 100, 100, 100);
    const std::uint32_t brush = writer.createBrush(emf::BrushSolid, EmfColour(0, 255, 0));
    writer.selectObject(brush);
    writer.selectObject(emf::NullPen);
    writer.rectangle({0, 0, 100, 100});
    writer.save("Simboli/PiaX03.emf");

    {
        QPainter painter(&image);
        PainterTarget dc(painter);
        surface.DrawPlanetSymbol(dc, 3, 10, 25, 25); // pixels 80 … 120
        EXPECT_THROW(surface.DrawPlanetSymbol(dc, 4, 10, 25, 25), InOutError);
    }
    EXPECT_EQ(at(100, 100), kGreenPixel);
    EXPECT_EQ(at(83, 83), kGreenPixel);
    EXPECT_FALSE(painted(75, 100));
    EXPECT_FALSE(painted(125, 100));
}

TEST_F(PainterTargetTest, HiddenWindowGetsNoSymbols) {
    QPainter painter(&image);
    PainterTarget dc(painter);
    dc.setVisible(false);
    surface.DrawPlanetSymbol(dc, 4, 10, 25, 25); // would raise: the file is missing
    painter.end();
    EXPECT_TRUE(paintedBox().isEmpty());
}

TEST_F(PainterTargetTest, DeletingTheSelectedObjectIsRefused) {
    QPainter painter(&image);
    PainterTarget dc(painter);
    const ObjectHandle pen = dc.createPen({kWhite, 1, PenStyle::Solid});
    const ObjectHandle previous = dc.selectObject(pen);
    EXPECT_THROW(dc.deleteObject(pen), std::invalid_argument);
    dc.selectObject(previous);
    dc.deleteObject(pen);
    EXPECT_THROW(dc.selectObject(pen), std::invalid_argument);
}

} // namespace
} // namespace exo
