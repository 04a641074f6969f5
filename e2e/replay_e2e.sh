#!/usr/bin/env bash
# Keys typed while Quorvel types a shortcut's text are held and typed after it,
# in order, under Wine, as a fast typist types them: Enter 15 ms after the Space
# of a trigger; capitals at 60 ms a key into a 3,000-character text; a trigger
# typed in the middle of another's text; "kw kw " at 60 ms a key. All of it
# once with keystrokes and once with Boost (paste); with Boost, a Ctrl+V typed
# right after the trigger pastes the user's clipboard. Each case also checks that
# Quorvel did hold keys in it, so that a send too quick to be typed into fails
# instead of passing unseen.
set -uo pipefail
cd "$(dirname "$0")/.." || exit 1
# shellcheck source=e2e/lib.sh
source e2e/lib.sh

long=$(e2e_long_text)

# A calibration pause long enough (a few tenths of a second here) that every
# case types into a send, as on a slower or busier machine.
before_start() { e2e_setting 'Quorvel 2.1\options' text2 "${REPLAY_CALIBRATION:-50000}"; }
# Counts only, never keys: how many key presses Quorvel has held so far.
timing="$E2E_STATE/timing.txt"
e2e_typing_suite --size 1000 '{S}|KW|kilowatt hour' "{S}|LG|$long"

held_before=0
e2e_fresh_timing && held_before=$(e2e_timing_field held_presses)

# check NAME EXPECTED TYPING...: types, then the target must hold exactly EXPECTED
# and Quorvel must have held keys meanwhile.
check() {
    local name=$1 expected=$2 start held
    shift 2
    e2e_reset_target
    start=$(e2e_now)
    "$@"
    if ! e2e_wait_report "$report" "$expected" 60; then
        e2e_fail "$name" "see the difference above"
        return
    fi
    e2e_fresh_timing || { e2e_fail "$name" "no figures from Quorvel"; return; }
    held=$(($(e2e_timing_field held_presses) - held_before))
    held_before=$((held_before + held))
    if [ "$held" -gt 0 ]; then
        e2e_pass "$name ($held key presses held, $(e2e_elapsed "$start") s)"
    else
        e2e_fail "$name" "no key was held: the typing fell outside the send"
    fi
}

# "kw" at 60 ms a key, then Space and the key given 15 ms apart.
kw_space_then() {
    xdotool type --delay 60 -- kw
    xdotool key --delay 15 space "$1"
}
capitals_into_long_text() { xdotool type --delay 60 -- "lg Quick Brown Fox Jumps Over"; }
trigger_into_long_text() { xdotool type --delay 60 -- "lg kw done"; }
trigger_twice() { xdotool type --delay 60 -- "kw kw "; }

run_cases() {
    local mode=$1
    check "$mode: Enter 15 ms after the Space" $'kilowatt hour\r\n' kw_space_then Return
    check "$mode: capitals at 60 ms into 3,000 characters" "${long}Quick Brown Fox Jumps Over" \
        capitals_into_long_text
    check "$mode: a trigger typed during a text fires after it" "${long}kilowatt hourdone" \
        trigger_into_long_text
    check "$mode: kw kw at 60 ms" "kilowatt hourkilowatt hour" trigger_twice
}

run_cases keystrokes

if e2e_boost on; then
    run_cases Boost
    ui set-clipboard "the user's clipboard"
    check "Boost: a Ctrl+V 15 ms after the Space pastes the user's clipboard" \
        "kilowatt hourthe user's clipboard" kw_space_then ctrl+v
else
    e2e_fail boost "the Boost question did not appear"
fi

e2e_fresh_timing
e2e_log "replaying cost $(e2e_timing_field replay_ms) ms for $(e2e_timing_field replayed_events)" \
    "events in $(e2e_timing_field replay_calls) injections; refused: $(e2e_timing_field refused)"
e2e_summary
