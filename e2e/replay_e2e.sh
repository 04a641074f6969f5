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

# held_while_typing EXPECTED COMMAND...: runs the typing command, then the
# target must hold exactly EXPECTED and Quorvel must have held keys meanwhile.
held_while_typing() {
    local expected=$1 start held
    shift
    e2e_reset_target
    start=$(e2e_now)
    "$@"
    e2e_wait_report "$report" "$expected" 60 && e2e_fresh_timing || return 1
    held=$(($(e2e_timing_field held_presses) - held_before))
    held_before=$((held_before + held))
    e2e_log "$held key presses held, $(e2e_elapsed "$start") s"
    [ "$held" -gt 0 ] || echo "no key was held: the typing fell outside the send" >&2
    [ "$held" -gt 0 ]
}

# "kw" at 60 ms a key, then Space and the key given 15 ms apart.
kw_space_then() {
    xdotool type --delay 60 -- kw
    xdotool key --delay 15 space "$1"
}
at_60ms() { xdotool type --delay 60 -- "$1"; }
fox='Quick Brown Fox Jumps Over'

for mode in keystrokes Boost; do
    [ "$mode" = keystrokes ] || e2e_boost on || e2e_abort boost "the Boost question did not appear"
    e2e_rows held_while_typing <<'ROWS'
"$mode: Enter 15 ms after the Space" $'kilowatt hour\r\n' kw_space_then Return
"$mode: capitals at 60 ms into 3,000 characters" "$long$fox" at_60ms "lg $fox"
"$mode: a trigger typed during a text fires after it" "${long}kilowatt hourdone" at_60ms 'lg kw done'
"$mode: kw kw at 60 ms" 'kilowatt hourkilowatt hour' at_60ms 'kw kw '
ROWS
done
ui set-clipboard "the user's clipboard"
e2e_check "Boost: a Ctrl+V 15 ms after the Space pastes the user's clipboard" \
    held_while_typing "kilowatt hourthe user's clipboard" kw_space_then ctrl+v

e2e_fresh_timing
e2e_log "replaying cost $(e2e_timing_field replay_ms) ms for $(e2e_timing_field replayed_events)" \
    "events in $(e2e_timing_field replay_calls) injections; refused: $(e2e_timing_field refused)"
e2e_summary
