#!/usr/bin/env bash
# Types a unique secret that no shortcut matches while Quorvel runs, uses the
# program a little (a save, an option), ends it, then searches every file it
# could have written — its folder, the Wine prefix with its registry, the
# temporary folders, an export of the user's registry — for the secret.
set -uo pipefail
cd "$(dirname "$0")/../.." || exit 1
# shellcheck source=e2e/lib.sh
source e2e/lib.sh
# shellcheck source=e2e/reliability/common.sh
source e2e/reliability/common.sh

reliability_build || { e2e_fail build "build failed"; e2e_summary; exit 1; }
reliability_setup 100 '{S}|KW|kilowatt hour' || { e2e_fail setup "set-up failed"; e2e_summary; exit 1; }
reliability_start_quorvel || { e2e_fail start "Quorvel did not start"; e2e_summary; exit 1; }
e2e_click "$wid"

secret="zq$(od -An -N6 -tx1 /dev/urandom | tr -d ' \n')vx"
e2e_type "my password is $secret "
e2e_type "kw "
e2e_key Return
e2e_type "${secret^^}"
e2e_key Tab
e2e_wait_report "$report" "my password is $secret kilowatt hour"$'\r\n'"${secret^^}"$'\t' 10 ||
    e2e_fail typing "the target did not get the text"
wine "$tools/send_command.exe" 101 >/dev/null 2>&1  # File Save
wine "$tools/send_command.exe" 201 >/dev/null 2>&1  # Run Minimized, a stored option
sleep 2.5                                           # timer ticks, heartbeats
kill_quorvel
sleep 1

wine reg export 'HKCU' "$(e2e_winpath "$E2E_STATE/hkcu.reg")" >/dev/null 2>&1
# The target's own report holds the secret by design; nothing else may.
hits=$(grep -rlaiF -- "$secret" "$WINEPREFIX" "$program" "$E2E_STATE/hkcu.reg" \
    "${TMPDIR:-/tmp}" 2>/dev/null | grep -vF "$report" | grep -vF "$E2E_STATE/target-report" |
    grep -vF "$E2E_STATE/spawn." | grep -v '/proc/')
searched=$(find "$WINEPREFIX" "$program" "${TMPDIR:-/tmp}" -type f 2>/dev/null | wc -l)
e2e_log "searched $searched files and the registry export"
if [ -z "$hits" ]; then
    e2e_pass "typed-secret-written-nowhere ($searched files)"
else
    e2e_fail typed-secret-written-nowhere "found in: $hits"
fi
e2e_summary
