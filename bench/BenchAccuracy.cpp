// Accuracy of the engine against the reference ephemeris: apparent geocentric longitude and
// latitude of every body at pseudo-random instants (fixed seed), with the correction tables
// of the program folder and with the bare theory. Prints one Markdown table per period.
//
//   build/bin/bench-accuracy
#include "BenchSupport.h"
#include "astro/CorrectionFiles.h"
#include "astro/Ephemeris.h"
#include "chart/ChartState.h"
#include "reference/SwissReference.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <exception>
#include <functional>
#include <optional>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

namespace exo::bench {
namespace {

// The sampled blocks. The minor bodies are measured only where the program shows them and
// the reference has them (its asteroid file starts in 1800).
constexpr std::uint64_t kSeed = 20240229;
constexpr int kModernSamples = 20000;  // 1850–2080
constexpr int kHistoricSamples = 5000; // 1000–1850
constexpr int kRecordSamples = 2000;   // per table and period, at the records' own instants
constexpr long double kMinorBodiesFrom = 2396758.5L;
constexpr long double kMinorBodiesTo = 2481129.5L;

struct Body {
    int index;
    const char* name;
};
constexpr Body kSun{1, "Sun"};
constexpr Body kMoon{2, "Moon"};
constexpr Body kPlanets[] = {{3, "Mercury"}, {4, "Venus"},  {5, "Mars"},    {6, "Jupiter"},
                             {7, "Saturn"},  {8, "Uranus"}, {9, "Neptune"}, {10, "Pluto"}};
constexpr Body kNode{11, "True node"};
constexpr Body kBlackMoon{12, "Black Moon (osculating apogee)"};
constexpr Body kMinorBodies[] = {
    {15, "Ceres"}, {16, "Pallas"}, {17, "Juno"}, {18, "Vesta"}, {19, "Chiron"}};

// Where the engine adds a table's correction to the body (the ranges it applies them in).
bool CorrectionApplies(int body, long double jd) {
    if (body == 2)
        return jd > kMoonCorrectionFrom && jd < kMoonCorrectionTo;
    if (body >= 3 && body <= 10)
        return jd >= kPlanetCorrectionFrom && jd < kPlanetCorrectionTo;
    if (body == 11)
        return jd > kNodeCorrectionFrom && jd < kNodeCorrectionTo;
    if (body == 12)
        return jd >= kApogeeCorrectionFrom && jd < kApogeeCorrectionTo;
    return false;
}

// The engine's positions of one instant, by ephemeris index.
struct EnginePositions {
    PointReals longitude{};
    PointReals latitude{};
};

EnginePositions EngineAt(long double jd, const CorrectionSource& corrections) {
    ChartState chart;
    chart.NodeKind = "VERO";
    chart.ApogeeKind = "VERA";
    ComputeBodies(0, false, jd, chart, corrections);
    return {chart.ChartLongitude, chart.ChartLatitude};
}

// Random instants show what the program gets; the instants the tables were tabulated at (0h UT
// for the daily tables, the stored instants of DPR1) show what the records themselves hold,
// so the difference is the cost of interpolating between them.
enum class Instants { Random, DailyRecord, PlanetRecord };

struct Sample {
    long double julianDay = 0;
    Instants kind = Instants::Random;
    EnginePositions withTables;
    EnginePositions bare;
    std::optional<reference::Position> reference[kPointSlots];
    bool referenceFromFiles = false; // the Moon's, as the marker of the reference's precision
};

// Uniform in [from, to), from the top 53 bits so that every standard library gives the same
// instants.
std::vector<long double> SampleInstants(std::mt19937_64& random, int count, long double from,
                                        long double to) {
    std::vector<long double> instants;
    for (int i = 0; i < count; ++i) {
        const long double unit = static_cast<long double>(random() >> 11) * 0x1.0p-53L;
        instants.push_back(from + unit * (to - from));
    }
    return instants;
}

// Random record instants in [from, to): days of the daily tables, or DPR1 record days.
std::vector<long double> SampleRecordInstants(std::mt19937_64& random, Instants kind, int count,
                                              long double from, long double to) {
    const long double start = kind == Instants::DailyRecord ? kMoonTableStart : kPlanetTableStart;
    const long double step = kind == Instants::DailyRecord ? 1 : kPlanetRecordDays;
    const auto first = static_cast<std::uint64_t>(std::ceil((from - start) / step));
    const auto last = static_cast<std::uint64_t>(std::ceil((to - start) / step));
    std::vector<long double> instants;
    for (int i = 0; i < count; ++i)
        instants.push_back(start + step * (first + random() % (last - first)));
    return instants;
}

Sample Measure(long double jd, Instants kind, bool withMinorBodies) {
    Sample sample;
    sample.julianDay = jd;
    sample.kind = kind;
    sample.withTables = EngineAt(jd, ProgramFolderCorrections());
    sample.bare = EngineAt(jd, NoCorrections());
    const double referenceJd = static_cast<double>(jd);
    for (int body = 1; body < kPointSlots; ++body) {
        const bool minor = body >= 15 && body <= 19;
        if ((body > 12 && !minor) || (minor && !withMinorBodies))
            continue;
        try {
            sample.reference[body] = reference::Apparent(body, referenceJd);
        } catch (const std::runtime_error&) {
            // Outside the reference's range for this body: not measured.
        }
    }
    sample.referenceFromFiles = reference::InsideFileRange(2, referenceJd);
    return sample;
}

// Arcseconds.
long double LongitudeError(long double engine, double reference) {
    long double difference = std::fmod(engine - reference, 360.0L);
    if (difference > 180)
        difference -= 360;
    if (difference < -180)
        difference += 360;
    return std::fabs(difference) * 3600;
}

struct Spread {
    long double median = 0;
    long double max = 0;
};

Spread SpreadOf(std::vector<long double> errors) {
    if (errors.empty())
        return {};
    const auto middle = errors.begin() + errors.size() / 2;
    std::nth_element(errors.begin(), middle, errors.end());
    long double median = *middle;
    if (errors.size() % 2 == 0)
        median = (median + *std::max_element(errors.begin(), middle)) / 2;
    return {median, *std::max_element(errors.begin(), errors.end())};
}

std::string AngleText(long double arcseconds) {
    char text[32];
    if (arcseconds < 60)
        std::snprintf(text, sizeof text, "%.2f″", static_cast<double>(arcseconds));
    else if (arcseconds < 3600)
        std::snprintf(text, sizeof text, "%.2f′", static_cast<double>(arcseconds / 60));
    else
        std::snprintf(text, sizeof text, "%.2f°", static_cast<double>(arcseconds / 3600));
    return text;
}

// A stated accuracy for the corrected longitude, in arcseconds.
struct Target {
    long double arcseconds;
    const char* text;
};

struct Row {
    std::string label;
    Body body;
    std::function<bool(const Sample&)> includes; // which instants of the period count
    std::optional<Target> target;                // checked only where the tables apply
};

int negativeEngineLongitudes = 0;

void PrintRow(const Row& row, const std::vector<Sample>& samples) {
    std::vector<long double> longitudeBare, longitudeTables, latitudeBare, latitudeTables;
    int corrected = 0;
    for (const Sample& sample : samples) {
        const auto& reference = sample.reference[row.body.index];
        if (!reference || !row.includes(sample))
            continue;
        const int i = row.body.index;
        for (const EnginePositions* engine : {&sample.bare, &sample.withTables}) {
            if (engine->longitude[i] < 0)
                ++negativeEngineLongitudes;
        }
        longitudeBare.push_back(LongitudeError(sample.bare.longitude[i], reference->longitude));
        longitudeTables.push_back(
            LongitudeError(sample.withTables.longitude[i], reference->longitude));
        latitudeBare.push_back(std::fabs(sample.bare.latitude[i] - reference->latitude) * 3600);
        latitudeTables.push_back(std::fabs(sample.withTables.latitude[i] - reference->latitude) *
                                 3600);
        if (CorrectionApplies(i, sample.julianDay))
            ++corrected;
    }
    const int count = static_cast<int>(longitudeBare.size());
    if (count == 0) {
        std::printf("| %s | — | 0 | | | | | | | | | |\n", row.label.c_str());
        return;
    }
    std::string applies = corrected == 0 ? "no" : corrected == count ? "yes" : "partly";
    const Spread lb = SpreadOf(longitudeBare), lt = SpreadOf(longitudeTables);
    const Spread bb = SpreadOf(latitudeBare), bt = SpreadOf(latitudeTables);
    std::string target = "—";
    if (row.target && corrected == count)
        target = std::string(row.target->text) +
                 (lt.max <= row.target->arcseconds ? ": met" : ": **missed**");
    std::printf("| %s | %s | %d | %s | %s | %s | %s | %s | %s | %s | %s | %s |\n",
                row.label.c_str(), applies.c_str(), count, AngleText(lb.median).c_str(),
                AngleText(lb.max).c_str(), AngleText(lt.median).c_str(), AngleText(lt.max).c_str(),
                AngleText(bb.median).c_str(), AngleText(bb.max).c_str(),
                AngleText(bt.median).c_str(), AngleText(bt.max).c_str(), target.c_str());
}

void PrintTable(const char* title, const std::vector<Sample>& samples,
                const std::vector<Row>& rows) {
    const auto fromFiles = std::count_if(samples.begin(), samples.end(),
                                         [](const Sample& s) { return s.referenceFromFiles; });
    std::printf("### %s\n\n", title);
    std::printf("%zu instants; the reference read its ephemeris files for %td of them and used "
                "its analytic ephemeris for the others.\n\n",
                samples.size(), fromFiles);
    std::printf("| Body | Tables apply | n | Δλ median, bare | Δλ max, bare | Δλ median, tables "
                "| Δλ max, tables | Δβ median, bare | Δβ max, bare | Δβ median, tables | Δβ "
                "max, tables | Target (tables) |\n");
    std::printf("|---|---|--:|--:|--:|--:|--:|--:|--:|--:|--:|---|\n");
    for (const Row& row : rows)
        PrintRow(row, samples);
    std::printf("\n");
}

bool Always(const Sample&) {
    return true;
}
bool Before1900(const Sample& sample) {
    return sample.julianDay < kJulianDay1900;
}
bool From1900(const Sample& sample) {
    return sample.julianDay >= kJulianDay1900;
}
bool ShownByProgram(const Sample& sample) {
    return sample.julianDay >= kMinorBodiesFrom && sample.julianDay < kMinorBodiesTo;
}
bool AtDailyRecord(const Sample& sample) {
    return sample.kind == Instants::DailyRecord;
}
bool AtPlanetRecord(const Sample& sample) {
    return sample.kind == Instants::PlanetRecord;
}
bool AtPlanetRecordBefore1900(const Sample& sample) {
    return AtPlanetRecord(sample) && Before1900(sample);
}

constexpr Target kMoonTarget{2, "λ ≤ 2″"};
constexpr Target kPlanetTarget{60, "λ ≤ 1′"};
constexpr Target kNodeTarget{60, "λ ≤ 1′"};
constexpr Target kBlackMoonTarget{5, "λ ≤ 5″"};

std::vector<Row> ModernRows() {
    std::vector<Row> rows{{kSun.name, kSun, Always, {}}, {kMoon.name, kMoon, Always, kMoonTarget}};
    for (const Body& planet : kPlanets)
        rows.push_back(
            {std::string(planet.name) + ", 1850–1900", planet, Before1900, kPlanetTarget});
    for (const Body& planet : kPlanets)
        rows.push_back({std::string(planet.name) + ", 1900–2080", planet, From1900, {}});
    rows.push_back({kNode.name, kNode, Always, kNodeTarget});
    rows.push_back({kBlackMoon.name, kBlackMoon, Always, kBlackMoonTarget});
    for (const Body& minor : kMinorBodies)
        rows.push_back({minor.name, minor, ShownByProgram, {}});
    return rows;
}

std::vector<Row> HistoricRows() {
    std::vector<Row> rows{{kSun.name, kSun, Always, {}}, {kMoon.name, kMoon, Always, kMoonTarget}};
    for (const Body& planet : kPlanets)
        rows.push_back({planet.name, planet, Always, kPlanetTarget});
    rows.push_back({kNode.name, kNode, Always, kNodeTarget});
    rows.push_back({kBlackMoon.name, kBlackMoon, Always, kBlackMoonTarget});
    return rows;
}

std::vector<Row> RecordRows(bool modern) {
    std::vector<Row> rows{{"Moon (DSEL, 0h UT)", kMoon, AtDailyRecord, kMoonTarget}};
    for (const Body& planet : kPlanets)
        rows.push_back({std::string(planet.name) + " (DPR1)", planet,
                        modern ? AtPlanetRecordBefore1900 : AtPlanetRecord, kPlanetTarget});
    rows.push_back({"True node (DPR1)", kNode, AtPlanetRecord, kNodeTarget});
    if (modern)
        rows.push_back({"Black Moon (NOJLNE, 0h UT)", kBlackMoon, AtDailyRecord, kBlackMoonTarget});
    return rows;
}

void MeasureAll(std::vector<Sample>& samples, const std::vector<long double>& instants,
                Instants kind, bool withMinorBodies) {
    for (long double jd : instants)
        samples.push_back(Measure(jd, kind, withMinorBodies));
}

} // namespace
} // namespace exo::bench

