#!/usr/bin/env bash
# Quorvel's windows under Wine, driven as a person would: the editor, the
# samples, the options and their registry values, the Calibration panel, import
# and export through the file dialogs, the Common Text window, the tray icon,
# the keyboard alone, message boxes and the window they block, where windows
# open and how they come back, DPI changes and resizing, the refused close,
# Exit, a second copy and Restore Defaults (e2e/ui/dpi_e2e.sh checks the
# layout of each window at several DPIs). The driver (e2e/tools/ui_driver.cpp)
# clicks, types and reads the controls with window messages; xdotool types and
# clicks as a keyboard and mouse would.
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
SHOTS="$E2E_ROOT/build/screenshots"
SETTINGS='HKCU\Software\VB and VBA Program Settings'

first_row() { ui rows main | head -n 1; }
last_row() { ui rows main | tail -n 1; }
clipboard() { wine "$tools/send_command.exe" --get-clipboard 2>/dev/null </dev/null | tr -d '\r'; }
settings_gone() { ! wine reg query "$SETTINGS\\Quorvel" >/dev/null 2>&1; }

reg_until() {
    local expected=$1 tries
    for ((tries = 0; tries < 25; tries++)); do
        [ "$(e2e_reg_query "$2" "$3")" = "$expected" ] && return 0
        sleep 0.2
    done
    same "$expected" "$(e2e_reg_query "$2" "$3")"
}

# A real click into the target's box, away from Quorvel's windows: after a
# dialog of Quorvel's, Wine gives keys only to a window activated this way.
click_target() {
    local X Y WIDTH HEIGHT SCREEN WINDOW point x y
    eval "$(xdotool getwindowgeometry --shell "$wid")"
    for point in "$((X + WIDTH - 40)) $((Y + HEIGHT - 30))" "$((X + 40)) $((Y + HEIGHT - 30))" \
        "$((X + WIDTH - 40)) $((Y + 60))"; do
        read -r x y <<<"$point"
        [ "$(ui covered "$x" "$y")" = none ] && break
    done
    xdotool mousemove "$x" "$y" click 1
    e2e_focus "$wid"
}

# The main window opens at the top left, over the test target and Wine's
# notification area; it is moved to the right edge of the screen.
main_aside() {
    local width
    read -r width _ < <(size_of main)
    ui move main $((1280 - width)) 0
}

reset_target() {
    click_target
    e2e_key Return
    wine "$tools/send_command.exe" --clear-target >/dev/null 2>&1
    e2e_wait_report "$report" "" 5
}

# Types into the target and waits for exactly EXPECTED.
typed_gives() {
    local keys=$1 expected=$2
    reset_target || return 1
    e2e_type "$keys"
    e2e_wait_report "$report" "$expected" 5
}

# Wine traces Quorvel's calls to the notification area (only those) into its
# log, where the removal of the icon at exit shows.
start_quorvel() {
    WINEDEBUG=-all,trace+systray e2e_spawn 'C:\quorvel\quorvel.exe' >"$E2E_STATE/quorvel.pid"
}
tray_icon_deleted() { grep -qs 'Shell_NotifyIconW dwMessage = 2' "$E2E_STATE"/spawn.*.log; }
quorvel_pid() { cat "$E2E_STATE/quorvel.pid"; }
running() { kill -0 "$1" 2>/dev/null; }
ended_within() {
    local pid=$1 tries
    for ((tries = 0; tries < 50; tries++)); do
        running "$pid" || return 0
        sleep 0.2
    done
    echo "process $pid still running" >&2
    return 1
}

# The colour of one pixel of the screen, as ImageMagick names it.
pixel_at() {
    import -window root "$E2E_STATE/screen.png" 2>/dev/null &&
        convert "$E2E_STATE/screen.png" -format "%[pixel:p{$1,$2}]" info:
}

exit_button_is_red() {
    local x y w h tries
    read -r x y w h < <(ui rect main Command5)
    for ((tries = 0; tries < 10; tries++)); do
        [ "$(pixel_at $((x + 6)) $((y + h / 2)))" = "srgb(255,0,0)" ] && return 0
        sleep 0.3
    done
    echo "Exit button at $x,$y is $(pixel_at $((x + 6)) $((y + h / 2)))" >&2
    return 1
}

