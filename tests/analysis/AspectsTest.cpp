// The aspect tests and the tables built from them.
#include "analysis/Aspects.h"

#include "platform/Cp1252.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace exo {
namespace {

using Lines = std::vector<std::string>;

// Set A in the internal order: Cong Sest Quad Trig Oppo SmSt Deci Novi SmQd Sett Quin SsQd
// BiQn Qunc.
const OrbTable kSetA = {10, 4, 6, 8, 9, 1, 1, 1, 1, 1, 1, 1, 1, 1};
// Narrow orbs, so that the chart below holds few aspects.
const OrbTable kNarrow = {3, 3, 3, 3, 3, 0.5L, 0.5L, 0.5L, 0.5L, 0.5L, 0.5L, 0.5L, 0.5L, 0.5L};

OrbTable With(OrbTable orbs, std::initializer_list<std::pair<int, long double>> changes) {
    for (const auto& [kind, orb] : changes)
        orbs[static_cast<std::size_t>(kind)] = orb;
    return orbs;
}

TEST(AngularSeparation, FoldsIntoHalfATurn) {
    const struct {
        long double a, b, separation;
    } cases[] = {{10, 350, 20}, {350, 10, 20}, {0, 180, 180},     {180, 0, 180},
                 {0, 190, 170}, {100, 100, 0}, {359.5L, 0.5L, 1}, {0, 359.75L, 0.25L}};
    for (const auto& c : cases)
        EXPECT_EQ(AngularSeparation(c.a, c.b), c.separation) << c.a << " " << c.b;
}

struct MajorCase {
    long double separation;
    int kind;
    long double deviation;
};

TEST(FindMajorAspect, StrictWindowsOfSetA) {
    const MajorCase cases[] = {
        {180, Oppo, 0},       {171.25L, Oppo, 8.75L}, {171, kNoAspect, 0}, {128, kNoAspect, 0},
        {127.5L, Trig, 7.5L}, {112.5L, Trig, 7.5L},   {112, kNoAspect, 0}, {96, kNoAspect, 0},
        {84.5L, Quad, 5.5L},  {84, kNoAspect, 0},     {64, kNoAspect, 0},  {63.9L, Sest, 3.9L},
        {57, Sest, 3},        {56, kNoAspect, 0},     {45, kNoAspect, 0},  {10, kNoAspect, 0},
        {9.75L, Cong, 9.75L}, {0, Cong, 0},
    };
    for (const auto& c : cases) {
        const MajorAspect aspect = FindMajorAspect(c.separation, kSetA);
        EXPECT_EQ(aspect.kind, c.kind) << c.separation;
        EXPECT_EQ(static_cast<bool>(aspect), c.kind != kNoAspect) << c.separation;
        if (aspect) {
            EXPECT_NEAR(static_cast<double>(aspect.deviation), static_cast<double>(c.deviation),
                        1e-12)
                << c.separation;
        }
    }
}

TEST(FindMajorAspect, TheEarlierWindowWinsWhenOrbsOverlap) {
    EXPECT_EQ(FindMajorAspect(120, With(kSetA, {{Oppo, 70}})).kind, Oppo);
    EXPECT_EQ(FindMajorAspect(120, With(kSetA, {{Oppo, 70}})).deviation, 60);
    EXPECT_EQ(FindMajorAspect(100, With(kSetA, {{Trig, 40}, {Quad, 15}})).kind, Trig);
    EXPECT_EQ(FindMajorAspect(59, With(kSetA, {{Cong, 70}})).kind, Sest);
    EXPECT_EQ(FindMajorAspect(61, With(kSetA, {{Cong, 70}, {Sest, 0}})).kind, Cong);
}

TEST(FindGridAspect, ElevenAspectsWithTheirGlyphs) {
    const struct {
        long double separation;
        int kind;
        int glyph;
        long double exact;
    } cases[] = {
        {180, Oppo, 5, 180},
        {150, Qunc, 8, 150},
        {150.9L, Qunc, 8, 150},
        {149, kNoAspect, 0, 0},
        {151, kNoAspect, 0, 0},
        {144.5L, BiQn, 11, 144},
        {135, SsQd, 6, 135},
        {120, Trig, 4, 120},
        {90, Quad, 3, 90},
        {72.5L, Quin, 10, 72},
        {60, Sest, 2, 60},
        {45, SmQd, 7, 45},
        {30.99L, SmSt, 9, 30},
        {0, Cong, 1, 0},
        {10, kNoAspect, 0, 0},
        // Decile, novile and septile carry orbs but no test uses them.
        {36, kNoAspect, 0, 0},
        {40, kNoAspect, 0, 0},
        {360.0L / 7, kNoAspect, 0, 0},
    };
    for (const auto& c : cases) {
        const GridAspect aspect = FindGridAspect(c.separation, kSetA);
        EXPECT_EQ(aspect.kind, c.kind) << c.separation;
        EXPECT_EQ(aspect.glyph, c.glyph) << c.separation;
        EXPECT_EQ(aspect.exactAngle, c.exact) << c.separation;
    }
    EXPECT_EQ(FindGridAspect(150, With(kSetA, {{Oppo, 31}})).kind, Oppo);
    EXPECT_EQ(FindGridAspect(121, With(kSetA, {{Qunc, 30}})).kind, Qunc);
}

TEST(SphericalDistance, GreatCircleInDegrees) {
    const struct {
        long double lon1, lat1, lon2, lat2, distance;
    } cases[] = {{0, 0, 90, 0, 90},     {10, 0, 190, 0, 180},    {0, 10, 0, -10, 20},
                 {30, 90, 250, 40, 50}, {359.5L, 0, 0.5L, 0, 1}, {0, 0, 0, 0, 0}};
    for (const auto& c : cases)
        EXPECT_NEAR(static_cast<double>(SphericalDistance(c.lon1, c.lat1, c.lon2, c.lat2)),
                    static_cast<double>(c.distance), 1e-12)
            << c.lon1 << " " << c.lat1 << " " << c.lon2 << " " << c.lat2;
}

TEST(SphericalDistance, CoincidentPointsAreZeroApart) {
    // The cosine of the distance comes out a hair above 1 for these latitudes.
    for (const long double latitude : {2.0L, 4.8L, -5.8L, 18.4L, -71.8L, 88.0L}) {
        for (const long double longitude : {0.0L, 17.3L, 200.25L, 359.9L}) {
            const long double d = SphericalDistance(longitude, latitude, longitude, latitude);
            EXPECT_FALSE(std::isnan(d)) << longitude << " " << latitude;
            EXPECT_NEAR(static_cast<double>(d), 0, 1e-6) << longitude << " " << latitude;
        }
    }
}

// A chart in chart order with few aspects under the narrow orbs: Sun trine Moon by 2.34,
// Mars and Jupiter and the two nodes exactly opposite, Mercury and Venus half a degree apart.
ChartState TestChart() {
    ChartState chart;
    const long double longitude[] = {100,    222.34L, 0,      0.5L,   4,      184,
                                     192.5L, 16.5L,   196.5L, 41.94L, 132.94L};
    for (int point = 1; point <= 11; ++point)
        chart.ChartLongitude[static_cast<std::size_t>(point)] = longitude[point - 1];
    chart.ChartLatitude[ChartOrder::Moon] = 5;
    chart.ChartLatitude[ChartOrder::Mercury] = 1;
    chart.ChartLatitude[ChartOrder::Venus] = -1;
    return chart;
}

TEST(AspectListing, OneLinePerMajorAspectWithoutExactOppositions) {
    const Lines expected = {
        "ASPECTOS PLANETARIOS",
        "2.34   Sol Trigono Luna",
        "2.50   Sol Cuadradura Saturno",
        "1.94   Sol Sextil Ascendente",
        "0.40   Luna oposici\xF3n Ascendente",
        "0.60   Luna Cuadradura Medio Cielo",
        "0.50   Mercurio Conjunci\xF3n Venus",
        "0.44   Saturno Sextil Medio Cielo",
        "1.00   Ascendente Cuadradura Medio Cielo",
        "   ",
        "M\xE1s el n\xFAmero es peque\xF1o,",
        "m\xE1s preciso est\xE1 l'Aspecto",
    };
    EXPECT_EQ(AspectListingLines(TestChart(), kNarrow), expected);
}

TEST(AspectListing, DeviationIsCutToFourCharacters) {
    ChartState chart = TestChart();
    // The Sun 169.5° from the Moon under an opposition orb of 12.
    chart.ChartLongitude[ChartOrder::Moon] = 269.5L;
    const Lines lines = AspectListingLines(chart, With(kNarrow, {{Oppo, 12}}));
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[1], "10.5   Sol oposici\xF3n Luna");
    // 2.349 is cut, not rounded.
    chart.ChartLongitude[ChartOrder::Moon] = 222.349L;
    EXPECT_EQ(AspectListingLines(chart, kNarrow)[1], "2.34   Sol Trigono Luna");
}

