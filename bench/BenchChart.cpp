// Speed of the current subject's chart as the main window computes it at every activation:
// TMPR.ST1, TMPR.ST2 and FileDum\Annotaz.dum read afresh, houses, every body at two instants
// with the correction tables, the chart order. Target: at most 1 ms a run.
//
//   build/bin/bench-chart --benchmark_repetitions=9 --benchmark_report_aggregates_only=true
//
// Without options, those two are the defaults; compare the medians. The subjects live in a
// temporary folder beside which the tables of the program folder are linked, so the program
// folder itself is never written.
#include "BenchSupport.h"
#include "chart/ChartState.h"
#include "shell/CurrentChart.h"

#include "BenchMain.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <stdlib.h>
#include <string>
#include <string_view>
#include <vector>

namespace exo::bench {
namespace {

namespace fs = std::filesystem;

// One scratch program folder per stamp: the subject's files, the tables linked in.
fs::path MakeSubjectFolder(const fs::path& programFolder, const std::string& stamp) {
    std::string pattern = (fs::temp_directory_path() / "exorvex-bench-chart-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr)
        throw std::runtime_error("cannot create a temporary folder");
    const fs::path folder = pattern;
    fs::create_directory_symlink(programFolder / "FilePosi", folder / "FilePosi");
    WriteFile(folder / "TMPR.ST1", Field("ROSSI MARIO                           00001", 43));
    std::string record = Field(stamp, 20) + Field("45N28-009E11Milano*MI*", 39) + Field("GR", 2) +
                         Field("Italia", 20);
    record.resize(385, '\0');
    WriteFile(folder / "TMPR.ST2", record);
    WriteFile(folder / "FileDum" / "Annotaz.dum", "Nota\r\n");
    return folder;
}

// 1960 reads the Moon, node and Black Moon tables; 1890 the planet table as well.
const char* const kStamps[] = {"196001011030-1.00", "189007141745-0,61"};

std::vector<fs::path>& SubjectFolders() {
    static std::vector<fs::path> folders;
    return folders;
}

template <bool Quiet> void BM_CurrentChart(benchmark::State& state) {
    const fs::path& folder = SubjectFolders().at(static_cast<std::size_t>(state.range(0)));
    fs::current_path(folder);
    ChartState& chart = GlobalChart();
    ClearChartState(chart);
    chart.NodeKind = "VERO";
    chart.ApogeeKind = "VERA";
    for (auto _ : state) {
        SubjectPanel panel = Quiet ? ComputeCurrentChartQuiet(chart) : ComputeCurrentChart(chart);
        benchmark::DoNotOptimize(panel);
        benchmark::DoNotOptimize(chart.ChartLongitude);
    }
    state.SetLabel(kStamps[state.range(0)]);
}
BENCHMARK(BM_CurrentChart<false>)->Name("BM_ComputeCurrentChart")->DenseRange(0, 1);
BENCHMARK(BM_CurrentChart<true>)->Name("BM_ComputeCurrentChartQuiet")->DenseRange(0, 1);

} // namespace
} // namespace exo::bench

int main(int argc, char** argv) {
    using namespace exo::bench;
    if (!InitializeWithMedians(argc, argv))
        return 2;
    int status = 0;
    try {
        const std::filesystem::path program = EnterProgramFolder();
        for (const char* stamp : kStamps)
            SubjectFolders().push_back(MakeSubjectFolder(program, stamp));
        // A first run of each outside the timing: the tables get mapped and a missing file
        // shows here rather than inside a benchmark.
        for (const auto& folder : SubjectFolders()) {
            std::filesystem::current_path(folder);
            exo::ChartState chart;
            exo::ComputeCurrentChart(chart);
        }
        benchmark::RunSpecifiedBenchmarks();
    } catch (const std::exception& error) {
        std::fprintf(stderr, "bench-chart: %s\n", error.what());
        status = 1;
    }
    std::error_code ignored;
    std::filesystem::current_path(std::filesystem::temp_directory_path(), ignored);
    for (const auto& folder : SubjectFolders())
        std::filesystem::remove_all(folder, ignored);
    benchmark::Shutdown();
    return status;
}
