#!/usr/bin/env bash
# Figures of a send under Wine, to compare two builds on one machine: how long
# a 3,000-character text takes from its trigger to its last character in the
# target, with and without keys typed into it, and how long a calibration pause
# of 50,000 passes of the event loop lasts (a short text's time with that number,
# less its time with 0). Medians of three. Checks only that every text arrived
# whole and in order; the figures are for reading, as machines differ.
#
#   e2e/send_figures.sh                                  # all three figures
#   FIGURES=pause CALIBRATION=100000 e2e/send_figures.sh # only the pause, of that number
set -uo pipefail
cd "$(dirname "$0")/.." || exit 1
# shellcheck source=e2e/lib.sh
source e2e/lib.sh

long=$(e2e_long_text)
before_start() { e2e_setting 'Quorvel 2.1\options' text2 0; }
e2e_typing_suite --size 1000 '{S}|KW|kilowatt hour' "{S}|LG|$long"

# ms NAME EXPECTED KEYS [MORE]: types KEYS (then MORE at 60 ms a key), prints the
# milliseconds until the target holds EXPECTED.
ms() {
    local start
    e2e_reset_target
    start=$(date +%s%3N)
    xdotool type --delay 30 -- "$3"
    [ -z "${4:-}" ] || xdotool type --delay 60 -- "$4"
    e2e_wait_report "$report" "$2" 120 || { e2e_fail "$1" "the text did not arrive whole"; return 1; }
    echo $(($(date +%s%3N) - start))
}
# median NAME EXPECTED KEYS [MORE]: the median of three.
median() {
    local runs=()
    for _ in 1 2 3; do runs+=("$(ms "$@")") || return 1; done
    printf '%s\n' "${runs[@]}" | sort -n | sed -n 2p
}

passes=${CALIBRATION:-50000}
if [ "${FIGURES:-all}" = all ]; then
    text=$(median "3,000 characters" "$long" "lg ") &&
        e2e_pass "3,000 characters arrived in $text ms"
    typed=$(median "3,000 characters, keys typed into it" "${long}Quick Brown Fox" "lg " "Quick Brown Fox") &&
        e2e_pass "3,000 characters with 15 keys typed into them arrived whole, keys after, in $typed ms"
fi
short0=$(median "short text, calibration 0" "kilowatt hour" "kw ")
ui set-text main calibrationBox "$passes" >/dev/null
shortN=$(median "short text, calibration $passes" "kilowatt hour" "kw ") &&
    e2e_pass "the calibration pause of $passes passes lasted $((shortN - short0)) ms ($shortN - $short0)"
e2e_summary
