#!/usr/bin/env bash
# The shortcut file at the two edges of a session. At logon another program (a
# sync tool, a virus scanner) holds it open: Quorvel says so, saves nothing
# over it, and reads it once it is let go. At logoff a save has failed: Windows
# asking whether the session may end gets a No until the save is made, and the
# session's end saves once more.
set -uo pipefail
cd "$(dirname "$0")/../.." || exit 1
# shellcheck source=e2e/lib.sh
source e2e/lib.sh

WmQueryEndSession=0x11
WmEndSession=0x16

e2e_build_quorvel || e2e_abort build "the Windows build or make_shortcut_file failed"
e2e_quorvel_prefix || e2e_abort setup "no display or Wine prefix"
file="$program/defaultkeys.qvb"
"$E2E_ROOT/build/linux/make_shortcut_file" "$file" --size 100 '{S}|KW|kilowatt hour' ||
    e2e_abort setup "no shortcut file"
cp "$file" "$E2E_STATE/made.qvb"
entries=$(e2e_entries_in "$file")
e2e_setting 'Quorvel\StartUpQ' StartUpOpt 1

# --- Held at logon ---------------------------------------------------------------
release="$E2E_STATE/release"
# Straight from the driver: through ui's filter its line would come only at its end.
wine "$tools/ui_driver.exe" hold-file 'C:\quorvel\defaultkeys.qvb' "$(e2e_winpath "$release")" \
    >"$E2E_STATE/held" 2>>"$E2E_STATE/driver.log" </dev/null &
holder=$!
e2e_eventually grep -q held "$E2E_STATE/held" || e2e_abort hold "the file could not be held open"
e2e_start_quorvel || e2e_abort start "Quorvel did not start"
told=$(ui answer OK)
e2e_check held-file-is-told contains "$told" "could not read your shortcuts"
e2e_check held-file-leaves-the-list-empty same 0 "$(ui count main)"
touch "$release"
wait "$holder"
e2e_check held-file-is-read-once-let-go e2e_until_prints "$entries" ui count main
e2e_check held-file-is-not-saved-over cmp "$file" "$E2E_STATE/made.qvb"

# --- A failed save at logoff -------------------------------------------------------
# Load Samples, then File Save into a folder that cannot be written.
e2e_read_only_folder "$program" || e2e_abort read-only "the program's folder stays writable"
e2e_load_and_save_samples
e2e_check failed-save-is-told contains "$(ui answer OK)" "could not be saved"
e2e_check session-end-is-held-up-while-the-save-fails \
    same 0 "$(ui send-answer main "$WmQueryEndSession" 0 0)"
e2e_check nothing-is-asked-at-the-session-end ui no-box
e2e_writable_again "$program"
ui send main "$WmEndSession" 1 0
# Saved by the time the end of the session has been handled (or by the retry
# before it), with the samples.
e2e_check session-end-saves eval '! cmp -s "$file" "$E2E_STATE/made.qvb" &&
    same "$(ui count main)" "$(e2e_entries_in "$file")"'
e2e_summary
