#!/usr/bin/env bash
# Text beyond the ANSI code page in Quorvel's Windows edition under Wine:
# shortcuts in Polish, Greek, Japanese, symbols and an emoji arrive exact in a
# Unicode window, typed and with Boost, also through "%(clipboard text)%"; a
# shortcut file of the ANSI version that gains an emoji entry is saved as UTF-8
# and reads back equal after a restart; dates come in the user's language.
set -uo pipefail
cd "$(dirname "$0")/.." || exit 1
# shellcheck source=e2e/lib.sh
source e2e/lib.sh

ZP='Zażółć gęślą jaźń'
GR='Ελληνικά'
JP='日本語'
AR='→ ✓'
EM='😀'
ALL="$ZP $GR $JP $AR $EM"
USER_CLIPBOARD="user's ünïcödé ✂ 😀"

clipboard() { e2e_command --get-clipboard | tr -d '\r'; }

starts_with_mark() { [ "$(head -c 3 "$1" | od -An -tx1 | tr -d ' ')" = efbbbf ]; }
# The ANSI version's file: no mark, "été" in Windows-1252.
ansi_file() { ! starts_with_mark "$1" && LC_ALL=C grep -q $'\xe9t\xe9' "$1"; }
holds_every_entry() { grep -qF "été ¯ 500 €" "$1" && grep -qF "$ALL" "$1"; }

e2e_build_quorvel || e2e_abort build "the Windows build or make_shortcut_file failed"
# The file Quorvel starts with holds the shortcuts in every script: UTF-8.
e2e_typing_setup "{S}|ZP|$ZP" "{S}|GR|$GR" "{S}|JP|$JP" "{S}|AR|$AR" "{S}|EM|$EM" "{S}|AL|$ALL" \
    '{S}|CB|%(clipboard text)%' || e2e_abort setup "no display, Wine prefix, shortcut file or test target"
e2e_check shortcut-file-in-utf8 starts_with_mark "$program/defaultkeys.qvb"
# A file as the ANSI version writes it: Windows-1252, no mark.
build/linux/make_shortcut_file "$program/old.qvb" '{S}|AE|été ¯ 500 €' || exit 1
cp "$program/old.qvb" "$E2E_STATE/old.qvb"
e2e_check old-file-in-ansi ansi_file "$program/old.qvb"
e2e_start_quorvel || e2e_abort start "Quorvel did not come up"

# --- Typed, character by character -----------------------------------------------
for pair in "zp|$ZP" "gr|$GR" "jp|$JP" "ar|$AR" "em|$EM" "al|$ALL"; do
    e2e_check "typed-${pair%%|*}" e2e_typed_gives "${pair%%|*} " "${pair#*|}"
done
e2e_command --set-clipboard "$ALL"
e2e_check typed-clipboard-text-macro e2e_typed_gives "cb " "$ALL"

# --- Boost: pasted, and the user's clipboard back afterwards ----------------------
e2e_command --set-clipboard "$USER_CLIPBOARD"
if e2e_boost on; then
    for pair in "zp|$ZP" "gr|$GR" "jp|$JP" "ar|$AR" "em|$EM" "al|$ALL"; do
        e2e_check "boost-${pair%%|*}" e2e_typed_gives "${pair%%|*} " "${pair#*|}"
    done
    sleep 1
    e2e_check boost-gives-the-clipboard-back test "$(clipboard)" = "$USER_CLIPBOARD"
    e2e_command --set-clipboard "$ALL"
    e2e_check boost-clipboard-text-macro e2e_typed_gives "cb " "$ALL"
    sleep 1
    e2e_check boost-clipboard-macro-keeps-the-clipboard test "$(clipboard)" = "$ALL"
    e2e_boost off
else
    e2e_fail boost "the Boost question did not appear"
fi

# --- An ANSI file gains entries it cannot hold -------------------------------------
# Importing the ANSI version's file makes it the file every change rewrites; the
# list then holds the emoji entries too, so the save turns it UTF-8.
e2e_command 100 >/dev/null
wine "$tools/ui_driver.exe" file-dialog 'C:\quorvel\old.qvb' >/dev/null 2>&1 </dev/null
e2e_check import-remembered test "$(e2e_reg_query 'Quorvel\File' Import)" = 'C:\quorvel\old.qvb'
e2e_check imported-ansi-entry-types e2e_typed_gives "ae " "été ¯ 500 €"
e2e_command 101 >/dev/null
if e2e_eventually eval '! cmp -s "$program/old.qvb" "$E2E_STATE/old.qvb"'; then
    sleep 1
    cp "$program/old.qvb" "$E2E_STATE/saved.qvb"
    e2e_check saved-file-is-utf8-with-mark starts_with_mark "$E2E_STATE/saved.qvb"
    e2e_check saved-file-holds-every-entry holds_every_entry "$E2E_STATE/saved.qvb"
else
    e2e_fail saved-file-is-utf8-with-mark "File Save did not rewrite the imported file"
fi

# After a restart Quorvel reads that file, the one it last saved to, and saves
# the same bytes there again.
e2e_command 104 >/dev/null
e2e_answer_question
e2e_eventually eval '! e2e_command 0'
if e2e_start_quorvel; then
    e2e_check restarted-emoji-entry-types e2e_typed_gives "em " "$EM"
    rm -f "$program/old.qvb"
    e2e_command 101 >/dev/null
    e2e_eventually test -f "$program/old.qvb"
    sleep 1
    e2e_check utf8-file-reads-back-equal cmp "$program/old.qvb" "$E2E_STATE/saved.qvb"
else
    e2e_fail restart "Quorvel did not come up again"
fi

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
        wine "$E2E_ROOT/build/windows/platform/win32/quorvel_services_selfcheck.exe" \
            --no-dialogs >"$E2E_STATE/greek-selfcheck.log" 2>&1 </dev/null
        timeout 10 wineserver -k >/dev/null 2>&1
    )
    e2e_check greek-month-and-time grep -q '^PASS month and time in Greek' "$E2E_STATE/greek-selfcheck.log"
    e2e_check greek-services-selfcheck grep -q '^ALL PASSED' "$E2E_STATE/greek-selfcheck.log"
else
    e2e_fail greek-locale "localedef could not build el_GR.UTF-8"
fi

e2e_summary
