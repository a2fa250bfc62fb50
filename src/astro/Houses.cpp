#include "astro/Houses.h"

#include "astro/Angles.h"

#include <algorithm>
#include <cmath>

namespace exo {

namespace {

using Cusps = std::array<long double, 16>;

long double ArcTanDeg(long double x) {
    return RadToDeg(std::atan(x));
}
long double ArcTan2Deg(long double y, long double x) {
    return RadToDeg(std::atan2(y, x));
}

// x reduced to [0, 24) hours. Rounded down rather than by repeated additions, so a far
// date cannot keep the loop turning.
long double Normalize24(long double x) {
    long double r = x - 24 * std::floor(x / 24);
    if (r >= 24)
        r -= 24;
    return r;
}

// What every house system starts from.
struct Sky {
    long double obliquity = 0; // ε, degrees
    long double latitude = 0;  // φ as the program holds it: 360 − φ for the south
    long double ramc = 0;      // right ascension of the Midheaven, degrees
    long double siderealHours = 0;
    long double midheaven = 0;
    long double ascendant = 0;
};

// The Ascendant for a sidereal angle `ramc` at latitude `latitude`; the Koch cusps are
// Ascendants of other sidereal angles at the birth latitude.
//
// With C = RAMC + 90, A = arctan(tan φ ÷ cos C) and B = A + ε, the Ascendant is
// arctan(cos A·tan C ÷ cos B), in the half of the circle where sin C has its sign. The
// quotient equals sin C ÷ (cos C·cos ε − tan φ·sin ε); written so it keeps its precision
// where cos C vanishes (RAMC near 0° or 180°), where cos A·tan C multiplies a vanishing
// factor by an exploding one. The two-argument arctangent picks the same half of the
// circle and also gets sin C = 0 right: at RAMC = 90° it gives the first point of Libra,
// not the Descendant.
long double AscendantAt(long double ramc, long double latitude, long double obliquity) {
    const long double c = Normalize360(ramc + 90);
    const long double denominator =
        CosDeg(c) * CosDeg(obliquity) - TanDeg(latitude) * SinDeg(obliquity);
    return Normalize360(ArcTan2Deg(SinDeg(c), denominator));
}

Sky SkyOf(const HouseInputs& in) {
    Sky sky;
    const long double T = (in.julianDay - 2415020.0L) / kDaysPerCentury;
    sky.obliquity = 23.4522944L - 0.0130125L * T;

    long double longitude = in.longitudeDegrees + in.longitudeMinutes / 60.0L;
    if (in.longitudeLetter == "O" || in.longitudeLetter == "W")
        longitude = 360 - longitude;
    sky.latitude = in.latitudeDegrees + in.latitudeMinutes / 60.0L;
    if (in.latitudeLetter == "S")
        sky.latitude = 360 - sky.latitude;

    // T includes the time of day, so 2400.05126·T carries the daily gain of sidereal over
    // solar time and U adds the solar hours themselves; the twelve hours added to U make
    // up for the noon origin of the constant.
    const long double s0 = Normalize24(18.6460655L + 2400.05126L * T + 0.000025805555L * T * T);
    const long double u = in.timeCorrection + (in.hour + in.minute / 60.0L) + in.extraHours;
    const long double u12 = Normalize24(u + 12);
    sky.siderealHours = Normalize24(u12 + longitude / 15 + s0);
    sky.ramc = 15 * sky.siderealHours;

    sky.midheaven = LongitudeOfRightAscension(sky.ramc, CosDeg(sky.obliquity));
    sky.ascendant = AscendantAt(sky.ramc, sky.latitude, sky.obliquity);
    return sky;
}

// Right ascension of the ecliptic point at longitude λ, degrees in [0, 360).
long double RightAscensionOf(long double longitude, long double obliquity) {
    return Normalize360(ArcTan2Deg(SinDeg(longitude) * CosDeg(obliquity), CosDeg(longitude)));
}

// Houses 4 to 9 opposite houses 10 to 3.
void SetOpposites(Cusps& cusp) {
    for (int h = 4; h <= 9; ++h)
        cusp[h] = Normalize360(cusp[(h + 5) % 12 + 1] + 180);
}

void PlacidusCusps(const Sky& sky, Cusps& cusp) {
    const long double cosObliquity = CosDeg(sky.obliquity);
    const long double k = -TanDeg(sky.latitude) * TanDeg(sky.obliquity);
    const auto cuspOf = [&](long double fraction) {
        return LongitudeOfRightAscension(PlacidusRightAscension(fraction, k, sky.ramc),
                                         cosObliquity);
    };
    cusp[11] = cuspOf(1.0L / 3);
    cusp[12] = cuspOf(2.0L / 3);
    cusp[2] = Normalize360(cuspOf(-2.0L / 3) + 180);
    cusp[3] = Normalize360(cuspOf(-1.0L / 3) + 180);
    SetOpposites(cusp);
}

void EqualCusps(const Sky& sky, Cusps& cusp) {
    for (int h = 1; h <= 12; ++h)
        cusp[h] = Normalize360(sky.ascendant + 30 * (h - 1));
}

// Each ecliptic quadrant, Midheaven to Ascendant and Ascendant to the lower meridian,
// divided into three equal arcs.
void PorphyryCusps(const Sky& sky, Cusps& cusp) {
    const long double upper = Normalize360(sky.ascendant - sky.midheaven);
    const long double lower = 180 - upper;
    cusp[11] = Normalize360(sky.midheaven + upper / 3);
    cusp[12] = Normalize360(sky.midheaven + 2 * upper / 3);
    cusp[2] = Normalize360(sky.ascendant + lower / 3);
    cusp[3] = Normalize360(sky.ascendant + 2 * lower / 3);
    SetOpposites(cusp);
}

// Regiomontanus and Campanus cusps lie on great circles through the north and south
// points of the horizon. They are solved as vectors in equatorial coordinates, which needs
// no quadrant rules.
struct Vector {
    long double x = 0, y = 0, z = 0;
};
Vector operator+(Vector a, Vector b) {
    return {a.x + b.x, a.y + b.y, a.z + b.z};
}
Vector operator*(long double s, Vector a) {
    return {s * a.x, s * a.y, s * a.z};
}
long double Dot(Vector a, Vector b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}
Vector Cross(Vector a, Vector b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

struct LocalFrame {
    Vector zenith, east, south;
    Vector eclipticPole;
    Vector eclipticY; // the ecliptic point at longitude 90°
};

LocalFrame LocalFrameOf(const Sky& sky) {
    const long double sinPhi = SinDeg(sky.latitude), cosPhi = CosDeg(sky.latitude);
    const long double sinTheta = SinDeg(sky.ramc), cosTheta = CosDeg(sky.ramc);
    const long double sinEps = SinDeg(sky.obliquity), cosEps = CosDeg(sky.obliquity);
    LocalFrame frame;
    frame.zenith = {cosPhi * cosTheta, cosPhi * sinTheta, sinPhi};
    frame.east = {-sinTheta, cosTheta, 0};
    frame.south = {sinPhi * cosTheta, sinPhi * sinTheta, -cosPhi};
    frame.eclipticPole = {0, -sinEps, cosEps};
    frame.eclipticY = {0, cosEps, sinEps};
    return frame;
}

// Longitude where the ecliptic crosses the half of the house circle through `point` that
// runs from the north to the south point of the horizon.
long double HouseCircleCusp(const LocalFrame& frame, Vector point) {
    const Vector across = point + (-Dot(point, frame.south)) * frame.south;
    Vector crossing = Cross(Cross(frame.south, across), frame.eclipticPole);
    if (Dot(crossing, across) < 0)
        crossing = -1 * crossing;
    return Normalize360(ArcTan2Deg(Dot(crossing, frame.eclipticY), crossing.x));
}

// House circles through the points of the equator 30°, 60°, 120° and 150° east of the
// meridian.
void RegiomontanusCusps(const Sky& sky, Cusps& cusp) {
    const LocalFrame frame = LocalFrameOf(sky);
    const auto cuspOf = [&](long double hourAngle) {
        const long double ra = sky.ramc + hourAngle;
        return HouseCircleCusp(frame, {CosDeg(ra), SinDeg(ra), 0});
    };
    cusp[11] = cuspOf(30);
    cusp[12] = cuspOf(60);
    cusp[2] = cuspOf(120);
    cusp[3] = cuspOf(150);
    SetOpposites(cusp);
}

// The auxiliary angle of house h, measured from the meridian (Campanus: along the prime
// vertical from the zenith; Morinus, Alcabitius: along the equator); 0.000001° keeps the
// tangents away from their poles.
long double AuxiliaryAngle(int house) {
    return 30 * house + 60.000001L;
}

// The prime vertical divided into twelve equal arcs from the east point.
void CampanusCusps(const Sky& sky, Cusps& cusp) {
    const LocalFrame frame = LocalFrameOf(sky);
    for (int h = 1; h <= 12; ++h) {
        const long double z = AuxiliaryAngle(h);
        cusp[h] = HouseCircleCusp(frame, CosDeg(z) * frame.zenith + SinDeg(z) * frame.east);
    }
}

// The equator divided into twelve equal arcs from the meridian, carried to the ecliptic
// along circles through the ecliptic poles.
void MorinusCusps(const Sky& sky, Cusps& cusp) {
    for (int h = 1; h <= 12; ++h) {
        const long double ra = sky.ramc + AuxiliaryAngle(h);
        cusp[h] = Normalize360(ArcTan2Deg(SinDeg(ra) * CosDeg(sky.obliquity), CosDeg(ra)));
    }
}

// The Ascendant's diurnal and nocturnal semi-arcs trisected on the equator, carried to
// the ecliptic along hour circles.
void AlcabitiusCusps(const Sky& sky, Cusps& cusp) {
    const long double cosObliquity = CosDeg(sky.obliquity);
    const long double diurnal =
        Normalize360(RightAscensionOf(sky.ascendant, sky.obliquity) - sky.ramc);
    const long double nocturnal = 180 - diurnal;
    for (int h = 1; h <= 12; ++h) {
        // Each quarter of the auxiliary angle stretches over one semi-arc.
        const long double z = Normalize360(AuxiliaryAngle(h));
        const int quarter = static_cast<int>(z / 90);
        const long double part = (z - 90 * quarter) / 90;
        const bool aboveHorizon = quarter % 2 == 0;
        const long double start = 180 * (quarter / 2) + (aboveHorizon ? 0 : diurnal);
        const long double arc = aboveHorizon ? diurnal : nocturnal;
        const long double ra = Normalize360(sky.ramc + start + part * arc);
        cusp[h] = LongitudeOfRightAscension(ra, cosObliquity);
    }
}

// The Midheaven's diurnal semi-arc at the birth latitude, counted from its oblique
// ascension, trisected: cusps 11, 12, 1, 2 and 3 are the Ascendants of the oblique
// ascensions one to five thirds of it further on.
void KochCusps(const Sky& sky, Cusps& cusp) {
    const long double declination =
        RadToDeg(std::asin(SinDeg(sky.obliquity) * SinDeg(sky.midheaven)));
    // Beyond the polar circles the Midheaven may never rise; the difference stops at 90°.
    const long double sinDifference =
        std::clamp(TanDeg(sky.latitude) * TanDeg(declination), -1.0L, 1.0L);
    const long double difference = RadToDeg(std::asin(sinDifference));
    const long double obliqueAscension = sky.ramc - difference;
    const long double third = (90 + difference) / 3;
    const auto cuspOf = [&](int steps) {
        return AscendantAt(obliqueAscension + steps * third - 90, sky.latitude, sky.obliquity);
    };
    cusp[11] = cuspOf(1);
    cusp[12] = cuspOf(2);
    cusp[2] = cuspOf(4);
    cusp[3] = cuspOf(5);
    SetOpposites(cusp);
}

} // namespace

long double LongitudeOfRightAscension(long double alpha, long double cosObliquity) {
    // The quadrant rules below read a tangent of 0 as the first point of Aries; at a right
    // ascension of exactly 180° the answer is the first point of Libra.
    if (alpha == 180)
        return 180;
    long double longitude = ArcTanDeg(TanDeg(alpha) / cosObliquity);
    if (longitude < 0)
        longitude += 180;
    if (alpha > 180)
        longitude += 180;
    return longitude;
}

long double PlacidusRightAscension(long double fraction, long double k, long double ramc) {
    // The semi-arc H solves G(H) = 0 in (0°, 180°]. Five secant steps from the two fixed
    // starting values settle it at ordinary latitudes; towards the polar circle they are still
    // degrees away, or run to a root outside that interval, so the steps go on until H stops
    // moving and, while a root is bracketed there (|K| < 1, short of the polar circle), a
    // wrong root gives way to bisection. Beyond the polar circle the last finite secant value
    // is kept: a cusp is always returned.
    constexpr int kLeastSteps = 5;
    constexpr int kMostSteps = 100;
    constexpr long double kSettled = 1e-12L;
    const auto g = [&](long double h) { return k * SinDeg(fraction * h + ramc) - CosDeg(h); };
    long double previous = 0.000000001L;
    long double current = 180.0001L;
    long double gPrevious = g(previous);
    long double gCurrent = g(current);
    for (int step = 0; step < kMostSteps; ++step) {
        long double denominator = gCurrent - gPrevious;
        if (denominator == 0)
            denominator = 0.000001L;
        const long double next = current - (current - previous) * gCurrent / denominator;
        if (!std::isfinite(next))
            break;
        const bool settled = std::fabs(next - current) < kSettled;
        previous = current;
        gPrevious = gCurrent;
        current = next;
        gCurrent = g(current);
        if (step + 1 >= kLeastSteps && settled)
            break;
    }
    const bool inside = current > 0 && current <= 180 && std::fabs(gCurrent) < 1e-9L;
    if (!inside && std::fabs(k) < 1) {
        // g(0) = k·sin(ramc) − 1 < 0 and g(180) = k·sin(180·f + ramc) + 1 > 0.
        long double low = 0, high = 180;
        for (int step = 0; step < 80; ++step) {
            const long double middle = (low + high) / 2;
            (g(middle) < 0 ? low : high) = middle;
        }
        current = (low + high) / 2;
    }
    return Normalize360(fraction * current + ramc);
}

HouseResult ComputeHouses(const HouseInputs& in, const std::string& systemName,
                          const std::array<long double, 16>& previous) {
    const Sky sky = SkyOf(in);
    HouseResult result;
    result.cusp = previous;
    result.cusp[1] = sky.ascendant;
    result.cusp[10] = sky.midheaven;
    result.ascendantRad = sky.ascendant * kDegToRad;
    result.midheavenRad = sky.midheaven * kDegToRad;
    result.siderealTimeHours = sky.siderealHours;

    bool known = true;
    if (systemName == "PLACIDO")
        PlacidusCusps(sky, result.cusp);
    else if (systemName == "CASE_UGUALI" || systemName == "CASE_MEDIE")
        EqualCusps(sky, result.cusp);
    else if (systemName == "KOCH")
        KochCusps(sky, result.cusp);
    else if (systemName == "REGIOMONT")
        RegiomontanusCusps(sky, result.cusp);
    else if (systemName == "PORFIRIO")
        PorphyryCusps(sky, result.cusp);
    else if (systemName == "CAMPANO")
        CampanusCusps(sky, result.cusp);
    else if (systemName == "MORINO")
        MorinusCusps(sky, result.cusp);
    else if (systemName == "ALCABIZIO")
        AlcabitiusCusps(sky, result.cusp);
    else
        known = false;

    // Another name leaves the cusps it did not set exactly as they were.
    if (known) {
        for (int h = 1; h <= 12; ++h)
            result.cusp[h] = Normalize360(result.cusp[h]);
    }
    return result;
}

void ComputeHouses(const HouseInputs& in, ChartState& chart) {
    const HouseResult result = ComputeHouses(in, chart.HouseSystemName.str(), chart.HouseCusp);
    chart.HouseCusp = result.cusp;
    chart.AscendantRad = result.ascendantRad;
    chart.MidheavenRad = result.midheavenRad;
    chart.SiderealTimeHours = result.siderealTimeHours;
}

HouseInputs HouseInputsOf(const ChartState& chart) {
    HouseInputs in;
    in.mode = chart.HouseMode;
    in.longitudeDegrees = chart.LongitudeDegrees;
    in.longitudeMinutes = chart.LongitudeMinutes;
    in.referenceLetter = "N";
    in.extraHours = 0;
    in.timeCorrection = chart.TimeCorrection;
    in.minute = chart.BirthMinuteWhole;
    in.hour = chart.BirthHourWhole;
    in.latitudeLetter = chart.LatitudeLetter;
    in.latitudeDegrees = chart.LatitudeDegrees;
    in.latitudeMinutes = chart.LatitudeMinutes;
    in.longitudeLetter = chart.LongitudeLetter;
    in.julianDay = chart.JulianDay;
    return in;
}

} // namespace exo
