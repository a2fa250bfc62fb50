// Fits the two coefficient lists of the theory that no published table gives in the engine's
// form — the Sun's planetary perturbations and the heliocentric corrections of Saturn to
// Pluto — to the reference ephemeris, and prints src/astro/FittedTerms.cpp on standard
// output. The report of the fits goes to standard error.
//
//   fit_theory > src/astro/FittedTerms.cpp   fit and print the tables (the tables the engine
//                                             was built with play no part in the fit)
//   fit_theory --measure                      errors of the engine as built: geocentric
//                                             longitudes and heliocentric vectors, 1900–2100
#include "astro/CorrectionFiles.h"
#include "astro/Ephemeris.h"
#include "chart/ChartState.h"
#include "reference/SwissReference.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <complex>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <numeric>
#include <stdexcept>
#include <string>
#include <vector>

namespace exo::fit {
namespace {

using Column = std::vector<double>;

constexpr double kPiD = 3.14159265358979323846;
constexpr double kRad = kPiD / 180.0;
constexpr double kCentury = 36525.0;
constexpr double kEpoch = 2415020.0;  // 1900 January 0.5, T = 0
constexpr double kJd1850 = 2396758.5; // 1850 January 1
constexpr double kJd2080 = 2480764.5; // 2080 January 1
constexpr double kSolarStepDays = 2.0;
constexpr double kPlanetStepDays = 5.0;
constexpr double kPlanetSpan = 2.0; // centuries: the corrections hold for 0 ≤ T ≤ 2

double CenturiesOf(double jd) {
    return (jd - kEpoch) / kCentury;
}

double WrapDegrees(double x) {
    x = std::fmod(x, 360.0);
    if (x > 180.0)
        x -= 360.0;
    if (x <= -180.0)
        x += 360.0;
    return x;
}

// The value as it reads with that many decimals, so that what the tool measures is what the
// printed table gives.
double Rounded(double value, int decimals) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return std::strtod(text, nullptr);
}

std::string Format(const char* format, auto... values) {
    char text[256];
    std::snprintf(text, sizeof text, format, values...);
    return text;
}

double Dot(const Column& a, const Column& b) {
    return std::inner_product(a.begin(), a.end(), b.begin(), 0.0);
}

// a −= f·b
void Subtract(Column& a, double f, const Column& b) {
    for (std::size_t i = 0; i < a.size(); ++i)
        a[i] -= f * b[i];
}

struct Spread {
    double rms = 0;
    double max = 0;
};

Spread SpreadOf(const Column& r) {
    Spread s;
    for (double v : r)
        s.max = std::max(s.max, std::abs(v));
    s.rms = r.empty() ? 0 : std::sqrt(Dot(r, r) / r.size());
    return s;
}

// ---------------------------------------------------------------------------------------
// Dense least squares

// x minimising |Σ x_j·columns_j − target| by Householder QR. Each column is scaled to unit
// length first, so powers of T and unit cosines are resolved equally well; dependent
// columns are an error rather than a table of huge cancelling coefficients.
std::vector<double> SolveLeastSquares(std::vector<Column> a, Column b) {
    const std::size_t rows = b.size();
    const std::size_t cols = a.size();
    if (cols > rows)
        throw std::runtime_error("least squares: more unknowns than samples");
    std::vector<double> scale(cols);
    for (std::size_t j = 0; j < cols; ++j) {
        const double norm = std::sqrt(Dot(a[j], a[j]));
        if (norm == 0)
            throw std::runtime_error("least squares: a column is zero");
        scale[j] = 1 / norm;
        for (double& v : a[j])
            v *= scale[j];
    }
    std::vector<double> diagonal(cols);
    for (std::size_t k = 0; k < cols; ++k) {
        Column& v = a[k];
        double norm2 = 0;
        for (std::size_t i = k; i < rows; ++i)
            norm2 += v[i] * v[i];
        const double norm = std::sqrt(norm2);
        if (norm < 1e-9)
            throw std::runtime_error("least squares: the columns are dependent");
        const double alpha = v[k] > 0 ? -norm : norm;
        const double vv = norm2 - v[k] * v[k] + (v[k] - alpha) * (v[k] - alpha);
        v[k] -= alpha; // v[k..] is now the Householder vector
        auto reflect = [&](Column& c) {
            double s = 0;
            for (std::size_t i = k; i < rows; ++i)
                s += v[i] * c[i];
            const double f = 2 * s / vv;
            for (std::size_t i = k; i < rows; ++i)
                c[i] -= f * v[i];
        };
        for (std::size_t j = k + 1; j < cols; ++j)
            reflect(a[j]);
        reflect(b);
        diagonal[k] = alpha;
    }
    std::vector<double> x(cols);
    for (std::size_t k = cols; k-- > 0;) {
        double s = b[k];
        for (std::size_t j = k + 1; j < cols; ++j)
            s -= a[j][k] * x[j];
        x[k] = s / diagonal[k];
    }
    for (std::size_t j = 0; j < cols; ++j)
        x[j] *= scale[j];
    return x;
}

// A cosine and sine pair as amplitude·cos(θ + phase), phase in degrees.
struct AmplitudePhase {
    double amplitude;
    double phase;
};
AmplitudePhase FromPair(double cosine, double sine) {
    double phase = std::atan2(-sine, cosine) / kRad;
    if (phase < 0)
        phase += 360;
    return {std::hypot(cosine, sine), phase};
}

// ---------------------------------------------------------------------------------------
// The Sun's planetary perturbations

struct SolarSample {
    double jd;
    std::array<double, 4> synodic; // A₀ … A₃, degrees
    double anomaly;                // M with its long-period terms, degrees
};

// Reference apparent longitude minus the solar theory with these perturbations, arcseconds.
double SolarResidual(double jd, std::span<const SolarTerm> terms) {
    const double reference = reference::Apparent(1, jd).longitude;
    const double theory = static_cast<double>(SolarLongitude(TimeArgumentsOf(jd), terms));
    return WrapDegrees(reference - theory) * 3600;
}

Column SolarResiduals(const std::vector<SolarSample>& samples, std::span<const SolarTerm> terms) {
    Column r(samples.size());
    for (std::size_t i = 0; i < samples.size(); ++i)
        r[i] = SolarResidual(samples[i].jd, terms);
    return r;
}

std::vector<SolarSample> SolarSamples() {
    std::vector<SolarSample> samples;
    for (double jd = kJd1850; jd <= kJd2080; jd += kSolarStepDays) {
        const long double T = CenturiesOf(jd);
        const std::array<long double, 4> a = SolarArguments(T);
        SolarSample s{jd, {}, static_cast<double>(EarthMeanAnomaly(T))};
        for (int j = 0; j < 4; ++j)
            s.synodic[j] = static_cast<double>(a[j]);
        samples.push_back(s);
    }
    return samples;
}

struct SolarCandidate {
    int argument;
    int multiple;
    int anomalyMultiple;
};

std::vector<SolarCandidate> SolarCandidates() {
    std::vector<SolarCandidate> candidates;
    for (int argument = 0; argument < 4; ++argument)
        for (int multiple = 1; multiple <= 5; ++multiple)
            for (int anomalyMultiple = -3; anomalyMultiple <= 3; ++anomalyMultiple)
                candidates.push_back({argument, multiple, anomalyMultiple});
    return candidates;
}

double AngleOf(const SolarSample& s, const SolarCandidate& c) {
    return (c.multiple * s.synodic[c.argument] + c.anomalyMultiple * s.anomaly) * kRad;
}

std::array<Column, 2> SolarColumns(const std::vector<SolarSample>& samples,
                                   const SolarCandidate& c) {
    std::array<Column, 2> pair{Column(samples.size()), Column(samples.size())};
    for (std::size_t i = 0; i < samples.size(); ++i) {
        const double angle = AngleOf(samples[i], c);
        pair[0][i] = std::cos(angle);
        pair[1][i] = std::sin(angle);
    }
    return pair;
}

// What fitting the pair (u, v) to r removes from |r|²: bᵀG⁻¹b with G the pair's Gram matrix.
double PairGain(double uu, double uv, double vv, double ur, double vr) {
    const double det = uu * vv - uv * uv;
    if (det <= 1e-12 * uu * vv)
        return 0;
    return (ur * ur * vv - 2 * ur * vr * uv + vr * vr * uu) / det;
}

// Orthogonal least squares: each step takes the candidate pair whose joint refit with the
// pairs already chosen lowers the residual most. The remaining candidates are kept
// orthogonal to everything chosen, so that gain is their projection on the residual.
// Stops when the best pair would be a term below minAmplitude.
std::vector<SolarCandidate> SelectSolarTerms(const std::vector<SolarSample>& samples,
                                             const Column& residual, double minAmplitude) {
    const std::vector<SolarCandidate> candidates = SolarCandidates();
    std::vector<std::array<Column, 2>> free;
    for (const SolarCandidate& c : candidates)
        free.push_back(SolarColumns(samples, c));
    std::vector<bool> taken(candidates.size(), false);
    std::vector<SolarCandidate> chosen;
    Column r = residual;
    const double n = static_cast<double>(samples.size());
    while (chosen.size() < candidates.size()) {
        double bestGain = 0;
        std::size_t best = candidates.size();
        for (std::size_t c = 0; c < candidates.size(); ++c) {
            if (taken[c])
                continue;
            const Column& u = free[c][0];
            const Column& v = free[c][1];
            const double gain = PairGain(Dot(u, u), Dot(u, v), Dot(v, v), Dot(u, r), Dot(v, r));
            if (gain > bestGain) {
                bestGain = gain;
                best = c;
            }
        }
        // A term of amplitude a removes about a²·n/2 from |r|².
        if (best == candidates.size() || std::sqrt(2 * bestGain / n) < minAmplitude)
            break;
        taken[best] = true;
        chosen.push_back(candidates[best]);
        std::array<Column, 2> q = free[best];
        Subtract(q[1], Dot(q[1], q[0]) / Dot(q[0], q[0]), q[0]);
        for (Column& e : q) {
            const double norm = std::sqrt(Dot(e, e));
            for (double& v : e)
                v /= norm;
            Subtract(r, Dot(r, e), e);
            for (std::size_t c = 0; c < candidates.size(); ++c)
                if (!taken[c])
                    for (Column& f : free[c])
                        Subtract(f, Dot(f, e), e);
        }
    }
    return chosen;
}

std::vector<SolarTerm> FitSolarTerms(const std::vector<SolarSample>& samples,
                                     const Column& residual,
                                     const std::vector<SolarCandidate>& chosen) {
    std::vector<Column> columns;
    for (const SolarCandidate& c : chosen)
        for (Column& column : SolarColumns(samples, c))
            columns.push_back(std::move(column));
    const std::vector<double> x = SolveLeastSquares(std::move(columns), residual);
    std::vector<SolarTerm> terms;
    for (std::size_t k = 0; k < chosen.size(); ++k) {
        const AmplitudePhase p = FromPair(x[2 * k], x[2 * k + 1]);
        terms.push_back({chosen[k].argument, chosen[k].multiple, chosen[k].anomalyMultiple,
                         Rounded(p.amplitude, 3), Rounded(p.phase, 2)});
    }
    std::stable_sort(terms.begin(), terms.end(), [](const SolarTerm& a, const SolarTerm& b) {
        return a.amplitude > b.amplitude;
    });
    return terms;
}

// Mean residual over spans of years: the slow part no periodic term can take (ΔT, since the
// theory runs on Universal Time).
struct DriftBlock {
    int from, to;
    double mean;
};
std::vector<DriftBlock> SolarDrift(const std::vector<SolarSample>& samples, const Column& r) {
    const std::array<int, 6> edges{1850, 1900, 1950, 2000, 2050, 2080};
    std::vector<DriftBlock> blocks;
    for (std::size_t b = 0; b + 1 < edges.size(); ++b) {
        const double from = kJd1850 + (edges[b] - 1850) * 365.2425;
        const double to = kJd1850 + (edges[b + 1] - 1850) * 365.2425;
        double sum = 0;
        int count = 0;
        for (std::size_t i = 0; i < samples.size(); ++i)
            if (samples[i].jd >= from && samples[i].jd < to) {
                sum += r[i];
                ++count;
            }
        blocks.push_back({edges[b], edges[b + 1], count ? sum / count : 0});
    }
    return blocks;
}

const char* const kSynodicName[] = {"Mars", "Saturn", "Venus", "Jupiter"};

std::string SolarArgumentText(const SolarTerm& t) {
    std::string text = Format("%d·A(%s)", t.multiple, kSynodicName[t.argument]);
    if (t.anomalyMultiple != 0)
        text += Format(" %c %d·M", t.anomalyMultiple < 0 ? '-' : '+', std::abs(t.anomalyMultiple));
    return text;
}

struct SolarFit {
    std::vector<SolarTerm> terms;
    Spread before, after;
    std::vector<DriftBlock> drift;
};

SolarFit FitSun() {
    std::fprintf(stderr, "Sun: sampling 1850-2080 every %g days\n", kSolarStepDays);
    const std::vector<SolarSample> samples = SolarSamples();
    const Column before = SolarResiduals(samples, {});
    const std::vector<SolarCandidate> chosen = SelectSolarTerms(samples, before, 0.1);
    SolarFit fit;
    fit.terms = FitSolarTerms(samples, before, chosen);
    // Measured through the engine's own evaluation of the printed terms.
    const Column after = SolarResiduals(samples, fit.terms);
    fit.before = SpreadOf(before);
    fit.after = SpreadOf(after);
    fit.drift = SolarDrift(samples, after);

    std::fprintf(stderr,
                 "Sun: %zu samples, %zu terms; residual rms %.3f\" max %.3f\" -> "
                 "rms %.3f\" max %.3f\"\n",
                 samples.size(), fit.terms.size(), fit.before.rms, fit.before.max, fit.after.rms,
                 fit.after.max);
    for (const DriftBlock& b : fit.drift)
        std::fprintf(stderr, "Sun: mean residual left %d-%d: %+.3f\"\n", b.from, b.to, b.mean);
    const std::array<double, 10> published{7.208, 5.526, 4.838, 2.731, 2.6,
                                           2.497, 2.043, 1.77,  1.61,  1.559};
    std::fprintf(stderr, "Sun: leading amplitudes, published (sorted) vs fitted:\n");
    for (std::size_t k = 0; k < published.size() && k < fit.terms.size(); ++k)
        std::fprintf(stderr, "  %6.3f\"   %6.3f\"  cos(%s + %.2f°)\n", published[k],
                     fit.terms[k].amplitude, SolarArgumentText(fit.terms[k]).c_str(),
                     fit.terms[k].phase);
    return fit;
}

// ---------------------------------------------------------------------------------------
// The outer planets' heliocentric corrections

struct CoordinateFit {
    double constant = 0, linear = 0, quadratic = 0;
    std::vector<PeriodicTerm> terms;
};

double Evaluate(const CoordinateFit& fit, double T) {
    double v = fit.constant + fit.linear * T + fit.quadratic * T * T;
    for (const PeriodicTerm& t : fit.terms)
        v += t.amplitude * std::cos((t.frequency * T + t.phase) * kRad);
    return v;
}

// The samples are equally spaced in T from 0, which lets the scan run each frequency's
// cosine and sine as a rotating phasor.
struct PlanetSamples {
    double step = 0; // centuries
    Column T;
    std::array<Column, 3> residual; // reference − Keplerian position, X, Y, Z (AU)
};

// Samples from T = from over `span` centuries.
PlanetSamples SamplePlanet(int body, double from, double span) {
    PlanetSamples s;
    s.step = kPlanetStepDays / kCentury;
    const int count = static_cast<int>(std::lround(span / s.step));
    for (int i = 0; i <= count; ++i) {
        const double jd = kEpoch + from * kCentury + i * kPlanetStepDays;
        const double T = from + i * s.step;
        const reference::Rectangular ref = reference::Heliocentric(body, jd);
        const Vector3 kepler = KeplerianState(body, T).position;
        s.T.push_back(T);
        s.residual[0].push_back(ref.x - static_cast<double>(kepler.x));
        s.residual[1].push_back(ref.y - static_cast<double>(kepler.y));
        s.residual[2].push_back(ref.z - static_cast<double>(kepler.z));
    }
    return s;
}

// What the best cosine and sine pair of frequency f (degrees per century) removes from |e|².
double FrequencyGain(const Column& T, const Column& e, double f) {
    double uu = 0, uv = 0, vv = 0, ue = 0, ve = 0;
    for (std::size_t i = 0; i < T.size(); ++i) {
        const double c = std::cos(f * T[i] * kRad);
        const double s = std::sin(f * T[i] * kRad);
        uu += c * c;
        uv += c * s;
        vv += s * s;
        ue += c * e[i];
        ve += s * e[i];
    }
    return PairGain(uu, uv, vv, ue, ve);
}

// The same gain on an evenly spaced grid of frequencies; Σcos², Σsin², Σcos·sin follow
// from the geometric sum of the doubled phasor.
double GridGain(const PlanetSamples& s, const Column& e, double f) {
    const std::complex<double> w = std::polar(1.0, f * s.step * kRad);
    std::complex<double> z = 1, sum = 0;
    for (double v : e) {
        sum += v * z;
        z *= w;
    }
    const double n = static_cast<double>(e.size());
    const std::complex<double> w2 = w * w;
    const std::complex<double> doubled =
        (1.0 - std::polar(1.0, 2 * n * f * s.step * kRad)) / (1.0 - w2); // Σ z²
    const double uu = (n + doubled.real()) / 2;
    const double vv = (n - doubled.real()) / 2;
    const double uv = doubled.imag() / 2;
    return PairGain(uu, uv, vv, sum.real(), sum.imag());
}

constexpr double kScanStep = 15;     // degrees per century; the resolution of 200 years is 180
constexpr double kScanLimit = 60000; // well above every frequency the residuals hold

// The frequency of greatest gain for e within `reach` of f, by golden-section search.
double PeakNear(const Column& T, const Column& e, double f, double reach) {
    const double ratio = (std::sqrt(5.0) - 1) / 2;
    double lo = std::max(f - reach, reach / 2), hi = f + reach;
    double a = hi - ratio * (hi - lo), b = lo + ratio * (hi - lo);
    double ga = FrequencyGain(T, e, a), gb = FrequencyGain(T, e, b);
    while (hi - lo > 1e-6) {
        if (ga > gb) {
            hi = b;
            b = a;
            gb = ga;
            a = hi - ratio * (hi - lo);
            ga = FrequencyGain(T, e, a);
        } else {
            lo = a;
            a = b;
            ga = gb;
            b = lo + ratio * (hi - lo);
            gb = FrequencyGain(T, e, b);
        }
    }
    return (lo + hi) / 2;
}

// The strongest frequency of e: the best point of the grid, refined within one grid step
// either side.
double StrongestFrequency(const PlanetSamples& s, const Column& e) {
    double best = kScanStep, bestGain = -1;
    for (double f = kScanStep; f <= kScanLimit; f += kScanStep) {
        const double gain = GridGain(s, e, f);
        if (gain > bestGain) {
            bestGain = gain;
            best = f;
        }
    }
    return PeakNear(s.T, e, best, kScanStep);
}

// The quadratic and the cosine and sine pairs of the frequencies, fitted jointly to y.
CoordinateFit FitCoordinate(const Column& T, const Column& y, const std::vector<double>& freqs) {
    std::vector<Column> columns(3 + 2 * freqs.size(), Column(T.size()));
    for (std::size_t i = 0; i < T.size(); ++i) {
        columns[0][i] = 1;
        columns[1][i] = T[i];
        columns[2][i] = T[i] * T[i];
        for (std::size_t k = 0; k < freqs.size(); ++k) {
            columns[3 + 2 * k][i] = std::cos(freqs[k] * T[i] * kRad);
            columns[4 + 2 * k][i] = std::sin(freqs[k] * T[i] * kRad);
        }
    }
    const std::vector<double> x = SolveLeastSquares(std::move(columns), y);
    CoordinateFit fit{x[0], x[1], x[2], {}};
    for (std::size_t k = 0; k < freqs.size(); ++k) {
        const AmplitudePhase p = FromPair(x[3 + 2 * k], x[4 + 2 * k]);
        fit.terms.push_back({p.amplitude, freqs[k], p.phase});
    }
    return fit;
}

Column ResidualOf(const Column& T, const Column& y, const CoordinateFit& fit) {
    Column e(y.size());
    for (std::size_t i = 0; i < T.size(); ++i)
        e[i] = y[i] - Evaluate(fit, T[i]);
    return e;
}

// The fit as printed: AU to 1e-8, frequencies and phases to 1e-4 degree.
CoordinateFit RoundedFit(CoordinateFit fit) {
    fit.constant = Rounded(fit.constant, 8);
    fit.linear = Rounded(fit.linear, 8);
    fit.quadratic = Rounded(fit.quadratic, 8);
    for (PeriodicTerm& t : fit.terms)
        t = {Rounded(t.amplitude, 8), Rounded(t.frequency, 4), Rounded(t.phase, 4)};
    std::stable_sort(
        fit.terms.begin(), fit.terms.end(),
        [](const PeriodicTerm& a, const PeriodicTerm& b) { return a.amplitude > b.amplitude; });
    return fit;
}

// Levenberg–Marquardt on every coefficient and every frequency at once, from the
// frequencies the analysis found: found one at a time, each is a little off, pulled by the
// terms not yet taken. The damping rows (λ times each column's length) keep the step short
// along the nearly dependent directions of close frequencies.
CoordinateFit RefineJointly(const Column& T, const Column& y, CoordinateFit fit) {
    const std::size_t n = fit.terms.size();
    const std::size_t unknowns = 3 + 3 * n;
    double rms = SpreadOf(ResidualOf(T, y, fit)).rms;
    double lambda = 1e-3;
    for (int iteration = 0; iteration < 200 && lambda < 1e6; ++iteration) {
        std::vector<Column> columns(unknowns, Column(T.size() + unknowns, 0.0));
        std::vector<std::array<double, 2>> pair(n);
        for (std::size_t k = 0; k < n; ++k) {
            const PeriodicTerm& t = fit.terms[k];
            pair[k] = {t.amplitude * std::cos(t.phase * kRad),
                       -t.amplitude * std::sin(t.phase * kRad)};
        }
        for (std::size_t i = 0; i < T.size(); ++i) {
            columns[0][i] = 1;
            columns[1][i] = T[i];
            columns[2][i] = T[i] * T[i];
            for (std::size_t k = 0; k < n; ++k) {
                const double angle = fit.terms[k].frequency * T[i] * kRad;
                const double c = std::cos(angle), s = std::sin(angle);
                columns[3 + 3 * k][i] = c;
                columns[4 + 3 * k][i] = s;
                columns[5 + 3 * k][i] = kRad * T[i] * (pair[k][1] * c - pair[k][0] * s);
            }
        }
        for (std::size_t j = 0; j < unknowns; ++j)
            columns[j][T.size() + j] = std::sqrt(lambda * Dot(columns[j], columns[j]));
        Column target = ResidualOf(T, y, fit);
        target.resize(T.size() + unknowns, 0.0);
        const std::vector<double> step = SolveLeastSquares(std::move(columns), target);

        CoordinateFit trial = fit;
        trial.constant += step[0];
        trial.linear += step[1];
        trial.quadratic += step[2];
        for (std::size_t k = 0; k < n; ++k) {
            const AmplitudePhase p =
                FromPair(pair[k][0] + step[3 + 3 * k], pair[k][1] + step[4 + 3 * k]);
            trial.terms[k] = {p.amplitude, fit.terms[k].frequency + step[5 + 3 * k], p.phase};
        }
        const double trialRms = SpreadOf(ResidualOf(T, y, trial)).rms;
        if (trialRms < rms) {
            const bool converged = rms - trialRms < 1e-6 * rms;
            fit = trial;
            rms = trialRms;
            if (converged)
                break;
            lambda /= 3;
        } else {
            lambda *= 4;
        }
    }
    return fit;
}

// Frequency analysis: the strongest frequency of what is left, then everything refitted,
// until the budget of terms is used; then all frequencies adjusted together.
CoordinateFit AnalyseCoordinate(const PlanetSamples& s, const Column& y, int budget) {
    std::vector<double> freqs;
    CoordinateFit fit = FitCoordinate(s.T, y, freqs);
    for (int k = 0; k < budget; ++k) {
        freqs.push_back(StrongestFrequency(s, ResidualOf(s.T, y, fit)));
        fit = FitCoordinate(s.T, y, freqs);
    }
    return RoundedFit(RefineJointly(s.T, y, fit));
}

struct PlanetFit {
    int body;
    const char* name;
    std::array<CoordinateFit, 3> xyz;
    std::array<Spread, 3> before, after;
};

PlanetFit FitPlanet(int body, const char* name, int budget, double from = 0,
                    double span = kPlanetSpan) {
    std::fprintf(stderr, "%s: sampling T = %g to %g every %g days\n", name, from, from + span,
                 kPlanetStepDays);
    const PlanetSamples s = SamplePlanet(body, from, span);
    PlanetFit fit{body, name, {}, {}, {}};
    for (int c = 0; c < 3; ++c) {
        fit.xyz[c] = AnalyseCoordinate(s, s.residual[c], budget);
        fit.before[c] = SpreadOf(s.residual[c]);
        fit.after[c] = SpreadOf(ResidualOf(s.T, s.residual[c], fit.xyz[c]));
        std::fprintf(stderr, "%s %c: rms %.6f max %.6f AU -> rms %.7f max %.7f AU\n", name,
                     "XYZ"[c], fit.before[c].rms, fit.before[c].max, fit.after[c].rms,
                     fit.after[c].max);
    }
    return fit;
}

// ---------------------------------------------------------------------------------------
// The C++ source

std::string ReferenceName() {
    const bool files = reference::InsideFileRange(1, kJd1850) &&
                       reference::InsideFileRange(1, kJd2080) &&
                       reference::InsideFileRange(10, kEpoch + kPlanetSpan * kCentury);
    return files ? "the Swiss Ephemeris (its ephemeris files)"
                 : "the Swiss Ephemeris (partly its analytic ephemeris)";
}

constexpr double kLateJupiterFrom = 0.95;

void PrintHeader(const SolarFit& sun, const std::vector<PlanetFit>& planets) {
    std::printf("// Coefficient lists of the theory that no published table gives in the engine's "
                "form,\n// fitted by tools/fit_theory to %s. Regenerate with\n"
                "//   fit_theory > src/astro/FittedTerms.cpp\n"
                "//   clang-format -i src/astro/FittedTerms.cpp\n//\n",
                ReferenceName().c_str());
    std::printf(
        "// The Sun's planetary perturbations. The residual of the apparent longitude\n"
        "// (reference minus the solar theory without perturbations), 1850 to 2080 every\n"
        "// 2 days, is fitted by linear least squares with cosine and sine pairs of k·A + m·M\n"
        "// (A one of the four synodic arguments, k = 1…5, m = −3…3, M the Earth's mean\n"
        "// anomaly with its long-period terms), chosen one at a time as the pair that lowers\n"
        "// the residual most with all chosen pairs refitted jointly, down to terms of 0.1″.\n"
        "// Residual: rms %.2f″, max %.2f″ without the terms; rms %.2f″, max %.2f″ with them.\n"
        "// What is left is mostly ΔT (the theory runs on Universal Time) and what the\n"
        "// candidates cannot express; mean residual left:",
        sun.before.rms, sun.before.max, sun.after.rms, sun.after.max);
    for (std::size_t b = 0; b < sun.drift.size(); ++b)
        std::printf("%s %d–%d %+.2f″", b % 3 == 0 ? "\n//  " : ",", sun.drift[b].from,
                    sun.drift[b].to, sun.drift[b].mean);
    std::printf(".\n//\n");
    std::printf(
        "// The heliocentric corrections of Saturn to Pluto. Per coordinate, the reference minus\n"
        "// the Keplerian position, 1900 to 2100 (0 ≤ T ≤ 2) every 5 days, by frequency analysis:\n"
        "// the strongest frequency of what is left (a scan of %g to %g degrees per century, the\n"
        "// peak refined), then the quadratic and all chosen terms refitted jointly by least\n"
        "// squares, until the budget of terms is used (14 for Saturn, 11 for the others, per\n"
        "// coordinate); at the end all frequencies and coefficients are adjusted together\n"
        "// (Levenberg–Marquardt). Residual (AU), rms and max, before → after:\n",
        kScanStep, kScanLimit);
    for (const PlanetFit& p : planets)
        for (int c = 0; c < 3; ++c)
            std::printf("//   %-8s %c  %.5f %.5f → %.6f %.6f\n", c == 0 ? p.name : "", "XYZ"[c],
                        p.before[c].rms, p.before[c].max, p.after[c].rms, p.after[c].max);
    std::printf(
        "//\n// Jupiter's published corrections follow the reference from 1900 to 2000 only; "
        "beyond\n"
        "// T = 1 their quadratic runs away (0.02 AU by 2090). From T = 1 to 2 the engine uses\n"
        "// instead the table fitted here the same way, over T = %g to 2 so that the two meet\n"
        "// at T = 1.\n",
        kLateJupiterFrom);
    std::printf("#include \"astro/TheoryTerms.h\"\n\nnamespace exo {\nnamespace {\n\n");
}

void PrintCoordinateTerms(const std::string& name, const CoordinateFit& fit) {
    std::printf("constexpr PeriodicTerm %s[] = {\n", name.c_str());
    for (const PeriodicTerm& t : fit.terms)
        std::printf("    {%.8f, %.4f, %.4f},\n", t.amplitude, t.frequency, t.phase);
    std::printf("};\n");
}

void PrintPlanet(const PlanetFit& p) {
    const std::string base = std::string("k") + p.name;
    for (int c = 0; c < 3; ++c)
        PrintCoordinateTerms(base + "XYZ"[c], p.xyz[c]);
    std::printf("constexpr XyzCorrection %s = {\n", base.c_str());
    for (int c = 0; c < 3; ++c)
        std::printf("    {%.8f, %.8f, %.8f, %s},\n", p.xyz[c].constant, p.xyz[c].linear,
                    p.xyz[c].quadratic, (base + "XYZ"[c]).c_str());
    std::printf("};\n\n");
}

void PrintSolarTerms(const SolarFit& sun) {
    std::printf("// {argument, multiple, anomaly multiple, amplitude″, phase°}; argument 0 Mars, "
                "1 Saturn,\n// 2 Venus, 3 Jupiter.\n");
    std::printf("constexpr SolarTerm kSolarTerms[] = {\n");
    for (const SolarTerm& t : sun.terms)
        std::printf("    {%d, %d, %d, %.3f, %.2f},\n", t.argument, t.multiple, t.anomalyMultiple,
                    t.amplitude, t.phase);
    std::printf("};\n\n");
}

void PrintSource(const SolarFit& sun, const std::vector<PlanetFit>& planets,
                 const PlanetFit& lateJupiter) {
    std::vector<PlanetFit> all = planets;
    all.push_back(lateJupiter);
    PrintHeader(sun, all);
    for (const PlanetFit& p : all)
        PrintPlanet(p);
    PrintSolarTerms(sun);
    std::printf("} // namespace\n\nconst XyzCorrection* FittedOuterPlanetCorrection(int body) "
                "{\n    switch (body) {\n");
    for (const PlanetFit& p : planets)
        std::printf("    case %d:\n        return &k%s;\n", p.body, p.name);
    std::printf("    default:\n        return nullptr;\n    }\n}\n\n");
    std::printf("const XyzCorrection* FittedLateJupiterCorrection() {\n    return &k%s;\n}\n\n",
                lateJupiter.name);
    std::printf("std::span<const SolarTerm> SolarPerturbationTerms() {\n    return kSolarTerms;\n"
                "}\n\n} // namespace exo\n");
}

struct OuterBody {
    int body;
    const char* name;
    int budget; // periodic terms per coordinate
};
constexpr std::array<OuterBody, 4> kOuterBodies{{
    {7, "Saturn", 14},
    {8, "Uranus", 11},
    {9, "Neptune", 11},
    {10, "Pluto", 11},
}};

int Fit() {
    const SolarFit sun = FitSun();
    std::vector<PlanetFit> planets;
    for (const OuterBody& b : kOuterBodies)
        planets.push_back(FitPlanet(b.body, b.name, b.budget));
    const PlanetFit lateJupiter =
        FitPlanet(6, "LateJupiter", 11, kLateJupiterFrom, kPlanetSpan - kLateJupiterFrom);
    PrintSource(sun, planets, lateJupiter);
    return 0;
}

// ---------------------------------------------------------------------------------------
// Measurement of the engine as built

int Measure() {
    const std::array<int, 5> bodies{1, 7, 8, 9, 10};
    const char* const names[] = {"", "Sun",    "",       "",        "",     "",
                                 "", "Saturn", "Uranus", "Neptune", "Pluto"};
    std::array<Column, 11> longitude;
    std::array<std::array<Column, 3>, 11> helio;
    ChartState chart;
    const int count = static_cast<int>(std::lround(kPlanetSpan * kCentury / kPlanetStepDays));
    for (int i = 0; i <= count; ++i) {
        const double jd = kEpoch + i * kPlanetStepDays;
        ComputeBodies(BodyMode::All, false, jd, chart, NoCorrections());
        for (int body : bodies) {
            const double ref = reference::Apparent(body, jd).longitude;
            longitude[body].push_back(
                WrapDegrees(ref - static_cast<double>(chart.ChartLongitude[body])) * 3600);
            if (body == 1)
                continue;
            const long double T = CenturiesOf(jd);
            const Vector3 v = KeplerianState(body, T).position;
            const Vector3 dv = OuterPlanetCorrection(body, T);
            const reference::Rectangular r = reference::Heliocentric(body, jd);
            helio[body][0].push_back(r.x - static_cast<double>(v.x + dv.x));
            helio[body][1].push_back(r.y - static_cast<double>(v.y + dv.y));
            helio[body][2].push_back(r.z - static_cast<double>(v.z + dv.z));
        }
    }
    std::printf("Reference minus engine, 1900-2100 every %g days (no correction files)\n",
                kPlanetStepDays);
    std::printf("%-8s  %21s  %s\n", "", "geocentric longitude", "heliocentric X, Y, Z (AU)");
    std::printf("%-8s  %10s %10s  %s\n", "", "rms", "max", "rms / max");
    for (int body : bodies) {
        const Spread s = SpreadOf(longitude[body]);
        std::printf("%-8s  %9.2f\" %9.2f\" ", names[body], s.rms, s.max);
        if (body != 1)
            for (const Column& c : helio[body]) {
                const Spread h = SpreadOf(c);
                std::printf(" %.6f / %.6f", h.rms, h.max);
            }
        std::printf("\n");
    }
    return 0;
}

} // namespace
} // namespace exo::fit

int main(int argc, char** argv) {
    const std::string option = argc > 1 ? argv[1] : "";
    if (argc > 2 || (argc == 2 && option != "--measure")) {
        std::fprintf(stderr, "usage: fit_theory [--measure]\n");
        return 2;
    }
    try {
        exo::reference::Open();
        return option == "--measure" ? exo::fit::Measure() : exo::fit::Fit();
    } catch (const std::exception& error) {
        std::fprintf(stderr, "fit_theory: %s\n", error.what());
        return 1;
    }
}
