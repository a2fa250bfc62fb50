#pragma once
// Coefficient tables of the theory whose values were fitted to a reference ephemeris by
// tools/fit_theory (see the comments of the tables for the fit's span and residuals).
#include <span>

namespace exo {

// amplitude · cos(frequency·T + phase): T in Julian centuries from 1900 January 0.5,
// frequency in degrees per century, phase in degrees.
struct PeriodicTerm {
    double amplitude;
    double frequency;
    double phase;
};

// constant + linear·T + quadratic·T² + Σ terms, astronomical units.
struct CoordinateCorrection {
    double constant;
    double linear;
    double quadratic;
    std::span<const PeriodicTerm> terms;
};

struct XyzCorrection {
    CoordinateCorrection x, y, z;
};

// The heliocentric corrections of Saturn, Uranus, Neptune and Pluto (bodies 7–10), valid
// for 0 ≤ T ≤ 2. nullptr for other bodies.
const XyzCorrection* FittedOuterPlanetCorrection(int body);
// Jupiter's corrections for 1 < T ≤ 2, where its published ones no longer hold.
const XyzCorrection* FittedLateJupiterCorrection();

// One term of the Sun's planetary perturbations:
//   amplitude″ · cos(multiple·A + anomalyMultiple·M + phase),
// where A is the synodic argument `argument` (0 Mars, 1 Saturn, 2 Venus, 3 Jupiter) and M
// the Earth's mean anomaly (the M₀ of the solar theory, with its long-period terms).
struct SolarTerm {
    int argument;
    int multiple;
    int anomalyMultiple;
    double amplitude; // arcseconds
    double phase;     // degrees
};
std::span<const SolarTerm> SolarPerturbationTerms();

} // namespace exo
