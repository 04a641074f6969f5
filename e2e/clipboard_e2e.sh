#!/usr/bin/env bash
# Boost's paste as other programs on the clipboard see it, under Wine: a clipboard
# monitor is told of the paste's text and of the user's contents put back, each
# marked so that monitors, the history and the cloud clipboard leave them alone;
# a clipboard another program holds open is waited for, within a bound; pictures
# and a palette held as system objects come back as they were.
set -uo pipefail
cd "$(dirname "$0")/.." || exit 1
# shellcheck source=e2e/lib.sh
source e2e/lib.sh

pasted='Pasted by Boost'
user="the user's text"

e2e_typing_suite "{S}|PB|$pasted" '{S}|CQ|Quote: %(clipboard text)%'
e2e_boost on

# The other program (e2e/tools/clipboard_watch.cpp).
watch() { wine "$tools/clipboard_watch.exe" "$@" 2>>"$E2E_STATE/watch.log" </dev/null | tr -d '\r'; }

# start_monitor MODE FILE: starts a clipboard_watch of that mode writing to FILE,
# copies the user's text, and waits until the monitor has seen it.
start_monitor() {
    e2e_spawn "$tools/clipboard_watch.exe" "$1" "$(e2e_winpath "$2")" >/dev/null
    e2e_eventually test -f "$2" || e2e_abort "$1" "the $1 monitor did not start"
    ui set-clipboard "$user"
    e2e_eventually grep -qF "text=\"$user\"" "$2" ||
        e2e_abort "$1" "the $1 monitor did not see the user's copy"
}

updates="$E2E_STATE/clipboard-updates.txt"
start_monitor monitor "$updates"
seen_before=$(wc -l <"$updates")

# Every update since the user's copy, the paste's write and the user's text put
# back, comes marked: the monitor, leaving marked contents alone, only names the
# marks it finds, in this order. What is on the clipboard at the end is the user's
# text with the marks' values.
marks=(ExcludeClipboardContentFromMonitorProcessing CanIncludeInClipboardHistory
    CanUploadToCloudClipboard)
updates_marked() {
    local since
    since=$(tail -n +"$((seen_before + 1))" "$updates")
    [ "$(grep -c '^update ' <<<"$since")" -ge 2 ] || return 1
    # The lines shown, if any, are the unmarked updates.
    ! grep -vxF "update marked ${marks[*]}" <<<"$since" >&2
}
user_text_back_marked() {
    local formats token
    formats=" $(watch formats) "
    for token in "text=\"$user\" " "${marks[0]}" "${marks[1]}=0 " "${marks[2]}=0 "; do
        contains "$formats" " $token" || return 1
    done
}
e2e_check boost-pasted e2e_typed_gives "pb " "$pasted"
e2e_check monitor-sees-paste-and-restore-marked e2e_eventually updates_marked
e2e_check user-clipboard-back-marked e2e_eventually user_text_back_marked

# Another program holds the clipboard open from before the trigger is typed:
# for a moment, and Quorvel waits and pastes, or reads the clipboard's text; for
# longer than Quorvel waits, and the text is typed instead, or the trigger and
# its Space stay as typed. The key typed after the trigger lands after it, and
# once the holder lets go (it removes its file then) nothing more arrives and
# the user's text is on the clipboard.
held="$E2E_STATE/clipboard-held"
clipboard_held_for() {
    rm -f "$held"
    e2e_reset_target || return 1
    e2e_spawn "$tools/clipboard_watch.exe" hold "$1" "$(e2e_winpath "$held")" >/dev/null
    e2e_eventually test -f "$held" && e2e_type "$2" && e2e_wait_report "$report" "$3" 15 &&
        E2E_TRIES=100 e2e_eventually test ! -f "$held" &&
        e2e_until_prints "$user" ui get-clipboard && e2e_wait_report "$report" "$3" 1
}
e2e_rows clipboard_held_for <<'ROWS'
clipboard-held-for-a-moment-waited-for 1000 'pb x' "${pasted}x"
clipboard-held-too-long-types-instead 8000 'pb x' "${pasted}x"
clipboard-text-waited-for 1000 'cq x' "Quote: ${user}x"
clipboard-text-held-too-long-leaves-trigger 8000 'cq x' 'cq x'
ROWS

# A bitmap, an enhanced metafile and a palette, each a system object, come back
# as they were after a paste.
watch put-pictures && pictures=$(watch pictures) && [[ $pictures != *none* ]] ||
    e2e_fail pictures-put "${pictures:-clipboard_watch could not put them}"
pictures_back() { same "$pictures" "$(watch pictures)"; }
e2e_check boost-pasted-over-pictures e2e_typed_gives "pb " "$pasted"
e2e_check pictures-and-palette-back e2e_eventually pictures_back

# The target reads the clipboard 300 ms after the Ctrl+V, as browsers and
# terminals do, and a monitor that ignores the marks reads at every change. The
# target gets the paste's text, and the user's text comes back after its read.
# The monitor reads the paste's update and the restore's; reading before the
# Ctrl+V it gets nothing and leaves the text unread for the target, reading
# after (on a slow machine) it gets the text, and the restore waits for the
# bound: either way the target's paste is the shortcut's text.
greedy="$E2E_STATE/clipboard-greedy.txt"
start_monitor greedy "$greedy"
watch late-paste 300 || e2e_abort late-paste "the target did not take its late-paste mode"
greedy_before=$(wc -l <"$greedy")
e2e_check late-reader-gets-the-paste e2e_typed_gives "pb " "$pasted"
e2e_check user-clipboard-back-after-the-late-read e2e_until_prints "$user" ui get-clipboard
greedy_read_both() { [ "$(tail -n +"$((greedy_before + 1))" "$greedy" | grep -c '^read')" -ge 2 ]; }
e2e_check greedy-monitor-read-the-paste-and-restore e2e_eventually greedy_read_both
# For the record: the user's text back this long after the paste's write.
e2e_log "user's text back $(tail -n +"$((greedy_before + 1))" "$greedy" |
    sed -n 's/^read at=\([0-9]*\).*/\1/p' | awk 'NR == 1 { a = $1 } END { print $1 - a }') ms after the paste's write"

e2e_summary
