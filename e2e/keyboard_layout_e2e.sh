#!/usr/bin/env bash
# Quorvel under Wine as a Western user has it: code page 1252 with characters
# beyond ASCII in the shortcuts (pasted with Boost in e2e/unicode_e2e.sh); then
# a German keyboard layout, switched to while everything runs: AltGr characters
# and umlauts in the texts, a dead key typed by the user, and triggers that
# still fire; then US-International. On both, accents that are dead keys there
# arrive in a text as themselves, not on the letter after them.
set -uo pipefail
cd "$(dirname "$0")/.." || exit 1
# shellcheck source=e2e/lib.sh
source e2e/lib.sh

# The target reports its text in UTF-8, as this script is written; the shortcut
# file holds these entries in Windows-1252, as every one fits it.
western='Café Grüße: 5 € ¯ ß'
german='an: a@b.de {ä €}'
# "^" and "~" are Ctrl and Enter in a text's notation, hence the braces there.
accents='^a `e ´o ~n '"'"'x "u'

before_start() { setxkbmap -layout us || e2e_abort layout "setxkbmap failed"; }
e2e_typing_suite "{S}|CF|$western" "{S}|GZ|an: a@b.de {{}ä €{}}" \
    "{S}|DK|{^}a \`e ´o {~}n 'x \"u"

e2e_check us-keystrokes-beyond-ascii e2e_typed_gives "cf " "$western"

# follow_layout 'SETXKBMAP ARGS' EXPECTED KEY...: switches the layout while
# everything runs. Wine follows in its own time: once it has, the keys give
# EXPECTED.
follow_layout() {
    local args
    read -ra args <<<"$1"
    setxkbmap "${args[@]}" || e2e_abort layout "setxkbmap $1 failed"
    E2E_TRIES=10 e2e_eventually layout_probe "${@:2}" 2>/dev/null || e2e_log "Wine did not follow: $1"
}
layout_probe() { e2e_reset_target && e2e_key "${@:2}" && e2e_wait_report "$report" "$1" 2; }

# The German layout puts "@", "{" and "€" behind AltGr, swaps Y and Z and has
# "^", "´" and "`" as dead keys.
follow_layout '-layout de' y y
e2e_check de-letter-trigger-altgr-and-umlauts e2e_typed_gives "gz " "$german"
e2e_check de-dead-key-then-trigger e2e_typed_gives "" "ê $german" dead_circumflex e space g z space
e2e_check de-function-key-trigger \
    e2e_typed_gives "" $'Full Name\r\n777 Street Name\r\nCity Name, CA 90210' F9
e2e_check de-dead-key-accents-arrive-as-themselves e2e_typed_gives "dk " "$accents"

# US-International has five dead keys: ' " ` ~ ^.
follow_layout '-layout us -variant intl' 'é' dead_acute e
e2e_check intl-dead-key-accents-arrive-as-themselves e2e_typed_gives "dk " "$accents"

e2e_summary
