#pragma once
// Speed targets. Machines differ and are noisy, so only ratios of two benchmarks
// of the same run can fail it, and only at about twice their aim; a time on its
// own is reported against its aim and never fails anything.

#include <string>
#include <vector>

namespace quorvel::bench {

enum class Gate {
    // A ratio fails the run above twice its aim.
    TwiceTheAim,
    // Reported against the aim, never failing: every absolute time, and a ratio
    // the program does not meet yet.
    ReportOnly,
    // A figure that does not depend on the machine's speed (bytes of memory)
    // fails the run above the aim itself.
    AtTheAim,
};

struct Target {
    std::string description;
    std::string benchmark;
    std::string baseline;  // empty for an absolute time
    double aim = 0;        // nanoseconds, or the highest ratio benchmark / baseline
    Gate gate = Gate::TwiceTheAim;
    // When set, the figure is this counter of the benchmark, not a time.
    std::string counter = {};
};

std::vector<Target>& targets();

struct RegisterTarget {
    explicit RegisterTarget(Target target) { targets().push_back(std::move(target)); }
};

}  // namespace quorvel::bench
