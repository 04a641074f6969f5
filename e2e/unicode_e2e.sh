#!/usr/bin/env bash
# Text beyond the ANSI code page in Quorvel's Windows edition under Wine: a
# shortcut file of the ANSI version is read, an emoji entry added with Add
# ShortCut turns it UTF-8, and it reads back equal after a restart; shortcuts in
# Polish, Greek, Japanese, symbols and an emoji, typed into the boxes, show
# exact in the list and the boxes (a screenshot) and arrive exact in a Unicode
# window, typed and with Boost, also through "%(clipboard text)%"; Common Text
# rows in those scripts come back after a restart; dates come in the user's
# language.
set -uo pipefail
cd "$(dirname "$0")/.." || exit 1
# shellcheck source=e2e/lib.sh
source e2e/lib.sh
# shellcheck source=e2e/ui/ui_lib.sh
source e2e/ui/ui_lib.sh

ZP='Zażółć gęślą jaźń'
GR='Ελληνικά'
JP='日本語'
AR='→ ✓'
EM='😀'
ALL="$ZP $GR $JP $AR $EM"
# Trigger and text of a shortcut in each script, and of one in all of them.
SCRIPTS=("zp|$ZP" "gr|$GR" "jp|$JP" "ar|$AR" "em|$EM" "al|$ALL")
USER_CLIPBOARD="user's ünïcödé ✂ 😀"
SHOT="$E2E_ROOT/build/screenshots/main-window-every-script.png"

# The file starts with the UTF-8 mark and holds the old entry and the emoji's.
utf8_with_old_and_emoji_entries() {
    [ "$(head -c 3 "$1")" = $'\xef\xbb\xbf' ] && grep -qF "été ¯ 500 €" "$1" && grep -qF "$EM" "$1"
}

# Types the shortcut into the main window's boxes and adds it, as a person pasting would.
add_shortcut() {
    add_row "$1" "$2"
    ui_until "" text main shortcutText >/dev/null
}

# The clipboard holds TEXT as the user put it there: Boost gives it back at its
# timer's next tick after the paste, with the driver's mark, which its own
# text on the clipboard lacks.
clipboard_holds() {
    same "$1" "$(ui get-clipboard)" && same "$1" "$(ui get-clipboard-mark)"
}

# shows_rows LIST ROW...: each row is in the list; else says which are not.
shows_rows() { same "" "$(printf '%s\n' "${@:2}" | grep -vxF -f <(ui rows "$1"))"; }

e2e_build_quorvel || e2e_abort build "the Windows build or make_shortcut_file failed"
e2e_quorvel_prefix || e2e_abort prefix "no display, Wine prefix or Quorvel folder"
ui_screen 96 || e2e_abort screen "could not set up the screen"
# Quorvel starts with a file as the ANSI version writes it: Windows-1252, no mark.
e2e_typing_files '{S}|AE|été ¯ 500 €' '{S}|CB|%(clipboard text)%' ||
    e2e_abort target "no shortcut file or test target"
e2e_start_quorvel || e2e_abort start "Quorvel did not come up"

# --- Added through the window --------------------------------------------------------
# Tall enough for every row in the screenshot.
ui resize main 640 720
ui tray 0x201
ui_until 1 visible main >/dev/null
add_shortcut em "$EM"
e2e_check one-emoji-entry-turns-the-file-utf8 e2e_eventually utf8_with_old_and_emoji_entries \
    "$program/defaultkeys.qvb"
for pair in "${SCRIPTS[@]}"; do
    [ "$pair" = "em|$EM" ] || add_shortcut "${pair%%|*}" "${pair#*|}"
done
e2e_check list-shows-every-script e2e_eventually shows_rows main "{S} - em - $EM" "{S} - zp - $ZP" \
    "{S} - gr - $GR" "{S} - jp - $JP" "{S} - ar - $AR" "{S} - al - $ALL" "{S} - AE - été - 500 €"
at=$(ui rows main | grep -nxF -- "{S} - al - $ALL" | cut -d: -f1)
[ -n "$at" ] && ui select main $((at - 1))
e2e_check boxes-show-every-script ui_until "$ALL" text main shortcutText
mkdir -p "$(dirname "$SHOT")"
if xid=$(e2e_visible_window "$main_title") && e2e_shot "$xid" "$SHOT"; then
    echo "Screenshot of the main window with every script: $SHOT"
