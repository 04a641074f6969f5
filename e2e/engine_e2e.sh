#!/usr/bin/env bash
# Quorvel's Windows edition at work under Wine: a real keyboard hook, real
# injected keys, a real target window, clipboard and registry. Typing is done by
# xdotool, which Wine sees as real key presses.
set -uo pipefail
cd "$(dirname "$0")/.." || exit 1
# shellcheck source=e2e/lib.sh
source e2e/lib.sh

# Every step starts from an empty target and a fresh typing state: Return ends
# whatever was typed (Quorvel forgets letters and modifiers on it), then the
# target's box is emptied without the keyboard.
reset_target() {
    e2e_click "$wid"
    e2e_key Return
    wine "$tools/send_command.exe" --clear-target >/dev/null 2>&1
    e2e_wait_report "$report" "" 5
}

wait_for_file() {
    local file=$1 tries
    for ((tries = 0; tries < 50; tries++)); do
        [ -f "$file" ] && return 0
        sleep 0.2
    done
    return 1
}

e2e_build_quorvel || {
    e2e_fail build "the Windows build or make_shortcut_file failed"
    e2e_summary
    exit 1
}
e2e_quorvel_prefix || { e2e_fail prefix "no display, Wine prefix or Quorvel folder"; e2e_summary; exit 1; }
cp "$tools/started_marker.exe" "$program/"
build/linux/make_shortcut_file "$program/defaultkeys.qvb" --size 32767 \
    '{C}|ES|escaped' \
    '{S}|RN|%(run=C:\quorvel\started_marker.exe C:\quorvel\marker.txt)%' || exit 1
cp "$program/defaultkeys.qvb" "$E2E_STATE/written.qvb"
wine reg add 'HKCU\Software\VB and VBA Program Settings\Quorvel\StartUpQ' \
    /v StartUpOpt /t REG_SZ /d 1 /f >/dev/null 2>&1
# Hidden in the tray, Quorvel's window cannot lie over the target.
wine reg add 'HKCU\Software\VB and VBA Program Settings\Quorvel\opts' \
    /v RunMinimized /t REG_SZ /d True /f >/dev/null 2>&1

report="$E2E_STATE/target-report.txt"
wid=$(e2e_start_target "$report") || { e2e_fail target "test target did not start"; e2e_summary; exit 1; }

timing="$E2E_STATE/hook-timing.txt"
start=$(e2e_now)
QUORVEL_HOOK_TIMING_FILE=$(e2e_winpath "$timing") e2e_spawn 'C:\quorvel\quorvel.exe' >/dev/null
for ((tries = 0; tries < 100; tries++)); do
    [ -n "$(e2e_reg_query 'Quorvel\opts' Boost)" ] && break
    sleep 0.2
done
e2e_log "Quorvel started with 32,767 shortcuts in $(e2e_elapsed "$start")s"
e2e_check boost-setting-written-at-start test "$(e2e_reg_query 'Quorvel\opts' Boost)" = False

e2e_focus "$wid"
e2e_type "td "
today=$(date +%-m/%-d/%Y)
if e2e_wait_report "$report" "Today is $today at" 1 2>/dev/null || true; then :; fi
sleep 1
if LC_ALL=C grep -qaE "^Today is $today at [0-9]{1,2}:[0-9]{2}:[0-9]{2} [AP]M\.$(printf '\r')\$" "$report" &&
    [ "$(wc -l <"$report")" -eq 1 ] && [ "$(tail -c 2 "$report" | od -An -tx1 | tr -d ' ')" = 0d0a ]; then
    e2e_pass space-trigger-types-date-time-and-enter
else
    e2e_fail space-trigger-types-date-time-and-enter "$(e2e_show_bytes <"$report")"
fi

reset_target
e2e_type "xtd "
e2e_check partial-word-fires-nothing e2e_wait_report "$report" "xtd " 5

reset_target
e2e_type "td"
e2e_key Tab
e2e_check tab-against-space-entry-passes e2e_wait_report "$report" $'td\t' 5

reset_target
e2e_key F9
e2e_check f9-multi-line e2e_wait_report "$report" $'Full Name\r\n777 Street Name\r\nCity Name, CA 90210' 5

reset_target
e2e_key ctrl+F9
e2e_check ctrl-f9 e2e_wait_report "$report" $'This is a sample of Ctrl\xc2\xafF9 \r\nI hope you like it' 5

reset_target
e2e_key shift+F9
e2e_check shift-f9 e2e_wait_report "$report" $'This is a sample  of Shift\xc2\xafF9 \r\nI hope you like it' 5

reset_target
e2e_key ctrl+shift+F9
e2e_check ctrl-shift-f9 e2e_wait_report "$report" $'This is a sample  of Ctrl\xc2\xafShift\xc2\xafF9\r\nI hope you like it' 5

reset_target
e2e_type "es"
e2e_key Escape
e2e_check esc-launches-and-is-swallowed e2e_wait_report "$report" "escaped" 5

reset_target
wine "$tools/inject_keys.exe" "td " >/dev/null 2>&1
e2e_check foreign-injected-keys-never-fire e2e_wait_report "$report" "td " 5

reset_target
rm -f "$program/marker.txt"
e2e_type "rn "
if wait_for_file "$program/marker.txt" && e2e_wait_report "$report" "" 3; then
    e2e_pass run-macro-starts-program-types-nothing
else
    e2e_fail run-macro-starts-program-types-nothing "marker: $(cat "$program/marker.txt" 2>&1)"
fi
# The started program's console may take the focus a moment after it ends.
sleep 1


# Boost: the text goes through the clipboard, which holds the user's text again after.
reset_target
wine "$tools/send_command.exe" --set-clipboard "the user text" >/dev/null 2>&1
wine "$tools/send_command.exe" 202 >/dev/null 2>&1
if e2e_answer_question; then
    reset_target
    e2e_type "sp "
    e2e_check boost-pastes-with-line-breaks e2e_wait_report "$report" $'This is a sample \r\nI hope you like it' 5
    sleep 1
    e2e_check boost-keeps-user-clipboard test "$(wine "$tools/send_command.exe" --get-clipboard 2>/dev/null)" = "the user text"
    wine "$tools/send_command.exe" 202 >/dev/null 2>&1
else
    e2e_fail boost "the Boost question did not appear"
fi

# File Save writes the list back byte for byte.
wine "$tools/send_command.exe" 101 >/dev/null 2>&1
sleep 2
e2e_check file-save-writes-exact-bytes cmp "$program/defaultkeys.qvb" "$E2E_STATE/written.qvb"

sleep 2.5
if [ -s "$timing" ]; then
    e2e_log "hook callback with 32,767 shortcuts: $(cat "$timing")"
    p99=$(awk '{ for (i = 1; i < NF; i++) if ($i == "p99_us") print $(i + 1) }' "$timing")
    e2e_check hook-callback-p99-below-1ms awk -v p="$p99" 'BEGIN { exit !(p < 1000) }'
else
    e2e_fail hook-timing "no timing written"
fi

e2e_summary