same_file_within() {
    local tries
    for ((tries = 0; tries < 25; tries++)); do
        cmp -s "$1" "$2" && return 0
        sleep 0.2
    done
    cmp "$1" "$2"
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
        ui click main Command11
    else
        ui tray 0x201
    fi
    ui_until 1 in-front "$window" >/dev/null
    xid=$(xdotool search --onlyvisible --name "$title" | head -n 1)
    e2e_focus "$xid"
    read -r x y w h < <(ui rect "$window" "$control")
    for ((tries = 0; tries < 10; tries++)); do
        xdotool mousemove $((x + w / 2)) $((y + h / 2)) click 1
        [ "$(ui focus "$window")" = "$control" ] && return 0
        sleep 0.3
    done
    same "$control" "$(ui focus "$window")"
}

# The names of the controls that have the focus after each of COUNT presses of KEY.
focus_walk() {
    local window=$1 key=$2 count=$3 i
    for ((i = 0; i < count; i++)); do
        e2e_key "$key"
        sleep 0.1
        ui focus "$window"
    done | xargs
}

# Succeeds when AFTER is BEFORE scaled by 3/2, give or take the rounding.
scaled_three_halves() {
    local before=$1 after=$2 off
    off=$((after * 2 - before * 3))
    [ "${off#-}" -le 3 ] && return 0
    echo "$before pixels became $after, not 3/2 of them" >&2
    return 1
}

# Succeeds when each of the sizes AFTER is the one in BEFORE plus the one in
# GROWTH, give or take a pixel.
grew_by() {
    local -a before after growth
    local i off
    read -r -a before <<<"$1"
    read -r -a after <<<"$2"
    read -r -a growth <<<"$3"
    for i in "${!growth[@]}"; do
        off=$((after[i] - before[i] - growth[i]))
        [ "${off#-}" -le 1 ] && continue
        echo "sizes $1 became $2, not grown by $3" >&2
        return 1
    done
}

e2e_build_quorvel || {
    e2e_fail build "the Windows build or make_shortcut_file failed"
    e2e_summary
    exit 1
}
e2e_quorvel_prefix || { e2e_fail prefix "no display, Wine prefix or Quorvel folder"; e2e_summary; exit 1; }
ui_screen "$DPI" || { e2e_fail screen "could not set $DPI DPI"; e2e_summary; exit 1; }
echo "Screen: 1280 x 1024 at $DPI DPI, 9-point message font"
mkdir -p "$SHOTS"
report="$E2E_STATE/target-report.txt"
wid=$(e2e_start_target "$report") || { e2e_fail target "test target did not start"; e2e_summary; exit 1; }

# --- Start-up with a long list, then Exit ----------------------------------
build/linux/make_shortcut_file "$program/defaultkeys.qvb" --size 32767 || exit 1
wine reg add "$SETTINGS\\Quorvel\\StartUpQ" /v StartUpOpt /t REG_SZ /d 1 /f >/dev/null 2>&1
start=$(e2e_now)
start_quorvel
if ui wait-visible main 30 >/dev/null; then
    main_aside
    startup_s=$(e2e_elapsed "$start")
    echo "Start-up with 32,767 shortcuts: main window visible ${startup_s}s after the program was started"
    e2e_check long-list-shows-every-row ui_until 32767 count main
    e2e_check tray-shows-one-icon ui_until 1 tray-icons
else
    e2e_fail long-list-start "the main window did not show within 30 s"
fi
e2e_check trigger-works-while-running typed_gives "sp " $'This is a sample \r\nI hope you like it'

ui click main Command5
e2e_check exit-asks answer "If you close the program the Hotkeys will not work. Are you sure that you would like to exit the Program?" No
e2e_check exit-no-says-nothing-more ui no-box
e2e_check exit-no-keeps-running running "$(quorvel_pid)"
ui click main Command5
ui answer Yes >/dev/null
e2e_check exit-yes-ends-program ended_within "$(quorvel_pid)"
# Wine also drops the icons of a program that has ended; its trace shows that
# Quorvel removed its own.
e2e_check exit-removes-tray-icon tray_icon_deleted
e2e_check exit-removed-the-hook typed_gives "sp " "sp "

