#include "astro/Angles.h"

#include <cmath>

namespace exo {

namespace {
long double Reduce(long double x, long double period) {
    long double r = x - std::trunc(x / period) * period;
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
    const long double turns = std::nearbyint(x / 90.0L);
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
