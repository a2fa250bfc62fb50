#pragma once
// Apparent geocentric ecliptic positions of date for one Julian Day in Universal Time: the
// Sun, the Moon, Mercury to Pluto, the lunar node, the Black Moon and five minor bodies.
// The positions come from analytic theories (Keplerian elements as polynomials in time, a
// solar theory with perturbations, a lunar series) plus, inside their ranges, the
// tabulated corrections of FilePosi. Results go to ChartLongitude and ChartLatitude at the
// body's index (ephemeris order).
#include "astro/CorrectionFiles.h"
#include "astro/TheoryTerms.h"
#include "chart/ChartState.h"

#include <array>
#include <span>

namespace exo {

// Quantities every evaluation shares, from jd alone.
struct TimeArguments {
    long double d = 0; // days from 1900 January 0.5
    long double T = 0; // Julian centuries from the same instant
    long double T2 = 0;
    long double node = 0;        // Ω, mean node of the Moon's orbit
    long double sunMean = 0;     // L
    long double elongation = 0;  // D
    long double perigee = 0;     // Γ, mean longitude of the Moon's perigee
    long double sunAnomaly = 0;  // M
    long double moonMean = 0;    // L′
    long double moonAnomaly = 0; // M′
    long double nutation = 0;    // Δψ, degrees
    long double obliquity = 0;   // ε, degrees
    long double sinObliquity = 0;
    long double cosObliquity = 0;
};
TimeArguments TimeArgumentsOf(long double jd);

// Rectangular ecliptic coordinates of date (astronomical units) and their rates (per day).
struct Vector3 {
    long double x = 0, y = 0, z = 0;
};
struct OrbitState {
    Vector3 position;
    Vector3 velocity;
};

// Bodies with Keplerian elements: 3–10 and 15–19, and 0 for the Earth.
inline constexpr int kEarth = 0;
bool HasOrbitalElements(int body);
// Heliocentric position and velocity from the elements alone (Kepler's equation and the
// three rotations), before any correction.
OrbitState KeplerianState(int body, long double T);
// The small X, Y, Z corrections of Jupiter to Pluto (zero outside 0 ≤ T ≤ 2 and for the
// other bodies).
Vector3 OuterPlanetCorrection(int body, long double T);

// The modes of ComputeBodies.
namespace BodyMode {
enum : int {
    All = 0,
    Sun = 1,
    // 2–10: the Sun, then the body of that index
    Node = 11,
    BlackMoon = 12,
    // 13, 14: the Sun only; 15–19: the Sun, then that minor body
    Classical = 20, // 20 and 21: the Sun, then Sun, Moon, Mercury … Pluto
};
}

// Evaluates the bodies of `mode` at jd into `chart`. In the look-ahead pass the planets'
// latitude corrections are left out. The node kind and apogee kind of the chart choose the
// true node ("VERO") and the corrected Black Moon ("VERA").
void ComputeBodies(int mode, bool lookAhead, long double jd, ChartState& chart,
                   const CorrectionSource& corrections);
void ComputeBodies(int mode, bool lookAhead, long double jd, ChartState& chart = GlobalChart());

// ComputeBodies at jd + 0.001 (the look-ahead pass) and at jd; each body 1–19 whose
// longitude decreases over that interval is stored negated.
void ComputePositionsWithMotion(int mode, long double jd, ChartState& chart,
                                const CorrectionSource& corrections);
void ComputePositionsWithMotion(int mode, long double jd, ChartState& chart = GlobalChart());

// Negates each longitude 1–19 of `chart` that decreases towards `later` (the longitudes a
// moment afterwards), the change taken the short way round 0°.
void MarkBackwardMotion(const PointReals& later, ChartState& chart);

// The minor bodies are shown only for 1 January 1850 to 31 December 2080: outside those
// Julian Days (chart.JulianDay) Ceres to Chiron get longitude 0, latitude 0 and mark " ".
inline constexpr long double kMinorBodiesFrom = 2396758.5L;
inline constexpr long double kMinorBodiesTo = 2481129.5L;
void ClearMinorBodiesOutsideRange(ChartState& chart = GlobalChart());

// Single bodies, for the table builder and the measurements (degrees).
struct EclipticPosition {
    long double longitude = 0;
    long double latitude = 0;
};
// The Sun's apparent longitude by the solar theory, with the given planetary perturbation
// terms (the engine passes SolarPerturbationTerms()).
long double SolarLongitude(const TimeArguments& t, std::span<const SolarTerm> perturbations);
// The synodic arguments A₀ … A₃ of the solar perturbations (degrees) and the Earth's mean
// anomaly with its long-period terms, at T.
std::array<long double, 4> SolarArguments(long double T);
long double EarthMeanAnomaly(long double T);

// The mean node and the uncorrected true node, with the Sun and Moon longitudes given.
long double MeanNode(const TimeArguments& t);
long double TrueNodeTheory(const TimeArguments& t, long double sun, long double moon);

} // namespace exo
