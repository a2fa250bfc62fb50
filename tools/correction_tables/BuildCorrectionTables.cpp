// Writes the three correction tables of FilePosi: at each record's instant, the reference
// ephemeris minus this engine's own uncorrected theory, in the engine's record layouts.
//
//   build_correction_tables <program folder>
//
// The true node is computed from the corrected Moon, since its correction must be measured
// against the Moon the program will really use; so the Moon table is written first, along
// with the planets' fields and the Black Moon, which do not need it, and the node comes
// after. Two processes share the work: forked rather than threads, because the engine's
// table lookups keep process-wide state and the reference library's open ephemeris files
// must not be shared.
#include "astro/CorrectionFiles.h"
#include "astro/Ephemeris.h"
#include "reference/SwissReference.h"

#include <signal.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <memory>
#include <new>
#include <stdexcept>
#include <string>

namespace {

using namespace exo;
namespace fs = std::filesystem;

constexpr int kInt16Limit = 32767;
constexpr int kByteLimit = 127;
constexpr std::int64_t kInt32Limit = 2147483647;
constexpr int kNodeField = 9;
constexpr int kMoonMode = 2;    // the Sun, then the Moon
constexpr int kFirstPlanet = 3; // Mercury; Pluto is 10
constexpr int kPlanets = 8;

// Record counts: every instant inside a table's range finds its record and the next one.
std::int64_t MoonRecordCount() {
    return MoonRecordOf(std::nextafter(kMoonCorrectionTo, 0.0L)) + 2;
}
std::int64_t PlanetRecordCount() {
    return PlanetRecordOf(std::nextafter(kNodeCorrectionTo, 0.0L)) + 2;
}
// The last record the planets' fields are filled in: the first at or after the end of
// their range, which lookups just before the end interpolate towards.
std::int64_t LastPlanetRecord() {
    return PlanetRecordOf(std::nextafter(kPlanetCorrectionTo, 0.0L)) + 1;
}
std::int64_t ApogeeRecordCount() {
    return ApogeeRecordOf(std::nextafter(kApogeeCorrectionTo, 0.0L)) + 2;
}

long double MoonRecordDay(std::int64_t n) {
    return kMoonTableStart + n;
}
long double PlanetRecordDay(std::int64_t n) {
    return kPlanetTableStart + kPlanetRecordDays * n;
}
long double ApogeeRecordDay(std::int64_t n) {
    return kApogeeTableStart + n;
}

// reference − theory in degrees, taken in (−180°, 180°] so a pair of longitudes on either
// side of 0° gives the small difference.
long double AngleDifference(long double reference, long double theory) {
    long double difference = std::fmod(reference - theory, 360.0L);
    if (difference > 180)
        difference -= 360;
    else if (difference <= -180)
        difference += 360;
    return difference;
}

// What one field of a table came to: the largest rounded value (before clamping), where
// it was, and how many values did not fit the field. Plain data: it crosses the fork in
// shared memory.
struct FieldSummary {
    std::int64_t maxAbs = 0;
    double maxAbsDay = 0;
    std::int64_t clamped = 0;
};

std::int64_t Quantize(long double value, std::int64_t limit, long double jd,
                      FieldSummary& summary) {
    std::int64_t rounded = std::llround(value);
    if (std::llabs(rounded) > summary.maxAbs) {
        summary.maxAbs = std::llabs(rounded);
        summary.maxAbsDay = static_cast<double>(jd);
    }
    if (rounded > limit || rounded < -limit) {
        ++summary.clamped;
        rounded = std::clamp(rounded, -limit, limit);
    }
    return rounded;
}

int FieldLimit(int field) {
    return (field == 8 || field == kPlanetFields) ? kInt16Limit : kByteLimit;
}

// Zeroed memory the forked process writes and this one reads after it ends.
template <typename T> T* SharedArray(std::size_t count) {
    void* memory = ::mmap(nullptr, sizeof(T) * count, PROT_READ | PROT_WRITE,
                          MAP_SHARED | MAP_ANONYMOUS, -1, 0);
    if (memory == MAP_FAILED)
        throw std::runtime_error("cannot map shared memory");
    return static_cast<T*>(memory);
}

// Prints roughly every tenth of a table.
class Progress {
  public:
    Progress(const char* table, std::int64_t total) : table_(table), total_(total) {}
    void at(std::int64_t done) {
        done = std::min(done, total_);
        const int tenth = static_cast<int>(done * 10 / total_);
        if (tenth > printed_) {
            printed_ = tenth;
            std::printf("%s: %d%%\n", table_, tenth * 10);
            std::fflush(stdout);
        }
    }

