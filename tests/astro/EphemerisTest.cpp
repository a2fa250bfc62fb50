#include "astro/Ephemeris.h"

#include "astro/Angles.h"
#include "platform/Errors.h"
#include "TestFolder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <string>

namespace exo {
namespace {

// Longitude difference the short way round, arcseconds.
long double ArcsecondsBetween(long double a, long double b) {
    long double d = Normalize360(a - b);
    if (d > 180)
        d -= 360;
    return d * 3600;
}

// Published apparent positions (J. Meeus, Astronomical Algorithms, examples 25.a, 47.a,
// 33.a), given in Dynamical Time; the engine takes Universal Time, so the instants are
// moved back by ΔT ≈ 59 s.
TEST(EphemerisTest, BareTheoryAgreesWithPublishedPositions) {
    constexpr long double kDeltaT = 59.0L / 86400;
    struct Case {
        const char* what;
        int mode;
        int body;
        long double jdTd;
        long double longitude, latitude;
        long double toleranceArcsec;
    };
    const Case cases[] = {
        {"Sun 1992 Oct 13", 1, 1, 2448908.5L, 199.90988L, 0, 30},
        {"Moon 1992 Apr 12", 2, 2, 2448724.5L, 133.162655L, -3.229126L, 120},
        {"Venus 1992 Dec 20", 4, 4, 2448976.5L, 313.08102L, -2.08474L, 180},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ChartState chart;
        ComputeBodies(c.mode, false, c.jdTd - kDeltaT, chart, NoCorrections());
        EXPECT_LT(std::fabs(ArcsecondsBetween(chart.ChartLongitude[c.body], c.longitude)),
                  c.toleranceArcsec);
        EXPECT_LT(std::fabs(chart.ChartLatitude[c.body] - c.latitude) * 3600, c.toleranceArcsec);
    }
}

// Which slots each mode writes: every slot starts at a value no body can have.
TEST(EphemerisTest, ModesComputeTheirBodies) {
    struct Case {
        int mode;
        const char* nodeKind;
        std::set<int> written;
    };
    const Case cases[] = {
        {0, "VERO", {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19}},
        {1, "VERO", {1}},
        {2, "VERO", {1, 2}},
        {7, "VERO", {1, 7}},
        {11, "VERO", {1, 2, 11}},
        {11, "MEDIO", {1, 11}},
        {12, "VERO", {1, 12}},
        {13, "VERO", {1}},
        {14, "VERO", {1}},
        {17, "VERO", {1, 17}},
        {20, "VERO", {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}},
        {21, "MEDIO", {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}},
    };
    constexpr long double kUntouched = 999;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode);
        ChartState chart;
        chart.NodeKind = c.nodeKind;
        chart.ChartLongitude.fill(kUntouched);
        chart.HouseCusp[1] = 123.5L;
        ComputeBodies(c.mode, false, 2451545.0L, chart, NoCorrections());
        for (int slot = 0; slot < kPointSlots; ++slot) {
            SCOPED_TRACE(slot);
            EXPECT_EQ(chart.ChartLongitude[slot] != kUntouched, c.written.count(slot) == 1);
        }
        if (c.mode == 0) {
            EXPECT_EQ(chart.ChartLongitude[13], 123.5L);
            EXPECT_EQ(chart.ChartLongitude[14], 0);
        }
    }
}

TEST(EphemerisTest, BackwardMotionIsMarkedTheShortWayRound) {
    struct Case {
        long double now, later;
        bool marked;
    };
    const Case cases[] = {
        {10.01L, 10.00L, true},   {10.00L, 10.01L, false}, {359.99L, 0.01L, false},
        {0.01L, 359.99L, true},   {200.0L, 200.0L, false}, {180.0L, 179.0L, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<double>(c.now));
        ChartState chart;
        chart.ChartLongitude[5] = c.now;
        PointReals later{};
        later[5] = c.later;
        MarkBackwardMotion(later, chart);
        EXPECT_EQ(chart.ChartLongitude[5], c.marked ? -c.now : c.now);
    }
}

