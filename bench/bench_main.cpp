// Runs every benchmark, then checks the speed targets against the figures of
// this same run and fails when one is missed.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>

#include "targets.h"

namespace quorvel::bench {

std::vector<Target>& targets() {
    static std::vector<Target> all;
    return all;
}

namespace {

class CollectingReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Iteration && run.iterations > 0) {
                nanoseconds[run.benchmark_name()] =
                    run.GetAdjustedRealTime() * multiplierToNanoseconds(run.time_unit);
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> nanoseconds;

private:
    static double multiplierToNanoseconds(benchmark::TimeUnit unit) {
        switch (unit) {
            case benchmark::kSecond: return 1e9;
            case benchmark::kMillisecond: return 1e6;
            case benchmark::kMicrosecond: return 1e3;
            default: return 1;
        }
    }
};

}  // namespace
}  // namespace quorvel::bench

int main(int argc, char** argv) {
    using namespace quorvel::bench;
    benchmark::Initialize(&argc, argv);
    CollectingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    int missed = 0;
    std::printf("\nSpeed targets\n");
    for (const Target& target : targets()) {
        const auto measured = reporter.nanoseconds.find(target.benchmark);
        const auto base = reporter.nanoseconds.find(target.baseline);
        if (measured == reporter.nanoseconds.end() ||
            (!target.baseline.empty() && base == reporter.nanoseconds.end())) {
            std::printf("  not run   %s\n", target.description.c_str());
            continue;
        }
        const bool ratio = !target.baseline.empty();
        const double value = ratio ? measured->second / base->second : measured->second;
        const bool met = value <= target.limit;
        missed += met || target.aimOnly ? 0 : 1;
        if (ratio) {
            std::printf("  %-9s %s: %.4g (limit %.4g)\n", met ? "met" : (target.aimOnly ? "above aim" : "MISSED"),
                        target.description.c_str(), value, target.limit);
        } else {
            std::printf("  %-9s %s: %.4g ns (limit %.4g ns)\n", met ? "met" : "MISSED",
                        target.description.c_str(), value, target.limit);
        }
    }
    return missed == 0 ? 0 : 1;
}