  private:
    const char* table_;
    std::int64_t total_;
    int printed_ = 0;
};

void WriteFileAtomically(const fs::path& target, const std::string& bytes) {
    fs::path temporary = target;
    temporary += ".part";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.close();
        if (!out) {
            std::error_code ignored;
            fs::remove(temporary, ignored);
            throw std::runtime_error("cannot write " + temporary.string());
        }
    }
    fs::rename(temporary, target);
    std::printf("wrote %s (%zu bytes)\n", target.string().c_str(), bytes.size());
    std::fflush(stdout);
}

void AppendLittleEndian(std::string& out, std::int64_t value, int bytes) {
    const auto bits = static_cast<std::uint64_t>(value);
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<char>((bits >> (8 * i)) & 0xFF));
}

// The builder's work is split between two processes, record by record (worker k takes the
// records n with n % 2 == k), so both stay busy whatever a record costs.
constexpr int kWorkers = 2;

struct Share {
    int worker = 0;
    bool mine(std::int64_t n) const { return n % kWorkers == worker; }
};

// Table values by record, and by field for DPR1: [n * (kPlanetFields + 1) + field].
struct TableValues {
    std::int32_t* moon = nullptr;
    std::int32_t* apogee = nullptr;
    std::int32_t* planet = nullptr;
    std::int32_t& planetField(std::int64_t n, int field) const {
        return planet[n * (kPlanetFields + 1) + field];
    }
};

// The summaries of each worker, merged when both are done.
struct WorkerSummaries {
    FieldSummary moon;
    FieldSummary apogee;
    FieldSummary planet[kPlanetFields + 1];
};

FieldSummary Merged(const FieldSummary& a, const FieldSummary& b) {
    FieldSummary merged = a;
    if (b.maxAbs > a.maxAbs || (b.maxAbs == a.maxAbs && b.maxAbsDay < a.maxAbsDay)) {
        merged.maxAbs = b.maxAbs;
        merged.maxAbsDay = b.maxAbsDay;
    }
    merged.clamped = a.clamped + b.clamped;
    return merged;
}

WorkerSummaries Merged(const WorkerSummaries* workers) {
    WorkerSummaries merged = workers[0];
    for (int k = 1; k < kWorkers; ++k) {
        merged.moon = Merged(merged.moon, workers[k].moon);
        merged.apogee = Merged(merged.apogee, workers[k].apogee);
        for (int field = 1; field <= kPlanetFields; ++field)
            merged.planet[field] = Merged(merged.planet[field], workers[k].planet[field]);
    }
    return merged;
}

// The Moon by the bare lunar theory, which is what the program corrects.
void FillMoonTable(Share share, const TableValues& values, FieldSummary& summary) {
    const std::int64_t count = MoonRecordCount();
    auto chart = std::make_unique<ChartState>();
    Progress progress("DSEL", count);
    for (std::int64_t n = share.worker; n < count; n += kWorkers) {
        const long double jd = MoonRecordDay(n);
        ComputeBodies(kMoonMode, false, jd, *chart, NoCorrections());
        const auto reference = exo::reference::Apparent(2, static_cast<double>(jd));
        const long double difference =
            AngleDifference(reference.longitude, chart->ChartLongitude[2]) * 3600;
        values.moon[n] = static_cast<std::int32_t>(Quantize(difference, kInt16Limit, jd, summary));
        if (share.worker == 0)
            progress.at(n + kWorkers);
    }
}

// The Black Moon: the reference's osculating apogee against the engine's mean one.
void FillApogeeTable(Share share, const TableValues& values, FieldSummary& summary) {
    const std::int64_t count = ApogeeRecordCount();
    auto chart = std::make_unique<ChartState>();
    chart->ApogeeKind = "";
    Progress progress("NOJLNE", count);
    for (std::int64_t n = share.worker; n < count; n += kWorkers) {
        const long double jd = ApogeeRecordDay(n);
        ComputeBodies(BodyMode::BlackMoon, false, jd, *chart, NoCorrections());
        const auto reference = exo::reference::Apparent(12, static_cast<double>(jd));
        const long double difference =
            AngleDifference(reference.longitude, chart->ChartLongitude[12]) * 3600;
        values.apogee[n] =
            static_cast<std::int32_t>(Quantize(difference, kInt32Limit, jd, summary));
        if (share.worker == 0)
            progress.at(n + kWorkers);
    }
}

