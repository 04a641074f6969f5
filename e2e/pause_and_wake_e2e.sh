#!/usr/bin/env bash
# The notification-area icon's menu and the pause it holds, and what Quorvel
# does when the session is unlocked or the machine resumes, under Wine: a real
# right click on the icon in Wine's notification area, a real click on the
# menu's entries, keys typed by xdotool into the test target, and the session
# and power messages sent to the main window as Windows would send them (Wine
# locks no session and sleeps no machine). The menu's texts are not readable
# from another program under Wine; its picture is saved in build/screenshots.
set -uo pipefail
cd "$(dirname "$0")/.." || exit 1
# shellcheck source=e2e/lib.sh
source e2e/lib.sh

# Counts only, never keys: the proof keys the hook has counted among them.
timing="$E2E_STATE/timing.txt"
e2e_typing_suite '{S}|ZQ|expanded'
mkdir -p "$SHOTS"

WmWtsSessionChange=0x2B1 WtsSessionUnlock=0x8
WmPowerBroadcast=0x218 PbtApmResumeAutomatic=0x12

# Wine shows the icon in a window of its own at the top left of the screen.
E2E_TRIES=50 e2e_eventually ui tray-rect >/dev/null || e2e_abort tray "no icon shows"
read -r tx ty tw th < <(ui tray-rect)

# Whether the icon's pixels are on average redder than blue by LOW to HIGH
# thousandths, with the mouse away from it: the orange icon is by over 100, its
# grey paused look by less than 20 either way.
icon_warmth_within() {
    local warmth
    xdotool mousemove 600 600
    warmth=$(import -window root -crop "${tw}x${th}+${tx}+${ty}" +repage \
        -format '%[fx:int(1000 * (mean.r - mean.b))]' info: 2>/dev/null) &&
        [[ $warmth =~ ^-?[0-9]+$ ]] && ((warmth >= $1 && warmth <= $2)) && return 0
    echo "warmth $warmth" >&2
    return 1
}

# Right-clicks the icon and clicks entry INDEX (0, 1 or 2) of the menu that
# opens; SHOT, when given, names a picture of the menu saved first.
choose_from_icon_menu() {
    local index=$1 shot=${2:-} mx my mw mh
    xdotool mousemove $((tx + tw / 2)) $((ty + th / 2)) click 3
    E2E_TRIES=25 e2e_eventually ui popup-menu-rect >/dev/null || return 1
    read -r mx my mw mh < <(ui popup-menu-rect)
    [ -z "$shot" ] || e2e_shot root "$SHOTS/$shot"
    xdotool mousemove $((mx + mw / 2)) $((my + mh * (2 * index + 1) / 6)) sleep 0.2 click 1
    E2E_TRIES=25 e2e_eventually eval '! ui popup-menu-rect >/dev/null 2>&1'
}

# --- Pause ---------------------------------------------------------------------
# The look and the expansion before the pause are those checked after it.
e2e_check menu-opens-on-right-click choose_from_icon_menu 1 tray-menu.png
echo "The icon's menu: $SHOTS/tray-menu.png"
e2e_check paused-tip e2e_tray_tip_shows "Quorvel (paused)"
e2e_check paused-icon-grey e2e_eventually icon_warmth_within -19 19
e2e_check paused-keys-pass-untouched e2e_typed_gives "zq " "zq "
choose_from_icon_menu 1 paused-tray-menu.png
e2e_check unpaused-tip e2e_tray_tip_shows "Quorvel 2.1 - www.quorvel.example"
e2e_check unpaused-icon-in-colour e2e_eventually icon_warmth_within 101 1000
e2e_check expands-after-pause e2e_typed_gives "zq " "expanded"

# --- Unlock and resume -------------------------------------------------------------
# A trigger begun before the break is not finished after it; one typed whole
# after it fires.
typed_across() {
    e2e_typed_gives z z || return 1
    ui send main "$@"
    e2e_type "q "
    e2e_wait_report "$report" "zq " 10 || return 1
    e2e_type "zq "
    e2e_wait_report "$report" "zq expanded" 10
}
e2e_check session-unlock-forgets-typed-keys typed_across "$WmWtsSessionChange" "$WtsSessionUnlock" 0
e2e_check resume-forgets-typed-keys typed_across "$WmPowerBroadcast" "$PbtApmResumeAutomatic" 0

# --- A modifier let go behind the hook's back --------------------------------------
# Another program presses Ctrl, and its release reaches the system without the key
# hold taking it for the user's (it bears the mark of Quorvel's own keys), as a
# release on the lock screen goes unseen. After the next text Ctrl is not pressed
# again: the letters typed next are letters, not Ctrl+letters.
OwnInjectionMarker=0x51564C31 VkLCtrl=0xA2
ctrl_let_go_unseen() {
    e2e_reset_target || return 1
    ui key-event $VkLCtrl down && ui key-event $VkLCtrl up $OwnInjectionMarker || return 1
    e2e_type "zq "
    e2e_wait_report "$report" "expanded" 10 || return 1
    e2e_type "ab"
    e2e_wait_report "$report" "expandedab" 10
}
e2e_check ctrl-let-go-unseen-not-pressed-again ctrl_let_go_unseen
ui key-event $VkLCtrl up # Ctrl up for the system and the hold, whatever happened

# --- The hook's watchdog -------------------------------------------------------------
# The mouse moving is no key the hook missed: Quorvel injects no proof key (the
# hook counts every one it sees) over three of its two-second checks, with the
# mouse moving over the target before each.
mouse_moves_only() {
    local before i
    e2e_fresh_timing || return 1
    before=$(e2e_timing_field heartbeats)
    [ -n "$before" ] || return 1
    for i in 1 2 3; do
        xdotool mousemove --window "$wid" $((20 + i)) 20 mousemove --window "$wid" 40 $((30 + i))
        e2e_fresh_timing || return 1
    done
    # A proof key injected at the last check is counted by the next.
    e2e_fresh_timing && same "$before" "$(e2e_timing_field heartbeats)"
}
e2e_check mouse-only-injects-no-proof-key mouse_moves_only

# --- Show and Exit -----------------------------------------------------------------
e2e_check show-entry-shows-window eval 'choose_from_icon_menu 0 && ui wait-visible main 10'
ui move main 700 0
choose_from_icon_menu 2
exit_question="If you close the program the Hotkeys will not work. Are you sure that you would like to exit the Program?"
e2e_check exit-entry-asks same "$exit_question" "$(ui answer No)"
choose_from_icon_menu 2
ui answer Yes >/dev/null
e2e_check exit-entry-ends-program ended_within "$(quorvel_pid)"

e2e_summary