# --- A first start: the start-with-Windows question -----------------------
rm -f "$program/defaultkeys.qvb"
wine reg delete "$SETTINGS\\Quorvel" /f >/dev/null 2>&1
start_quorvel
ui wait-visible main 20 >/dev/null
main_aside
e2e_check startup-question-shows ui_until 1 visible startup
e2e_check startup-question-text ui_until "Would you like to have Quorvel 2.1 run at Startup?" text startup Label1
e2e_check startup-question-box ui_until "&Do not ask this Qestion Again" text startup Check1
e2e_check startup-question-has-focus ui_until Check1 focus startup
e2e_check main-caption ui_until "Quorvel 2.1 - www.quorvel.example" caption main
ui click startup Check1
ui_until 1 checked startup Check1 >/dev/null
ui click startup Command2
e2e_check startup-no-ticked-hides ui_until 0 visible startup
e2e_check startup-no-ticked-stores-1 reg_until 1 'Quorvel\StartUpQ' StartUpOpt
e2e_check list-starts-empty ui_until 0 count main
e2e_check main-window-focus-in-trigger-box ui_until TextData10 focus main

# --- The editor --------------------------------------------------------------
e2e_check labels-and-captions ui_until "Shortcut Letters                  Text String" text main Label27
ui set-text main TextData10 qz
ui set-lines main Text7 "quick zebra"
ui click main Command8
e2e_check add-shows-row ui_until "{S} - qz - quick zebra" rows main
e2e_check add-empties-trigger-box ui_until "" text main TextData10
e2e_check add-empties-text-box ui_until "" text main Text7
e2e_check add-saves-file grep -qa "qz" "$program/defaultkeys.qvb"
e2e_check added-shortcut-expands typed_gives "qz " "quick zebra"

ui select main 0
e2e_check row-click-loads-trigger ui_until qz text main TextData10
e2e_check row-click-loads-text ui_until "quick zebra" text main Text7
e2e_check row-click-selects-space ui_until 1 checked main Opt1
ui set-lines main Text7 "quiet" "zone"
ui click main Opt2
ui click main Check2
ui_until 1 checked main Check2 >/dev/null
ui click main Command8
e2e_check edit-replaces-row ui_until '{T}{E} - qz - quiet¶zone' rows main
e2e_check edit-resets-options ui_until 1 checked main Opt1
ui select main 0
e2e_check row-click-loads-line-breaks ui_until 'quiet\r\nzone' text main Text7
e2e_check edited-shortcut-expands-with-tab typed_gives $'qz\t' $'quiet\r\nzone\r\n'

ui set-text main TextData10 "   "
ui set-text main Text7 "some text"
ui click main Command8
e2e_check blank-trigger-refused answer "Please enter something in the Launch Keys text box" OK
ui set-text main TextData10 ab
ui set-text main Text7 ""
ui click main Command8
e2e_check empty-text-refused answer 'Please enter something in the Shortcut Letters text box.\r\n\r\nFor Example you can enter VS then every time you type VS and hit the spacebar it can send the associated text to the keyboard.\r\nOr you can hit a function in the box, like the {F4} Key and every time you hit the {F4} Key the associated text will be sent to the keyboard' OK

# The target lies over the main window, and without a window manager a click
# raises nothing: hiding the window and bringing it back from the tray does.
ui click main Command1
ui_until 0 visible main >/dev/null
ui tray 0x201
ui_until 1 visible main >/dev/null
e2e_focus "$(xdotool search --onlyvisible --name '^Quorvel 2\.1 - www\.quorvel\.example$' | head -n 1)"
read -r bx by bw bh < <(ui rect main TextData10)
for ((tries = 0; tries < 10; tries++)); do
    xdotool mousemove $((bx + bw / 2)) $((by + bh / 2)) click 1
    [ "$(ui focus main)" = TextData10 ] && break
    sleep 0.3
done
e2e_check trigger-box-takes-focus-on-click until_prints TextData10 ui focus main
e2e_key F5
e2e_check function-key-captured ui_until "{F5}" text main TextData10
ui set-text main TextData10 ""

ui select main 0
ui click main Command4
e2e_check delete-asks answer "Are you sure you would like to clear the selected hotkey?" Yes
e2e_check delete-removes-row ui_until 0 count main
e2e_check deleted-shortcut-inert typed_gives $'qz\t' $'qz\t'
ui click main Command4
ui answer Yes >/dev/null
e2e_check delete-without-selection answer "Please Select an item to remove then click the clear button" OK

