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

# Wine follows a layout change made while it runs, in its own time. The German
# layout puts "@", "{" and "€" behind AltGr, swaps Y and Z and has "^" as a dead
# key: a "y" typed arrives as one once Wine has followed.
follows_german_layout() {
    e2e_reset_target && e2e_type y && e2e_wait_report "$report" y 2
}
setxkbmap -layout de || e2e_abort layout "setxkbmap -layout de failed"
E2E_TRIES=10 e2e_eventually follows_german_layout 2>/dev/null ||
    e2e_log "Wine did not follow the German layout"

e2e_check de-letter-trigger-altgr-and-umlauts e2e_typed_gives "gz " "$german"
e2e_check de-dead-key-gives-e-circumflex e2e_typed_gives "" 'ê' dead_circumflex e
e2e_type " gz "
e2e_check de-trigger-after-dead-key e2e_wait_report "$report" "ê $german" 10
e2e_check de-function-key-trigger \
    e2e_typed_gives "" $'Full Name\r\n777 Street Name\r\nCity Name, CA 90210' F9
# "^", "´" and "`" are dead keys here.
e2e_check de-dead-key-accents-arrive-as-themselves e2e_typed_gives "dk " "$accents"

# US-International has five of them: ' " ` ~ ^. Wine follows the switch in its
# own time; once it has, the dead "'" then "e" gives "é".
follows_us_international() {
    e2e_reset_target && e2e_key dead_acute e && e2e_wait_report "$report" 'é' 2
}
setxkbmap -layout us -variant intl || e2e_abort layout "setxkbmap -layout us -variant intl failed"
E2E_TRIES=10 e2e_eventually follows_us_international 2>/dev/null ||
    e2e_log "Wine did not follow the US-International layout"
e2e_check intl-dead-key-accents-arrive-as-themselves e2e_typed_gives "dk " "$accents"

e2e_summary
