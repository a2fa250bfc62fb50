#include "graphics/Wheel.h"
#include "graphics/PainterTarget.h"

#include "GuiApplication.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>

namespace exo {
namespace {

TEST(WheelPointTest, AscendantAtTheLeftLongitudesCounterClockwise) {
    struct Case {
        long double longitude;
        long double x, y;
    };
    const LogicalPoint centre{100, 50};
    const long double ascendant = 40;
    for (const Case& c : {Case{40, 90, 50}, Case{130, 100, 60}, Case{220, 110, 50},
                          Case{310, 100, 40}, Case{400, 90, 50}}) {
        const LogicalPoint p = WheelPoint(c.longitude, 10, centre, ascendant);
        EXPECT_NEAR(p.x, c.x, 1e-9) << c.longitude;
        EXPECT_NEAR(p.y, c.y, 1e-9) << c.longitude;
    }
}

TEST(DecanRulerTest, ChaldeanSequenceFromAries) {
    const int expected[] = {ChartOrder::Mars,    ChartOrder::Sun,  ChartOrder::Venus,
                            ChartOrder::Mercury, ChartOrder::Moon, ChartOrder::Saturn,
                            ChartOrder::Jupiter, ChartOrder::Mars};
    for (int decan = 1; decan <= 8; ++decan)
        EXPECT_EQ(DecanRuler(decan), expected[decan - 1]) << decan;
    EXPECT_EQ(DecanRuler(36), ChartOrder::Mars); // Pisces decan 3
}

std::vector<float> Sorted(std::vector<float> v) {
    std::sort(v.begin(), v.end());
    return v;
}

TEST(SpreadAnglesTest, CrowdOfNineIsSpreadAroundItsCentre) {
    // Nine points within 16°, given out of order.
    const std::vector<float> crowd = {108, 100, 116, 102, 114, 104, 112, 106, 110};
    for (const float spacing : {10.0F, 8.0F}) {
        const std::vector<float> spread = SpreadAngles(crowd, spacing);
        const std::vector<float> sorted = Sorted(spread);
        for (std::size_t k = 1; k < sorted.size(); ++k)
            EXPECT_NEAR(sorted[k] - sorted[k - 1], spacing, 1e-3) << spacing;
        EXPECT_NEAR((sorted.front() + sorted.back()) / 2, 108, 1e-3) << spacing;
        // Each point keeps its rank: the lowest true angle gets the lowest display angle.
        EXPECT_NEAR(spread[1], sorted.front(), 1e-4);
        EXPECT_NEAR(spread[2], sorted.back(), 1e-4);
    }
}

TEST(SpreadAnglesTest, IsolatedPointsKeepTheirAngles) {
    const std::vector<float> angles = {30, 250, 251, 140};
    const std::vector<float> spread = SpreadAngles(angles, 10);
    EXPECT_FLOAT_EQ(spread[0], 30);
    EXPECT_FLOAT_EQ(spread[3], 140);
    EXPECT_NEAR(spread[2] - spread[1], 10, 1e-4);
    EXPECT_NEAR((spread[1] + spread[2]) / 2, 250.5F, 1e-4);
}

TEST(SpreadAnglesTest, CrowdAcrossZeroIsSpreadAcrossIt) {
    const std::vector<float> spread = SpreadAngles(std::vector<float>{359, 1, 180}, 10);
    EXPECT_FLOAT_EQ(spread[2], 180);
    // The same angles on the page whichever turn they are written in.
    EXPECT_NEAR(std::fmod(spread[1] - spread[0] + 720, 360.0F), 10, 1e-4);
    EXPECT_NEAR(std::fmod(spread[0] + 720, 360.0F), 355, 1e-4);
}

TEST(SpreadAnglesTest, NoPointsAndOnePoint) {
    EXPECT_TRUE(SpreadAngles({}, 10).empty());
    EXPECT_EQ(SpreadAngles(std::vector<float>{42}, 10), std::vector<float>{42});
}

ChartState QuietChart() {
    ChartState chart;
    for (int k = 1; k <= 11; ++k)
        chart.ChartLongitude[static_cast<std::size_t>(k)] = 300;
    chart.HouseCusp[1] = 300;
    chart.MidheavenRad = 300 * std::acos(-1.0L) / 180;
    return chart;
}

TEST(WheelAspectFiguresTest, TrineWindowIsOpen) {
    OrbTable orbs{};
    orbs[Trig] = 2;
    struct Case {
        long double moon;
        bool trine;
        int exactness;
    };
    for (const Case& c :
         {Case{131, true, 1}, Case{128, false, 0}, Case{132.4L, false, 0}, Case{129.5L, true, 0}}) {
        ChartState chart = QuietChart();
        chart.ChartLongitude[ChartOrder::Sun] = 10;
        chart.ChartLongitude[ChartOrder::Moon] = c.moon;
        const WheelAspects wheel = WheelAspectFigures(chart, orbs);
        const auto it = std::find_if(wheel.lines.begin(), wheel.lines.end(), [](const auto& line) {
            return line.from == ChartOrder::Sun && line.to == ChartOrder::Moon;
        });
        ASSERT_EQ(it != wheel.lines.end(), c.trine) << c.moon;
        if (c.trine) {
            EXPECT_EQ(it->kind, Trig);
            EXPECT_TRUE(it->soft);
            EXPECT_EQ(it->deviation, c.exactness) << c.moon;
        }
    }
}

TEST(WheelAspectFiguresTest, NodesAndThePairOfAnglesDrawNothing) {
    OrbTable orbs{};
    orbs[Quad] = 3;
    ChartState chart = QuietChart();
    for (int k = ChartOrder::Sun; k <= ChartOrder::Saturn; ++k)
        chart.ChartLongitude[static_cast<std::size_t>(k)] = 330;
    chart.ChartLongitude[ChartOrder::NorthNode] = 30; // square to the Ascendant's 300
    chart.ChartLongitude[ChartOrder::SouthNode] = 210;
    chart.HouseCusp[1] = 300;
    chart.MidheavenRad = 210 * std::acos(-1.0L) / 180; // square to the Ascendant
    const WheelAspects wheel = WheelAspectFigures(chart, orbs);
    EXPECT_TRUE(wheel.lines.empty());
    EXPECT_EQ(wheel.dotAngle.size(), 9U);
}

TEST(AspectSpindleTest, BandWidthFollowsExactnessAndIsNotStretched) {
    DrawingSurface surface;
    surface.PageScale = 10;
    surface.OffsetX = 5;
    struct Case {
        int exactness;
        long double halfWidth;
    };
    for (const Case& c : {Case{0, 1.8634L}, Case{4, 0.4167L}}) {
        for (const long double stretch : {1.0L, 2.0L}) {
            surface.StretchH = stretch;
            // Given right to left: the band starts at the point with the smaller x.
            const auto band = AspectSpindlePolygon(surface, {40, 20}, {0, 20}, c.exactness);
            ASSERT_EQ(band.size(), 6U);
            EXPECT_EQ(band[0], (DevicePoint{5, 200}));
            EXPECT_EQ(band[3], (DevicePoint{RoundHalfEven(400 / stretch) + 5, 200}));
            EXPECT_EQ(band[1].x, 85);
            EXPECT_EQ(band[1].y, RoundHalfEven(200 + 10 * c.halfWidth)) << c.exactness;
            EXPECT_EQ(band[5].y, RoundHalfEven(200 - 10 * c.halfWidth)) << c.exactness;
            EXPECT_EQ(band[2].y, band[1].y);
            EXPECT_EQ(band[4].y, band[5].y);
        }
    }
}

// Keeps the texts written and the dots filled, with the brush each was filled with.
class RecordingTarget final : public DrawingTarget {
  public:
    struct Filled {
        DeviceRect box;
        Colour brush;
    };
    std::vector<std::string> texts;
    std::vector<DevicePoint> textPoints;
    std::vector<Filled> ellipses;