# --- Samples, and the screenshot -------------------------------------------
ui click main Command2
e2e_check samples-ask answer "Load Samples?" Yes
e2e_check samples-explain answer 'Open Notepad to test the Sample Keys. \r\n\r\nThe F11 Hot Key will Check or UnCheck Check Boxes that are in a Column or a row. You May have to add extra tabs depending on the Data After each check box.\r\n\r\nIf you need more help making Hotkeys then send an email to support@quorvel.example' OK
e2e_check samples-invite-editing answer "You can click and then edit these samples. Then click the Add ShortCut Button to use it." OK
e2e_check samples-load-thirteen ui_until 13 count main
e2e_check samples-first-row until_prints '{F} - {Alt}{F9} - This is a sample  of Alt-F9¶I hope you like it' first_row
e2e_check samples-last-row until_prints '{T} - CU - %(run=calc.exe)%' last_row
main_xid=$(xdotool search --onlyvisible --name "$main_title" | head -n 1)
shot="$SHOTS/main-window.png"
[ "$DPI" = 96 ] || shot="$SHOTS/main-window-$DPI.png"
if [ -n "$main_xid" ] && import -window "$main_xid" "$shot" 2>/dev/null; then
    echo "Screenshot of the main window with the samples: $shot"
    e2e_pass screenshot-taken
else
    e2e_fail screenshot-taken "no window to take"
fi
e2e_check sample-expands typed_gives "sp " $'This is a sample \r\nI hope you like it'

ui click main Command3
e2e_check delete-all-asks answer "Are you sure you would like to clear all?" No
e2e_check delete-all-no-keeps-rows ui_until 13 count main
ui click main Command3
ui answer Yes >/dev/null
e2e_check delete-all-empties-list ui_until 0 count main
e2e_check delete-all-empties-file cmp -s "$program/defaultkeys.qvb" <(printf '\001\r\n')

# --- The keyboard alone ----------------------------------------------------------
click_into main TextData10
e2e_check tab-walks-every-control same "Text7 Opt1 Check2 Command8 Command4 Command3 Command2 Command1 Command5 Command9 Command10 Command7 Command11 List1 TextData10" "$(focus_walk main Tab 15)"
e2e_check shift-tab-walks-back same "List1 Command11" "$(focus_walk main shift+Tab 2)"
click_into main TextData10
e2e_type kb
e2e_key Tab
e2e_type one
e2e_key ctrl+Tab
e2e_type two
e2e_key Escape
e2e_check ctrl-tab-types-a-tab ui_until $'one\ttwo' text main Text7
sleep 0.5
e2e_check esc-in-text-box-closes-nothing ui_until "Quorvel 2.1 - www.quorvel.example" caption main
click_into main TextData10
e2e_key Return
e2e_check enter-in-trigger-box-adds ui_until $'{S} - kb - one\ttwo' rows main
e2e_key alt+l
e2e_check access-key-clicks-button answer "Are you sure you would like to clear all?" Yes
ui_until 0 count main >/dev/null

# --- Options ------------------------------------------------------------------
ui menu 201
e2e_check run-minimized-on reg_until True 'Quorvel\opts' RunMinimized
ui menu 201
e2e_check run-minimized-off reg_until False 'Quorvel\opts' RunMinimized
ui menu 204
e2e_check show-hot-key-on reg_until True 'Quorvel\opts' MenuShow
ui menu 205
e2e_check common-text-hot-key-on reg_until True 'Quorvel\opts' MenuText
ui menu 202
e2e_check boost-asks answer "The Boost option will put the text into your clipboard and then paste it into current application.  It should NOT be used if the application does not allow the user to paste text. Also this feature may clear data that you have in the clipboard. This feature needs to re enabled when the program is started." No
ui menu 203
e2e_check force-asks answer "The Force option will force the text into a window, it should not be used unless the standard text sending is not working. This feature needs to re enabled when the program is started." No

ui click main Command1
e2e_check minimize-hides ui_until 0 visible main
click_target
e2e_key ctrl+shift+s
e2e_check ctrl-shift-s-shows-window ui_until 1 visible main
ui minimize main
ui_until 1 iconic main >/dev/null
click_target
e2e_key ctrl+shift+s
e2e_check ctrl-shift-s-restores-minimised ui_until 0 iconic main
e2e_check ctrl-shift-s-brings-to-front ui_until 1 in-front main
# Common Text opens beside the main window, here too far right for it.
ui move main 900 100
click_target
e2e_key ctrl+shift+c
e2e_check ctrl-shift-c-shows-common-text ui_until 1 visible common
e2e_check common-text-opens-on-screen ui_until 1 in-work-area common
e2e_check common-text-focus-in-its-box ui_until Text1 focus common
ui minimize common
ui_until 1 iconic common >/dev/null
ui click main Command11
e2e_check common-text-button-restores-it ui_until 0 iconic common
e2e_check common-text-button-brings-to-front ui_until 1 in-front common
ui click common Command3
ui_until 0 visible common >/dev/null
main_aside