else
    e2e_fail screenshot "no main window to take"
fi

open_window common
for text in "$ZP" "$GR" "$JP" "$AR" "$EM"; do common_add "$text"; done
e2e_check common-text-shows-every-script ui_until "$(printf '%s\n' "$ZP" "$GR" "$JP" "$AR" "$EM")" \
    rows common
common_rows=$(ui rows common)
close_window common
ui click main minimizeButton
ui_until 0 visible main >/dev/null

# --- Typed, character by character -----------------------------------------------
for pair in "${SCRIPTS[@]}"; do
    e2e_check "typed-${pair%%|*}" e2e_typed_gives "${pair%%|*} " "${pair#*|}"
done
ui set-clipboard "$ALL"
e2e_check typed-clipboard-text-macro e2e_typed_gives "cb " "$ALL"

# --- Boost: pasted, and the user's clipboard back afterwards ----------------------
ui set-clipboard "$USER_CLIPBOARD"
e2e_boost on || e2e_fail boost "the Boost question did not appear"
for pair in "${SCRIPTS[@]}"; do
    e2e_check "boost-${pair%%|*}" e2e_typed_gives "${pair%%|*} " "${pair#*|}"
done
e2e_check boost-gives-the-clipboard-back e2e_eventually clipboard_holds "$USER_CLIPBOARD"
ui set-clipboard "$ALL"
e2e_check boost-clipboard-text-macro e2e_typed_gives "cb " "$ALL"
e2e_check boost-clipboard-macro-keeps-the-clipboard e2e_eventually clipboard_holds "$ALL"
e2e_boost off

# --- After a restart -------------------------------------------------------------------
# Quorvel reads the file it wrote, shows the same rows and saves the same bytes
# again; Common Text comes back from the registry.
cp "$program/defaultkeys.qvb" "$E2E_STATE/saved.qvb"
main_rows=$(ui rows main)
ui menu 104 >/dev/null
e2e_answer_question
e2e_quorvel_gone
e2e_start_quorvel || e2e_fail restart "Quorvel did not come up again"
e2e_check restarted-list-reads-back-equal ui_until "$main_rows" rows main
e2e_check restarted-emoji-entry-types e2e_typed_gives "em " "$EM"
rm -f "$program/defaultkeys.qvb"
ui menu 101 >/dev/null
e2e_check utf8-file-saves-back-equal e2e_eventually cmp "$program/defaultkeys.qvb" "$E2E_STATE/saved.qvb"
ui click main commonTextButton
e2e_check restarted-common-text-reads-back-equal ui_until "$common_rows" rows common

# --- Dates in the user's language -----------------------------------------------------
# A Greek user: the locale is built into the state folder, Wine finds it through
# LOCPATH, and the services self-check reads month and time names in Greek.
greek="$E2E_STATE/greek-prefix"
mkdir -p "$E2E_STATE/locales"
localedef -i el_GR -f UTF-8 "$E2E_STATE/locales/el_GR.UTF-8" >/dev/null 2>&1
if [ -d "$E2E_STATE/locales/el_GR.UTF-8" ]; then
    mkdir -p "$greek"
    (
        export LOCPATH="$E2E_STATE/locales" LANG=el_GR.UTF-8 LC_ALL=el_GR.UTF-8 WINEPREFIX="$greek"
        wine wineboot -i >/dev/null 2>&1
        wine "$E2E_ROOT/build/windows/e2e/bin/quorvel_services_selfcheck.exe" \
            >"$E2E_STATE/greek-selfcheck.log" 2>&1 </dev/null
        timeout 10 wineserver -k >/dev/null 2>&1
    )
    e2e_check greek-month-and-time grep -q '^PASS month and time in Greek' "$E2E_STATE/greek-selfcheck.log"
    e2e_check greek-services-selfcheck grep -q '^ALL PASSED' "$E2E_STATE/greek-selfcheck.log"
else
    e2e_fail greek-locale "localedef could not build el_GR.UTF-8"
fi

e2e_summary