TEST(EphemerisTest, MeanNodeIsAlwaysBackwardAndMercuryOnlyWhenRetrograde) {
    for (long double jd = 2400000.5L; jd < 2480000; jd += 7919.3L) {
        SCOPED_TRACE(static_cast<double>(jd));
        ChartState chart;
        chart.NodeKind = "MEDIO";
        ComputePositionsWithMotion(BodyMode::Node, jd, chart, NoCorrections());
        EXPECT_LT(chart.ChartLongitude[EphemerisOrder::LunarNode], 0);
        EXPECT_GT(chart.ChartLongitude[EphemerisOrder::Sun], 0);
    }
    // Mercury stood still on 13 December 2023 and turned direct again on 1 January 2024.
    struct Case {
        long double jd;
        bool retrograde;
    };
    for (const Case& c : {Case{2460300.5L, true}, Case{2460280.5L, false}, Case{2460330.5L, false}}) {
        SCOPED_TRACE(static_cast<double>(c.jd));
        ChartState chart;
        ComputePositionsWithMotion(EphemerisOrder::Mercury, c.jd, chart, NoCorrections());
        EXPECT_EQ(chart.ChartLongitude[EphemerisOrder::Mercury] < 0, c.retrograde);
    }
}

TEST(EphemerisTest, MinorBodiesOnlyInsideTheirYears) {
    struct Case {
        long double jd;
        bool kept;
    };
    const Case cases[] = {{2396758.4L, false}, {2396758.5L, true},  {2451545.0L, true},
                          {2481129.5L, true},  {2481129.6L, false}, {2378496.5L, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<double>(c.jd));
        ChartState chart;
        chart.JulianDay = c.jd;
        ComputeBodies(0, false, c.jd, chart, NoCorrections());
        for (int body = EphemerisOrder::Ceres; body <= EphemerisOrder::Chiron; ++body)
            chart.RetroMark[body] = "r";
        ClearMinorBodiesOutsideRange(chart);
        for (int body = EphemerisOrder::Ceres; body <= EphemerisOrder::Chiron; ++body) {
            EXPECT_EQ(chart.ChartLongitude[body] != 0, c.kept);
            EXPECT_EQ(chart.ChartLatitude[body] != 0, c.kept);
            EXPECT_EQ(chart.RetroMark[body] == "r", c.kept);
        }
        EXPECT_NE(chart.ChartLongitude[EphemerisOrder::Pluto], 0);
    }
}

// The eccentric orbits (Pluto, Chiron, Pallas) solve Kepler's equation to full precision: the
// eccentric anomaly recovered from the distance, r = a(1 − e cos E), gives back the mean
// anomaly of the elements through M = E − e sin E.
TEST(EphemerisTest, EccentricOrbitsSolveKeplersEquation) {
    struct Case {
        int body;
        long double a, e0, e1, m0, m1;
    };
    const Case cases[] = {
        {19, 13.66975144L, 0.382270369L, -0.004694073L, 34.6127752L, 713.5756219L},
        {16, 2.7704955L, 0.2347096L, 0, 106.6641667L, 7806.531667L},
        {10, 39.53903455L, 0.24797376L, 0.00289875L, 229.7810007L, 145.1781092L},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.body);
        for (long double T = 0.05L; T < 1.9L; T += 0.173L) {
            const OrbitState s = KeplerianState(c.body, T);
            const Vector3& r = s.position;
            const Vector3& v = s.velocity;
            const long double distance = std::sqrt(r.x * r.x + r.y * r.y + r.z * r.z);
            const long double e = c.e0 + c.e1 * T;
            long double E = std::acos((1 - distance / c.a) / e);
            if (r.x * v.x + r.y * v.y + r.z * v.z < 0) // moving towards the Sun: sin E < 0
                E = 2 * kPi - E;
            const long double M = RadToDeg(E - e * std::sin(E));
            EXPECT_NEAR(ArcsecondsBetween(M, c.m0 + c.m1 * T), 0, 0.01L);
        }
    }
}

class EphemerisFilesTest : public ::testing::Test {
  protected:
    void SetUp() override { ForgetCorrectionFiles(); }
    void TearDown() override { ForgetCorrectionFiles(); }
    test::ScratchFolder folder;
};

