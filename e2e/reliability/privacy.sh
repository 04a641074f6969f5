#!/usr/bin/env bash
# Types a unique secret that no shortcut matches while Quorvel runs, uses the
# program a little (a save, an option), ends it, then searches every file it
# could have written — its folder, the Wine prefix with its registry, the
# temporary folders, an export of the user's registry, and any other file
# changed meanwhile — for the secret, as typed and as UTF-16.
set -uo pipefail
cd "$(dirname "$0")/../.." || exit 1
# shellcheck source=e2e/lib.sh
source e2e/lib.sh

e2e_typing_suite --size 100 '{S}|KW|kilowatt hour'
e2e_click "$wid"

secret="zq$(od -An -N6 -tx1 /dev/urandom | tr -d ' \n')vx"
# A failed check shows the secret's length and place, never the secret.
E2E_SECRETS=("$secret")
touch "$E2E_STATE/typing-began"
e2e_type "my password is $secret "
e2e_type "kw "
e2e_key Return
e2e_type "${secret^^}"
e2e_key Tab
e2e_wait_report "$report" "my password is $secret kilowatt hour"$'\r\n'"${secret^^}"$'\t' 10 ||
    e2e_fail typing "the target did not get the text"
# File Save, into a file written afresh, and Run Minimized, a stored option
# (on since the start), each waited for.
rm -f "$program/defaultkeys.qvb"
ui menu 101 >/dev/null
e2e_eventually test -f "$program/defaultkeys.qvb" || e2e_fail save "File Save wrote no file"
ui menu 201 >/dev/null
e2e_until_prints False e2e_reg_query 'Quorvel\opts' RunMinimized || e2e_fail option "not stored"
# A few ticks of the timers and heartbeats with the secret typed.
sleep 2.5
kill_quorvel

wine reg export 'HKCU' "$(e2e_winpath "$E2E_STATE/hkcu.reg")" >/dev/null 2>&1
# Two planted copies, in capitals and in UTF-16, that the search must find.
canaries=("$program/canary.txt" "$program/canary-utf16.txt")
printf '%s' "${secret^^}" >"${canaries[0]}"
printf '%s' "$secret" | iconv -t UTF-16LE >"${canaries[1]}"
# Where Quorvel could write, and every other file changed since the typing began
# (its Z: drive reaches the whole file system).
{
    find "$WINEPREFIX" "$program" "${TMPDIR:-/tmp}" -type f -print0
    printf '%s\0' "$E2E_STATE/hkcu.reg"
    find / -xdev \( -path /proc -o -path /sys -o -path /dev \) -prune -o -type f \
        -newer "$E2E_STATE/typing-began" -size -200M -print0
} 2>/dev/null | sort -zu >"$E2E_STATE/searched"
# Also as UTF-16 (little-endian), the way Windows programs keep wide strings.
wide=$(printf '%s' "$secret" | sed 's/./&\\x00/g')
# The target's own report holds the secret by design; nothing else may, Quorvel's
# output included.
hits=$({
    xargs -0 -r grep -laiF -- "$secret" <"$E2E_STATE/searched"
    xargs -0 -r grep -laiP -- "$wide" <"$E2E_STATE/searched"
} 2>/dev/null | grep -vxF -e "$report" -e "$report.tmp" | sort -u)
found=$(grep -cxF -e "${canaries[0]}" -e "${canaries[1]}" <<<"$hits")
hits=$(grep -vxF -e "${canaries[0]}" -e "${canaries[1]}" <<<"$hits")
searched=$(tr -cd '\0' <"$E2E_STATE/searched" | wc -c)
e2e_log "searched $searched files: the prefix, Quorvel's folder, the temporary folders," \
    "the registry export and every file changed since the typing began"
e2e_check "search-finds-the-planted-copies ($found of 2)" test "$found" -eq 2
e2e_check "typed-secret-written-nowhere ($searched files)" same "" "$(e2e_mask_secrets <<<"$hits")"
e2e_summary
