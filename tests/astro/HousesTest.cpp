#include "astro/Houses.h"

#include "astro/Angles.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace exo {
namespace {

// 1987 April 10, 19:21 UT (Meeus, Astronomical Algorithms, example 12.b).
constexpr long double kMeeusJulianDay = 2446896.30625L;
// 8h34m57.0896s, the mean sidereal time at Greenwich of that instant.
constexpr long double kMeeusSiderealHours = 8 + 34 / 60.0L + 57.0896L / 3600;

long double Deg(long double radians) {
    return radians * 180 / kPi;
}

// The difference a − b of two angles, in (−180, 180].
long double AngleDifference(long double a, long double b) {
    long double d = std::fmod(a - b, 360.0L);
    if (d > 180)
        d -= 360;
    if (d <= -180)
        d += 360;
    return d;
}

#define EXPECT_ANGLE_NEAR(a, b, tolerance)                                                         \
    EXPECT_NEAR(static_cast<double>(AngleDifference((a), (b))), 0.0, (tolerance))                  \
        << "angles " << static_cast<double>(a) << " and " << static_cast<double>(b)

// A place given as degrees and minutes with its letters, at the Meeus instant.
HouseInputs Place(int latDegrees, int latMinutes, const char* latLetter, int lonDegrees,
                  int lonMinutes, const char* lonLetter) {
    HouseInputs in;
    in.latitudeDegrees = latDegrees;
    in.latitudeMinutes = latMinutes;
    in.latitudeLetter = latLetter;
    in.longitudeDegrees = lonDegrees;
    in.longitudeMinutes = lonMinutes;
    in.longitudeLetter = lonLetter;
    in.julianDay = kMeeusJulianDay;
    in.hour = 19;
    in.minute = 21;
    return in;
}

// The same place with the time correction moved so that the sidereal angle of the
// Midheaven is `ramc`: the local sidereal time advances hour for hour with the correction.
HouseInputs WithRamc(HouseInputs in, long double ramc) {
    const long double lst = ComputeHouses(in, "PLACIDO").siderealTimeHours;
    in.timeCorrection += ramc / 15 - lst;
    return in;
}

long double ObliquityAt(long double jd) {
    return 23.4522944L - 0.0130125L * (jd - 2415020) / 36525;
}

// Standard spherical astronomy, written independently of the program's quadrant rules.
long double SignedLatitude(const HouseInputs& in) {
    const long double phi = in.latitudeDegrees + in.latitudeMinutes / 60.0L;
    return in.latitudeLetter == "S" ? -phi : phi;
}
long double AtanDeg2(long double y, long double x) {
    return Normalize360(Deg(std::atan2(y, x)));
}
// tan Asc = −cos RAMC / (sin ε tan φ + cos ε sin RAMC), the eastern solution.
long double ExpectedAscendant(long double ramc, long double phi, long double eps) {
    return AtanDeg2(CosDeg(ramc), -(SinDeg(eps) * TanDeg(phi) + CosDeg(eps) * SinDeg(ramc)));
}
// The ecliptic point on the meridian: tan MC = tan RAMC / cos ε.
long double ExpectedLongitudeOfRa(long double ra, long double eps) {
    return AtanDeg2(SinDeg(ra), CosDeg(ra) * CosDeg(eps));
}
long double RightAscension(long double longitude, long double eps) {
    return AtanDeg2(SinDeg(longitude) * CosDeg(eps), CosDeg(longitude));
}
long double Declination(long double longitude, long double eps) {
    return Deg(std::asin(SinDeg(eps) * SinDeg(longitude)));
}
// Oblique ascension at latitude φ: right ascension less the ascensional difference.
long double ObliqueAscension(long double longitude, long double phi, long double eps) {
    const long double difference =
        Deg(std::asin(TanDeg(phi) * TanDeg(Declination(longitude, eps))));
    return RightAscension(longitude, eps) - difference;
}

const char* const kAllSystems[] = {"PLACIDO",  "CASE_UGUALI", "CASE_MEDIE", "KOCH",     "REGIOMONT",
                                   "PORFIRIO", "CAMPANO",     "MORINO",     "ALCABIZIO"};

TEST(Houses, SiderealTimeOfAPublishedExample) {
    // At Greenwich the local sidereal time is the Greenwich one.
    const HouseResult r = ComputeHouses(Place(51, 29, "N", 0, 0, "E"), "PLACIDO");
    EXPECT_NEAR(static_cast<double>(r.siderealTimeHours), static_cast<double>(kMeeusSiderealHours),
                1e-4);
}

TEST(Houses, WesternLongitudeEitherLetterIsThreeSixtyLessEast) {
    const long double west =
        ComputeHouses(Place(45, 28, "N", 9, 11, "O"), "PLACIDO").siderealTimeHours;
    const long double westW =
        ComputeHouses(Place(45, 28, "N", 9, 11, "W"), "PLACIDO").siderealTimeHours;
    const long double east350 =
        ComputeHouses(Place(45, 28, "N", 350, 49, "E"), "PLACIDO").siderealTimeHours;
    const long double east =
        ComputeHouses(Place(45, 28, "N", 9, 11, "E"), "PLACIDO").siderealTimeHours;
    EXPECT_NEAR(static_cast<double>(west), static_cast<double>(east350), 1e-12);
    EXPECT_NEAR(static_cast<double>(westW), static_cast<double>(east350), 1e-12);
    // East and west of Greenwich by 9°11' each: 2 × 36.73 minutes of sidereal time apart.
    EXPECT_NEAR(static_cast<double>(std::fmod(east - west + 24, 24.0L)), 2 * (9 + 11 / 60.0) / 15,
                1e-12);
}

TEST(Houses, ClockTimeAndCorrectionGiveUniversalTime) {
    // 20:21 clock time one hour ahead of UT reads like 19:21 UT; a correction that carries
    // the day over midnight wraps the sidereal time, never leaving [0, 24).
    HouseInputs local = Place(45, 28, "N", 9, 11, "E");
    const long double ut = ComputeHouses(local, "PLACIDO").siderealTimeHours;
    local.hour = 20;
    local.timeCorrection = -1;
    EXPECT_NEAR(static_cast<double>(ComputeHouses(local, "PLACIDO").siderealTimeHours),
                static_cast<double>(ut), 1e-12);
    for (const long double correction : {-30.0L, -13.0L, 11.5L, 40.0L}) {
        local.timeCorrection = correction;
        const long double lst = ComputeHouses(local, "PLACIDO").siderealTimeHours;
        EXPECT_GE(lst, 0);
        EXPECT_LT(lst, 24);
    }
}

TEST(Houses, AscendantAndMidheavenFollowTheSphericalFormulas) {
    struct Case {
        int latDegrees, latMinutes;
        const char* latLetter;
    };
    const Case places[] = {{0, 0, "N"}, {45, 28, "N"}, {51, 29, "N"}, {33, 52, "S"}, {60, 10, "N"}};
    const long double eps = ObliquityAt(kMeeusJulianDay);
    for (const Case& place : places) {
        // The quarter points and the points in between, where quadrant rules go wrong.
        for (long double ramc = 0; ramc < 360; ramc += 15) {
            const HouseInputs in = WithRamc(
                Place(place.latDegrees, place.latMinutes, place.latLetter, 9, 11, "E"), ramc);
            SCOPED_TRACE(std::to_string(place.latDegrees) + place.latLetter + " RAMC " +
                         std::to_string(static_cast<double>(ramc)));
            const HouseResult r = ComputeHouses(in, "PLACIDO");
            EXPECT_ANGLE_NEAR(15 * r.siderealTimeHours, ramc, 1e-9);
            const long double asc = ExpectedAscendant(ramc, SignedLatitude(in), eps);
            const long double mc = ExpectedLongitudeOfRa(ramc, eps);
            EXPECT_ANGLE_NEAR(Deg(r.ascendantRad), asc, 1e-9);
            EXPECT_ANGLE_NEAR(Deg(r.midheavenRad), mc, 1e-9);
            EXPECT_ANGLE_NEAR(r.cusp[1], asc, 1e-9);
            EXPECT_ANGLE_NEAR(r.cusp[10], mc, 1e-9);
        }
    }
}

TEST(Houses, LongitudeOfRightAscensionKeepsTheHalfOfTheEcliptic) {
    const long double cosEps = CosDeg(23.44L);
    for (long double alpha = 0; alpha < 360; alpha += 30) {
        SCOPED_TRACE(static_cast<double>(alpha));
        const long double longitude = LongitudeOfRightAscension(alpha, cosEps);
        EXPECT_ANGLE_NEAR(longitude, ExpectedLongitudeOfRa(alpha, 23.44L), 1e-12);
        EXPECT_GE(longitude, 0);
        EXPECT_LT(longitude, 360);
    }
}

TEST(Houses, AtTheEquatorQuadrantSystemsDivideTheRightAscensionEqually) {
    // At latitude 0 the house circles of these systems all become hour circles 30° apart.
    const long double eps = ObliquityAt(kMeeusJulianDay);
    for (const char* system : {"PLACIDO", "KOCH", "REGIOMONT", "CAMPANO", "ALCABIZIO"}) {
        for (const long double ramc : {10.0L, 100.0L, 200.0L, 333.0L}) {
            SCOPED_TRACE(std::string(system) + " RAMC " +
                         std::to_string(static_cast<double>(ramc)));
            const HouseResult r =
                ComputeHouses(WithRamc(Place(0, 0, "N", 0, 0, "E"), ramc), system);
            for (int h = 1; h <= 12; ++h) {
                const long double ra = ramc + 30 * ((h + 2) % 12);
                EXPECT_ANGLE_NEAR(r.cusp[h], ExpectedLongitudeOfRa(ra, eps), 1e-5) << "house " << h;
            }
        }
    }
}

TEST(Houses, PlacidusCuspsTrisectTheirOwnSemiArcs) {
    const long double eps = ObliquityAt(kMeeusJulianDay);
    // Up to the polar circle: at 65° five secant steps alone leave the semi-arc degrees off.
    for (const int degrees : {45, 60, 65})
        for (const char* letter : {"N", "S"}) {
            for (const long double ramc : {20.0L, 135.0L, 250.0L, 300.0L}) {
                const HouseInputs in = WithRamc(Place(degrees, 28, letter, 9, 11, "E"), ramc);
                SCOPED_TRACE(std::to_string(degrees) + letter + " RAMC " +
                             std::to_string(static_cast<double>(ramc)));
                const long double phi = SignedLatitude(in);
                const HouseResult r = ComputeHouses(in, "PLACIDO");
                const auto semiArc = [&](long double longitude) {
                    return Deg(std::acos(-TanDeg(phi) * TanDeg(Declination(longitude, eps))));
                };
                // Distance east of the upper meridian in right ascension, as a part of the
                // diurnal semi-arc: 11 and 12 east, 9 and 8 west.
                const struct {
                    int house;
                    long double part;
                } parts[] = {{11, 1 / 3.0L}, {12, 2 / 3.0L}, {9, -1 / 3.0L}, {8, -2 / 3.0L}};
                for (const auto& p : parts) {
                    const long double east =
                        AngleDifference(RightAscension(r.cusp[p.house], eps), ramc);
                    EXPECT_NEAR(static_cast<double>(east),
                                static_cast<double>(p.part * semiArc(r.cusp[p.house])), 1e-4)
                        << "house " << p.house;
                }
            }
        }
}

TEST(Houses, BeyondThePolarCircleEverySystemStaysFinite) {
    struct Case {
        int latDegrees;
        const char* latLetter;
    };
    for (const Case place : {Case{67, "N"}, Case{70, "N"}, Case{80, "S"}, Case{89, "N"}}) {
        for (long double ramc = 0; ramc < 360; ramc += 22.5L) {
            const HouseInputs in =
                WithRamc(Place(place.latDegrees, 0, place.latLetter, 25, 0, "E"), ramc);
            for (const char* system : kAllSystems) {
                const HouseResult r = ComputeHouses(in, system);
                for (int h = 1; h <= 12; ++h) {
                    EXPECT_TRUE(std::isfinite(r.cusp[h]) && r.cusp[h] >= 0 && r.cusp[h] < 360)
                        << system << " " << place.latDegrees << place.latLetter << " RAMC "
                        << static_cast<double>(ramc) << " house " << h << " = "
                        << static_cast<double>(r.cusp[h]);
                }
            }
        }
    }
}

TEST(Houses, OppositeCuspsAreHalfATurnApart) {
    for (const char* system : kAllSystems) {
        for (const char* letter : {"N", "S"}) {
            SCOPED_TRACE(std::string(system) + " " + letter);
            const HouseResult r = ComputeHouses(Place(52, 30, letter, 13, 24, "E"), system);
            for (int h = 1; h <= 6; ++h)
                EXPECT_ANGLE_NEAR(r.cusp[h + 6], r.cusp[h] + 180, 1e-9) << "house " << h;
        }
    }
}

TEST(Houses, AscendantAndMidheavenAreCuspsOneAndTen) {
    // Morinus projects the equator divisions through the ecliptic poles, so its first and
    // tenth cusps are not the Ascendant and the Midheaven; the equal systems keep the
    // Ascendant only.
    const HouseInputs in = Place(41, 54, "N", 12, 29, "E");
    for (const char* system :
         {"PLACIDO", "KOCH", "REGIOMONT", "PORFIRIO", "CAMPANO", "ALCABIZIO"}) {
        SCOPED_TRACE(system);
        const HouseResult r = ComputeHouses(in, system);
        EXPECT_ANGLE_NEAR(r.cusp[1], Deg(r.ascendantRad), 1e-5);
        EXPECT_ANGLE_NEAR(r.cusp[10], Deg(r.midheavenRad), 1e-5);
    }
}

TEST(Houses, EqualHousesCountFromTheAscendantAndKeepTheTrueMidheaven) {
    const HouseInputs in = Place(45, 28, "N", 9, 11, "E");
    const HouseResult placidus = ComputeHouses(in, "PLACIDO");
    for (const char* system : {"CASE_MEDIE", "CASE_UGUALI"}) {
        SCOPED_TRACE(system);
        const HouseResult r = ComputeHouses(in, system);
        for (int h = 1; h <= 12; ++h)
            EXPECT_ANGLE_NEAR(r.cusp[h], Deg(r.ascendantRad) + 30 * (h - 1), 1e-12) << h;
        EXPECT_NEAR(static_cast<double>(r.midheavenRad), static_cast<double>(placidus.midheavenRad),
                    1e-15);
        EXPECT_GT(std::fabs(AngleDifference(r.cusp[10], Deg(r.midheavenRad))), 1)
            << "house 10 is Asc + 270, not the Midheaven";
    }
}

TEST(Houses, PorphyryTrisectsTheEclipticQuadrants) {
    const HouseResult r = ComputeHouses(Place(45, 28, "N", 9, 11, "E"), "PORFIRIO");
    const long double upper = AngleDifference(r.cusp[1], r.cusp[10]);
    const long double lower = AngleDifference(r.cusp[4], r.cusp[1]);
    EXPECT_NEAR(static_cast<double>(upper + lower), 180, 1e-9);
    for (const int h : {11, 12, 1}) {
        EXPECT_NEAR(static_cast<double>(AngleDifference(r.cusp[h], r.cusp[h == 1 ? 12 : h - 1])),
                    static_cast<double>(upper / 3), 1e-9)
            << h;
    }
    for (const int h : {2, 3, 4})
        EXPECT_NEAR(static_cast<double>(AngleDifference(r.cusp[h], r.cusp[h - 1])),
                    static_cast<double>(lower / 3), 1e-9)
            << h;
}

// Regiomontanus and Campanus cusps are the Ascendants of oblique horizons through the north
// and south points: a pole height φ′ and a sidereal angle θ′ per cusp (the classical
// formulation by poles, independent of the program's construction).
TEST(Houses, RegiomontanusAndCampanusMatchTheirPoleHeights) {
    const long double eps = ObliquityAt(kMeeusJulianDay);
    for (const char* letter : {"N", "S"}) {
        for (const long double ramc : {15.0L, 95.0L, 210.0L, 280.0L}) {
            const HouseInputs in = WithRamc(Place(48, 51, letter, 2, 21, "E"), ramc);
            SCOPED_TRACE(std::string(letter) + " RAMC " +
                         std::to_string(static_cast<double>(ramc)));
            const long double phi = SignedLatitude(in);
            const HouseResult regio = ComputeHouses(in, "REGIOMONT");
            const HouseResult campanus = ComputeHouses(in, "CAMPANO");
            // Regiomontanus: equator arc H from the meridian, tan φ′ = tan φ · sin H.
            for (const auto& [house, h] :
                 {std::pair{11, 30.0L}, {12, 60.0L}, {2, 120.0L}, {3, 150.0L}}) {
                const long double pole = Deg(std::atan(TanDeg(phi) * SinDeg(h)));
                EXPECT_ANGLE_NEAR(regio.cusp[house], ExpectedAscendant(ramc + h - 90, pole, eps),
                                  1e-9)
                    << "Regiomontanus house " << house;
            }
            // Campanus: prime-vertical altitude a, sin φ′ = cos a · sin φ and
            // θ′ = RAMC − atan(tan a / cos φ).
            for (const auto& [house, a] :
                 {std::pair{11, 60.0L}, {12, 30.0L}, {2, -30.0L}, {3, -60.0L}}) {
                const long double pole = Deg(std::asin(CosDeg(a) * SinDeg(phi)));
                const long double theta = ramc - Deg(std::atan(TanDeg(a) / CosDeg(phi)));
                EXPECT_ANGLE_NEAR(campanus.cusp[house], ExpectedAscendant(theta, pole, eps), 1e-5)
                    << "Campanus house " << house;
            }
        }
    }
}

TEST(Houses, KochTrisectsTheMidheavensSemiArcInObliqueAscension) {
    const long double eps = ObliquityAt(kMeeusJulianDay);
    for (const char* letter : {"N", "S"}) {
        for (const long double ramc : {15.0L, 95.0L, 210.0L, 280.0L}) {
            const HouseInputs in = WithRamc(Place(45, 28, letter, 9, 11, "E"), ramc);
            SCOPED_TRACE(std::string(letter) + " RAMC " +
                         std::to_string(static_cast<double>(ramc)));
            const long double phi = SignedLatitude(in);
            const HouseResult r = ComputeHouses(in, "KOCH");
            const long double start = ObliqueAscension(r.cusp[10], phi, eps);
            const long double semiArc =
                AngleDifference(ObliqueAscension(r.cusp[1], phi, eps), start);
            int step = 1;
            for (const int house : {11, 12, 1, 2, 3}) {
                EXPECT_ANGLE_NEAR(ObliqueAscension(r.cusp[house], phi, eps) - start,
                                  step * semiArc / 3, 1e-9)
                    << "house " << house;
                ++step;
            }
        }
    }
}

TEST(Houses, AlcabitiusTrisectsTheAscendantsSemiArcsInRightAscension) {
    const long double eps = ObliquityAt(kMeeusJulianDay);
    const HouseInputs in = WithRamc(Place(45, 28, "N", 9, 11, "E"), 300);
    const HouseResult r = ComputeHouses(in, "ALCABIZIO");
    const long double diurnal = AngleDifference(RightAscension(Deg(r.ascendantRad), eps), 300);
    const long double nocturnal = 180 - diurnal;
    const struct {
        int house;
        long double east; // right ascension east of the meridian
    } cusps[] = {{11, diurnal / 3},
                 {12, 2 * diurnal / 3},
                 {2, diurnal + nocturnal / 3},
                 {3, diurnal + 2 * nocturnal / 3}};
    for (const auto& c : cusps)
        EXPECT_ANGLE_NEAR(RightAscension(r.cusp[c.house], eps), 300 + c.east, 1e-5) << c.house;
}

TEST(Houses, MorinusDividesTheEquatorWhateverTheLatitude) {
    const long double eps = ObliquityAt(kMeeusJulianDay);
    const long double ramc = 40;
    const HouseResult north =
        ComputeHouses(WithRamc(Place(60, 0, "N", 9, 11, "E"), ramc), "MORINO");
    const HouseResult south =
        ComputeHouses(WithRamc(Place(20, 0, "S", 9, 11, "E"), ramc), "MORINO");
    for (int h = 1; h <= 12; ++h) {
        // The equator point at right ascension α has tan λ = tan α · cos ε.
        const long double alpha = ramc + 30 * ((h + 2) % 12);
        const long double expected = AtanDeg2(SinDeg(alpha) * CosDeg(eps), CosDeg(alpha));
        EXPECT_ANGLE_NEAR(north.cusp[h], expected, 1e-5) << h;
        EXPECT_ANGLE_NEAR(south.cusp[h], expected, 1e-5) << h;
    }
}

TEST(Houses, UnknownSystemSetsOnlyTheAscendantAndMidheaven) {
    std::array<long double, 16> previous{};
    for (int h = 0; h < 16; ++h)
        previous[h] = 7.5L * h + 0.25L;
    const HouseInputs in = Place(45, 28, "N", 9, 11, "E");
    const HouseResult placidus = ComputeHouses(in, "PLACIDO");
    for (const char* name : {"", "placido", "TOPOCENTRICO"}) {
        SCOPED_TRACE(name);
        const HouseResult r = ComputeHouses(in, name, previous);
        for (int h = 0; h < 16; ++h) {
            if (h == 1 || h == 10)
                continue;
            EXPECT_EQ(r.cusp[h], previous[h]) << "house " << h;
        }
        EXPECT_EQ(r.cusp[1], placidus.cusp[1]);
        EXPECT_EQ(r.cusp[10], placidus.cusp[10]);
        EXPECT_EQ(r.ascendantRad, placidus.ascendantRad);
    }
}

TEST(Houses, ChartOverloadReadsAndWritesTheChart) {
    ChartState chart;
    chart.LongitudeDegrees = 9;
    chart.LongitudeMinutes = 11;
    chart.LongitudeLetter = "E";
    chart.LatitudeDegrees = 45;
    chart.LatitudeMinutes = 28;
    chart.LatitudeLetter = "N";
    chart.BirthHourWhole = 20;
    chart.BirthMinuteWhole = 21;
    chart.TimeCorrection = -1;
    chart.JulianDay = kMeeusJulianDay;
    chart.HouseMode = 1;
    chart.HouseSystemName = "CASE_MEDIE";
    chart.HouseCusp[14] = 99;

    ComputeHouses(HouseInputsOf(chart), chart);

    const HouseInputs same = Place(45, 28, "N", 9, 11, "E");
    const HouseResult expected = ComputeHouses(same, "CASE_MEDIE");
    // 20:21 one hour ahead of Universal Time is the 19:21 UT of `same`.
    for (int h = 1; h <= 12; ++h)
        EXPECT_NEAR(static_cast<double>(chart.HouseCusp[h]), static_cast<double>(expected.cusp[h]),
                    1e-9)
            << h;
    EXPECT_EQ(chart.HouseCusp[14], 99) << "unused slots are left alone";
    EXPECT_NEAR(static_cast<double>(chart.AscendantRad), static_cast<double>(expected.ascendantRad),
                1e-12);
    EXPECT_NEAR(static_cast<double>(chart.MidheavenRad), static_cast<double>(expected.midheavenRad),
                1e-12);
    EXPECT_NEAR(static_cast<double>(chart.SiderealTimeHours),
                static_cast<double>(expected.siderealTimeHours), 1e-12);
}

} // namespace
} // namespace exo
