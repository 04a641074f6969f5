#!/usr/bin/env bash
# Quorvel's windows at 96, 120, 144 and 192 dots per inch (or the DPIs given),
# in a 9-point message font: each window opens inside the screen's work area,
# lays out whole (no control cut off by its window, no caption too long for
# its control in the message font) and draws in the message font; a screenshot
# of each is saved in build/screenshots/: the main window with the samples,
# the start-up question, Common Text and one of its message boxes, Excluded
# Programs, the preview of Import from Another Program.
#
#   e2e/ui/dpi_e2e.sh [DPI...]
set -uo pipefail
cd "$(dirname "$0")/../.." || exit 1
# shellcheck source=e2e/lib.sh
source e2e/lib.sh
# shellcheck source=e2e/ui/ui_lib.sh
source e2e/ui/ui_lib.sh

dpis=("$@")
[ ${#dpis[@]} -gt 0 ] || dpis=(96 120 144 192)

# check_window DPI WINDOW [BOX [SHOT]]: the window opened at one DPI is on
# screen, whole (no control cut off by the window's edge or too small for its
# caption in the message font), and its BOX draws with the message font at the
# window's DPI; its screenshot is saved as SHOT-at-DPI.png.
check_window() {
    local dpi=$1 window=$2 box=${3:-} name=${4:-}
    e2e_check "$window-on-screen-at-$dpi" ui_until 1 in-work-area "$window"
    e2e_check "$window-lays-out-whole-at-$dpi" ui_until "" clipped "$window"
    if [ -n "$box" ]; then
        e2e_check "$window-message-font-at-$dpi" e2e_eventually draws_in_message_font "$window" "$box"
    fi
    [ -z "$name" ] || shot "${titles[$window]}" "$name-at-$dpi.png"
}
draws_in_message_font() {
    local own message
    read -r own message < <(ui font-width "$1" "$2")
    same "$message" "$own"
}

# Starts Quorvel and waits for its main window with the samples.
start_with_samples() {
    start_quorvel
    ui wait-visible main 30
    ui_until 13 count main >/dev/null
}

ui_setup "${dpis[0]}"
for dpi in "${dpis[@]}"; do
    ui_screen "$dpi" || { e2e_fail "screen-$dpi" "could not set $dpi DPI"; continue; }
    build/linux/make_shortcut_file "$program/defaultkeys.qvb" || exit 1
    # The start-up question shows at every start until it is answered for good.
    wine reg delete "$SETTINGS\\Quorvel" /f >/dev/null 2>&1
    start_with_samples
    ui wait-visible startup 10
    check_window "$dpi" main triggerBox
    check_window "$dpi" startup "" start-up-question
    # Not asked again: without a window manager Wine leaves a hidden window on
    # the X screen for a while, over the main window's picture.
    ui click startup check#0
    acts - 'ui click startup noButton' 0 visible startup

    open_window common
    common_add "A common text" "of two lines"
    check_window "$dpi" common edit#0 common-text
    # An empty Add: the box it shows.
    ui click common button:Add
    ui box-owner >/dev/null
    shot '^Quorvel$' "message-box-at-$dpi.png"
    ui answer OK >/dev/null
    close_window common

    open_window excluded
    check_window "$dpi" excluded edit#0 excluded-programs
    close_window excluded

    open_window held
    check_window "$dpi" held "" programs-waiting
    close_window held

    printf '%s\r\n' '::ibtw::by the way' ':*:istar::at once' >"$program/import.ahk"
    ui menu 150
    ui file-dialog 'C:\quorvel\import.ahk' >/dev/null
    ui_until 1 visible import >/dev/null
    check_window "$dpi" import "" import-preview
    acts - 'ui click import button:Cancel' 0 visible import
    exit_quorvel || { e2e_fail "exit-at-$dpi" "Quorvel did not end"; e2e_wine_ended 1; }

    # The main window on its own.
    start_with_samples
    shot "$main_title" "main-window-at-$dpi.png"
    exit_quorvel || e2e_fail "exit-at-$dpi" "Quorvel did not end"
    e2e_wine_ended
    echo "Screenshots at $dpi DPI: $SHOTS/*-at-$dpi.png"
done

e2e_summary
