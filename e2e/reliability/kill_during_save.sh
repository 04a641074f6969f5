#!/usr/bin/env bash
# Kills quorvel.exe at random moments while it saves its shortcut file, many
# times, and checks that the file is always either the old or the new version.
#
# Usage: kill_during_save.sh [TIMES]   (default 50)
set -uo pipefail
cd "$(dirname "$0")/../.." || exit 1
# shellcheck source=e2e/lib.sh
source e2e/lib.sh
# shellcheck source=e2e/reliability/common.sh
source e2e/reliability/common.sh

times=${1:-50}
RANDOM=4242

reliability_build || { e2e_fail build "build failed"; e2e_summary; exit 1; }
reliability_setup 32767 || { e2e_fail setup "set-up failed"; e2e_summary; exit 1; }
file="$program/defaultkeys.qvb"
cp "$file" "$E2E_STATE/old.qvb"

# The new version: the old list with the samples loaded once more, saved whole.
reliability_start_quorvel || { e2e_fail start "Quorvel did not start"; e2e_summary; exit 1; }
wine "$tools/send_command.exe" 300 >/dev/null 2>&1  # Load Samples (its message stays up)
wine "$tools/send_command.exe" 101 >/dev/null 2>&1  # File Save
for ((tries = 0; tries < 50; tries++)); do
    cmp -s "$file" "$E2E_STATE/old.qvb" || break
    sleep 0.2
done
sleep 1
kill_quorvel
cp "$file" "$E2E_STATE/new.qvb"
if cmp -s "$E2E_STATE/old.qvb" "$E2E_STATE/new.qvb"; then
    e2e_fail new-version "saving did not change the file"
    e2e_summary
    exit 1
fi

old=0 new=0 bad=0
for ((round = 1; round <= times; round++)); do
    cp "$E2E_STATE/old.qvb" "$file"
    rm -f "$file".*tmp*
    reliability_start_quorvel || { bad=$((bad + 1)); continue; }
    # The commands go in the background, so that the kill can fall before, during
    # or after the save.
    { wine "$tools/send_command.exe" 300 && wine "$tools/send_command.exe" 101; } >/dev/null 2>&1 &
    commands=$!
    sleep "$(awk -v r="$RANDOM" 'BEGIN { printf "%.3f", (r % 1500) / 1000 }')"
    kill_quorvel
    wait "$commands"
    sleep 0.3
    if cmp -s "$file" "$E2E_STATE/old.qvb"; then
        old=$((old + 1))
    elif cmp -s "$file" "$E2E_STATE/new.qvb"; then
        new=$((new + 1))
    else
        bad=$((bad + 1))
        cp "$file" "$E2E_STATE/bad-$round.qvb"
    fi
done
e2e_log "$times kills: old file $old times, new file $new times, damaged $bad times"
if [ "$bad" -eq 0 ]; then
    e2e_pass "file-always-old-or-new ($times kills: $old old, $new new)"
else
    e2e_fail file-always-old-or-new "$bad damaged files"
fi
e2e_summary
