#!/usr/bin/env bash
# Counts the lines of code and of tests: non-blank lines that are not only a
# comment, in C++, shell and Python files tracked by git. Tests are everything
# under tests/, e2e/ and fuzz/ (the fuzz seed corpora aside); the ratio is test
# lines against all lines.
set -euo pipefail
cd "$(dirname "$0")/.."

count() {
    # C++: // lines and /* */ blocks; shell and Python: # lines (shebangs too).
    awk '
        FNR == 1 { block = 0; cpp = (FILENAME ~ /\.(cpp|h|hpp|cc)$/) }
        {
            line = $0
            sub(/^[ \t]+/, "", line)
            if (line == "") next
            if (cpp) {
                if (block) { if (line ~ /\*\//) block = 0; next }
                if (line ~ /^\/\//) next
                if (line ~ /^\/\*/) { if (line !~ /\*\//) block = 1; next }
            } else if (line ~ /^#/) next
            n++
        }
        END { print n + 0 }' "$@" /dev/null
}

files=$(git ls-files '*.cpp' '*.h' '*.hpp' '*.sh' '*.py' | grep -v '/corpus/' || true)
code_files=$(grep -v -E '^(tests|e2e|fuzz)/' <<<"$files" || true)
test_files=$(grep -E '^(tests|e2e|fuzz)/' <<<"$files" || true)
# shellcheck disable=SC2086
code=$(count $code_files)
# shellcheck disable=SC2086
tests=$(count $test_files)
total=$((code + tests))
printf 'code lines  %6d\ntest lines  %6d\ntests       %5.1f %% of all lines\n' \
    "$code" "$tests" "$(awk -v t="$tests" -v a="$total" 'BEGIN { print a ? 100 * t / a : 0 }')"