// Mercury to Pluto, longitude and latitude, by the bare theory.
void FillPlanetFields(Share share, const TableValues& values, FieldSummary* summaries) {
    const std::int64_t last = LastPlanetRecord();
    auto chart = std::make_unique<ChartState>();
    Progress progress("DPR1 planets", last + 1);
    for (std::int64_t n = share.worker; n <= last; n += kWorkers) {
        const long double jd = PlanetRecordDay(n);
        ComputeBodies(BodyMode::Classical, false, jd, *chart, NoCorrections());
        for (int i = 0; i < kPlanets; ++i) {
            const int body = kFirstPlanet + i;
            const int longitudeField = 1 + i;
            const int latitudeField = 10 + i;
            const auto reference = exo::reference::Apparent(body, static_cast<double>(jd));
            const long double longitude =
                AngleDifference(reference.longitude, chart->ChartLongitude[body]) * 60;
            const long double latitude = (reference.latitude - chart->ChartLatitude[body]) * 60.0L;
            values.planetField(n, longitudeField) = static_cast<std::int32_t>(
                Quantize(longitude, FieldLimit(longitudeField), jd, summaries[longitudeField]));
            values.planetField(n, latitudeField) = static_cast<std::int32_t>(
                Quantize(latitude, FieldLimit(latitudeField), jd, summaries[latitudeField]));
        }
        if (share.worker == 0)
            progress.at(n + kWorkers);
    }
}

// The Moon the program uses: the lunar theory with the table just written. The planets'
// and the Black Moon's corrections are what is being measured, so they stay out.
class MoonTableOnly final : public CorrectionSource {
  public:
    long double moon(long double jd) const override { return ReadMoonCorrection(jd); }
    long double planet(int, long double) const override { return 0; }
    long double apogee(long double) const override { return 0; }
};

void FillNodeField(Share share, const TableValues& values, FieldSummary& summary) {
    const std::int64_t count = PlanetRecordCount();
    auto chart = std::make_unique<ChartState>();
    chart->NodeKind = "VERO";
    const MoonTableOnly corrections;
    Progress progress("DPR1 node", count);
    for (std::int64_t n = share.worker; n < count; n += kWorkers) {
        const long double jd = PlanetRecordDay(n);
        ComputeBodies(BodyMode::Node, false, jd, *chart, corrections);
        const auto reference = exo::reference::Apparent(11, static_cast<double>(jd));
        const long double difference =
            AngleDifference(reference.longitude, chart->ChartLongitude[11]) * 60;
        values.planetField(n, kNodeField) =
            static_cast<std::int32_t>(Quantize(difference, kByteLimit, jd, summary));
        if (share.worker == 0)
            progress.at(n + kWorkers);
    }
}

std::string EncodeDailyTable(const std::int32_t* values, std::int64_t count, int bytesEach) {
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(count * bytesEach));
    for (std::int64_t n = 0; n < count; ++n)
        AppendLittleEndian(bytes, values[n], bytesEach);
    return bytes;
}

std::string EncodePlanetTable(const TableValues& values) {
    const std::int64_t count = PlanetRecordCount();
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(count) * kPlanetRecordSize);
    for (std::int64_t n = 0; n < count; ++n) {
        PlanetRecord record;
        record.julianDay = PlanetRecordDay(n);
        for (int field = 1; field <= kPlanetFields; ++field)
            record.field[field] = values.planetField(n, field);
        bytes += EncodePlanetRecord(record);
    }
    return bytes;
}

// A worker's failure, handed back across the fork.
struct WorkerError {
    char message[512] = {};
};

// Runs job(share) in this process as worker 0 and in a forked one as worker 1, and returns
// when both have finished; a failure of either raises here.
template <typename Job> void RunInTwoProcesses(Job job, WorkerError* errors) {
    // Neither process may inherit the other's open ephemeris files (they would share the
    // file positions), so the library is closed here and each one opens its own.
    exo::reference::Close();
    std::fflush(stdout);
    const pid_t child = ::fork();
    if (child < 0)
        throw std::runtime_error("cannot start the second process");
    auto runWorker = [&](int worker) {
        try {
            job(Share{worker});
            return true;
        } catch (const std::exception& error) {
            std::snprintf(errors[worker].message, sizeof errors[worker].message, "%s",
                          error.what());
            return false;
        }
    };
    if (child == 0) {
        const bool finished = runWorker(1);
        std::fflush(stdout);
        ::_exit(finished ? 0 : 1);
    }
    const bool finished = runWorker(0);
    if (!finished)
        ::kill(child, SIGTERM);
    int status = 0;
    const bool childFinished =
        ::waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    exo::reference::Close();
    if (!finished)
        throw std::runtime_error(errors[0].message);
    if (!childFinished)
        throw std::runtime_error(errors[1].message[0] ? errors[1].message
                                                      : "the second process failed");
}