# --- Calibration --------------------------------------------------------------
e2e_check calibration-hidden-at-start ui_until 0 visible main FrameCalibration
ui menu 206
e2e_check calibration-menu-shows-panel ui_until 1 visible main FrameCalibration
e2e_check calibration-label ui_until "Enter Calibration number in Text Box, If the short cut text is missing a letter then enter a larger number and if the text is taking to long to be written enter a smaller number in the text box." text main Label17
ui set-text main Text2 750
e2e_check calibration-stored reg_until 750 'Quorvel 2.1\options' text2
ui set-text main Text2 75x
e2e_check calibration-refuses-letters answer "Value Must be Numberic" OK
e2e_check calibration-back-to-500 ui_until 500 text main Text2
e2e_check calibration-500-stored reg_until 500 'Quorvel 2.1\options' text2
ui click main Command14
e2e_check calibration-ok-hides-panel ui_until 0 visible main FrameCalibration

# --- Import and export through the dialogs -------------------------------------
build/linux/make_shortcut_file "$program/import.qvb" '{S}|IQ|imported text' || exit 1
ui click main Command9
e2e_check import-dialog-opens same Open "$(ui file-dialog 'C:\quorvel\import.qvb')"
e2e_check import-adds-rows ui_until 14 count main
e2e_check import-remembered reg_until 'C:\quorvel\import.qvb' 'Quorvel\File' Import
e2e_check imported-shortcut-expands typed_gives "iq " "imported text"
ui click main Command10
e2e_check export-dialog-opens same "Save As" "$(ui file-dialog 'C:\quorvel\export.qvb')"
e2e_check export-writes-the-list same_file_within "$program/export.qvb" "$program/import.qvb"

# --- Common Text ------------------------------------------------------------------
ui click main Command11
e2e_check common-text-opens ui_until 1 visible common
e2e_check common-text-caption ui_until "Common Text - www.quorvel.example" caption common
for item in b A c; do
    ui set-text common Text1 "$item"
    ui click common Command1
    ui_until "" text common Text1 >/dev/null
done
e2e_check common-text-add ui_until $'b\nA\nc' rows common
e2e_check common-text-sort-caption ui_until "&Sort Ascending" text common Command4
ui click common Command4
e2e_check common-text-sort-ascending ui_until $'A\nb\nc' rows common
e2e_check common-text-caption-flips ui_until "&Sort Descending" text common Command4
ui click common Command4
e2e_check common-text-sort-descending ui_until $'c\nb\nA' rows common
ui select common 1
e2e_check common-text-row-fills-box ui_until b text common Text1
e2e_check common-text-row-on-clipboard until_prints b clipboard
ui click common Command2
e2e_check common-text-remove ui_until $'c\nA' rows common
e2e_check common-text-stored reg_until 2 'Quorvel\Commonkeys' Number
ui set-lines common Text1 two lines
ui click common Command1
e2e_check common-text-marks-line-breaks ui_until $'c\nA\ntwo¶lines' rows common
ui select common 2
e2e_check common-text-row-keeps-line-breaks ui_until 'two\r\nlines' text common Text1
e2e_check common-text-copies-line-breaks until_prints $'two\nlines' clipboard
ui set-text common Text1 ""
ui click common Command1
e2e_check common-text-box-belongs-to-it same common "$(ui box-owner)"
e2e_check common-text-blocked-by-its-box same 0 "$(ui enabled common)"
e2e_check common-text-empty-add answer "Please enter text in Text Box." OK

click_into common Text1
e2e_type keep
e2e_key Escape
sleep 0.5
e2e_check esc-keeps-common-text-open ui_until 1 visible common
e2e_check esc-keeps-typed-text ui_until keep text common Text1
e2e_check common-text-tab-order same "Command1 Command2 Command4 List1 Command3 Text1" "$(focus_walk common Tab 6)"

read -r before _ < <(size_of common Text1)
ui dpi-change common "$DPI" $((DPI * 3 / 2))
read -r after _ < <(size_of common Text1)
e2e_check common-text-follows-dpi-change scaled_three_halves "$before" "$after"
ui dpi-change common $((DPI * 3 / 2)) "$DPI"
read -r before _ < <(size_of main TextData10)
ui dpi-change main "$DPI" $((DPI * 3 / 2))
read -r after _ < <(size_of main TextData10)
e2e_check main-window-follows-dpi-change scaled_three_halves "$before" "$after"
ui dpi-change main $((DPI * 3 / 2)) "$DPI"
ui click common Command3
e2e_check common-text-close ui_until 0 visible common

