#pragma once
// Speed targets, checked on the figures of the same run: a limit on one
// benchmark's time, or a limit on the ratio of two benchmarks' times.

#include <string>
#include <vector>

namespace quorvel::bench {

struct Target {
    std::string description;
    std::string benchmark;
    std::string baseline;  // empty for an absolute limit
    double limit = 0;      // nanoseconds, or the highest ratio benchmark / baseline
    // An aim is reported but does not fail the run.
    bool aimOnly = false;
};

std::vector<Target>& targets();

struct RegisterTarget {
    explicit RegisterTarget(Target target) { targets().push_back(std::move(target)); }
};

}  // namespace quorvel::bench