TEST(AspectKeyLines, PointsOneToNineWithExactOppositions) {
    EXPECT_EQ(AspectKeyLines(TestChart(), kNarrow),
              (Lines{"SolTrLun", "SolQuSat", "SolSeAsc", "LunOpAsc", "LunQuMci", "MerCoVen",
                     "MarOpGio", "SatSeMci", "NonOpNos"}));
}

TEST(AspectGrid, CellsShowTheGlyphAndTheRoundedDeviation) {
    const AspectGrid grid = AspectGridCells(TestChart(), kNarrow);
    struct Expected {
        int kind, glyph;
        long double exact;
        const char* text;
    };
    // Rounding halves to the even neighbour: 2.5 gives 02, 0.5 gives 00.
    const std::map<std::pair<int, int>, Expected> hits = {
        {{1, 2}, {Trig, 4, 120, "02"}},  {{1, 7}, {Quad, 3, 90, "02"}},
        {{1, 10}, {Sest, 2, 60, "02"}},  {{2, 7}, {SmSt, 9, 30, "00"}},
        {{2, 10}, {Oppo, 5, 180, "00"}}, {{2, 11}, {Quad, 3, 90, "01"}},
        {{3, 4}, {Cong, 1, 0, "00"}},    {{5, 6}, {Oppo, 5, 180, "00"}},
        {{7, 11}, {Sest, 2, 60, "00"}},  {{8, 9}, {Oppo, 5, 180, "00"}},
    };
    ASSERT_EQ(grid.size(), 9u);
    for (int i = 1; i <= 9; ++i) {
        ASSERT_EQ(grid[i - 1].size(), static_cast<std::size_t>(11 - i)) << i;
        for (int j = i + 1; j <= 11; ++j) {
            const auto& cell = grid[i - 1][j - i - 1];
            const auto hit = hits.find({i, j});
            ASSERT_EQ(cell.has_value(), hit != hits.end()) << i << "-" << j;
            if (!cell)
                continue;
            EXPECT_EQ(cell->aspect.kind, hit->second.kind) << i << "-" << j;
            EXPECT_EQ(cell->aspect.glyph, hit->second.glyph) << i << "-" << j;
            EXPECT_EQ(cell->aspect.exactAngle, hit->second.exact) << i << "-" << j;
            EXPECT_EQ(cell->text, hit->second.text) << i << "-" << j;
        }
    }
}