    ObjectHandle createPen(const PenInfo&) override { return add(Kind::Pen, 0); }
    ObjectHandle createBrush(Colour colour) override { return add(Kind::Brush, colour); }
    ObjectHandle createFont(const FontInfo&) override { return add(Kind::Font, 0); }
    ObjectHandle selectObject(ObjectHandle object) override {
        ObjectHandle& slot = selected_[static_cast<int>(objects_.at(object).first)];
        const ObjectHandle replaced = slot;
        slot = object;
        return replaced;
    }
    void deleteObject(ObjectHandle object) override { objects_.erase(object); }
    void setTextColour(Colour colour) override { textColour_ = colour; }
    Colour textColour() const override { return textColour_; }
    void setBackgroundColour(Colour colour) override { background_ = colour; }
    Colour backgroundColour() const override { return background_; }
    void setBackgroundMode(BackgroundMode) override {}
    void setFillMode(FillMode) override {}
    void moveTo(DevicePoint) override {}
    void lineTo(DevicePoint) override {}
    void arc(const DeviceRect&, DevicePoint, DevicePoint) override {}
    void ellipse(const DeviceRect& box) override {
        ellipses.push_back({box, objects_.at(selected_[1]).second});
    }
    void rectangle(const DeviceRect&) override {}
    void polygon(const std::vector<DevicePoint>&) override {}
    void text(DevicePoint point, TextAlign, std::string_view text) override {
        texts.emplace_back(text);
        textPoints.push_back(point);
    }
    void picture(const std::string&, const DeviceRect&) override {}

