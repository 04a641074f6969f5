#!/usr/bin/env bash
# The Find and Type popup under Wine, over 100,000 shortcuts: its hot key pressed
# in the test target, words typed, Enter: the text arrives exactly as its
# trigger types it, with nothing erased, and the target has the keys again; Esc
# types nothing; the shortcut used last comes first; in a password box it says
# why it stays closed.
set -uo pipefail
cd "$(dirname "$0")/.." || exit 1
# shellcheck source=e2e/lib.sh
source e2e/lib.sh

e2e_typing_suite --size 100000 '{S}|CP|Hello World +a 1!' '{S}{E}|PE|Popup enter text'

# Empties the target, presses the hot key there and waits for the popup; logs
# how long it took to show (the figure is checked with ample room only).
open_popup() {
    local ms
    e2e_reset_target || return 1
    ms=$(ui timed-hotkey) || return 1
    e2e_log "popup shown ${ms} ms after its hot key"
    [ "$ms" -lt 1500 ] || {
        echo "the popup took ${ms} ms to show" >&2
        return 1
    }
    # Windows gives the popup the keyboard (the driver checks that); X, without a
    # window manager, keeps its input focus on the target until moved, as a
    # window manager would move it.
    e2e_prints searchBox ui focus find || return 1
    e2e_focus "$(e2e_visible_window '^Find and Type - Quorvel$')"
}

# The target is the active window again; X's focus follows it, as above.
target_in_front_again() {
    e2e_eventually e2e_prints "Quorvel Test Target" ui foreground || return 1
    e2e_focus "$wid"
}

first_row() { ui rows find | head -n 1; }

# The rows after a word, at 100,000 shortcuts: words no row holds and one that
# a single row does, each a scan of every row. The figures are printed, and
# checked with ample room only.
filters_in_time() {
    local word ms
    e2e_prints 100000 ui count main || return 1
    open_popup || return 1
    for word in nowhere-at-all hello; do
        ms=$(ui timed-set-text find searchBox "$word") || return 1
        e2e_log "rows for \"$word\" shown in ${ms} ms"
        [ "$ms" -lt 1000 ] || return 1
    done
    e2e_prints "$cp_row" first_row && [ "$(ui count find)" = 1 ] || return 1
    e2e_key Escape
    target_in_front_again
}

cp_row='CP    Hello World +a 1!' pe_row='PE    Popup enter text'
# popup_gives WORDS FIRST_ROW KEY EXPECTED: in the popup, WORDS bring FIRST_ROW
# to the top, and KEY (Enter or Esc) leaves EXPECTED in the target, which is in
# front again and takes the keys typed next after it: neither the hot key's
# Space nor the words reach it.
popup_gives() {
    open_popup || return 1
    e2e_type "$1"
    e2e_eventually e2e_prints "$2" first_row || return 1
    e2e_key "$3"
    e2e_wait_report "$report" "$4" 10 && e2e_eventually e2e_prints 0 ui visible find &&
        target_in_front_again && e2e_type " ok" && e2e_wait_report "$report" "$4 ok" 10
}
# The trigger's own result first, to compare with; then the shortcut used last
# comes first, a use by the trigger counting as much as one from the popup.
e2e_check trigger-types-the-text e2e_typed_gives "cp " "Hello World A 1!"
e2e_rows popup_gives <<'ROWS'
enter-types-as-the-trigger-and-gives-the-focus-back 'world hello' "$cp_row" Return 'Hello World A 1!'
enter-after-option-kept 'popup enter' "$pe_row" Return $'Popup enter text\r\n'
esc-types-nothing hello "$cp_row" Escape ''
most-recently-used-first '' "$pe_row" Escape ''
ROWS
e2e_check filters-100000-shortcuts filters_in_time
e2e_check trigger-types-the-text-again e2e_typed_gives "cp " "Hello World A 1!"
e2e_check use-by-the-trigger-counts-as-recent popup_gives '' "$cp_row" Escape ''

says_why_in_a_password_box() {
    local told
    e2e_reset_target || return 1
    ui password-target on || return 1
    e2e_click "$wid"
    xdotool key ctrl+shift+Insert
    told=$(ui answer OK) || return 1
    ui password-target off
    contains "$told" "password box" && [ "$(ui visible find)" = 0 ]
}
e2e_check says-why-in-a-password-box says_why_in_a_password_box

# A record per shortcut used, in the settings: a fingerprint and a count, no text.
usage_stored() {
    local stored
    stored=$(wine reg query "$SETTINGS\\Quorvel\\Usage" 2>/dev/null | tr -d '\r' | grep -i reg_sz)
    [ "$(grep -c . <<<"$stored")" -eq 2 ] && ! grep -qi "hello" <<<"$stored"
}
e2e_check usage-kept-in-the-settings usage_stored

e2e_summary
