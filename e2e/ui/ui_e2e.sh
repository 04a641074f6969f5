#!/usr/bin/env bash
# Quorvel's windows under Wine, driven as a person would. The rules behind each
# button and menu are the unit tests' (tests/); this suite checks what only the
# real windows show: that each control reaches its handler once and the window
# shows the outcome, the keyboard alone (Tab order, Shift+Tab, Ctrl+Tab, Esc,
# Enter, an access key, the first focus), which window a message box belongs to
# and blocks, where windows open and how they come back, DPI changes and
# resizing, the real tray icon, and text beyond ASCII in the boxes, lists and
# file dialogs (e2e/ui/dpi_e2e.sh checks the layout of each window at several
# DPIs). The driver (e2e/tools/ui_driver.cpp) clicks, types and reads the
# controls with window messages; xdotool types and clicks as a keyboard and
# mouse would.
#
# QUORVEL_E2E_DPI=144 e2e/ui/ui_e2e.sh runs it all at 144 dots per inch (96
# by default).
set -uo pipefail
cd "$(dirname "$0")/../.." || exit 1
# shellcheck source=e2e/lib.sh
source e2e/lib.sh
# shellcheck source=e2e/ui/ui_lib.sh
source e2e/ui/ui_lib.sh

DPI=${QUORVEL_E2E_DPI:-96}

# Presses KEYS in the test target, where only Quorvel's keyboard hook sees
# them. A real click into the target's box comes first: after a dialog of
# Quorvel's, Wine gives keys only to a window activated this way. It clicks at
# the bottom left, away from Quorvel's windows, which stand hidden, minimised
# or on the right then.
hot_key() {
    e2e_click "$wid" 40 30
    e2e_key "$1"
}

# The main window opens at the top left, over the test target and Wine's
# notification area; it is moved to the right edge of the screen.
main_aside() {
    local width
    read -r width _ < <(size_of main)
    ui move main $((1280 - width)) 0
}

# Waits up to SECONDS for the main window, then moves it aside.
shown_aside() { ui wait-visible main "$1" && main_aside; }

# Clicks Import or Export (BUTTON) and chooses PATH in the file dialog, whose
# title and filter it prints.
choose_file() {
    ui click main "$1"
    ui file-dialog "$2"
}

