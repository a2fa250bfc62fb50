#include "astro/Angles.h"

#include <cmath>

namespace exo {

namespace {
long double Reduce(long double x, long double period) {
    // The whole number of periods in double when it fits, which is far cheaper than the
    // extended truncation; the remainder is still formed in extended precision.
    const long double periods = x / period;
    const long double whole =
        std::fabs(periods) < 1e15L
            ? static_cast<long double>(std::trunc(static_cast<double>(periods)))
            : std::trunc(periods);
    long double r = x - whole * period;
    if (r < 0)
        r += period;
    // A tiny negative remainder plus the period rounds to the period itself.
    if (r >= period)
        r -= period;
    return r;
}
} // namespace

long double Normalize360(long double x) {
    return Reduce(x, 360.0L);
}
long double Normalize30(long double x) {
    return Reduce(x, 30.0L);
}
namespace {
// Sine and cosine of x degrees from the octant around 0: the extended functions reduce any
// argument beyond π/4 by a slow exact method, while the reduction by quarter turns in
// degrees is exact and cheap.
struct Quadrant {
    long double rest; // radians, |rest| ≤ π/4
    long long turn;   // quarter turns, taken modulo 4
};
Quadrant QuadrantOf(long double x) {
    const long double quarter = x / 90.0L;
    if (std::fabs(quarter) < 1e15L) {
        const double turns = std::nearbyint(static_cast<double>(quarter));
        return {(x - 90.0L * static_cast<long double>(turns)) * kDegToRad,
                static_cast<long long>(turns) % 4};
    }
    const long double turns = std::nearbyint(quarter);
    return {(x - 90.0L * turns) * kDegToRad, static_cast<long long>(std::fmod(turns, 4.0L))};
}
} // namespace

long double SinDeg(long double x) {
    const Quadrant q = QuadrantOf(x);
    switch ((q.turn % 4 + 4) % 4) {
    case 0:
        return std::sin(q.rest);
    case 1:
        return std::cos(q.rest);
    case 2:
        return -std::sin(q.rest);
    default:
        return -std::cos(q.rest);
    }
}
long double CosDeg(long double x) {
    const Quadrant q = QuadrantOf(x);
    switch ((q.turn % 4 + 4) % 4) {
    case 0:
        return std::cos(q.rest);
    case 1:
        return -std::sin(q.rest);
    case 2:
        return -std::cos(q.rest);
    default:
        return std::sin(q.rest);
    }
}
long double SinRad(long double x) {
    return SinDeg(x / kDegToRad);
}
long double CosRad(long double x) {
    return CosDeg(x / kDegToRad);
}
long double TanDeg(long double x) {
    return SinDeg(x) / CosDeg(x);
}
long double ArcSin(long double x) {
    return std::atan(x / std::sqrt(1 - x * x));
}
long double ArcCos(long double x) {
    return std::atan(std::sqrt(1 - x * x) / x);
}
long double RadToDeg(long double x) {
    return x * 180.0L / kPi;
}

} // namespace exo
