#!/usr/bin/env bash
# Types for a while at a steady 30 keys a second, with bursts at 60, a random mix
# of prose and triggers (Space, Tab, Esc and function-key triggers, and a long
# text that takes a while to type; Boost on for the middle third), never waiting
# for an expansion before typing on. Then checks that the target holds exactly
# what it should, byte for byte: every expansion right, and every key typed
# during one after it, in order. Also: one paste per Boost expansion, the hook
# still there, and Quorvel's memory steady after the first minute (the first
# third in a shorter run).
#
# Usage: long_run.sh [SECONDS]   (default 60; 300 for the full run)
set -uo pipefail
cd "$(dirname "$0")/../.." || exit 1
# shellcheck source=e2e/lib.sh
source e2e/lib.sh

seconds=${1:-60}
# How long the target may take to catch up with what was typed. On a machine
# with one slow core, every event through the hook waits its turn for the
# processor, and a minute of typing ahead can take minutes to land; what never
# lands fails all the same.
catch_up=240
RANDOM=20261206

long=$(e2e_long_text 600)

# Counts only, never keys: how many key presses Quorvel held during expansions.
timing="$E2E_STATE/timing.txt"
e2e_typing_suite --size 1000 '{S}|KW|kilowatt hour' '{C}|ES|escaped' '{T}|TB|tabbed' "{S}|LG|$long"
e2e_click "$wid"

words=(the quick brown fox jumps over a lazy dog while people type many plain words into
    this small box and nothing here should ever change at all)
expected=""
keys=0
expansions=0
boost=off
boost_expansions=0

rss_kib() { awk '/^VmRSS/ { print $2 }' "/proc/$(quorvel_pid)/status" 2>/dev/null; }
pastes() { cat "$report.pastes" 2>/dev/null || echo 0; }

# Switching Boost asks a question and takes the focus: everything typed so far
# must have landed first.
set_boost() {
    e2e_wait_report "$report" "$expected" "$catch_up" ||
        e2e_fail "typed-before-boost-$1" "see the difference above"
    e2e_boost "$1" || e2e_fail boost-on "the Boost question did not appear"
    boost=$1
    # The click that gives the target the keys back also puts its caret where it
    # lands, in the middle of the text typed so far: back to the end with it.
    e2e_click "$wid"
    # Return ends whatever was typed, in Quorvel and in the target.
    e2e_key ctrl+End Return
    expected+=$'\r\n'
    keys=$((keys + 1))
}

# The triggers, as key names for xdotool, and the texts they give.
trigger_keys=("k w space" "s p space" "e s Escape" "t b Tab" F9 "l g space")
trigger_texts=("kilowatt hour" $'This is a sample \r\nI hope you like it' escaped tabbed
    $'Full Name\r\n777 Street Name\r\nCity Name, CA 90210' "$long")

# One chunk of about 40 keys, as key names for xdotool, and what it must give:
# six draws in sixteen a trigger, else a word and a Space.
chunk_keys=()
chunk_text=""
make_chunk() {
    local pick word keys_of n
    chunk_keys=()
    chunk_text=""
    while ((${#chunk_keys[@]} < 40)); do
        pick=$((RANDOM % 16))
        if ((pick < ${#trigger_keys[@]})); then
            read -ra keys_of <<<"${trigger_keys[pick]}"
            chunk_keys+=("${keys_of[@]}")
            chunk_text+=${trigger_texts[pick]}
            expansions=$((expansions + 1))
            [ "$boost" = off ] || boost_expansions=$((boost_expansions + 1))
        else
            word=${words[RANDOM % ${#words[@]}]}
            for ((n = 0; n < ${#word}; n++)); do
                chunk_keys+=("${word:n:1}")
            done
            chunk_keys+=(space)
            chunk_text+="$word "
        fi
    done
}

start=$(date +%s)
third=$((seconds / 3))
# Memory is measured from the first minute on, or from the first third of a
# shorter run.
early_at=$((third < 60 ? third : 60))
rss_early=""
chunks=0
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
    make_chunk
    # 30 keys a second, and every fourth chunk a burst at 60.
    delay=33
    if ((++chunks % 4 == 0)); then
        delay=16
    fi
    xdotool key --delay "$delay" -- "${chunk_keys[@]}" || {
        e2e_fail typing "xdotool could not type"
        break
    }
    expected+=$chunk_text
    keys=$((keys + ${#chunk_keys[@]}))
done
took=$(($(date +%s) - start))

e2e_log "typed $keys keys in $took s ($((keys / (took > 0 ? took : 1))) a second):" \
    "$expansions expansions, $boost_expansions of them with Boost"
e2e_check "every-expansion-right-and-no-key-lost ($keys keys, $expansions expansions)" \
    e2e_wait_report "$report" "$expected" "$catch_up"
rss_late=$(rss_kib)
# Each Boost expansion went through the clipboard, and no other did.
e2e_log "the target took $(pastes) pastes"
e2e_check "boost-pastes ($boost_expansions expansions with Boost, $(pastes) pastes)" \
    eval '[ "$boost_expansions" -gt 0 ] && [ "$(pastes)" -eq "$boost_expansions" ]'

e2e_fresh_timing
held=$(e2e_timing_field held_presses)
e2e_log "$held key presses were typed during expansions and held;" \
    "replaying took $(e2e_timing_field replay_ms) ms for $(e2e_timing_field replayed_events) events" \
    "in $(e2e_timing_field replay_calls) injections; refused: $(e2e_timing_field refused)"
e2e_check "keys-typed-during-expansions (${held:-0})" test "${held:-0}" -gt 0

# The hook is still there at the end: one more trigger fires.
xdotool type --delay 33 -- "kw "
expected+="kilowatt hour"
e2e_check hook-still-installed e2e_wait_report "$report" "$expected" 60

e2e_log "Quorvel's memory: ${rss_early:-?} KiB after ${early_at} s, ${rss_late:-?} KiB at the end"
e2e_check "memory-steady (${rss_early:-?} KiB, then ${rss_late:-?} KiB)" \
    awk -v a="$rss_early" -v b="$rss_late" 'BEGIN { exit !(a > 0 && b > 0 && b <= a * 1.10) }'
e2e_summary
