#pragma once

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>

// Runs the benchmarks and prints, after the usual report, the ratio of
// each benchmark named with `measured` ("_Store") to its twin named with
// "_Bare", measured in the same run (medians of repeated runs).
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run> &runs) override
    {
        for (const Run &r : runs)
            if (r.run_type == Run::RT_Iteration || r.aggregate_name == "median")
                times[r.benchmark_name()] = r.GetAdjustedRealTime();
        ConsoleReporter::ReportRuns(runs);
    }

    static int runWithRatios(int argc, char **argv, const std::string &measured, const char *title)
    {
        benchmark::Initialize(&argc, argv);
        RatioReporter reporter;
        benchmark::RunSpecifiedBenchmarks(&reporter);
        std::printf("\n%s\n", title);
        for (const auto &[name, time] : reporter.times) {
            const auto at = name.find(measured);
            if (at == std::string::npos)
                continue;
            std::string bare = name;
            bare.replace(at, measured.size(), "_Bare");
            const auto it = reporter.times.find(bare);
            if (it != reporter.times.end() && it->second > 0)
                std::printf("  %-60s %6.2fx\n", name.c_str(), time / it->second);
        }
        std::fflush(stdout);
        benchmark::Shutdown();
        return 0;
    }

private:
    std::map<std::string, double> times;
};
