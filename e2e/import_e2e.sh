#!/usr/bin/env bash
# Import from Another Program under Wine: an AutoHotkey script chosen in the
# real file dialog, the preview's rows and its Import, the imported triggers
# typed into a target, and Undo Import. What each hotstring becomes is the unit
# tests' (tests/import_test.cpp).
set -uo pipefail
cd "$(dirname "$0")/.." || exit 1
# shellcheck source=e2e/lib.sh
source e2e/lib.sh

e2e_typing_suite
printf '%s\r\n' '; moved from AutoHotkey' '::qbtw::by the way' ':O:qsig::Best regards,`nAnn' \
    ':*:qstar::fires at once' >"$program/hotstrings.ahk"

# The samples are the list; the menu's command is posted, the dialog answered.
e2e_check list-holds-the-samples e2e_until_prints 13 ui count main
ui menu 150
e2e_check import-dialog-lists-scripts contains "$(ui file-dialog 'C:\quorvel\hotstrings.ahk')" '*.ahk'
e2e_check preview-shows-every-hotstring e2e_until_prints 3 ui count import
e2e_check preview-names-the-skipped-option contains "$(ui rows import)" 'option *'
e2e_check nothing-added-before-import same 13 "$(ui count main)"
mkdir -p "$SHOTS"
xid=$(e2e_visible_window '^Import from Another Program$') && e2e_shot "$xid" "$SHOTS/import-preview.png"
ui click import importButton
e2e_check import-adds-the-hotstrings e2e_until_prints 15 ui count main
e2e_check import-saves-the-list e2e_eventually grep -q 'by the way' "$program/defaultkeys.qvb"

e2e_check imported-trigger-fires e2e_typed_gives "qbtw " "by the way "

ui menu 151
e2e_check undo-import-takes-the-rows-back e2e_until_prints 13 ui count main
e2e_check undone-trigger-stays-typed e2e_typed_gives "qbtw " "qbtw "

e2e_summary
