#!/usr/bin/env bash
# Quorvel under Wine as a Western user has it: code page 1252 with characters
# beyond ASCII in the shortcuts, typed and pasted; then a German keyboard layout,
# switched to while everything runs: AltGr characters and umlauts in the texts,
# a dead key typed by the user, and triggers that still fire.
set -uo pipefail
cd "$(dirname "$0")/.." || exit 1
# shellcheck source=e2e/lib.sh
source e2e/lib.sh

# The target reports its text in UTF-8, as this script is written; the shortcut
# file holds these entries in Windows-1252, as every one fits it.
reset_target() {
    e2e_click "$wid"
    e2e_key Return
    wine "$tools/send_command.exe" --clear-target >/dev/null 2>&1
    e2e_wait_report "$report" "" 5
}

western='Café Grüße: 5 € ¯ ß'
german='an: a@b.de {ä €}'
user_text='naïve user text €'

e2e_build_quorvel || { e2e_fail build "the Windows build or make_shortcut_file failed"; e2e_summary; exit 1; }
e2e_quorvel_prefix || { e2e_fail prefix "no display, Wine prefix or Quorvel folder"; e2e_summary; exit 1; }
setxkbmap -layout us || { e2e_fail layout "setxkbmap failed"; e2e_summary; exit 1; }
build/linux/make_shortcut_file "$program/defaultkeys.qvb" \
    "{S}|CF|$western" \
    "{S}|GZ|an: a@b.de {{}ä €{}}" || exit 1
# The file as the ANSI versions wrote it, so that reading it is under test too.
e2e_check file-in-windows-1252 env LC_ALL=C grep -qF "$(printf '%s' "$western" |
    iconv -f UTF-8 -t WINDOWS-1252)" "$program/defaultkeys.qvb"
wine reg add 'HKCU\Software\VB and VBA Program Settings\Quorvel\StartUpQ' \
    /v StartUpOpt /t REG_SZ /d 1 /f >/dev/null 2>&1
wine reg add 'HKCU\Software\VB and VBA Program Settings\Quorvel\opts' \
    /v RunMinimized /t REG_SZ /d True /f >/dev/null 2>&1

report="$E2E_STATE/target-report.txt"
wid=$(e2e_start_target "$report") || { e2e_fail target "test target did not start"; e2e_summary; exit 1; }
e2e_spawn 'C:\quorvel\quorvel.exe' >/dev/null
for ((tries = 0; tries < 100; tries++)); do
    [ -n "$(e2e_reg_query 'Quorvel\opts' Boost)" ] && break
    sleep 0.2
done

reset_target
e2e_type "cf "
e2e_check us-keystrokes-beyond-ascii e2e_wait_report "$report" "$western" 5

reset_target
wine "$tools/send_command.exe" --set-clipboard "$user_text" >/dev/null 2>&1
wine "$tools/send_command.exe" 202 >/dev/null 2>&1
if e2e_answer_question; then
    reset_target
    e2e_type "cf "
    e2e_check us-boost-beyond-ascii e2e_wait_report "$report" "$western" 5
    e2e_check us-boost-one-paste test "$(cat "$report.pastes" 2>/dev/null)" = 1
    sleep 1
    e2e_check us-boost-gives-clipboard-back \
        test "$(wine "$tools/send_command.exe" --get-clipboard 2>/dev/null)" = "$user_text"
    wine "$tools/send_command.exe" 202 >/dev/null 2>&1
else
    e2e_fail boost "the Boost question did not appear"
fi

# Wine follows a layout change made while it runs. The German layout puts "@",
# "{" and "€" behind AltGr, swaps Y and Z and has "^" as a dead key.
setxkbmap -layout de || { e2e_fail layout "setxkbmap -layout de failed"; e2e_summary; exit 1; }
sleep 1

reset_target
e2e_type "gz "
e2e_check de-letter-trigger-altgr-and-umlauts e2e_wait_report "$report" "$german" 5

reset_target
e2e_key dead_circumflex e
if e2e_wait_report "$report" 'ê' 5; then
    e2e_pass de-dead-key-gives-e-circumflex
    e2e_type " gz "
    e2e_check de-trigger-after-dead-key e2e_wait_report "$report" "ê $german" 5
else
    e2e_fail de-dead-key-gives-e-circumflex "see above"
fi

reset_target
e2e_key F9
e2e_check de-function-key-trigger \
    e2e_wait_report "$report" $'Full Name\r\n777 Street Name\r\nCity Name, CA 90210' 5

e2e_summary
