// Speed of one full chart: the engine (Placidus houses, then every body at two instants for
// the motion marks, with the correction tables of the program folder) against the reference
// ephemeris computing the same bodies with their speeds and the same houses.
//
//   build/bin/bench-astro --benchmark_repetitions=9 --benchmark_report_aggregates_only=true
//
// Without options, those two are the defaults; compare the medians.
#include "BenchSupport.h"
#include "astro/CorrectionFiles.h"
#include "astro/Ephemeris.h"
#include "astro/Houses.h"
#include "chart/ChartState.h"
#include "reference/SwissReference.h"

#include "BenchMain.h"

#include <benchmark/benchmark.h>

#include <array>
#include <cstdio>
#include <exception>
#include <string_view>
#include <vector>

namespace exo::bench {
namespace {

struct BirthInstant {
    long double julianDay = 0; // Universal Time
    HouseInputs houses;
};

// 64 instants spread evenly over 1850–2020 at scattered times of day, so that consecutive
// charts read distant records of the tables and about a third of them need DPR1 (before
// 1900).
constexpr int kInstantCount = 64;

std::vector<BirthInstant> MakeBirthInstants() {
    std::vector<BirthInstant> instants;
    const long double span = kJulianDay2020 - kJulianDay1850;
    for (int i = 0; i < kInstantCount; ++i) {
        const long double midnight =
            kJulianDay1850 + static_cast<long long>(span * i / kInstantCount);
        const int minuteOfDay = (i * 397 + 123) % 1440;
        BirthInstant at;
        at.houses = HouseInputsAt(midnight, minuteOfDay);
        at.julianDay = at.houses.julianDay;
        instants.push_back(at);
    }
    return instants;
}

const std::vector<BirthInstant>& BirthInstants() {
    static const std::vector<BirthInstant> instants = MakeBirthInstants();
    return instants;
}

// The bodies the engine's mode 0 computes, by the reference's index.
constexpr std::array kReferenceBodies{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 15, 16, 17, 18, 19};

void BM_FullChart(benchmark::State& state) {
    const auto& instants = BirthInstants();
    const CorrectionSource& corrections = ProgramFolderCorrections();
    ChartState chart;
    chart.HouseSystemName = "PLACIDO";
    chart.NodeKind = "VERO";
    chart.ApogeeKind = "VERA";
    std::size_t next = 0;
    for (auto _ : state) {
        const BirthInstant& at = instants[next];
        next = (next + 1) % instants.size();
        ComputeHouses(at.houses, chart);
        ComputePositionsWithMotion(0, at.julianDay, chart, corrections);
        benchmark::DoNotOptimize(chart.ChartLongitude.data());
        benchmark::DoNotOptimize(chart.ChartLatitude.data());
        benchmark::DoNotOptimize(chart.HouseCusp.data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_FullChart);

void BM_ReferenceChart(benchmark::State& state) {
    const auto& instants = BirthInstants();
    std::size_t next = 0;
    for (auto _ : state) {
        const double jd = static_cast<double>(instants[next].julianDay);
        next = (next + 1) % instants.size();
        for (int body : kReferenceBodies) {
            reference::Position position = reference::Apparent(body, jd, true);
            benchmark::DoNotOptimize(position);
        }
        reference::Houses houses = reference::PlacidusHouses(jd, kLatitude, kEastLongitude);
        benchmark::DoNotOptimize(houses);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ReferenceChart);

} // namespace
} // namespace exo::bench

int main(int argc, char** argv) {
    using namespace exo::bench;
    if (!InitializeWithMedians(argc, argv))
        return 2;
    try {
        const std::string folder = EnterProgramFolder();
        std::fprintf(stderr, "Correction tables of %s\n", folder.c_str());
        exo::reference::Open();
        // A first chart of each kind outside the timing: the tables get mapped and a
        // missing file or an unavailable body shows here rather than inside a benchmark.
        for (const BirthInstant& at : BirthInstants()) {
            exo::ChartState chart;
            chart.HouseSystemName = "PLACIDO";
            chart.NodeKind = "VERO";
            chart.ApogeeKind = "VERA";
            exo::ComputeHouses(at.houses, chart);
            exo::ComputePositionsWithMotion(0, at.julianDay, chart,
                                            exo::ProgramFolderCorrections());
            for (int body : kReferenceBodies)
                exo::reference::Apparent(body, static_cast<double>(at.julianDay), true);
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "bench-astro: %s\n", error.what());
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    exo::reference::Close();
    return 0;
}
