#!/usr/bin/env bash
# Measures: builds the benchmarks, runs each REPETITIONS times (9 unless told)
# and prints the median, mean and spread of each, then the speed targets on
# the medians. Extra arguments go to the benchmark, e.g.
# --benchmark_filter=BM_File.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake --preset linux >/dev/null
cmake --build --preset linux --target quorvel_bench
exec ./build/linux/bench/quorvel_bench --benchmark_repetitions="${REPETITIONS:-9}" \
    --benchmark_report_aggregates_only=true "$@"