    long count(const std::string& text) const {
        return std::count(texts.begin(), texts.end(), text);
    }

  private:
    enum class Kind { Pen, Brush, Font };
    ObjectHandle add(Kind kind, Colour colour) {
        objects_[next_] = {kind, colour};
        return next_++;
    }
    std::map<ObjectHandle, std::pair<Kind, Colour>> objects_ = {
        {1, {Kind::Pen, 0}}, {2, {Kind::Brush, kWhite}}, {3, {Kind::Font, 0}}};
    ObjectHandle selected_[3] = {1, 2, 3};
    ObjectHandle next_ = 10;
    Colour textColour_ = kBlack;
    Colour background_ = kWhite;
};

ChartState MeanHouseChart() {
    ChartState chart = QuietChart();
    for (int i = 1; i <= 12; ++i)
        chart.HouseCusp[static_cast<std::size_t>(i)] = 10 + 30 * (i - 1);
    chart.MidheavenRad = 280 * std::acos(-1.0L) / 180;
    chart.HouseSystemName = "CASE_MEDIE";
    return chart;
}

TEST(WheelAxesTest, MeanHouseMarksBesideTheAscendant) {
    DrawingSurface surface;
    surface.PageScale = 10;
    surface.FontBase = 30;
    RecordingTarget dc;
    const ChartState chart = MeanHouseChart();
    const LogicalPoint centre = kNatalWheelGeometry.Centre();
    const long double radius = kNatalWheelGeometry.ZodiacOuter + 5;
    DrawAxes(surface, dc, chart, centre, radius, RingVariant::Full);
    surface.ReleasePen(dc);

    const auto redDotAt = [&](long double longitude) {
        const LogicalPoint p = WheelPoint(longitude, radius, centre, 10);
        const DevicePoint d = surface.ToDevice(p.x, p.y);
        return std::any_of(dc.ellipses.begin(), dc.ellipses.end(), [&](const auto& e) {
            return e.brush == 0x0000FF && (e.box.left + e.box.right) / 2 == d.x &&
                   (e.box.top + e.box.bottom) / 2 == d.y;
        });
    };
    EXPECT_TRUE(redDotAt(25));  // 25° Aries
    EXPECT_TRUE(redDotAt(205)); // 25° Libra
    // Six marks after their cusps, four opposite (the two beside the Midheaven left free).
    EXPECT_EQ(dc.count("25\xB0"
                       "00'"),
              10);
    EXPECT_EQ(dc.count("AS"), 1);
    EXPECT_EQ(dc.count("MC"), 1);

    RecordingTarget compact;
    DrawAxes(surface, compact, chart, centre, radius, RingVariant::Compact);
    surface.ReleasePen(compact);
    EXPECT_EQ(compact.count("25\xB0"
                            "00'"),
              0);
    EXPECT_EQ(compact.count("10\xB0"
                            "00'"),
              2); // the Ascendant and the Midheaven
}

TEST(WheelAxesTest, OtherHouseSystemsHaveNoMidheavenMarks) {
    DrawingSurface surface;
    surface.PageScale = 10;
    surface.FontBase = 30;
    RecordingTarget dc;
    ChartState chart = MeanHouseChart();
    chart.HouseSystemName = "PLACIDUS";
    DrawAxes(surface, dc, chart, kNatalWheelGeometry.Centre(), 72, RingVariant::Full);
    surface.ReleasePen(dc);
    EXPECT_EQ(dc.count("MC"), 0);
    EXPECT_EQ(dc.count("10\xB0"
                       "00'"),
              2); // Ascendant and Descendant
    EXPECT_EQ(dc.ellipses.size(), 1U);
}

TEST(PlanetRingTest, BothRetrogradeMarksPrintR) {
    DrawingSurface surface;
    surface.PageScale = 10;
    surface.FontBase = 30;
    ChartState chart = MeanHouseChart();
    for (int k = 1; k <= 9; ++k)
        chart.ChartLongitude[static_cast<std::size_t>(k)] = 40.0L * k;
    chart.RetroMark[ChartOrder::Mercury] = "R";
    chart.RetroMark[ChartOrder::Mars] = "r";
    chart.RetroMark[ChartOrder::Saturn] = "D";
    for (const RingVariant variant : {RingVariant::Full, RingVariant::Compact}) {
        RecordingTarget dc;
        DrawPlanetRing(surface, dc, chart, 9, kNatalWheelGeometry.Centre(), 57, 44, variant);
        surface.ReleasePen(dc);
        EXPECT_EQ(dc.count("r"), 2);
        EXPECT_EQ(dc.count("D"), 0);
        // Full: a degree text per point, e.g. Sun at 40° gives 10°00'.
        EXPECT_EQ(dc.count("10\xB0"
                           "00'"),
                  variant == RingVariant::Full ? 3 : 0);
        // Two pointer dots per point.
        EXPECT_EQ(dc.ellipses.size(), 18U);
    }
}

TEST(PlanetRingTest, CrowdedPointersStartAtTheTruePositions) {
    DrawingSurface surface;
    surface.PageScale = 10;
    surface.FontBase = 30;
    ChartState chart = MeanHouseChart();
    for (int k = 1; k <= 9; ++k)
        chart.ChartLongitude[static_cast<std::size_t>(k)] = 100 + 2.0L * k;
    RecordingTarget dc;
    const LogicalPoint centre = kNatalWheelGeometry.Centre();
    DrawPlanetRing(surface, dc, chart, 9, centre, 57, 44, RingVariant::Full);
    surface.ReleasePen(dc);
    ASSERT_EQ(dc.ellipses.size(), 18U);
    for (int k = 1; k <= 9; ++k) {
        const long double longitude = chart.ChartLongitude[static_cast<std::size_t>(k)];
        for (const long double radius : {57.0L, 44.0L}) {
            const LogicalPoint p = WheelPoint(longitude, radius, centre, 10);
            const DeviceRect expected{surface.ToDeviceX(p.x - 0.2L), surface.ToDeviceY(p.y - 0.2L),
                                      surface.ToDeviceX(p.x + 0.2L), surface.ToDeviceY(p.y + 0.2L)};
            EXPECT_TRUE(std::any_of(dc.ellipses.begin(), dc.ellipses.end(),
                                    [&](const auto& e) { return e.box == expected; }))
                << k << " " << radius;
        }
    }
    // The degree texts stand at the spread positions, 10° apart: the first and the last
    // are 80° apart on the ring of radius 50.5.
    ASSERT_EQ(dc.textPoints.size(), 9U);
    const auto text = [&](int k) { return dc.textPoints[static_cast<std::size_t>(k)]; };
    const long double chord = std::hypot(text(8).x - text(0).x, text(8).y - text(0).y) / 10;
    EXPECT_NEAR(chord, 2 * 50.5 * std::sin(40 * std::acos(-1.0L) / 180), 0.5);
}

class WheelDrawingTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { test::EnsureGuiApplication(); }