// Dates outside every table never open a file; inside a table's range the missing file is an
// input/output error naming it.
TEST_F(EphemerisFilesTest, MissingTablesMatterOnlyInsideTheirRanges) {
    struct Case {
        int mode;
        long double jd;
        const char* nodeKind;
        const char* apogeeKind;
        const char* missingFile; // nullptr: computes without any file
    };
    const Case cases[] = {
        {0, 2500000.5L, "VERO", "VERA", nullptr},
        {0, 1721000.5L, "VERO", "VERA", nullptr},
        {1, 2451545.0L, "VERO", "VERA", nullptr},
        {12, 2451545.0L, "VERO", "MEDIA", nullptr},
        {12, 2380000.5L, "VERO", "VERA", nullptr},
        {12, 2451545.0L, "VERO", "VERA", "NOJLNE.rnd"},
        {7, 2451545.0L, "VERO", "VERA", nullptr},
        {7, 2415020.4L, "VERO", "VERA", "DPR1.rnd"},
        {11, 2451545.0L, "MEDIO", "VERA", nullptr},
        {2, 2451545.0L, "MEDIO", "VERA", "DSEL.rnd"},
        {0, 2499373.4L, "MEDIO", "MEDIA", "DSEL.rnd"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode);
        SCOPED_TRACE(static_cast<double>(c.jd));
        ChartState chart;
        chart.NodeKind = c.nodeKind;
        chart.ApogeeKind = c.apogeeKind;
        if (!c.missingFile) {
            EXPECT_NO_THROW(ComputePositionsWithMotion(c.mode, c.jd, chart));
            continue;
        }
        try {
            ComputePositionsWithMotion(c.mode, c.jd, chart);
            ADD_FAILURE() << "computed without " << c.missingFile;
        } catch (const InOutError& error) {
            EXPECT_NE(error.fileName().find(c.missingFile), std::string::npos) << error.fileName();
        }
    }
}

// The tables are checked once per computation, and again at the next one.
TEST_F(EphemerisFilesTest, RemovedTableIsNoticedByTheNextComputation) {
    folder.write("FilePosi/DSEL.rnd", std::string(20, '\0'));
    ChartState chart;
    EXPECT_NO_THROW(ComputePositionsWithMotion(EphemerisOrder::Moon, 1721425.5L, chart));
    std::filesystem::remove(folder.path() / "FilePosi/DSEL.rnd");
    EXPECT_THROW(ComputePositionsWithMotion(EphemerisOrder::Moon, 1721425.5L, chart), InOutError);
}

// A planet table with a record pair around the end of the planets' range.
TEST_F(EphemerisFilesTest, PlanetCorrectionsStopAtTheStartOf1900) {
    const std::int64_t last = PlanetRecordOf(kPlanetCorrectionTo);
    std::string bytes;
    for (std::int64_t n = 0; n <= last + 1; ++n) {
        PlanetRecord record;
        record.julianDay = kPlanetTableStart + 5.0L * n;
        record.field[1] = 30;   // Mercury +0.5°
        record.field[8] = -300; // Pluto −5°
        record.field[10] = 6;   // Mercury's latitude +0.1°
        bytes += EncodePlanetRecord(record);
    }
    folder.write("FilePosi/DPR1.rnd", bytes);

    struct Case {
        int body;
        long double jd;
        bool lookAhead;
        long double longitudeShift, latitudeShift; // degrees
    };
    const Case cases[] = {
        {3, kPlanetCorrectionTo - 0.1L, false, 0.5L, 0.1L},
        {3, kPlanetCorrectionTo - 0.1L, true, 0.5L, 0},
        {3, kPlanetCorrectionTo, false, 0, 0},
        {10, kPlanetCorrectionTo - 0.1L, false, -5, 0},
        {10, kPlanetCorrectionTo + 0.1L, false, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.body);
        SCOPED_TRACE(static_cast<double>(c.jd));
        ChartState corrected, bare;
        ComputeBodies(c.body, c.lookAhead, c.jd, corrected);
        ComputeBodies(c.body, c.lookAhead, c.jd, bare, NoCorrections());
        EXPECT_NEAR(ArcsecondsBetween(corrected.ChartLongitude[c.body], bare.ChartLongitude[c.body]),
                    c.longitudeShift * 3600, 1e-6);
        EXPECT_NEAR(corrected.ChartLatitude[c.body] - bare.ChartLatitude[c.body], c.latitudeShift,
                    1e-9);
    }
}

} // namespace
} // namespace exo
