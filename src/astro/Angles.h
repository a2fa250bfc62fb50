#pragma once
// Angles in degrees; radians only inside trigonometry, with the factor π/180.
namespace exo {

inline constexpr long double kPi = 3.141592653589793238462643383279502884L;
inline constexpr long double kDegToRad = kPi / 180.0L;
// Julian centuries are counted with this many days.
inline constexpr long double kDaysPerCentury = 36525.0L;

// x reduced to [0, 360).
long double Normalize360(long double x);
// x reduced to [0, 30): the position within its sign.
long double Normalize30(long double x);
long double SinDeg(long double x);
long double CosDeg(long double x);
long double TanDeg(long double x);
// Sine and cosine of an angle in radians, with the same quarter-turn reduction.
long double SinRad(long double x);
long double CosRad(long double x);
// Arctangent of x ÷ √(1 − x²), in radians.
long double ArcSin(long double x);
// Arctangent of √(1 − x²) ÷ x, in radians (negative for negative x).
long double ArcCos(long double x);
long double RadToDeg(long double x);

// Sine and cosine in double precision, for the periodic terms of the theories: their
// amplitudes are below a few degrees, so double's 16 digits leave far less than a
// micro-arcsecond, at a fraction of the cost of the extended functions.
inline double SinDegFast(double x) {
    return __builtin_sin(x * (3.14159265358979323846 / 180.0));
}
inline double CosDegFast(double x) {
    return __builtin_cos(x * (3.14159265358979323846 / 180.0));
}

} // namespace exo
