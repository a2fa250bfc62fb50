// Speed of the birth-data form's work on the installed localities and zones: one search of
// the foreign file as the user types, and one full results computation (zone copied into its
// working file, calendar, period scan, texts) for a foreign and an Italian locality.
//
// The program folder is found as for the other benchmarks (EXORVEX_PROGRAM_FOLDER, else the
// one beside the executable's folder). Targets: search ≤ 1 ms, results ≤ 5 ms (medians).
#include "archive/BirthResults.h"
#include "archive/LocalityFile.h"

#include "BenchMain.h"
#include "BenchSupport.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace exo::bench {
namespace {

// Names spread over the whole file, so the searches do not all walk the same records.
std::vector<std::string> SpreadNames(const LocalityFile& file, int count) {
    std::vector<std::string> names;
    for (int i = 0; i < count; ++i)
        names.push_back(file.read(1 + file.count() * i / count).Name.str());
    return names;
}

void BM_SearchForeignFile(benchmark::State& state) try {
    const LocalityFile file(LocalitySource::Foreign);
    const std::vector<std::string> names = SpreadNames(file, 64);
    std::size_t next = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(SearchLocality(file, names[next]));
        next = (next + 1) % names.size();
    }
} catch (const std::exception& error) {
    state.SkipWithError(error.what());
}

// The first of the preferred names the file has, else its middle locality.
LocalityRecord ChosenLocality(LocalitySource source, const std::vector<std::string>& preferred) {
    const LocalityFile file(source);
    for (const std::string& name : preferred) {
        if (const auto n = FindLocalityByName(file, name))
            return file.read(*n);
    }
    return file.read((file.count() + 1) / 2);
}

void Results(benchmark::State& state, LocalitySource source,
             const std::vector<std::string>& preferred) try {
    BirthInput input;
    input.source = source;
    input.locality = ChosenLocality(source, preferred);
    input.when = {10, 4, 1987, 18, 31};
    input.reformOption = 1;
    state.SetLabel(input.locality.Name.str());
    for (auto _ : state)
        benchmark::DoNotOptimize(ComputeBirthResults(input));
} catch (const std::exception& error) {
    state.SkipWithError(error.what());
}

void BM_ResultsForeign(benchmark::State& state) {
    Results(state, LocalitySource::Foreign, {"NEW YORK", "PARIGI", "PARIS"});
}

void BM_ResultsItalian(benchmark::State& state) {
    Results(state, LocalitySource::Italian, {"MILANO *MI*", "ROMA *RM*"});
}

BENCHMARK(BM_SearchForeignFile)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ResultsForeign)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ResultsItalian)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace exo::bench

int main(int argc, char** argv) {
    try {
        std::fprintf(stderr, "Localities of %s\n", exo::bench::EnterProgramFolder().c_str());
    } catch (const std::exception& error) {
        std::fprintf(stderr, "bench-places: %s\n", error.what());
        return 1;
    }
    if (!exo::bench::InitializeWithMedians(argc, argv))
        return 2;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
