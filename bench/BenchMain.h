#pragma once
// The start of every Google Benchmark program here: single runs of a few microseconds wander
// by several per cent, so unless told otherwise each benchmark runs nine times and only the
// aggregates (the median among them) are reported.
#include <benchmark/benchmark.h>

#include <string_view>
#include <vector>

namespace exo::bench {

inline bool HasOption(const std::vector<char*>& args, std::string_view name) {
    for (const char* arg : args) {
        if (arg != nullptr && std::string_view(arg).starts_with(name))
            return true;
    }
    return false;
}

// benchmark::Initialize with those defaults; false when an argument is not understood.
inline bool InitializeWithMedians(int argc, char** argv) {
    static char repetitions[] = "--benchmark_repetitions=9";
    static char aggregatesOnly[] = "--benchmark_report_aggregates_only=true";
    std::vector<char*> args(argv, argv + argc);
    if (!HasOption(args, "--benchmark_repetitions"))
        args.push_back(repetitions);
    if (!HasOption(args, "--benchmark_report_aggregates_only") &&
        !HasOption(args, "--benchmark_display_aggregates_only"))
        args.push_back(aggregatesOnly);
    int count = static_cast<int>(args.size());
    args.push_back(nullptr);
    benchmark::Initialize(&count, args.data());
    return !benchmark::ReportUnrecognizedArguments(count, args.data());
}

} // namespace exo::bench
