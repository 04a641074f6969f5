#!/usr/bin/env bash
# Counts the lines of code and of tests: non-blank lines that are not only a
# comment, in C++, shell and Python files tracked by git. Tests are everything
# under tests/, e2e/ and fuzz/ (the fuzz seed corpora aside), and test doubles,
# self-checks and test sources wherever they live (a fake_* or *_test file, a
# doubles/, fake/ or selfcheck/ folder); the ratio is test lines against all
# lines. The expected outputs and case tables the tests read under tests/golden/
# are data, not code: their lines are printed apart. With --folders it also
# prints the lines of each folder's own files (not its subfolders'), biggest
# first, with their share of all lines.
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
tests='^(tests|e2e|fuzz)/|(^|/)(doubles|fake|selfcheck)/|(^|/)fake_[^/]*$|_test\.[a-z]+$'
code_files=$(grep -v -E "$tests" <<<"$files" || true)
test_files=$(grep -E "$tests" <<<"$files" || true)
# shellcheck disable=SC2086
code=$(count $code_files)
# shellcheck disable=SC2086
tests=$(count $test_files)
total=$((code + tests))
printf 'code lines  %6d\ntest lines  %6d\ntests       %5.1f %% of all lines\n' \
    "$code" "$tests" "$(awk -v t="$tests" -v a="$total" 'BEGIN { print a ? 100 * t / a : 0 }')"
golden=$(git ls-files tests/golden | xargs -r cat | grep -c -v -E '^[[:space:]]*(#|$)' || true)
printf 'golden data %6d lines under tests/golden/, not counted above\n' "$golden"

if [ "${1:-}" = --folders ]; then
    echo
    # shellcheck disable=SC2086
    for file in $files; do
        printf '%s %s\n' "$(dirname "$file")" "$(count "$file")"
    done | awk -v all="$total" '
        { lines[$1] += $2 }
        END { for (d in lines) printf "%-28s %6d %5.1f %%\n", d "/", lines[d], 100 * lines[d] / all }' |
        sort -k2,2nr
fi
