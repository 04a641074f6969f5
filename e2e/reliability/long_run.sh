#!/usr/bin/env bash
# Types for a while at about 30 keys a second a random mix of prose and
# triggers (Space, Tab, Esc and function-key triggers, Boost on for the middle
# third), then checks that the target holds exactly what it should: every
# expansion right, no ordinary key lost or out of order, the hook still there,
# and Quorvel's memory steady after the first third.
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

reliability_build || { e2e_fail build "build failed"; e2e_summary; exit 1; }
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
boost=off

rss_kib() { awk '/^VmRSS/ { print $2 }' "/proc/$(quorvel_pid)/status" 2>/dev/null; }

set_boost() {
    wine "$tools/send_command.exe" 202 >/dev/null 2>&1
    if [ "$1" = on ]; then
        e2e_answer_question || e2e_log "the Boost question did not appear"
    fi
    boost=$1
    e2e_click "$wid"
    e2e_key Return  # ends whatever was typed, in Quorvel and in the target
    expected+=$'\r\n'
    keys=$((keys + 1))
}

start=$(date +%s)
third=$((seconds / 3))
rss_early=""
while (($(date +%s) - start < seconds)); do
    # After a trigger the typing waits for its text, as a person reading it would:
    # under Wine the keys of one send can interleave with keys typed meanwhile.
    if [ "${awaiting:-}" = yes ]; then
        e2e_wait_report "$report" "$expected" 10 || break
    fi
    awaiting=yes
    elapsed=$(($(date +%s) - start))
    if [ "$boost" = off ] && ((elapsed >= third && elapsed < 2 * third)); then
        rss_early=${rss_early:-$(rss_kib)}
        set_boost on
    elif [ "$boost" = on ] && ((elapsed >= 2 * third)); then
        set_boost off
    fi
    case $((RANDOM % 10)) in
        0)
            xdotool type --delay 33 -- "kw "
            expected+="kilowatt hour"
            keys=$((keys + 3))
            ;;
        1)
            xdotool type --delay 33 -- "sp "
            expected+=$'This is a sample \r\nI hope you like it'
            keys=$((keys + 3))
            ;;
        2)
            xdotool type --delay 33 -- "es"
            xdotool key Escape
            expected+="escaped"
            keys=$((keys + 3))
            ;;
        3)
            xdotool type --delay 33 -- "tb"
            xdotool key Tab
            expected+="tabbed"
            keys=$((keys + 3))
            ;;
        4)
            xdotool key F9
            expected+=$'Full Name\r\n777 Street Name\r\nCity Name, CA 90210'
            keys=$((keys + 1))
            ;;
        *)
            word=${words[RANDOM % ${#words[@]}]}
            xdotool type --delay 33 -- "$word "
            expected+="$word "
            keys=$((keys + ${#word} + 1))
            awaiting=no
            ;;
    esac
done
rss_late=$(rss_kib)

# The hook is still there at the end: one more trigger fires.
xdotool type --delay 33 -- "kw "
expected+="kilowatt hour"
keys=$((keys + 3))

e2e_log "typed $keys keys in $(($(date +%s) - start)) s"
if e2e_wait_report "$report" "$expected" 20; then
    e2e_pass "every-expansion-right-and-no-key-lost ($keys keys)"
else
    e2e_fail every-expansion-right-and-no-key-lost "see the difference above"
fi
e2e_log "Quorvel's memory: ${rss_early:-?} KiB after the first third, ${rss_late:-?} KiB at the end"
if [ -n "$rss_early" ] && [ -n "$rss_late" ] &&
    awk -v a="$rss_early" -v b="$rss_late" 'BEGIN { exit !(b <= a * 1.10) }'; then
    e2e_pass memory-steady
else
    e2e_fail memory-steady "grew from ${rss_early:-?} to ${rss_late:-?} KiB"
fi
e2e_summary
