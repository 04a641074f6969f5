// Runs every benchmark, then reports each speed target on the processor times of
// this same run (the median of the repetitions when there are several) and
// fails only when a gated ratio is more than twice its aim.

#include <benchmark/benchmark.h>
#include <malloc.h>

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

constexpr double GateOverAim = 2;

// glibc hands large freed blocks back to the system and takes them again on the
// next allocation, and on a virtual machine each page of that costs a fault:
// whether a benchmark paid it depended on the order of its frees, and swung a
// save between 5 and 15 times its baseline. Keeping freed memory in the process
// measures the program's work on every machine alike.
void keepFreedMemory() {
    mallopt(M_TRIM_THRESHOLD, 1 << 30);
    mallopt(M_MMAP_THRESHOLD, 32 << 20);
}

class CollectingReporter : public benchmark::ConsoleReporter {
  public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            // Processor time: a core another program keeps busy stretches the
            // wall-clock time of whatever it interrupts, not the work done.
            const double ns = run.GetAdjustedCPUTime() * multiplierToNanoseconds(run.time_unit);
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median") {
                medians[run.run_name.str()] = ns;
                keepCounters(run);
            } else if (run.run_type == Run::RT_Iteration && run.iterations > 0) {
                singles[run.run_name.str()] = ns;
                if (!counters.contains(run.run_name.str())) {
                    keepCounters(run);
                }
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }

    const double* nanoseconds(const std::string& name) const {
        for (const auto* figures : {&medians, &singles}) {
            if (const auto found = figures->find(name); found != figures->end()) {
                return &found->second;
            }
        }
        return nullptr;
    }

    const double* counter(const std::string& name, const std::string& counterName) const {
        const auto found = counters.find(name);
        if (found == counters.end()) {
            return nullptr;
        }
        const auto value = found->second.find(counterName);
        return value == found->second.end() ? nullptr : &value->second;
    }

  private:
    void keepCounters(const Run& run) {
        for (const auto& [counterName, value] : run.counters) {
            counters[run.run_name.str()][counterName] = value.value;
        }
    }

    static double multiplierToNanoseconds(benchmark::TimeUnit unit) {
        switch (unit) {
            case benchmark::kSecond:
                return 1e9;
            case benchmark::kMillisecond:
                return 1e6;
            case benchmark::kMicrosecond:
                return 1e3;
            default:
                return 1;
        }
    }

    std::map<std::string, double> medians;
    std::map<std::string, double> singles;
    std::map<std::string, std::map<std::string, double>> counters;
};

bool reportCounter(const Target& target, const CollectingReporter& reporter) {
    const double* value = reporter.counter(target.benchmark, target.counter);
    if (value == nullptr) {
        std::printf("  not run    %s\n", target.description.c_str());
        return false;
    }
    const bool fails = target.gate == Gate::AtTheAim && *value > target.aim;
    std::printf("  %-10s %s: %.4g (aim %.4g%s)\n",
                *value <= target.aim ? "met" : (fails ? "MISSED" : "above aim"),
                target.description.c_str(), *value, target.aim,
                target.gate == Gate::AtTheAim ? ", fails above it" : ", not yet gated");
    return fails;
}

// Prints one target's line; says whether it fails the run.
bool reportTarget(const Target& target, const CollectingReporter& reporter) {
    if (!target.counter.empty()) {
        return reportCounter(target, reporter);
    }
    const double* measured = reporter.nanoseconds(target.benchmark);
    const bool ratio = !target.baseline.empty();
    const double* base = ratio ? reporter.nanoseconds(target.baseline) : nullptr;
    if (measured == nullptr || (ratio && base == nullptr)) {
        std::printf("  not run    %s\n", target.description.c_str());
        return false;
    }
    if (!ratio) {
        std::printf("  %-10s %s: %.4g ns (aim %.4g ns; a time alone fails nothing)\n",
                    *measured <= target.aim ? "met" : "above aim", target.description.c_str(),
                    *measured, target.aim);
        return false;
    }
    const double value = *measured / *base;
    const double gateLimit = target.aim * GateOverAim;
    const bool gated = target.gate == Gate::TwiceTheAim;
    const bool fails = gated && value > gateLimit;
    const char* verdict = value <= target.aim ? "met" : (fails ? "MISSED" : "above aim");
    if (gated) {
        std::printf("  %-10s %s: %.4g (aim %.4g, fails above %.4g)\n", verdict,
                    target.description.c_str(), value, target.aim, gateLimit);
    } else {
        std::printf("  %-10s %s: %.4g (aim %.4g, not yet gated)\n", verdict,
                    target.description.c_str(), value, target.aim);
    }
    return fails;
}

}  // namespace
}  // namespace quorvel::bench

int main(int argc, char** argv) {
    using namespace quorvel::bench;
    keepFreedMemory();
    benchmark::Initialize(&argc, argv);
    CollectingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    int missed = 0;
    std::printf("\nSpeed targets (ratios of this run fail it above twice their aim)\n");
    for (const Target& target : targets()) {
        missed += reportTarget(target, reporter) ? 1 : 0;
    }
    return missed == 0 ? 0 : 1;
}
