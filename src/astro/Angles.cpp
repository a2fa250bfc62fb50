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
long double SinDeg(long double x) {
    return std::sin(x * kDegToRad);
}
long double CosDeg(long double x) {
    return std::cos(x * kDegToRad);
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