# --- Resizing ----------------------------------------------------------------------
read -r width height < <(size_of main)
read -r frame_w frame_h < <(size_of main Frame2)
read -r list_w list_h < <(size_of main List1)
read -r text_w _ < <(size_of main Text7)
ui resize main $((width + 90)) $((height + 60))
until_prints "$((width + 90)) $((height + 60))" size_of main >/dev/null
read -r frame_w2 frame_h2 < <(size_of main Frame2)
read -r list_w2 list_h2 < <(size_of main List1)
read -r text_w2 _ < <(size_of main Text7)
e2e_check resize-moves-frame-list-and-text-box grew_by "$frame_w $frame_h $list_w $list_h $text_w" \
    "$frame_w2 $frame_h2 $list_w2 $list_h2 $text_w2" "90 60 90 60 90"
ui resize main "$width" "$height"

# --- Minimize and the tray icon --------------------------------------------------
# Wine shows the icon in a window of its own at the top left of the screen.
ui click main Command1
ui_until 0 visible main >/dev/null
e2e_check minimize-leaves-one-icon ui_until 1 tray-icons
read -r tx ty tw th < <(ui tray-rect)
xdotool mousemove $((tx + tw / 2)) $((ty + th / 2)) sleep 0.2 mousemove_relative 1 0
e2e_check tray-tip ui_until "Quorvel 2.1 - www.quorvel.example" tooltip
ui tray 0x202
sleep 0.5
e2e_check tray-release-does-nothing ui_until 0 visible main
xdotool click 1
e2e_check tray-left-click-shows ui_until 1 visible main
ui click main Command1
ui_until 0 visible main >/dev/null
xdotool mousemove $((tx + tw / 2)) $((ty + th / 2)) click 3
e2e_check tray-right-click-shows ui_until 1 visible main
ui minimize main
ui_until 1 iconic main >/dev/null
ui tray 0x201
e2e_check tray-press-restores-minimised ui_until 0 iconic main

# --- The refused close -------------------------------------------------------------
ui close main
e2e_check close-refused-caption ui_until "Hit the Exit Button to Close the Program" caption main
e2e_check close-refused-window-stays ui_until 1 visible main
e2e_check close-refused-exit-red exit_button_is_red
e2e_check close-refused-still-running running "$(quorvel_pid)"

# --- A second copy --------------------------------------------------------------------
second=$(e2e_spawn 'C:\quorvel\quorvel.exe')
e2e_check second-copy-asks answer "There is a copy Quorvel 2.1 currently running.  Are you sure you want to start a second copy of Quorvel" No "www.quorvel.example"
e2e_check second-copy-no-ends-it ended_within "$second"
e2e_check first-copy-goes-on running "$(quorvel_pid)"

# --- Restore Defaults ---------------------------------------------------------------------
ui menu 200
e2e_check restore-asks answer "Are you sure you want to restore Default Settings, hotkeys data will be lost?" No
sleep 0.5
e2e_check restore-no-keeps-running running "$(quorvel_pid)"
ui menu 200
ui answer Yes >/dev/null
e2e_check restore-says-restart answer "Please Restart Quorvel" OK
e2e_check restore-ends-program ended_within "$(quorvel_pid)"
e2e_check restore-deletes-settings settings_gone
e2e_check restore-keeps-calibration reg_until 500 'Quorvel 2.1\options' text2
e2e_check restore-deletes-default-file test ! -e "$program/defaultkeys.qvb"
start_quorvel
e2e_check question-back-after-restore ui_until 1 visible startup
# Esc closes the question without an answer: it comes back at the next start.
e2e_focus "$(xdotool search --onlyvisible --name '^Quorvel 2\.1$' | head -n 1)"
read -r x y w h < <(ui rect startup Label1)
xdotool mousemove $((x + 10)) $((y + h / 2)) click 1
ui_until Check1 focus startup >/dev/null
e2e_key Escape
e2e_check esc-closes-question ui_until 0 visible startup
e2e_check esc-leaves-question-unanswered same "" "$(e2e_reg_query 'Quorvel\StartUpQ' StartUpOpt)"
ui click main Command5
ui answer Yes >/dev/null
ended_within "$(quorvel_pid)" || e2e_fail last-exit "Quorvel did not end"

e2e_summary
