#!/usr/bin/env bash
# Counts the lines of code and of tests: non-blank lines that are not only a
# comment, in C++, shell and Python files tracked by git. Tests are everything
# under tests/, e2e/ and fuzz/ (the fuzz seed corpora aside), and test doubles,
# self-checks and test sources wherever they live (a fake_* or *_test file, a
# doubles/, fake/ or selfcheck/ folder), and the golden files under
# tests/golden/ (their non-blank lines that are not a # comment): an expected
# output kept in a file is test code kept elsewhere. The ratio is test lines
# against all lines. The deliberate-bug catalogue measures the tests and no test
# run reads it; its lines are printed apart, with the ratio it would give. With
# --folders it also prints the lines of each folder's own files (not its
# subfolders'), biggest first, with their share of all lines.
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
data_lines() { git ls-files "$@" | xargs -r cat | grep -c -v -E '^[[:space:]]*(#|$)' || true; }
golden=$(data_lines tests/golden)
tests=$((tests + golden))
total=$((code + tests))
percent() { awk -v t="$1" -v a="$2" 'BEGIN { printf "%.1f", a ? 100 * t / a : 0 }'; }
printf 'code lines  %6d\ntest lines  %6d (%d of them golden data)\ntests       %5s %% of all lines\n' \
    "$code" "$tests" "$golden" "$(percent "$tests" "$total")"
catalogue=$(data_lines tests/mutants/catalogue.toml)
printf 'mutant catalogue %d lines, not counted above (with it: %s %%)\n' \
    "$catalogue" "$(percent $((tests + catalogue)) $((total + catalogue)))"

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
