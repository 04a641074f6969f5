#!/usr/bin/env bash
# Kills quorvel.exe at random moments around a save of its shortcut file, many
# times, and checks that the file is always either the old or the new version.
#
# The file is large (32,767 entries of about a kilobyte) so that writing it takes
# long enough to be caught. Three kills in four wait for the temporary file of
# the save to appear, then a random moment up to a little longer than a save
# takes; the rest fall at a random moment between asking for the save and its
# start. After each kill the temporary file tells where it landed: still there,
# the kill fell inside the save; else the file is the old one (before) or the
# new one (after).
#
# Usage: kill_during_save.sh [TIMES]   (default 50)
set -uo pipefail
cd "$(dirname "$0")/../.." || exit 1
# shellcheck source=e2e/lib.sh
source e2e/lib.sh

times=${1:-50}
RANDOM=4242

# A short nap without starting a process: the read waits for input that never comes.
exec {nap_fd}<> <(:)
nap() { read -rt "$1" -u "$nap_fd"; }

now_ms() { echo $(($(date +%s%N) / 1000000)); }

# Runs the test until it holds, a millisecond apart; fails after TIMEOUT seconds.
soon() {
    local deadline=$(($(date +%s) + $1))
    until "${@:2}"; do
        (($(date +%s) > deadline)) && return 1
        nap 0.001 || :
    done
}

# Naps a random number of milliseconds below MS.
nap_below() { nap "$(awk -v r="$RANDOM" -v w="$1" 'BEGIN { printf "%.3f", (r % w) / 1000 }')"; }

# Load Samples (its message stays up, which does not hold up the next
# command), then File Save: the old list with the samples once more, saved whole.
ask_for_save() { ui menu 300 && ui menu 101; }

# Asks for a save, runs the command that waits for the moment, and kills Quorvel.
save_killed_after() {
    local commands
    ask_for_save >/dev/null 2>&1 &
    commands=$!
    "$@"
    kill_quorvel
    # Only the commands: a bare wait would wait for Quorvel too.
    wait "$commands"
}
is_old() { cmp -s "$file" "$E2E_STATE/made.qvb"; }
is_new() { cmp -s "$file" "$E2E_STATE/new.qvb"; }

# The old version is the file as made (made.qvb).
e2e_typing_suite --size 32767 --text-size 1000
file="$program/defaultkeys.qvb"
temporary="$file.quorvel-tmp"

# The new version; how long it takes from asking for a save to its start (its
# temporary file appearing), and from there to its end (that file replacing the
# old one).
timed_save() {
    soon 60 test -e "$temporary" || e2e_abort new-version "no save started"
    save_start=$(now_ms)
    ask_ms=$((save_start - asked))
    soon 60 test ! -e "$temporary"
    save_ms=$(($(now_ms) - save_start))
}
asked=$(now_ms)
save_killed_after timed_save
cp "$file" "$E2E_STATE/new.qvb"
is_old && e2e_abort new-version "saving did not change the file"
e2e_log "a save of $(stat -c %s "$E2E_STATE/new.qvb") bytes starts $ask_ms ms after it is" \
    "asked for and takes $save_ms ms"

# One kill in four before the save's start, the others inside it or just after.
aimed_anywhere() {
    if ((RANDOM % 4 == 0)); then
        nap_below $((ask_ms + 1))
    elif soon 30 test -e "$temporary"; then
        nap_below $((save_ms + 20))
    fi
}
before=0 during=0 after=0 bad=0
for ((round = 1; round <= times; round++)); do
    cp "$E2E_STATE/made.qvb" "$file"
    rm -f "$temporary"
    e2e_start_quorvel || {
        bad=$((bad + 1))
        e2e_log "round $round: Quorvel did not start"
        continue
    }
    save_killed_after aimed_anywhere
    if [ -e "$temporary" ]; then
        during=$((during + 1))
    elif is_old; then
        before=$((before + 1))
    elif is_new; then
        after=$((after + 1))
    fi
    is_old || is_new || {
        bad=$((bad + 1))
        cp "$file" "$E2E_STATE/bad-$round.qvb"
    }
done
e2e_log "$times kills: $before before the save, $during during it, $after after it;" \
    "$bad damaged files"
e2e_check "file-always-old-or-new ($bad damaged of $times)" test "$bad" -eq 0
# Kills that all fell outside the save would prove nothing about it.
e2e_check "kills-inside-the-save ($during of $times)" \
    eval '[ "$during" -ge $((times / 10)) ] && [ "$during" -gt 0 ]'

# A file with a second name (a hard link, as some package managers keep user
# data) is written over in place, so that both names keep it: a kill in the
# middle may tear it, and the next start finishes the save from the new
# contents left whole beside it. Both names then hold the old or the new file.
other_name="$E2E_STATE/other-name.qvb"
new_size=$(stat -c %s "$E2E_STATE/new.qvb")
whole_beside() { [ "$(stat -c %s "$temporary" 2>/dev/null)" = "$new_size" ]; }
# Aimed at the write in place, which starts once the new contents are whole beside.
aimed_in_place() { soon 30 whole_beside && nap_below $((save_ms / 2 + 1)); }
linked_rounds=$((times / 5 + 1))
bad=0 torn=0
for ((round = 1; round <= linked_rounds; round++)); do
    rm -f "$file" "$temporary" "$other_name"
    cp "$E2E_STATE/made.qvb" "$file"
    ln "$file" "$other_name"
    e2e_start_quorvel || { bad=$((bad + 1)); continue; }
    save_killed_after aimed_in_place
    is_old || is_new || torn=$((torn + 1))
    # The next start finishes what the kill cut off, as it reads the file.
    e2e_start_quorvel && E2E_TRIES=150 e2e_eventually test ! -e "$temporary"
    kill_quorvel
    if ! { is_old || is_new; } || ! cmp -s "$file" "$other_name" || [ -e "$temporary" ]; then
        bad=$((bad + 1))
        cp "$file" "$E2E_STATE/bad-linked-$round.qvb"
    fi
done
e2e_log "$linked_rounds kills of a save over a file with two names: $torn left it torn," \
    "$bad not old or new after the next start"
e2e_check "two-names-both-old-or-new ($bad of $linked_rounds)" test "$bad" -eq 0

# A symbolic link stays a link: its target takes the save, hidden as it was.
target="$E2E_STATE/link-target.qvb"
rm -f "$file" "$temporary" "$other_name"
cp "$E2E_STATE/made.qvb" "$target"
ln -s "$target" "$file"
e2e_start_quorvel || e2e_abort link "Quorvel did not start on a linked file"
ask_for_save >/dev/null 2>&1
saved_through_link() { [ -L "$file" ] && cmp -s "$target" "$E2E_STATE/new.qvb"; }
e2e_check symbolic-link-kept-and-its-target-saved e2e_eventually saved_through_link
kill_quorvel
e2e_summary
