# Helpers of the scripts that drive Quorvel's windows under Wine through the
# driver program (e2e/tools/ui_driver.cpp). Source after e2e/lib.sh.

# Runs a reading of the driver until it prints EXPECTED.
ui_until() {
    local expected=$1
    shift
    e2e_until_prints "$expected" ui "$@"
}

answer() {
    local expected=$1 button=$2 caption=${3:-Quorvel}
    same "$expected" "$(ui answer "$button" "$caption")"
}

main_title='^Quorvel 2\.1 - www\.quorvel\.example$'
common_title='^Common Text - www\.quorvel\.example$'
# shellcheck disable=SC2034 # for the suites
declare -gA titles=([main]=$main_title [common]=$common_title [excluded]='^Excluded Programs$'
    [startup]='^Quorvel 2\.1$' [import]='^Import from Another Program$'
    [held]='^Programs Waiting for Approval$')

# acts CHECK ACTION EXPECTED READING...: one row of a scenario. Runs ACTION (a
# command line, ":" for none), then waits until READING prints EXPECTED.
# READING is a reading of the driver, or "reg KEY VALUE" (a stored setting),
# "answer BUTTON [CAPTION]" (the text of the message box, which it then
# answers) or "run COMMAND..." (a command of the suite's). CHECK names the
# check; "-" waits without counting one.
acts() {
    local name=$1 expected=$3 reading
    eval "$2"
    shift 3
    case $1 in
        reg) reading=(e2e_until_prints "$expected" e2e_reg_query) ;;
        answer) reading=(answer "$expected") ;;
        run) reading=(e2e_until_prints "$expected") ;;
        *) reading=(ui_until "$expected" "$1") ;;
    esac
    shift
    if [ "$name" = - ]; then
        "${reading[@]}" "$@" >/dev/null
    else
        e2e_check "$name" "${reading[@]}" "$@"
    fi
}

# The width and height of a window or control.
size_of() { ui rect "$@" | awk '{ print $3, $4 }'; }

# Saves a screenshot of the window whose title matches in build/screenshots,
# once it is drawn.
shot() {
    local xid
    xid=$(e2e_visible_window "$1") || return 1
    mkdir -p "$SHOTS"
    e2e_shot "$xid" "$SHOTS/$2"
}

# Wine traces Quorvel's calls to the notification area (only those) into its
# log, where the removal of the icon at exit shows.
start_quorvel() {
    WINEDEBUG=-all,trace+systray e2e_spawn 'C:\quorvel\quorvel.exe' >"$E2E_STATE/quorvel.pid"
}

# Opens Common Text (common) or Excluded Programs (excluded), or brings the
# main window back through the icon (main), and waits until it shows;
# close_window closes Common Text or Excluded Programs with its Close button.
open_window() {
    case $1 in
        main) ui tray 0x201 ;;
        common) ui click main commonTextButton ;;
        excluded) ui menu 208 ;;
        held) ui menu 240 ;;
    esac
    ui_until 1 visible "$1" >/dev/null
}
close_window() {
    ui click "$1" button:Close
    ui_until 0 visible "$1" >/dev/null
}

# common_add LINE...: adds a row to Common Text and waits until its box is
# emptied.
common_add() {
    ui set-lines common edit#0 "$@"
    ui click common button:Add
    ui_until "" text common edit#0 >/dev/null
}

# add_row TRIGGER LINE...: fills the main window's boxes and clicks Add.
add_row() {
    ui set-text main triggerBox "$1"
    shift
    ui set-lines main shortcutText "$@"
    ui click main addButton
}

# Exit, answered Yes.
exit_quorvel() {
    ui click main exitButton
    ui answer Yes >/dev/null
    ended_within "$(quorvel_pid)"
}

# ui_screen DPI: the dots per inch Wine reports (its LogPixels setting) and a
# 9-point message font, the size Windows 10 uses; Wine's own is 8 points, in
# which a window that ignores the message font, or lays out too tightly for
# it, would still look right. Run it before any program of the prefix starts:
# Wine reads both when a program starts.
#
# Fonts for every script: Wine's own fonts are not installed, so Wine draws
# the message font's Tahoma in a font of the system, which it would pick
# afresh (IPAGothic for all text) once a font is linked; named, it stays
# DejaVu Sans (Latin, Greek, symbols, emoji). DejaVu Sans takes Japanese from
# IPAGothic through a font link (lists, buttons, labels); edit boxes fall back
# to SimSun for it, here IPAGothic.
ui_screen() {
    local dpi=$1
    # A LOGFONTW: height -12 (9 points at 96 DPI), weight 400, face Tahoma.
    local font=f4ffffff000000000000000000000000900100000000000100000000
    font+=5400610068006f006d0061$(printf '0%.0s' {1..106})
    local fonts='HKCU\Software\Wine\Fonts\Replacements'
    local links='HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink'
    e2e_reg_add 'HKCU\Control Panel\Desktop' LogPixels "$dpi" REG_DWORD &&
        e2e_reg_add 'HKCU\Control Panel\Desktop\WindowMetrics' MessageFont "$font" REG_BINARY &&
        e2e_reg_add "$fonts" Tahoma 'DejaVu Sans' &&
        e2e_reg_add "$fonts" SimSun IPAGothic &&
        e2e_reg_add "$links" 'DejaVu Sans' 'ipag.ttf,IPAGothic' REG_MULTI_SZ &&
        e2e_wine_ended
}

# Builds Quorvel and its helpers and starts a display with a fresh Wine prefix
# at DPI; the summary and an exit when that fails.
ui_setup() {
    if ! e2e_build_quorvel; then
        e2e_fail build "the Windows build or make_shortcut_file failed"
    elif ! e2e_quorvel_prefix; then
        e2e_fail prefix "no display, Wine prefix or Quorvel folder"
    elif ui_screen "$1"; then
        return 0
    else
        e2e_fail screen "could not set $1 DPI"
    fi
    e2e_summary
    exit 1
}
