// The lunar theory: Brown's mean arguments with their additive terms in the form of
// J. Meeus, Astronomical Formulae for Calculators (1979), and the periodic terms of the
// longitude from the truncated ELP-2000/82 series of J. Meeus, Astronomical Algorithms
// (1991), table 47.A, converted to arcseconds (terms down to about 1″). The latitude is
// taken through the true argument of latitude F′ in the manner of Brown's theory.
#include "astro/LunarTheory.h"

#include "astro/Angles.h"

#include <cmath>

namespace exo {

namespace {

// amplitude″ · sin(d·D + m·M + mp·M′ + f·F); terms with M are scaled by E^|m|, the
// decrease of the Earth's orbital eccentricity.
struct LunarTerm {
    signed char d, m, mp, f;
    double amplitude;
};

constexpr LunarTerm kLongitudeTerms[] = {
    {0, 0, 1, 0, 22639.55}, {-2, 0, 1, 0, -4586.47}, {2, 0, 0, 0, 2369.912}, {0, 0, 2, 0, 769.02},
    {0, 1, 0, 0, -668.15},  {0, 0, 0, 2, -411.61},   {-2, 0, 2, 0, -211.66}, {-2, 1, 1, 0, -205.96},
    {2, 0, 1, 0, 191.95},   {-2, 1, 0, 0, -165.15},  {0, -1, 1, 0, 147.69},  {1, 0, 0, 0, -125.15},
    {0, 1, 1, 0, -109.67},  {2, 0, 0, -2, 55.177},   {0, 0, 1, 2, -45.101},  {0, 0, 1, -2, 39.528},
    {4, 0, -1, 0, 38.430},  {0, 0, 3, 0, 36.122},    {4, 0, -2, 0, 30.773},  {2, 1, -1, 0, -28.397},
    {2, 1, 0, 0, -24.358},  {1, 0, -1, 0, -18.587},  {1, 1, 0, 0, 17.953},   {2, -1, 1, 0, 14.530},
    {2, 0, 2, 0, 14.378},   {4, 0, 0, 0, 13.900},    {2, 0, -3, 0, 13.194},  {0, 1, -2, 0, -9.680},
    {2, 0, -1, 2, -9.367},  {2, -1, -2, 0, 8.604},   {1, 0, 1, 0, -8.453},   {2, -2, 0, 0, 8.050},
    {0, 1, 2, 0, -7.632},   {0, 2, 0, 0, -7.448},    {2, -2, -1, 0, 7.373},  {2, 0, 1, -2, -6.383},
    {2, 0, 0, 2, -5.742},   {4, -1, -1, 0, 4.374},   {0, 0, 2, 2, -3.996},   {3, 0, -1, 0, -3.211},
    {2, 1, 1, 0, -2.916},   {4, -1, -2, 0, 2.732},   {0, 2, -1, 0, -2.567},  {2, 2, -1, 0, -2.520},
    {2, 1, -2, 0, 2.488},   {2, -1, 0, -2, 2.146},   {4, 0, 1, 0, 1.976},    {0, 0, 4, 0, 1.933},
    {4, -1, 0, 0, 1.872},   {1, 0, -2, 0, -1.753},   {2, 1, 0, -2, -1.436},  {0, 0, 2, -2, -1.372},
    {1, 1, 1, 0, 1.264},    {3, 0, -2, 0, -1.224},   {4, 0, -3, 0, 1.188},   {2, -1, 2, 0, 1.177},
    {0, 2, 1, 0, -1.163},   {1, 1, -1, 0, 1.076},    {2, 0, 3, 0, 1.058},
};

// The perturbations of the Moon's orbital longitude that carry F to the true argument of
// latitude: the longitude terms without the reduction to the ecliptic (2F) and with the
// annual term reduced by the node's own annual inequality.
constexpr LunarTerm kLatitudeArgumentTerms[] = {
    {0, 0, 1, 0, 22609.0}, {-2, 0, 1, 0, -4578.1}, {2, 0, 0, 0, 2373.4},  {0, 0, 2, 0, 768.0},
    {2, 0, 1, 0, 192.7},   {-2, 1, 1, 0, -182.4},  {-2, 1, 0, 0, -165.1}, {0, -1, 1, 0, 147.7},
    {0, 1, 0, 0, -127.0},  {1, 0, 0, 0, -125.2},   {0, 1, 1, 0, -109.7},  {-2, 0, 2, 0, -211.7},
    {2, 0, 0, -2, 55.2},   {0, 0, 1, 2, -45.1},    {0, 0, 1, -2, 39.5},   {4, 0, -1, 0, 38.4},
    {0, 0, 3, 0, 34.1},
};

long double SeriesSum(const LunarTerm* terms, std::size_t count, long double D, long double M,
                      long double Mp, long double F, long double E) {
    long double sum = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const LunarTerm& term = terms[i];
        const long double argument = term.d * D + term.m * M + term.mp * Mp + term.f * F;
        long double amplitude = term.amplitude;
        if (term.m != 0)
            amplitude *= (term.m == 1 || term.m == -1) ? E : E * E;
        sum += amplitude * SinDegFast(static_cast<double>(argument));
    }
    return sum;
}

} // namespace

EclipticPosition MoonTheory(const TimeArguments& t) {
    const long double T = t.T;
    const long double A = SinDeg(51.2L + 20.2L * T);
    const long double B = 14.27L * SinDeg(193.4404L - 132.87L * T - 0.0091731L * t.T2);
    const long double C = SinDeg(t.node);
    const long double G = SinDeg(t.node + 275.05L - 2.3L * T);

    long double Mp = t.moonMean - t.perigee;
    long double F = t.moonMean - t.node;
    long double D = t.elongation;
    long double M = t.sunAnomaly;
    const long double Lp = t.moonMean + (0.84L * A + B + 7.261L * C) / 3600;
    Mp += (2.94L * A + B + 9.337L * C) / 3600;
    D += (7.24L * A + B + 7.261L * C) / 3600;
    M -= 6.4L * A / 3600;
    F += (0.21L * A + B - 88.699L * C - 15.58L * G) / 3600;

    const long double E = 1 - 0.002495L * T - 0.00000752L * t.T2;
    const long double sigma =
        SeriesSum(kLongitudeTerms, std::size(kLongitudeTerms), D, M, Mp, F, E);

    EclipticPosition moon;
    moon.longitude = Normalize360(Lp + sigma / 3600 + t.nutation);

    const long double S =
        SeriesSum(kLatitudeArgumentTerms, std::size(kLatitudeArgumentTerms), D, M, Mp, F, E);
    const long double Fp = F + S / 3600;
    const long double k =
        1 - 0.00004664L * CosDeg(t.node) - 0.0000754L * CosDeg(t.node + 275.05L - 2.3L * T);
    moon.latitude =
        (18519.7L * k * SinDeg(Fp) - 6.2L * SinDeg(3 * Fp) - 526.1L * SinDeg(F - 2 * D) +
         44.3L * SinDeg(Mp + F - 2 * D) - 30.6L * SinDeg(F - 2 * D - Mp) -
         24.6L * SinDeg(F - 2 * Mp) - 22.6L * SinDeg(M + F - 2 * D) + 20.6L * SinDeg(F - Mp) +
         11.0L * SinDeg(F - M - 2 * D) - 6.0L * SinDeg(Mp + F - 4 * D)) /
        3600;
    return moon;
}

} // namespace exo
