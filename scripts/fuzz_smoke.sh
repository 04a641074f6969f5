#!/usr/bin/env bash
# Builds the libFuzzer targets and runs each on a scratch copy of its seed
# corpus (the committed corpus never grows). Fails on any crash, leak,
# sanitizer report, broken invariant or slow input.
#
#   scripts/fuzz_smoke.sh                                   # 20 seconds per target
#   FUZZ_SECONDS=600 scripts/fuzz_smoke.sh                  # 10 minutes per target
#   FUZZ_TARGETS="fuzz_send_keys" scripts/fuzz_smoke.sh     # only the named targets
#
# Targets run one after another: the fuzzers share the machine with the rest.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds="${FUZZ_SECONDS:-20}"
targets="${FUZZ_TARGETS:-$(cd fuzz && ls fuzz_*.cpp | sed 's/\.cpp$//')}"

scripts/install-deps.sh clang libclang-rt-14-dev

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz

out=build/fuzz/runs
mkdir -p "$out"
failed=()
for target in $targets; do
    max_len=4096
    [ "$target" = fuzz_shortcut_file ] && max_len=65536
    work="$(mktemp -d)"
    cp -R "fuzz/corpus/$target/." "$work/"
    log="$out/$target.log"
    echo "== $target: ${seconds}s, -max_len=$max_len =="
    status=0
    nice -n 10 "build/fuzz/fuzz/$target" "$work" \
        -max_total_time="$seconds" -max_len="$max_len" -timeout=10 -rss_limit_mb=2048 \
        -print_final_stats=1 -artifact_prefix="$out/$target-" >"$log" 2>&1 || status=$?
    rm -rf "$work"
    grep -E '^stat::number_of_executed_units|^stat::peak_rss_mb' "$log" | sed 's/^/    /' || true
    if [ "$status" -ne 0 ]; then
        echo "    FAILED (exit $status); log: $log"
        grep -E 'ERROR|invariant broken|SUMMARY|Test unit written' "$log" | head -20 | sed 's/^/    /' || true
        failed+=("$target")
    fi
done

if ((${#failed[@]})); then
    echo "Fuzz targets failed: ${failed[*]}"
    exit 1
fi
echo "All fuzz targets ran clean."