void PrintSummary(const char* table, const char* field, const FieldSummary& summary,
                  const char* unit) {
    std::printf("  %-6s %-18s max |value| %7lld%s at JD %.1f\n", table, field,
                static_cast<long long>(summary.maxAbs), unit, summary.maxAbsDay);
}

void PrintClamping(const char* table, const char* field, const FieldSummary& summary) {
    if (summary.clamped > 0)
        std::printf("warning: %s %s: %lld values did not fit and were clamped\n", table, field,
                    static_cast<long long>(summary.clamped));
}

const char* const kPlanetFieldNames[kPlanetFields + 1] = {
    "",
    "Mercury longitude",
    "Venus longitude",
    "Mars longitude",
    "Jupiter longitude",
    "Saturn longitude",
    "Uranus longitude",
    "Neptune longitude",
    "Pluto longitude",
    "true node",
    "Mercury latitude",
    "Venus latitude",
    "Mars latitude",
    "Jupiter latitude",
    "Saturn latitude",
    "Uranus latitude",
    "Neptune latitude",
    "Pluto latitude",
};

void PrintSummaries(const WorkerSummaries& summaries) {
    std::printf("largest corrections:\n");
    PrintSummary("DSEL", "Moon longitude", summaries.moon, "\"");
    for (int field = 1; field <= kPlanetFields; ++field)
        PrintSummary("DPR1", kPlanetFieldNames[field], summaries.planet[field], "'");
    PrintSummary("NOJLNE", "Black Moon", summaries.apogee, "\"");
    PrintClamping("DSEL", "Moon longitude", summaries.moon);
    for (int field = 1; field <= kPlanetFields; ++field)
        PrintClamping("DPR1", kPlanetFieldNames[field], summaries.planet[field]);
    PrintClamping("NOJLNE", "Black Moon", summaries.apogee);
}

int Build(const fs::path& programFolder) {
    const auto started = std::chrono::steady_clock::now();
    fs::create_directories(programFolder / "FilePosi");
    // The Moon lookups read FilePosi of the current folder, as in the program.
    fs::current_path(programFolder);

    const auto moonRecords = static_cast<std::size_t>(MoonRecordCount());
    const auto apogeeRecords = static_cast<std::size_t>(ApogeeRecordCount());
    const auto planetRecords = static_cast<std::size_t>(PlanetRecordCount());
    const TableValues values{SharedArray<std::int32_t>(moonRecords),
                             SharedArray<std::int32_t>(apogeeRecords),
                             SharedArray<std::int32_t>(planetRecords * (kPlanetFields + 1))};
    auto* summaries = new (SharedArray<WorkerSummaries>(kWorkers)) WorkerSummaries[kWorkers];
    auto* errors = new (SharedArray<WorkerError>(kWorkers)) WorkerError[kWorkers];

    RunInTwoProcesses(
        [&](Share share) {
            WorkerSummaries& mine = summaries[share.worker];
            FillMoonTable(share, values, mine.moon);
            FillPlanetFields(share, values, mine.planet);
            FillApogeeTable(share, values, mine.apogee);
        },
        errors);
    WriteFileAtomically("FilePosi/DSEL.rnd", EncodeDailyTable(values.moon, moonRecords, 2));
    WriteFileAtomically("FilePosi/NOJLNE.rnd", EncodeDailyTable(values.apogee, apogeeRecords, 4));

    // Each process maps the new Moon table for itself.
    ForgetCorrectionFiles();
    RunInTwoProcesses(
        [&](Share share) {
            FillNodeField(share, values, summaries[share.worker].planet[kNodeField]);
        },
        errors);
    WriteFileAtomically("FilePosi/DPR1.rnd", EncodePlanetTable(values));

    PrintSummaries(Merged(summaries));
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - started;
    std::printf("correction tables built in %.1f s\n", elapsed.count());
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: build_correction_tables <program folder>\n");
        return 2;
    }
    try {
        return Build(argv[1]);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "build_correction_tables: %s\n", error.what());
        return 1;
    }
}