# Starts Quorvel while the driver, started first so that its own start costs
# nothing, watches: the main window shown, then moved aside. With TRIGGER and
# TEXT, the trigger is typed into the target the moment the window is aside,
# and the watch ends when the target holds TEXT. Each step's time since $start
# is read back with start_step; the typing's own steps go to a file beside the
# driver's, which the driver keeps open.
timed_start() {
    local watch=$E2E_STATE/start-watch.txt watcher tries
    rm -f "$watch" "$watch.typed"
    ui watch-start "$(e2e_winpath "$watch")" "$@" &
    watcher=$!
    E2E_TRIES=100 e2e_eventually grep -qs armed "$watch" || return 1
    start=$(e2e_now)
    start_quorvel
    # Polled often: the typing should start within milliseconds.
    for ((tries = 0; tries < 6000; tries++)); do
        grep -qs aside "$watch" && break
        kill -0 "$watcher" 2>/dev/null || break
        sleep 0.01
    done
    if (($# > 0)); then
        echo "typing $(date +%s%3N)" >"$watch.typed"
        e2e_click "$wid" 40 30
        e2e_type "$1"
        echo "typed $(date +%s%3N)" >>"$watch.typed"
    fi
    wait "$watcher"
}

# Seconds from $start to STEP of the last timed_start.
start_step() {
    cat "$E2E_STATE"/start-watch.txt* | tr -d '\r' |
        awk -v step="$1" -v start="$start" '$1 == step { printf "%.2f", $2 / 1000 - start }'
}

# Quorvel's anonymous resident memory in KiB: a figure to report, never gated.
rss_anon_kib() { awk '/^RssAnon/ { print $2 }' "/proc/$(quorvel_pid)/status" 2>/dev/null; }

# Waits until 8 s have passed since START, when the memory figures are taken.
# (Parenthesised: a bare ">" after print in awk writes to a file.)
wait_8s_after() {
    sleep "$(awk -v s="$1" -v n="$(e2e_now)" 'BEGIN { w = 8 - (n - s); print (w > 0 ? w : 0) }')"
}

# Adds a shortcut from the window and prints how long it takes from the click to
# the shortcut file written, with SIZE shortcuts in the list.
add_timed() {
    local size=$1 ms
    ui set-text main triggerBox "zzqq"
    ui set-text main shortcutText "added while timing"
    ms=$(ui timed-click-file main addButton "$(e2e_winpath "$program/defaultkeys.qvb")")
    echo "Add with $size shortcuts: the file written $ms ms after the click"
    e2e_check "add-to-$size-shortcuts" ui_until $((size + 1)) count main
}

# Deletes the row added by add_timed and prints how long it takes from the
# answer to the question to the shortcut file written.
delete_timed() {
    local size=$1 row ms hidden gone
    row=$(ui rows main | grep -n ' - zzqq - ' | cut -d: -f1)
    ui select main $((row - 1))
    ui click main deleteButton
    # Under Wine the question may take long to close: the times it was hidden
    # and gone (its call returned) tell that wait from the program's own work.
    read -r ms hidden gone < <(ui timed-answer-file Yes Quorvel "$(e2e_winpath "$program/defaultkeys.qvb")" | tr '\n' ' ')
    echo "Delete with $size shortcuts: the file written $ms ms after the answer (the question hidden after $hidden ms, gone after $gone ms)"
    e2e_check "delete-from-$size-shortcuts" ui_until "$size" count main
}

# 1 when the megabyte-long row shows its start and an ellipsis.
long_row_cut() {
    ui rows main | grep ' - QZA - ' | grep -c '…$'
}

# The colour of the Exit button's face, as ImageMagick names it.
exit_colour() {
    local x y w h
    read -r x y w h < <(ui rect main exitButton)
    import -window root "$E2E_STATE/screen.png" 2>/dev/null &&
        convert "$E2E_STATE/screen.png" -format "%[pixel:p{$((x + 6)),$((y + h / 2))}]" info:
}

# Clicks into a box of one of Quorvel's windows until it has the keyboard
# focus: Wine gives keys only to a window a real click activated. The window
# is brought in front of the test target first, as the icon or the Common
# Text button does.
click_into() {
    local window=$1 control=$2 title xid x y w h tries
    title=$main_title
    if [ "$window" = common ]; then
        title=$common_title
        ui click main commonTextButton
    elif [ "$window" = excluded ]; then
        title='^Excluded Programs$'
        ui menu 208
    else
        ui tray 0x201
    fi
    ui_until 1 in-front "$window" >/dev/null
    xid=$(e2e_visible_window "$title")
    e2e_focus "$xid"
    read -r x y w h < <(ui rect "$window" "$control")
    for ((tries = 0; tries < 5; tries++)); do
        xdotool mousemove $((x + w / 2)) $((y + h / 2)) click 1
        E2E_TRIES=5 e2e_until_prints "$control" ui focus "$window" 2>/dev/null && return 0
    done
    same "$control" "$(ui focus "$window")"
}

enabled_common_and_main() { echo "$(ui enabled common) $(ui enabled main)"; }

# walks_focus WINDOW KEY CONTROL...: each press of KEY moves the focus to the
# next control named; says where the walk went astray.
walks_focus() {
    local window=$1 key=$2 control walked=""
    shift 2
    for control in "$@"; do
        e2e_key "$key"
        if ! e2e_until_prints "$control" ui focus "$window"; then
            echo "walked: $walked; expected walk: $*" >&2
            return 1
        fi
        walked+="${walked:+ }$control"
    done
}

# A WM_DPICHANGED to 3/2 of the DPI makes the control 3/2 as wide, give or
# take the rounding; a second one puts the window back.
follows_dpi_change() {
    local window=$1 control=$2 before after off
    read -r before _ < <(size_of "$window" "$control")
    ui dpi-change "$window" "$DPI" $((DPI * 3 / 2))
    read -r after _ < <(size_of "$window" "$control")
    ui dpi-change "$window" $((DPI * 3 / 2)) "$DPI"
    off=$((after * 2 - before * 3))
    [ "${off#-}" -le 3 ] && return 0
    echo "$before pixels became $after, not 3/2 of them" >&2
    return 1
}

ui_setup "$DPI"
echo "Screen: 1280 x 1024 at $DPI DPI, 9-point message font"
report="$E2E_STATE/target-report.txt"
wid=$(e2e_start_target "$report") || e2e_abort target "test target did not start"

# --- Memory with an empty list, in the state the long list's is taken in ------
: >"$program/defaultkeys.qvb"
e2e_setting 'Quorvel\StartUpQ' StartUpOpt 1
if timed_start; then
    echo "Start-up with no shortcuts: main window visible $(start_step visible)s after the program was started"
    e2e_check empty-list-shows-no-row ui_until 0 count main
    wait_8s_after "$start"
    echo "Memory with no shortcuts: $(rss_anon_kib) KiB anonymous resident"
else
    e2e_fail empty-list-start "the main window did not show within 30 s"
fi
e2e_check empty-list-exit exit_quorvel

# --- Start-up with a long list, then Exit ----------------------------------
# Texts of 60 bytes: lines of about 76 bytes, a 2.4 MB file, as the memory
# figure has always been taken.
build/linux/make_shortcut_file "$program/defaultkeys.qvb" --size 32767 --text-size 60 || exit 1
if timed_start; then
    echo "Start-up with 32,767 shortcuts: main window visible $(start_step visible)s after the program was started"
    e2e_check long-list-shows-every-row ui_until 32767 count main
    # Measured as the figure has always been taken: 8 s after the start.
    wait_8s_after "$start"
    echo "Memory with 32,767 shortcuts ($(stat -c %s "$program/defaultkeys.qvb") bytes of file): $(rss_anon_kib) KiB anonymous resident"
    add_timed 32767
    delete_timed 32767
else
    e2e_fail long-list-start "the main window did not show within 30 s"
fi
ui click main exitButton
e2e_check exit-asks answer "If you close the program the Hotkeys will not work. Are you sure that you would like to exit the Program?" No
e2e_check exit-asks-once ui no-box
e2e_check exit-yes-ends-program exit_quorvel
# Wine also drops the icons of a program that has ended; its trace shows that
# Quorvel removed its own.
e2e_check exit-removes-tray-icon grep -qs 'Shell_NotifyIconW dwMessage = 2' "$E2E_STATE"/spawn.*.log

# --- 100,000 shortcuts ------------------------------------------------------------
build/linux/make_shortcut_file "$program/defaultkeys.qvb" --size 100000 || exit 1
# Usable: a trigger typed into the target the moment the window shows expands.
# Started after a clean exit: Wine holds up a program started within seconds
# of one that was killed by most of a second, before any of its code runs.
e2e_reset_target || e2e_fail huge-list-target "the test target could not be emptied"
if timed_start "sp " "This is a sample"; then
    echo "Start-up with 100,000 shortcuts: main window visible $(start_step visible)s after the program was started"
    echo "Start-up with 100,000 shortcuts: a trigger typed into the target from $(start_step typing)s to $(start_step typed)s fired (its letters erased) at $(start_step fired)s, its text arrived at $(start_step expanded)s"
    e2e_check huge-list-trigger-fires e2e_wait_report "$report" $'This is a sample \r\nI hope you like it' 10
    e2e_check huge-list-shows-every-row ui_until 100000 count main
    echo "Start-up with 100,000 shortcuts: every row listed $(e2e_elapsed "$start")s after the program was started"
    # Only the Add: finding the row again reads every row through the driver,
    # minutes under Wine, and Delete costs the same as with 32,767.
    add_timed 100000
    e2e_check huge-list-exit exit_quorvel
else
    e2e_fail huge-list-start "the main window did not show, or the trigger did not expand, within 60 s"
fi

# --- Add and Delete with Wine's windows unmanaged -------------------------------
# Without a window manager Wine's X11 driver waits up to 2 s for one to withdraw
# a closing window, the question Delete asks among them. Started with its
# windows unmanaged, Quorvel shows the time a user's desktop would see. Only
# the timed edits run here; the program is then ended as a crash would end it.
build/linux/make_shortcut_file "$program/defaultkeys.qvb" --size 32767 --text-size 60 || exit 1
e2e_reg_add 'HKCU\Software\Wine\X11 Driver' Managed N
start_quorvel
if shown_aside 30; then
    ui_until 32767 count main >/dev/null
    echo "With Wine's windows unmanaged:"
    add_timed 32767
    delete_timed 32767
else
    e2e_fail unmanaged-start "the main window did not show within 30 s"
fi
kill_quorvel
ended_within "$(quorvel_pid)" || e2e_fail unmanaged-end "Quorvel did not end when killed"
wine reg delete 'HKCU\Software\Wine\X11 Driver' /v Managed /f >/dev/null 2>&1

# --- A megabyte-long entry -----------------------------------------------------
build/linux/make_shortcut_file "$program/defaultkeys.qvb" --size 14 --text-size 1000000 || exit 1
start_quorvel
shown_aside 20
ui_until 14 count main >/dev/null
long_row=$(ui rows main | grep -n ' - QZA - ' | cut -d: -f1)
selected_ms=$(ui timed-select main $((long_row - 1)) shortcutText 1000000)
echo "Selecting a shortcut of 1,000,000 characters: its text was in the box $selected_ms ms later"
e2e_check long-entry-fills-text-box ui_until 1000000 text-length main shortcutText
e2e_check long-entry-row-shows-its-start e2e_until_prints 1 long_row_cut
e2e_check long-entry-exit exit_quorvel

# --- A first start: the start-with-Windows question -----------------------
rm -f "$program/defaultkeys.qvb"
wine reg delete "$SETTINGS\\Quorvel" /f >/dev/null 2>&1
# A damaged Common Text count, with no row stored.
e2e_setting 'Quorvel\Commonkeys' Number 99999999
start_quorvel
shown_aside 20
e2e_check startup-question-shows ui_until 1 visible startup
e2e_check startup-question-access-key ui_until "&Do not ask this Qestion Again" text startup doNotAskAgain
e2e_check startup-question-has-focus ui_until doNotAskAgain focus startup
ui click startup doNotAskAgain
ui_until 1 checked startup doNotAskAgain >/dev/null
ui click startup noButton
e2e_check startup-no-hides ui_until 0 visible startup
e2e_check startup-no-ticked-stores-1 e2e_until_prints 1 e2e_reg_query 'Quorvel\StartUpQ' StartUpOpt
e2e_check main-window-focus-in-trigger-box ui_until triggerBox focus main

# --- The editor: boxes, options and list, beyond ASCII ------------------------
ui set-text main triggerBox qz
ui set-lines main shortcutText "quiét" "zone"
ui click main tabKey
ui click main enterAfter
ui_until 1 checked main enterAfter >/dev/null
ui click main addButton
e2e_check add-shows-row ui_until '{T}{E} - qz - quiét¶zone' rows main
e2e_check add-empties-trigger-box ui_until "" text main triggerBox
ui select main 0
e2e_check row-click-loads-text-box ui_until 'quiét\r\nzone' text main shortcutText
# Pasted past the 30,000 characters a box takes unless told otherwise, a text
# arrives whole.
ui set-clipboard "$(printf 'y%.0s' {1..20000})"
ui set-text main shortcutText ""
ui paste main shortcutText
ui_until 20000 text-length main shortcutText >/dev/null
ui paste main shortcutText
e2e_check long-text-pasted-whole ui_until 40000 text-length main shortcutText
ui set-text main shortcutText ""
click_into main triggerBox
e2e_key F5
e2e_check function-key-captured ui_until "{F5}" text main triggerBox
# With Alt held: the release of Alt must not leave the menu bar active, or the
# next letter would go to the menu.
e2e_key alt+F9
e2e_type x
e2e_check alt-function-key-leaves-no-menu-active ui_until "{F9}x" text main triggerBox
ui set-text main triggerBox ""
ui select main 0
ui click main deleteButton
e2e_check delete-asks answer "Are you sure you would like to clear the selected hotkey?" Yes
ui_until 0 count main >/dev/null

# --- The keyboard alone ----------------------------------------------------------
click_into main triggerBox
e2e_check tab-walks-every-control walks_focus main Tab shortcutText spaceKey enterAfter addButton deleteButton deleteAllButton samplesButton minimizeButton exitButton importButton exportButton helpButton commonTextButton shortcutList triggerBox
e2e_check shift-tab-walks-back walks_focus main shift+Tab shortcutList commonTextButton
click_into main triggerBox
e2e_type kb
e2e_key Tab
e2e_type one
e2e_key ctrl+Tab
# Keys are handled in order, and what a key posts before the next key: once the
# text typed after Esc shows, Esc has done all it does.
e2e_key Escape
e2e_type two
e2e_check ctrl-tab-types-a-tab ui_until $'one\ttwo' text main shortcutText
e2e_check esc-in-text-box-closes-nothing ui_until "Quorvel 2.1 - www.quorvel.example" text main
click_into main triggerBox
e2e_key Return
e2e_check enter-in-trigger-box-adds ui_until $'{S} - kb - one\ttwo' rows main
e2e_key alt+l
e2e_check access-key-clicks-button answer "Are you sure you would like to clear all?" Yes
ui_until 0 count main >/dev/null

# --- Samples, and the screenshot -------------------------------------------
ui click main samplesButton
e2e_check samples-ask answer "Load Samples?" Yes
ui answer OK >/dev/null
ui answer OK >/dev/null
e2e_check samples-load-thirteen ui_until 13 count main
name=main-window.png
[ "$DPI" = 96 ] || name=main-window-$DPI.png
e2e_check screenshot-taken shot "$main_title" "$name"
echo "Screenshot of the main window with the samples: $SHOTS/$name"

# --- Menus, hot keys, and windows that come back ------------------------------
ui menu 201
e2e_check run-minimized-menu e2e_until_prints True e2e_reg_query 'Quorvel\opts' RunMinimized
ui menu 202
e2e_check boost-asks answer "The Boost option will put the text into your clipboard and then paste it into current application.  It should NOT be used if the application does not allow the user to paste text. Also this feature may clear data that you have in the clipboard. This feature needs to re enabled when the program is started." No
ui menu 203
e2e_check force-asks answer "The Force option will force the text into a window, it should not be used unless the standard text sending is not working. This feature needs to re enabled when the program is started." No
ui menu 204
e2e_check show-hot-key-on e2e_until_prints True e2e_reg_query 'Quorvel\opts' MenuShow
# On by default; the item turns it off and stores that.
ui menu 207
e2e_check full-screen-pause-menu-off e2e_until_prints False e2e_reg_query 'Quorvel\opts' FullScreenPause
ui click main minimizeButton
e2e_check minimize-hides ui_until 0 visible main
hot_key ctrl+shift+s
e2e_check ctrl-shift-s-shows-window ui_until 1 visible main
ui minimize main
ui_until 1 iconic main >/dev/null
hot_key ctrl+shift+s
e2e_check ctrl-shift-s-restores-minimised ui_until 0 iconic main
e2e_check ctrl-shift-s-brings-to-front ui_until 1 in-front main
# Common Text opens beside the main window, here too far right for it.
ui move main 900 100
ui menu 205
# Its hot key works once the option is on, which is stored at the same moment.
e2e_until_prints True e2e_reg_query 'Quorvel\opts' MenuText >/dev/null
hot_key ctrl+shift+c
e2e_check ctrl-shift-c-shows-common-text ui_until 1 visible common
e2e_check common-text-opens-on-screen ui_until 1 in-work-area common
e2e_check common-text-focus-in-its-box ui_until entryBox focus common
e2e_check common-text-damaged-count-reads-no-blank-rows ui_until 0 count common
ui minimize common
ui_until 1 iconic common >/dev/null
ui click main commonTextButton
e2e_check common-text-button-restores-it ui_until 0 iconic common
e2e_check common-text-button-brings-to-front ui_until 1 in-front common
close_window common
main_aside

# --- Calibration --------------------------------------------------------------
ui menu 206
e2e_check calibration-menu-shows-panel ui_until 1 visible main calibrationPanel
ui set-text main calibrationBox 750
e2e_check calibration-box-stored e2e_until_prints 750 e2e_reg_query 'Quorvel 2.1\options' text2
# Refused letters put the stored default back into the box the user types in.
ui set-text main calibrationBox 75x
ui answer OK >/dev/null
e2e_check calibration-box-shows-500-again ui_until 500 text main calibrationBox
ui click main calibrationOkButton
e2e_check calibration-ok-hides-panel ui_until 0 visible main calibrationPanel

# --- Import and export through the dialogs -------------------------------------
# The list is read from and saved to defaultkeys.qvb alone: Import only reads the
# chosen file, Export writes a copy.
working="$program/defaultkeys.qvb"
build/linux/make_shortcut_file "$program/import.qvb" '{S}|IQ|imported text' || exit 1
cp "$program/import.qvb" "$E2E_STATE/import.qvb"
e2e_check import-dialog-opens same $'Import Shortcuts\nQuorvel shortcuts (*.qvb)' "$(choose_file importButton 'C:\quorvel\import.qvb')"
# make_shortcut_file writes the thirteen samples and IQ; the list already has the samples.
e2e_check import-adds-rows ui_until 27 count main
e2e_check import-saves-the-working-file e2e_eventually grep -q 'imported text' "$working"
e2e_check import-leaves-its-file-unchanged cmp "$program/import.qvb" "$E2E_STATE/import.qvb"
e2e_check import-copies-nothing-aside same "defaultkeys.qvb import.qvb quorvel.exe" "$(ls "$program" | xargs)"

cp "$working" "$E2E_STATE/working.qvb"
choose_file importButton 'C:\quorvel\imprt.qvb' >/dev/null
# Wine's dialog says "File does not exist", Windows' "File not found".
e2e_check import-mistyped-name-is-refused grep -qiE 'not exist|not found' <<<"$(ui file-dialog-box OK)"
ui cancel-file-dialog
e2e_check import-mistyped-name-adds-nothing ui_until 27 count main
e2e_check import-mistyped-name-creates-nothing test ! -e "$program/imprt.qvb"
e2e_check import-mistyped-name-saves-nothing cmp "$working" "$E2E_STATE/working.qvb"

exported="$program/exporté ✓.qvb"
e2e_check export-dialog-opens same $'Export Shortcuts\nQuorvel shortcuts (*.qvb)' "$(choose_file exportButton 'C:\quorvel\exporté ✓.qvb')"
e2e_check export-writes-the-list e2e_eventually cmp -s "$exported" "$working"
choose_file exportButton 'C:\quorvel\backup' >/dev/null
e2e_check export-adds-the-extension e2e_eventually cmp -s "$program/backup.qvb" "$working"

printf 'my important notes' >"$program/notes.txt"
choose_file exportButton 'C:\quorvel\notes.txt' >/dev/null
e2e_check export-over-a-file-asks grep -qi replace <<<"$(ui file-dialog-box No)"
ui cancel-file-dialog
e2e_check export-no-keeps-the-file same "my important notes" "$(cat "$program/notes.txt")"

e2e_check read-only-folder-made e2e_read_only_folder "$program/read-only"
choose_file exportButton 'C:\quorvel\read-only\copy.qvb' >/dev/null
e2e_check export-to-read-only-folder-told same "The shortcuts could not be exported to C:\quorvel\read-only\copy.qvb. Choose a folder you may write to, on a drive with room. Nothing else has changed." "$(ui answer OK)"
add_row ro "after the export"
e2e_check add-after-export-saves-the-working-file e2e_eventually grep -q 'after the export' "$working"
e2e_check add-after-export-tells-nothing ui no-box
e2e_check add-after-export-leaves-the-copy eval '! grep -q "after the export" "$exported"'

# The next start reads the working file, which the settings name too.
exit_quorvel || e2e_fail exit-after-export "Quorvel did not end"
start_quorvel
e2e_check restart-reads-the-working-file ui_until 28 count main
e2e_check settings-name-no-other-file same "" "$(e2e_reg_query 'Quorvel\File' Import | grep -vixF 'C:\quorvel\defaultkeys.qvb')"
# Run Minimized is on: the icon brings the window back.
ui tray 0x201
shown_aside 10

# --- Common Text ------------------------------------------------------------------
open_window common
for item in b A c; do common_add "$item"; done
e2e_check common-text-add ui_until $'b\nA\nc' rows common
ui click common sortButton
e2e_check common-text-sort ui_until $'A\nb\nc' rows common
ui select common 1
e2e_check common-text-row-fills-box ui_until b text common entryBox
ui click common removeButton
e2e_check common-text-remove ui_until $'A\nc' rows common
common_add "two" "linés"
e2e_check common-text-marks-line-breaks ui_until $'A\nc\ntwo¶linés' rows common
long_row=$(printf 'a row longer than the list is wide, %.0s' {1..6})
common_add "$long_row"
e2e_check common-text-long-row-scrolls-sideways eval \
    '[ "$(ui scroll-width common textList)" -gt "$(size_of common textList | cut -d" " -f1)" ]'
ui select common 3
ui click common removeButton
ui_until $'A\nc\ntwo¶linés' rows common >/dev/null
ui set-text common entryBox ""
ui click common addButton
e2e_check common-text-box-belongs-to-it same common "$(ui box-owner)"
e2e_check common-text-box-blocks-it-alone e2e_until_prints "0 1" enabled_common_and_main
ui answer OK >/dev/null

click_into common entryBox
e2e_type kee
e2e_key Escape
e2e_type p
ui_until keep text common entryBox >/dev/null
e2e_check esc-keeps-common-text-open ui_until 1 visible common
e2e_check common-text-tab-order walks_focus common Tab addButton removeButton sortButton textList closeButton entryBox
e2e_check common-text-follows-dpi-change follows_dpi_change common entryBox
read -r common_w common_h < <(size_of common)
read -r common_list_w common_list_h < <(size_of common textList)
ui resize common $((common_w + 90)) $((common_h + 60))
e2e_check common-text-resize-grows-the-list \
    e2e_until_prints "$((common_list_w + 90)) $((common_list_h + 60))" size_of common textList
ui resize common 100 100
e2e_check smallest-common-text-is-its-first-size e2e_until_prints "$common_w $common_h" size_of common
e2e_check smallest-common-text-cuts-no-control e2e_until_prints "" ui clipped common
e2e_check main-window-follows-dpi-change follows_dpi_change main triggerBox
ui click common closeButton
e2e_check common-text-close ui_until 0 visible common

# --- Excluded Programs ----------------------------------------------------------
excluded() { e2e_reg_query 'Quorvel\Excluded' Programs; }
# The test target is the program in front last: clicked into, and typed into,
# before the window opens: under Wine no foreground event of the click reached
# Quorvel, and the key, which Quorvel's keyboard hook inspects, tells it.
e2e_click "$wid" 40 30
e2e_type x
ui clear-target
ui menu 208
e2e_check excluded-menu-opens-window ui_until 1 visible excluded
e2e_check excluded-opens-on-screen ui_until 1 in-work-area excluded
e2e_check excluded-focus-in-name-box ui_until nameBox focus excluded
# The keyboard, before any message box of the window's: Tab walks the controls
# that can act (Remove waits for a selection), Enter in the box adds, Esc closes.
click_into excluded nameBox
e2e_check excluded-tab-order walks_focus excluded Tab addButton frontButton programList keePass keePassXC onePassword bitwarden remoteDesktop closeButton nameBox
e2e_type typed.exe
e2e_key Return
e2e_check excluded-enter-adds e2e_until_prints typed.exe excluded
e2e_key Escape
e2e_check excluded-esc-closes ui_until 0 visible excluded
open_window excluded
ui select excluded 0
ui click excluded removeButton
e2e_until_prints '' excluded >/dev/null
ui set-text excluded nameBox Code.exe
ui click excluded addButton
e2e_check excluded-typed-name-shows ui_until Code.exe rows excluded
e2e_check excluded-typed-name-stored e2e_until_prints Code.exe excluded
ui set-text excluded nameBox 'bad?.exe'
ui click excluded addButton
e2e_check excluded-bad-name-box-belongs-to-it same excluded "$(ui box-owner)"
e2e_check excluded-bad-name-told eval '[[ "$(ui answer OK)" == "\"bad?.exe\" is not a program"* ]]'
ui click excluded keePassXC
e2e_check excluded-suggestion-added e2e_until_prints 'Code.exe|KeePassXC.exe' excluded
e2e_check excluded-suggestion-listed-is-disabled ui_until 0 enabled excluded keePassXC
ui click excluded frontButton
e2e_check excluded-program-in-front-added e2e_until_prints 'Code.exe|KeePassXC.exe|quorvel_test_target.exe' excluded
ui select excluded 0
ui click excluded removeButton
e2e_check excluded-remove-shows ui_until $'KeePassXC.exe\nquorvel_test_target.exe' rows excluded
e2e_check excluded-remove-stored e2e_until_prints 'KeePassXC.exe|quorvel_test_target.exe' excluded
# The target is let in again for what follows.
ui select excluded 1
ui click excluded removeButton
e2e_until_prints KeePassXC.exe excluded >/dev/null
ui click excluded closeButton
e2e_check excluded-close ui_until 0 visible excluded

# --- Resizing ----------------------------------------------------------------------
read -r width height < <(size_of main)
read -r list_w list_h < <(size_of main shortcutList)
ui resize main $((width + 90)) $((height + 60))
e2e_check resize-grows-the-list e2e_until_prints "$((list_w + 90)) $((list_h + 60))" size_of main shortcutList
ui resize main 100 100
e2e_check smallest-main-window-keeps-its-width e2e_until_prints "$width" eval "size_of main | cut -d' ' -f1"
e2e_check smallest-main-window-cuts-no-control e2e_until_prints "" ui clipped main
ui resize main "$width" "$height"

# --- Minimize and the tray icon --------------------------------------------------
ui click main minimizeButton
ui_until 0 visible main >/dev/null
e2e_check minimize-leaves-one-icon ui_until 1 tray-icons
e2e_check tray-tip e2e_tray_tip_shows "Quorvel 2.1 - www.quorvel.example"
xdotool click 1
e2e_check tray-click-shows ui_until 1 visible main

# --- The refused close -------------------------------------------------------------
ui close main
e2e_check close-refused-caption ui_until "Hit the Exit Button to Close the Program" text main
e2e_check close-refused-exit-red e2e_until_prints "srgb(255,0,0)" exit_colour

# --- A second copy --------------------------------------------------------------------
second=$(e2e_spawn 'C:\quorvel\quorvel.exe')
e2e_check second-copy-no-is-default same "&No" "$(ui default-button www.quorvel.example)"
e2e_check second-copy-asks answer "There is a copy Quorvel 2.1 currently running.  Are you sure you want to start a second copy of Quorvel" No "www.quorvel.example"
e2e_check second-copy-no-ends-it ended_within "$second"

# --- Restore Defaults, and Esc in the question it brings back ---------------------
ui menu 200
e2e_check restore-asks answer "Are you sure you want to restore Default Settings, hotkeys data will be lost?" Yes
ui answer OK >/dev/null
e2e_check restore-ends-program ended_within "$(quorvel_pid)"
start_quorvel
e2e_check question-back-after-restore ui_until 1 visible startup
# Esc closes the question without an answer: it comes back at the next start.
e2e_focus "$(e2e_visible_window '^Quorvel 2\.1$')"
read -r x y w h < <(ui rect startup question)
xdotool mousemove $((x + 10)) $((y + h / 2)) click 1
ui_until doNotAskAgain focus startup >/dev/null
e2e_key Escape
e2e_check esc-closes-question ui_until 0 visible startup
e2e_check esc-leaves-question-unanswered same "" "$(e2e_reg_query 'Quorvel\StartUpQ' StartUpOpt)"
exit_quorvel || e2e_fail last-exit "Quorvel did not end"

e2e_summary