TEST(SphericalDistanceCells, ClassifiedByTheOrbs) {
    ChartState chart = TestChart();
    const DistanceGrid grid = SphericalDistanceCells(chart, kNarrow);
    ASSERT_EQ(grid.size(), 9u);
    for (int i = 1; i <= 9; ++i)
        ASSERT_EQ(grid[i - 1].size(), static_cast<std::size_t>(11 - i)) << i;
    const auto cell = [&](const DistanceGrid& g, int i, int j) { return g[i - 1][j - i - 1]; };

    const struct {
        int i, j;
        const char* text;
        bool hard, soft, conjunction;
        std::uint32_t colour;
    } cases[] = {
        {1, 2, "122.2", false, true, false, 0xFFFF00}, // the Moon's latitude moves it
        {3, 4, "2.061", false, false, true, 0x00FFFF},
        {5, 6, "180.0", true, false, false, 0x0000FF},
        {1, 5, "96.00", false, false, false, 0x808080},
    };
    for (const auto& c : cases) {
        const DistanceCell d = cell(grid, c.i, c.j);
        EXPECT_EQ(d.text, c.text) << c.i << "-" << c.j;
        EXPECT_EQ(d.hard, c.hard) << c.i << "-" << c.j;
        EXPECT_EQ(d.soft, c.soft) << c.i << "-" << c.j;
        EXPECT_EQ(d.conjunction, c.conjunction) << c.i << "-" << c.j;
        EXPECT_EQ(d.colour, c.colour) << c.i << "-" << c.j;
    }
    EXPECT_NEAR(static_cast<double>(cell(grid, 1, 2).distance), 122.20206044621852, 1e-9);

    // Coincident points: no distance at all, a conjunction.
    chart.ChartLongitude[ChartOrder::Venus] = 0;
    chart.ChartLatitude[ChartOrder::Venus] = 1;
    const DistanceCell same = cell(SphericalDistanceCells(chart, kNarrow), 3, 4);
    EXPECT_EQ(same.text, "0.000");
    EXPECT_TRUE(same.conjunction);
    EXPECT_EQ(same.colour, 0x00FFFFu);

    // Overlapping orbs can make a distance hard and soft at once; the text is red.
    const DistanceCell both =
        cell(SphericalDistanceCells(TestChart(), With(kNarrow, {{Quad, 40}, {Trig, 40}})), 1, 5);
    EXPECT_TRUE(both.hard);
    EXPECT_TRUE(both.soft);
    EXPECT_EQ(both.colour, 0x0000FFu);
}