    // The natal wheel on a black screen page at 2 pixels per unit.
    WheelDrawingTest() : image(720, 460, QImage::Format_RGB32) {
        image.fill(Qt::black);
        surface.PageScale = 2;
        surface.FontBase = 6;
        chart = QuietChart();
        const long double longitudes[] = {0, 10, 131, 12, 14, 16, 18, 20, 200, 200, 290};
        for (int k = 1; k <= 11; ++k)
            chart.ChartLongitude[static_cast<std::size_t>(k)] = longitudes[k - 1];
        chart.HouseCusp[1] = 10;
        for (int i = 2; i <= 12; ++i)
            chart.HouseCusp[static_cast<std::size_t>(i)] = 10 + 30 * (i - 1);
        chart.MidheavenRad = 280 * std::acos(-1.0L) / 180;
        chart.HouseSystemName = "CASE_MEDIE";
        chart.RetroMark[ChartOrder::Mercury] = "R";
        orbs[Trig] = 2;
    }

    QRgb at(long double x, long double y) const {
        return image.pixel(surface.ToDeviceX(x), surface.ToDeviceY(y)) & 0xFFFFFF;
    }
    // Whether the colour is within two pixels of the point: the outlines are one pixel wide
    // and the painter may place them a pixel off the box edge.
    bool near(long double x, long double y, QRgb colour) const {
        for (int dy = -2; dy <= 2; ++dy)
            for (int dx = -2; dx <= 2; ++dx)
                if ((image.pixel(surface.ToDeviceX(x) + dx, surface.ToDeviceY(y) + dy) &
                     0xFFFFFF) == colour)
                    return true;
        return false;
    }