int main() {
    using namespace exo::bench;
    try {
        const std::string folder = EnterProgramFolder();
        exo::reference::Open();
        std::mt19937_64 random(kSeed);
        std::vector<Sample> modern, historic, modernRecords, historicRecords;
        MeasureAll(modern, SampleInstants(random, kModernSamples, kJulianDay1850, kJulianDay2080),
                   Instants::Random, true);
        MeasureAll(historic,
                   SampleInstants(random, kHistoricSamples, kJulianDay1000, kJulianDay1850),
                   Instants::Random, false);
        for (Instants kind : {Instants::DailyRecord, Instants::PlanetRecord}) {
            // DPR1 serves the planets only before 1900: draw its modern records there.
            const long double modernEnd =
                kind == Instants::PlanetRecord ? kJulianDay1900 : kJulianDay2080;
            MeasureAll(
                modernRecords,
                SampleRecordInstants(random, kind, kRecordSamples, kJulianDay1850, modernEnd), kind,
                false);
            MeasureAll(
                historicRecords,
                SampleRecordInstants(random, kind, kRecordSamples, kJulianDay1000, kJulianDay1850),
                kind, false);
        }

        std::printf("Engine against the reference ephemeris, apparent geocentric positions of "
                    "date (true node, osculating apogee), Universal Time instants drawn with "
                    "seed %llu; correction tables of %s. Errors are absolute; ″ arcseconds, ′ "
                    "arcminutes, ° degrees. \"bare\": the engine's theory alone; \"tables\": "
                    "with the correction tables.\n\n",
                    static_cast<unsigned long long>(kSeed), folder.c_str());
        PrintTable("1850–2080, random instants", modern, ModernRows());
        PrintTable("1000–1850, random instants (minor bodies not measured)", historic,
                   HistoricRows());
        PrintTable("1850–2080, at the records' own instants", modernRecords, RecordRows(true));
        PrintTable("1000–1850, at the records' own instants", historicRecords, RecordRows(false));
        if (negativeEngineLongitudes > 0)
            std::printf("**%d engine longitudes were negative** (ComputeBodies should never "
                        "mark motion).\n",
                        negativeEngineLongitudes);
        exo::reference::Close();
    } catch (const std::exception& error) {
        std::fprintf(stderr, "bench-accuracy: %s\n", error.what());
        return 1;
    }
    return 0;
}
