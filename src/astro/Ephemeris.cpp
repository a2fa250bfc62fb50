// Orbital elements: polynomials in T of date (mean equinox and ecliptic of date) after
// the tables of J. Meeus, Astronomical Formulae for Calculators (1979), with the mean
// elements of the outer planets in two spans, and Jupiter's heliocentric corrections.
#include "astro/Ephemeris.h"

#include "astro/Angles.h"
#include "astro/LunarTheory.h"

#include <cmath>

namespace exo {

namespace {

constexpr long double kEpoch1900 = 2415020.0L;
constexpr long double kGaussK = 0.01720209L; // radians per day for a = 1
constexpr long double kLightDaysPerAu = 0.0057683L;

struct Poly {
    long double c0 = 0, c1 = 0, c2 = 0;
    long double at(long double T) const { return c0 + (c1 + c2 * T) * T; }
};

struct Elements {
    Poly meanAnomaly, eccentricity, semiMajorAxis, perihelion, node, inclination;
};

// clang-format off
// Bodies 3–10 (the outer planets with their elements for T ≥ −2) and 15–19.
const Elements kModernElements[20] = {
    {}, {}, {},
    /* 3 Mercury */ {{102.2793806L, 149472.51523L, 0.000006389L}, {0.20561421L, 0.00002046L, -0.00000003L},
                     {0.3870984L}, {28.75375278L, 0.370280556L, 0.000120833L},
                     {47.14594444L, 1.185208333L, 0.000173889L}, {7.002880556L, 0.001860833L, -0.000018333L}},
    /* 4 Venus */   {{212.6032194L, 58517.80386L, 0.001286056L}, {0.00682069L, -0.00004774L, 0.0000091L},
                     {0.7233316L}, {54.38418611L, 0.508186111L, -0.001386389L},
                     {75.77964722L, 0.89985L, 0.00041L}, {3.393630556L, 0.00100583L, -0.000000972L}},
    /* 5 Mars */    {{319.529425L, 19139.8585L, 0.000180806L}, {0.0933129L, 0.000092064L, -0.000000077L},
                     {1.5236915L}, {285.4317611L, 1.069766667L, 0.00013125L},
                     {48.78644167L, 0.770991667L, -0.000001389L}, {1.850333333L, -0.000675L, 0.000012611L}},
    /* 6 Jupiter */ {{225.49281253L, 3033.687936L}, {0.04838144L, -0.0000155L}, {5.20290493L},
                     {273.3930152L, 1.33834464L}, {99.41984827L, 1.05829152L}, {1.3096585L, -0.00515613L}},
    /* 7 Saturn */  {{174.215296L, 1223.507963L}, {0.05422831L, -0.00020495L}, {9.55251745L},
                     {338.911673L, -0.31667941L}, {112.8261394L, 0.82587569L}, {2.49080547L, -0.00466035L}},
    /* 8 Uranus */  {{74.17574887L, 427.2742717L}, {0.04681664L, 0.00041875L}, {19.22150505L},
                     {95.68630387L, 2.05082548L}, {73.52220082L, 0.52415598L}, {0.77256652L, 0.00012824L}},
    /* 9 Neptune */ {{30.1329437L, 240.4551595L}, {0.00912805L, -0.00127185L}, {30.1137593L},
                     {284.168255L, -21.6328615L}, {130.6841531L, 1.10046492L}, {1.77939281L, -0.00975088L}},
    /* 10 Pluto */  {{229.7810007L, 145.1781092L}, {0.24797376L, 0.00289875L}, {39.53903455L},
                     {113.5365761L, 0.20863761L}, {108.94405L, 1.37395444L}, {17.15140319L, -0.01611824L}},
    {}, {}, {}, {},
    /* 15 Ceres */  {{108.2925L, 7820.36556L}, {0.0794314L}, {2.7672273L}, {71.0794444L},
                     {80.23555556L, 1.3960111L}, {10.59694444L}},
    /* 16 Pallas */ {{106.6641667L, 7806.531667L}, {0.2347096L}, {2.7704955L}, {310.166111L},
                     {172.497222L, 1.39601111L}, {34.81416667L}},
    /* 17 Juno */   {{267.685L, 8256.081111L}, {0.2562318L}, {2.6689897L}, {245.3752778L},
                     {170.137777L, 1.396011111L, 0.0003083333L}, {13.01694444L}},
    /* 18 Vesta */  {{138.7733333L, 9924.931111L}, {0.0902807L}, {2.360723L}, {149.6386111L},
                     {103.2197222L, 1.396011111L, 0.000308333L}, {7.139444444L}},
    /* 19 Chiron */ {{34.6127752L, 713.5756219L}, {0.382270369L, -0.004694073L}, {13.66975144L},
                     {337.407213L, 2.163306646L}, {208.1482658L, 1.247724355L}, {6.911179715L, 0.011236955L}},
};

// Jupiter to Pluto before T = −2.
const Elements kEarlyElements[11] = {
    {}, {}, {}, {}, {}, {},
    /* 6 Jupiter */ {{225.32833L, 3034.69202L, -0.00072L}, {0.04833L, 0.00016L}, {5.202561L},
                     {273.27754L, 0.59943L, 0.0007L}, {99.44338L, 1.01053L, 0.00035L}, {1.30874L, -0.005696L}},
    /* 7 Saturn */  {{175.46622L, 1221.55147L, -0.0005L}, {0.05589L, -0.00035L}, {9.55475L},
                     {338.30777L, 1.08522L, 0.00098L}, {112.79039L, 0.873195L, -0.00015L}, {2.49252L, -0.00392L, -0.00002L}},
    /* 8 Uranus */  {{72.64882L, 428.37911L, 0.00008L}, {0.046344L, -0.00003L}, {19.21814L},
                     {98.07155L, 0.98577L, -0.00107L}, {73.4771L, 0.49867L, 0.00131L}, {0.77246L, 0.00063L, 0.00004L}},
    /* 9 Neptune */ {{37.73067L, 218.46134L, -0.00007L}, {0.008997L}, {30.10957L},
                     {276.04597L, 0.32564L, 0.00014L}, {130.68136L, 1.09894L, 0.000249L}, {1.77924L, -0.00954L}},
    /* 10 Pluto */  {{229.94722L, 144.91306L}, {0.24864L}, {39.51774L}, {113.52136L},
                     {108.95444L, 1.39601L, 0.00031L}, {17.14678L}},
};

// The Earth: mean anomaly, eccentricity, axis; its perihelion is the longitude of perihelion.
const Elements kEarthElements = {{358.4758445L, 35999.04975L, -0.000150278L},
                                 {0.01675104L, -0.0000418L, -0.000000126L}, {1.00000023L},
                                 {101.2208333L, 1.719175L, 0.000452778L}, {}, {}};

// Jupiter's corrections: amplitude, frequency, phase.
constexpr PeriodicTerm kJupiterX[] = {
    {-0.0023, 676.2, 0.9},    {0.00045, 2361.4, 174.9},  {0.0015, 1427.5, -188.8},
    {0.0006, 2110.1, 153.6},  {0.0014, 3606.8, -57.7},   {-0.0017, 2540.2, 121.7},
    {-0.00099, 6704.8, -22.3}, {-0.0006, 5480.2, 24.5},  {0.00096, 1651.3, -118.3},
    {0.0006, 6310.8, -4.8},   {0.0007, 4826.6, 36.2},
};
constexpr PeriodicTerm kJupiterY[] = {
    {0.0051, 581.7, -9.7},     {-0.0005, 2510.7, -12.5},  {-0.0026, 1313.7, -61.4},
    {0.0013, 2370.79, -24.6},  {-0.0013, 3599.3, 37.7},   {-0.001, 2574.7, 31.4},
    {-0.00096, 6708.2, -114.5}, {-0.0006, 5499.4, -74.97}, {-0.0013, 1419, 54.2},
    {0.0006, 6339.3, -109},    {0.0007, 4824.5, -50.9},
};
const XyzCorrection kJupiterCorrection = {
    {0.002, -0.0134, 0.0127, kJupiterX}, {-0.001, -0.0005, 0.0045, kJupiterY}, {0, 0, 0, {}}};
// clang-format on

const Elements& ElementsOf(int body, long double T) {
    if (body == kEarth)
        return kEarthElements;
    if (body >= 6 && body <= 10 && T < -2)
        return kEarlyElements[body];
    return kModernElements[body];
}

long double CorrectionAt(const CoordinateCorrection& c, long double T) {
    long double sum = c.constant + (c.linear + c.quadratic * T) * T;
    for (const PeriodicTerm& term : c.terms)
        sum += term.amplitude * CosDegFast(static_cast<double>(term.frequency * T + term.phase));
    return sum;
}

// Eccentric anomaly (radians) from the mean anomaly, by Newton's method to full double
// precision (10⁻¹⁵ radian is far below any effect on the positions).
double EccentricAnomaly(double M, double e) {
    double E = M + e * std::sin(M);
    for (int i = 0; i < 30; ++i) {
        const double step = (E - e * std::sin(E) - M) / (1 - e * std::cos(E));
        E -= step;
        if (std::fabs(step) < 1e-15)
            break;
    }
    return E;
}

// Turns a vector of the orbital plane into ecliptic coordinates.
struct Rotation {
    long double cw, sw, ci, si, cn, sn;
    Vector3 apply(long double x, long double y) const {
        const long double x1 = x * cw - y * sw;
        const long double y1 = x * sw + y * cw;
        const long double z = y1 * si;
        const long double y2 = y1 * ci;
        return {x1 * cn - y2 * sn, x1 * sn + y2 * cn, z};
    }
};

// The state of the last Sun evaluation that the planets need: the Earth's heliocentric
// vector and velocity.
struct EarthState {
    OrbitState orbit;
};
EarthState& LastEarth() {
    static EarthState earth;
    return earth;
}

bool Inside(long double jd, long double from, long double to, bool fromInclusive) {
    return (fromInclusive ? jd >= from : jd > from) && jd < to;
}

void StoreBody(ChartState& chart, int body, long double longitude, long double latitude) {
    chart.ChartLongitude[body] = longitude;
    chart.ChartLatitude[body] = latitude;
}

void EvaluateSun(const TimeArguments& t, ChartState& chart) {
    LastEarth().orbit = KeplerianState(kEarth, t.T);
    StoreBody(chart, EphemerisOrder::Sun, SolarLongitude(t, SolarPerturbationTerms()), 0);
}

void EvaluateMoon(const TimeArguments& t, long double jd, ChartState& chart,
                  const CorrectionSource& corrections) {
    EclipticPosition moon = MoonTheory(t);
    if (Inside(jd, kMoonCorrectionFrom, kMoonCorrectionTo, false))
        moon.longitude = Normalize360(moon.longitude + corrections.moon(jd) / 3600);
    StoreBody(chart, EphemerisOrder::Moon, moon.longitude, moon.latitude);
}

// A planet or minor body: heliocentric vector, geocentric, light time, corrections.
void EvaluateOrbitBody(int body, const TimeArguments& t, long double jd, bool lookAhead,
                       ChartState& chart, const CorrectionSource& corrections) {
    OrbitState helio = KeplerianState(body, t.T);
    const Vector3 c = OuterPlanetCorrection(body, t.T);
    helio.position.x += c.x;
    helio.position.y += c.y;
    helio.position.z += c.z;

    const OrbitState& earth = LastEarth().orbit;
    const long double X = helio.position.x - earth.position.x;
    const long double Y = helio.position.y - earth.position.y;
    const long double Z = helio.position.z - earth.position.z;
    const long double VX = helio.velocity.x - earth.velocity.x;
    const long double VY = helio.velocity.y - earth.velocity.y;

    const long double rho2 = X * X + Y * Y;
    const long double speed = (X * VY - Y * VX) / rho2; // radians per day
    const long double lightTerm =
        std::sqrt(rho2 + Z * Z) * kLightDaysPerAu * speed * (180.0L / kPi);
    long double longitude = Normalize360(RadToDeg(std::atan2(Y, X)) + t.nutation - lightTerm);
    // The latitude lies in [−90°, 90°] by construction.
    long double latitude = RadToDeg(std::atan2(Z, std::sqrt(rho2)));

    if (body >= EphemerisOrder::Mercury && body <= EphemerisOrder::Pluto &&
        Inside(jd, kPlanetCorrectionFrom, kPlanetCorrectionTo, true)) {
        const int longitudeField = body - 2; // Mercury 1 … Pluto 8
        longitude = Normalize360(longitude + corrections.planet(longitudeField, jd) / 60);
        if (!lookAhead)
            latitude += corrections.planet(longitudeField + 9, jd) / 60;
    }
    StoreBody(chart, body, longitude, latitude);
}

// The Sun is always current when the node is evaluated; the true node needs the Moon too.
void EvaluateNode(const TimeArguments& t, long double jd, bool needMoon, ChartState& chart,
                  const CorrectionSource& corrections) {
    long double node = MeanNode(t);
    if (chart.NodeKind == "VERO") {
        if (needMoon)
            EvaluateMoon(t, jd, chart, corrections);
        node = TrueNodeTheory(t, chart.ChartLongitude[EphemerisOrder::Sun],
                              chart.ChartLongitude[EphemerisOrder::Moon]);
        if (Inside(jd, kNodeCorrectionFrom, kNodeCorrectionTo, false))
            node = Normalize360(node + corrections.planet(9, jd) / 60);
    }
    StoreBody(chart, EphemerisOrder::LunarNode, node, 0);
}

void EvaluateBlackMoon(const TimeArguments& t, long double jd, ChartState& chart,
                       const CorrectionSource& corrections) {
    long double apogee = Normalize360(t.perigee + 180);
    if (chart.ApogeeKind == "VERA" && Inside(jd, kApogeeCorrectionFrom, kApogeeCorrectionTo, true))
        apogee = Normalize360(apogee + corrections.apogee(jd) / 3600);
    StoreBody(chart, EphemerisOrder::BlackMoon, apogee, 0);
}

} // namespace

TimeArguments TimeArgumentsOf(long double jd) {
    TimeArguments t;
    t.d = jd - kEpoch1900;
    t.T = t.d / kDaysPerCentury;
    t.T2 = t.T * t.T;
    const long double T = t.T, T2 = t.T2, d = t.d;
    t.node = Normalize360(259.1833L - 0.05295392L * d + (0.002078L + 0.000002L * T) * T2);
    t.sunMean = Normalize360(279.69668L + 36000.7689L * T + 0.0003025L * T2);
    t.elongation = Normalize360(350.737486L + 445267.114L * T - 0.001436L * T2);
    t.perigee = Normalize360(334.32956L + 0.11140408L * d + (0.010325L - 0.000012L * T) * T2);
    t.sunAnomaly = Normalize360(358.47584L + 35999.04975L * T - 0.00015L * T2);
    t.moonMean = Normalize360(270.434164L + 13.1763965L * d + (-0.001133L + 0.0000019L * T) * T2);
    t.moonAnomaly = Normalize360(296.1046083L + 477198.849L * T + 0.009191671L * T2);
    t.nutation =
        (-(17.2327L + 0.01737L * T) * SinDeg(t.node) - 1.273L * SinDeg(2 * t.sunMean)) / 3600;
    t.obliquity = 23.4522944L - 0.0130125L * T;
    t.sinObliquity = SinDeg(t.obliquity);
    t.cosObliquity = CosDeg(t.obliquity);
    return t;
}

bool HasOrbitalElements(int body) {
    return body == kEarth || (body >= 3 && body <= 10) || (body >= 15 && body <= 19);
}

OrbitState KeplerianState(int body, long double T) {
    const Elements& el = ElementsOf(body, T);
    const long double M = Normalize360(el.meanAnomaly.at(T)) * kDegToRad;
    const long double e = el.eccentricity.at(T);
    const long double a = el.semiMajorAxis.at(T);
    const long double w = el.perihelion.at(T) * kDegToRad;
    const long double node = el.node.at(T) * kDegToRad;
    const long double incl = el.inclination.at(T) * kDegToRad;

    const double E = EccentricAnomaly(static_cast<double>(M), static_cast<double>(e));
    const long double sinE = std::sin(E), cosE = std::cos(E);
    const long double root = std::sqrt(1 - e * e);
    const long double x = a * (cosE - e);
    const long double y = a * root * sinE;
    const long double n = kGaussK / ((1 - e * cosE) * a * std::sqrt(a));
    const long double vx = -a * n * sinE;
    const long double vy = a * n * root * cosE;

    const auto c = [](long double angle) { return std::cos(static_cast<double>(angle)); };
    const auto s = [](long double angle) { return std::sin(static_cast<double>(angle)); };
    const Rotation r{c(w), s(w), c(incl), s(incl), c(node), s(node)};
    return {r.apply(x, y), r.apply(vx, vy)};
}

Vector3 OuterPlanetCorrection(int body, long double T) {
    if (T < 0 || T > 2)
        return {};
    // Jupiter's published corrections were made for 1900–2000 and run away after it.
    const XyzCorrection* c = body != EphemerisOrder::Jupiter ? FittedOuterPlanetCorrection(body)
                             : T <= 1                        ? &kJupiterCorrection
                                                             : FittedLateJupiterCorrection();
    if (!c)
        return {};
    return {CorrectionAt(c->x, T), CorrectionAt(c->y, T), CorrectionAt(c->z, T)};
}

namespace {
// The Sun's long-period terms, arcseconds.
long double SolarLongPeriodTerms(long double T) {
    return 6.4L * SinDeg(231.19L + 20.2L * T) +
           (1.882L - 0.016L * T) * SinDeg(57.24L + 150.27L * T) +
           0.266L * SinDeg(31.8L + 119.0L * T) + 0.202L * SinDeg(315.6L + 893.3L * T);
}
} // namespace

long double EarthMeanAnomaly(long double T) {
    const long double longPeriod = SolarLongPeriodTerms(T);
    return Normalize360(kEarthElements.meanAnomaly.at(T)) + longPeriod / 3600;
}

std::array<long double, 4> SolarArguments(long double T) {
    return {
        Normalize360(165.94905L + 16859.069667L * T), Normalize360(193.1323L + 34777.259042L * T),
        Normalize360(63.07037L + 22518.442986L * T), Normalize360(221.64742L + 32964.466939L * T)};
}

long double SolarLongitude(const TimeArguments& t, std::span<const SolarTerm> perturbations) {
    const long double T = t.T;
    const long double M0 = Normalize360(kEarthElements.meanAnomaly.at(T));
    const long double e = kEarthElements.eccentricity.at(T);
    long double E = M0;
    for (int i = 0; i < 5; ++i)
        E = M0 + e * (180.0L / kPi) * SinDeg(E);
    const long double v = 2 * RadToDeg(std::atan(std::sqrt((1 + e) / (1 - e)) * TanDeg(E / 2)));
    long double longitude = Normalize360(v - M0 + t.sunMean);

    const long double longPeriod = SolarLongPeriodTerms(T);
    const long double M2 = M0 + longPeriod / 3600;

    long double arcseconds = longPeriod;
    const auto A = SolarArguments(T);
    for (const SolarTerm& term : perturbations)
        arcseconds += term.amplitude *
                      CosDegFast(static_cast<double>(term.multiple * A[term.argument] +
                                                     term.anomalyMultiple * M2 + term.phase));
    arcseconds += 6.454L * SinDeg(t.elongation) + 0.424L * SinDeg(t.elongation - t.moonAnomaly);
    arcseconds -= 20.47L + 0.342L * CosDeg(M2);
    longitude += arcseconds / 3600 + t.nutation;
    return Normalize360(longitude);
}

long double MeanNode(const TimeArguments& t) {
    const long double T = t.T;
    return Normalize360(259.183275L - 1934.142L * T + 0.002078L * t.T2 + 0.0000022L * t.T2 * T);
}

long double TrueNodeTheory(const TimeArguments& t, long double sun, long double moon) {
    const long double N = MeanNode(t);
    const long double G = t.perigee;
    constexpr long double P = 282.596403L; // the Sun's perigee
    const long double s = sun, m = moon;
    const long double sum =
        1.517L * SinDeg(2 * (s - N)) - 0.163L * SinDeg(s - P) - 0.128L * SinDeg(2 * (m - s)) +
        0.12L * SinDeg(2 * (m - N)) + 0.107L * SinDeg(2 * (G - N)) +
        0.063L * SinDeg(3 * s - P - 2 * N) + 0.04L * SinDeg(G + m - 2 * s) -
        0.04L * SinDeg(G + m - 2 * N) + 0.027L * SinDeg(m - G) - 0.027L * SinDeg(s + P - 2 * N) +
        0.015L * SinDeg(2 * (s - G)) - 0.013L * SinDeg(2 * N + m - G - 2 * s) -
        0.013L * SinDeg(2 * s + m - 2 * N - G) - 0.007L * SinDeg(2 * m + P - 3 * s) +
        0.005L * SinDeg(3 * m - G - 2 * N) - 0.005L * SinDeg(3 * m - G - 2 * s);
    return Normalize360(N + sum);
}

void ComputeBodies(int mode, bool lookAhead, long double jd, ChartState& chart,
                   const CorrectionSource& corrections) {
    const CorrectionFileScope scope;
    const TimeArguments t = TimeArgumentsOf(jd);
    EvaluateSun(t, chart);
    auto planet = [&](int body) { EvaluateOrbitBody(body, t, jd, lookAhead, chart, corrections); };

    if (mode == BodyMode::All) {
        EvaluateMoon(t, jd, chart, corrections);
        for (int body = EphemerisOrder::Mercury; body <= EphemerisOrder::Pluto; ++body)
            planet(body);
        EvaluateNode(t, jd, false, chart, corrections);
        EvaluateBlackMoon(t, jd, chart, corrections);
        StoreBody(chart, EphemerisOrder::Ascendant, chart.HouseCusp[1], 0);
        StoreBody(chart, 14, 0, 0);
        for (int body = EphemerisOrder::Ceres; body <= EphemerisOrder::Chiron; ++body)
            planet(body);
    } else if (mode == EphemerisOrder::Moon) {
        EvaluateMoon(t, jd, chart, corrections);
    } else if (mode >= EphemerisOrder::Mercury && mode <= EphemerisOrder::Pluto) {
        planet(mode);
    } else if (mode == BodyMode::Node) {
        EvaluateNode(t, jd, true, chart, corrections);
    } else if (mode == BodyMode::BlackMoon) {
        EvaluateBlackMoon(t, jd, chart, corrections);
    } else if (mode >= EphemerisOrder::Ceres && mode <= EphemerisOrder::Chiron) {
        planet(mode);
    } else if (mode == BodyMode::Classical || mode == BodyMode::Classical + 1) {
        EvaluateMoon(t, jd, chart, corrections); // the Sun is already current
        for (int body = EphemerisOrder::Mercury; body <= EphemerisOrder::Pluto; ++body)
            planet(body);
    }
}

void ComputeBodies(int mode, bool lookAhead, long double jd, ChartState& chart) {
    ComputeBodies(mode, lookAhead, jd, chart, ProgramFolderCorrections());
}

void MarkBackwardMotion(const PointReals& later, ChartState& chart) {
    for (int body = 1; body <= EphemerisOrder::Chiron; ++body) {
        const long double now = chart.ChartLongitude[body];
        // The change over the look-ahead interval taken the short way round, so that a
        // passage through 0° counts in the direction the body really moves.
        long double change = Normalize360(later[body] - now);
        if (change > 180)
            change -= 360;
        if (change < 0)
            chart.ChartLongitude[body] = -now;
    }
}

void ComputePositionsWithMotion(int mode, long double jd, ChartState& chart,
                                const CorrectionSource& corrections) {
    constexpr long double kLookAhead = 0.001L;
    const CorrectionFileScope scope;
    ComputeBodies(mode, true, jd + kLookAhead, chart, corrections);
    const PointReals later = chart.ChartLongitude;
    ComputeBodies(mode, false, jd, chart, corrections);
    MarkBackwardMotion(later, chart);
}

void ClearMinorBodiesOutsideRange(ChartState& chart) {
    if (chart.JulianDay >= kMinorBodiesFrom && chart.JulianDay <= kMinorBodiesTo)
        return;
    for (int body = EphemerisOrder::Ceres; body <= EphemerisOrder::Chiron; ++body) {
        chart.ChartLongitude[body] = 0;
        chart.ChartLatitude[body] = 0;
        chart.RetroMark[body] = " ";
    }
}

void ComputePositionsWithMotion(int mode, long double jd, ChartState& chart) {
    ComputePositionsWithMotion(mode, jd, chart, ProgramFolderCorrections());
}

} // namespace exo