    QImage image;
    DrawingSurface surface;
    ChartState chart;
    OrbTable orbs{};
    const WheelGeometry g = kNatalWheelGeometry;
};

TEST_F(WheelDrawingTest, WholeWheelDrawsItsRingsAndFigures) {
    {
        QPainter painter(&image);
        PainterTarget dc(painter);
        dc.setVisible(false); // no symbol pictures in the test folder
        const LogicalPoint centre = g.Centre();
        DrawZodiacRing(surface, dc, chart, "", 6, g.ZodiacInner, g.ZodiacOuter, centre, true);
        DrawPlanetRing(surface, dc, chart, 9, centre, g.PlanetOuter, g.PlanetInner,
                       RingVariant::Full);
        DrawMeanHouseRing(surface, dc, chart, centre, g.HouseOuter, g.HouseInner);
        DrawAxes(surface, dc, chart, centre, g.ZodiacOuter + 5, RingVariant::Full);
        DrawAspectFigures(surface, dc, chart, orbs, 0, g.HouseInner, centre);
        DrawFooter(surface, dc, 0, 0);
        DrawDateStamp(surface, dc, "Prueba", 270, 190);
        surface.ReleasePen(dc);
    }
    // The decans' outer circle in white, clear of the ticks; the aqua dot of the Imum Coeli
    // straight below the centre.
    const LogicalPoint decan = WheelAnglePoint(-95, g.ZodiacOuter + 5, g.Centre());
    EXPECT_TRUE(near(decan.x, decan.y, 0xFFFFFF));
    EXPECT_EQ(at(g.CentreX, g.CentreY + g.ZodiacOuter + 5), 0x00FFFFu);
    // The Ascendant's aqua dot at the left end of the Ascendant marks.
    EXPECT_EQ(at(g.CentreX - g.ZodiacOuter - 5, g.CentreY), 0x00FFFFu);
    // The Sun–Moon trine as a blue band through the inner circle's chord; its middle is
    // blue.
    const LogicalPoint sun = WheelAnglePoint(360, g.HouseInner, g.Centre());
    const LogicalPoint moon = WheelAnglePoint(360 - 131 + 10, g.HouseInner, g.Centre());
    EXPECT_EQ(at(std::round((sun.x + moon.x) / 2), std::round((sun.y + moon.y) / 2)), 0x0000FFu);
    // Nothing but the band inside the houses: the centre stays black.
    EXPECT_EQ(at(g.CentreX, g.CentreY), 0u);
    // The footer's red box.
    // The footer's red box, left of its white text, and its yellow figure above the box.
    EXPECT_EQ(at(5 - 0.5L, 130 + 2.5L), 0xFF0000u);
    EXPECT_EQ(at(5 + 20 - 1, 130 + 8.5L), 0xFFFF00u);
}

TEST_F(WheelDrawingTest, ZodiacRingWithoutDecansHasNoDecanCircle) {
    {
        QPainter painter(&image);
        PainterTarget dc(painter);
        dc.setVisible(false);
        DrawZodiacRing(surface, dc, chart, "", 6, g.ZodiacInner, g.ZodiacOuter, g.Centre(), false);
        surface.ReleasePen(dc);
    }
    // Below the centre, at an angle clear of the ten-degree ticks.
    const LogicalPoint outer = WheelAnglePoint(-95, g.ZodiacOuter, g.Centre());
    const LogicalPoint inner = WheelAnglePoint(-95, g.ZodiacInner, g.Centre());
    const LogicalPoint decan = WheelAnglePoint(-95, g.ZodiacOuter + 5, g.Centre());
    EXPECT_TRUE(near(outer.x, outer.y, 0xFFFFFF));
    EXPECT_TRUE(near(inner.x, inner.y, 0xFFFFFF));
    EXPECT_FALSE(near(decan.x, decan.y, 0xFFFFFF));
}

} // namespace
} // namespace exo
