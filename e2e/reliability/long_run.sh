#!/usr/bin/env bash
# Types for a while at about 30 keys a second a random mix of prose and
# triggers (Space, Tab, Esc and function-key triggers, Boost on for the middle
# third), then checks that the target holds exactly what it should: every
# expansion right, no ordinary key lost or out of order, the hook still there,
# and Quorvel's memory steady after the first minute (the first third in a
# shorter run).
#
# Usage: long_run.sh [SECONDS]   (default 60; 300 for the full run)
set -uo pipefail
cd "$(dirname "$0")/../.." || exit 1
# shellcheck source=e2e/lib.sh
source e2e/lib.sh
# shellcheck source=e2e/reliability/common.sh
source e2e/reliability/common.sh

seconds=${1:-60}
RANDOM=20261206

e2e_build_quorvel || { e2e_fail build "build failed"; e2e_summary; exit 1; }
reliability_setup 1000 '{S}|KW|kilowatt hour' '{C}|ES|escaped' '{T}|TB|tabbed' || {
    e2e_fail setup "could not start the display, prefix or target"
    e2e_summary
    exit 1
}
reliability_start_quorvel || { e2e_fail start "Quorvel did not start"; e2e_summary; exit 1; }
e2e_click "$wid"

words=(the quick brown fox jumps over a lazy dog while people type many plain words into
    this small box and nothing here should ever change at all)
expected=""
keys=0
expansions=0
boost=off
boost_expansions=0
typing_ok=yes

rss_kib() { awk '/^VmRSS/ { print $2 }' "/proc/$(quorvel_pid)/status" 2>/dev/null; }
pastes() { cat "$report.pastes" 2>/dev/null || echo 0; }

set_boost() {
    wine "$tools/send_command.exe" 202 >/dev/null 2>&1
    if [ "$1" = on ] && ! e2e_answer_question; then
        e2e_fail boost-on "the Boost question did not appear"
    fi
    boost=$1
    # The click that gives the target the keys back also puts its caret where it
    # lands, in the middle of the text typed so far: back to the end with it.
    e2e_click "$wid"
    e2e_key ctrl+End
    e2e_key Return # ends whatever was typed, in Quorvel and in the target
    expected+=$'\r\n'
    keys=$((keys + 1))
}

# After a trigger's keys: its text must show in the target before anything else
# is typed, as a person reading it would wait. Keys typed meanwhile fall between
# the erase and the text, and under Wine even into the text (a Windows input
# queue takes the events of one SendInput call together).
landed() {
    expected+=$1
    expansions=$((expansions + 1))
    if [ "$boost" = on ]; then
        boost_expansions=$((boost_expansions + 1))
    fi
    e2e_wait_report "$report" "$expected" 10
}

start=$(date +%s)
third=$((seconds / 3))
# Memory is measured from the first minute on, or from the first third of a
# shorter run.
early_at=$((third < 60 ? third : 60))
rss_early=""
while (($(date +%s) - start < seconds)); do
    elapsed=$(($(date +%s) - start))
    if [ -z "$rss_early" ] && ((elapsed >= early_at)); then
        rss_early=$(rss_kib)
    fi
    if [ "$boost" = off ] && ((elapsed >= third && elapsed < 2 * third)); then
        set_boost on
    elif [ "$boost" = on ] && ((elapsed >= 2 * third)); then
        set_boost off
    fi
    case $((RANDOM % 10)) in
        0)
            xdotool type --delay 33 -- "kw "
            keys=$((keys + 3))
            landed "kilowatt hour"
            ;;
        1)
            xdotool type --delay 33 -- "sp "
            keys=$((keys + 3))
            landed $'This is a sample \r\nI hope you like it'
            ;;
        2)
            xdotool type --delay 33 -- "es"
            xdotool key Escape
            keys=$((keys + 3))
            landed "escaped"
            ;;
        3)
            xdotool type --delay 33 -- "tb"
            xdotool key Tab
            keys=$((keys + 3))
            landed "tabbed"
            ;;
        4)
            xdotool key F9
            keys=$((keys + 1))
            landed $'Full Name\r\n777 Street Name\r\nCity Name, CA 90210'
            ;;
        *)
            word=${words[RANDOM % ${#words[@]}]}
            xdotool type --delay 33 -- "$word "
            expected+="$word "
            keys=$((keys + ${#word} + 1))
            ;;
    esac || {
        typing_ok=no
        break
    }
done
took=$(($(date +%s) - start))
rss_late=$(rss_kib)

e2e_log "typed $keys keys in $took s ($((keys / (took > 0 ? took : 1))) a second):" \
    "$expansions expansions, $boost_expansions of them with Boost"
if [ "$typing_ok" = yes ] && e2e_wait_report "$report" "$expected" 20; then
    e2e_pass "every-expansion-right-and-no-key-lost ($keys keys, $expansions expansions)"
else
    e2e_fail every-expansion-right-and-no-key-lost "see the difference above"
fi
# Each Boost expansion went through the clipboard, and no other did.
e2e_log "the target took $(pastes) pastes"
if [ "$boost_expansions" -gt 0 ] && [ "$(pastes)" -eq "$boost_expansions" ]; then
    e2e_pass "boost-pastes ($boost_expansions)"
else
    e2e_fail boost-pastes "$boost_expansions expansions with Boost, $(pastes) pastes"
fi

# The hook is still there at the end: one more trigger fires.
xdotool type --delay 33 -- "kw "
if landed "kilowatt hour"; then
    e2e_pass hook-still-installed
else
    e2e_fail hook-still-installed "the last trigger did not expand"
fi

e2e_log "Quorvel's memory: ${rss_early:-?} KiB after ${early_at} s, ${rss_late:-?} KiB at the end"
if [ -n "$rss_early" ] && [ -n "$rss_late" ] &&
    awk -v a="$rss_early" -v b="$rss_late" 'BEGIN { exit !(b <= a * 1.10) }'; then
    e2e_pass "memory-steady (${rss_early} KiB, then ${rss_late} KiB)"
else
    e2e_fail memory-steady "grew from ${rss_early:-?} to ${rss_late:-?} KiB"
fi
e2e_summary