TEST(WheelAspectLines, LinesAndBandsOfTheChartPoints) {
    const WheelAspects wheel = ChartWheelAspects(TestChart(), kNarrow);
    // 360 − Round(λ) + Round(Ascendant); 0.5, 192.5, 16.5 and 196.5 round to even.
    EXPECT_EQ(wheel.dotAngle,
              (std::vector<long double>{302, 180, 402, 402, 398, 218, 210, 386, 206, 360, 269}));
    const struct {
        int from, to, kind, deviation;
        bool soft;
    } expected[] = {
        {1, 2, Trig, 2, true},   {1, 7, Quad, 2, false}, {1, 10, Sest, 2, true},
        {2, 11, Quad, 1, false}, {7, 11, Sest, 0, true}, {10, 11, Quad, 1, false},
    };
    ASSERT_EQ(wheel.lines.size(), std::size(expected));
    for (std::size_t k = 0; k < std::size(expected); ++k) {
        const WheelAspectLine& line = wheel.lines[k];
        const auto& e = expected[k];
        EXPECT_EQ(line.from, e.from) << k;
        EXPECT_EQ(line.to, e.to) << k;
        EXPECT_EQ(line.kind, e.kind) << k;
        EXPECT_EQ(line.deviation, e.deviation) << k;
        EXPECT_EQ(line.soft, e.soft) << k;
    }
    EXPECT_NEAR(static_cast<double>(wheel.lines[0].bandWidth), 1 / (1.2 * std::sqrt(2.0)), 1e-15);
    EXPECT_NEAR(static_cast<double>(wheel.lines[3].bandWidth), 1 / 1.2, 1e-15);
    // An exact aspect is drawn as if 0.2° off.
    EXPECT_NEAR(static_cast<double>(wheel.lines[4].bandWidth), 1 / (1.2 * std::sqrt(0.2)), 1e-15);
}

TEST(WheelAspectLines, PowersModeUsesFourteenPointsAndTheirAscendant) {
    ChartState chart = TestChart();
    chart.ChartLongitude[12] = 10;     // Black Moon
    chart.ChartLongitude[13] = 200;    // Ascendant
    chart.ChartLongitude[14] = 130.5L; // Midheaven, trine to the Black Moon
    const WheelAspects powers = PowersWheelAspects(chart, kNarrow);
    ASSERT_EQ(powers.dotAngle.size(), 14u);
    EXPECT_EQ(powers.dotAngle[0], 360 - 100 + 200);
    EXPECT_EQ(powers.dotAngle[13], 360 - 130 + 200);
    bool found = false;
    for (const WheelAspectLine& line : powers.lines) {
        EXPECT_LE(line.to, 14);
        if (line.from == 12 && line.to == 14) {
            found = true;
            EXPECT_EQ(line.kind, Trig);
            EXPECT_EQ(line.deviation, 0);
        }
    }
    EXPECT_TRUE(found);
    for (const WheelAspectLine& line : ChartWheelAspects(chart, kNarrow).lines)
        EXPECT_LE(line.to, 11);
}

} // namespace
} // namespace exo
