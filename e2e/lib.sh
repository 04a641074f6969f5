# Helpers for the end-to-end scripts that drive the Windows build under Wine on a
# virtual X display. Source this file; it sets no shell options of its own.
#
# State that must survive command substitution (e.g. wid=$(e2e_start_target r))
# lives in files under $E2E_STATE, not in shell variables. The EXIT trap set
# here stops everything started; a script that needs its own EXIT trap must call
# e2e_cleanup from it.

E2E_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
E2E_STATE=$(mktemp -d "${TMPDIR:-/tmp}/quorvel-e2e.XXXXXX")
E2E_PASSED=0
E2E_FAILED=0
E2E_TARGET_TITLE='Quorvel Test Target'
# shellcheck disable=SC2034 # for the suites' screenshots
SHOTS="$E2E_ROOT/build/screenshots"
SETTINGS='HKCU\Software\VB and VBA Program Settings'
: >"$E2E_STATE/pids"

e2e_log() { printf '[e2e %s] %s\n' "$(date +%T)" "$*" >&2; }

# Seconds since the epoch with milliseconds, for timings.
e2e_now() { date +%s.%3N; }

# A text of LENGTH characters (3,000), lines numbered so that a lost or doubled
# piece shows.
e2e_long_text() {
    local long="" i
    for ((i = 1; ${#long} < ${1:-3000}; i++)); do
        long+="Line $i of The Long Text, 0-9 Whole. "
    done
    printf '%s' "${long:0:${1:-3000}}"
}
e2e_elapsed() { awk -v a="$1" -v b="$(e2e_now)" 'BEGIN { printf "%.1f", b - a }'; }

e2e_track_pid() { echo "$1" >>"$E2E_STATE/pids"; }

# Everything started here goes at exit: our pids, then this prefix's wine
# processes, then the display. Silent, so the summary stays the last line.
e2e_cleanup() {
    local pid dir
    tac "$E2E_STATE/pids" | while read -r pid; do kill "$pid" 2>/dev/null; done
    [ -z "${WINEPREFIX:-}" ] || [ ! -f "$E2E_STATE/prefix" ] || timeout 10 wineserver -k >/dev/null 2>&1
    [ ! -f "$E2E_STATE/xvfb.pid" ] || kill "$(cat "$E2E_STATE/xvfb.pid")" 2>/dev/null
    [ ! -f "$E2E_STATE/read-only" ] || while read -r dir; do e2e_writable_again "$dir"; done \
        <"$E2E_STATE/read-only"
    if [ "${E2E_KEEP:-0}" = 1 ]; then
        e2e_log "kept $E2E_STATE"
    else
        rm -rf "$E2E_STATE"
    fi
}
trap e2e_cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

# Starts Xvfb on a display number it finds free itself, and exports DISPLAY once
# the server takes connections (it writes the number then).
e2e_start_display() {
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$E2E_STATE/display" \
        >"$E2E_STATE/xvfb.log" 2>&1 &
    echo $! >"$E2E_STATE/xvfb.pid"
    E2E_TRIES=100 e2e_eventually test -s "$E2E_STATE/display" || {
        e2e_log "no X display could be started"
        return 1
    }
    DISPLAY=":$(cat "$E2E_STATE/display")"
    export DISPLAY
    e2e_log "display $DISPLAY up"
}

# Waits until every program of this prefix has ended, at most SECONDS (60); a
# program that will not end is killed, so that it cannot hold the run up.
e2e_wine_ended() {
    local seconds=${1:-60}
    timeout "$seconds" wineserver -w && return 0
    e2e_log "Wine programs still running after ${seconds}s: killed"
    timeout 10 wineserver -k >/dev/null 2>&1
    return 1
}

# Creates a fresh Wine prefix in DIR and exports the variables every later
# wine call needs.
e2e_fresh_prefix() {
    local dir=$1 start
    mkdir -p "$dir"
    export WINEPREFIX
    WINEPREFIX=$(cd "$dir" && pwd)
    export WINEDEBUG=-all
    # No prompts to install Mono or Gecko, and no menu entries or icons in the
    # real home folder for the Start-menu links that programs make.
    export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
    # Wine takes its code page and user locale from the Unix locale: en_US.UTF-8
    # gives Windows-1252 and English (United States), as a Western Windows has.
    if ! locale -a 2>/dev/null | grep -qxiE 'en_US\.utf-?8'; then
        e2e_log "the en_US.UTF-8 locale is missing: run scripts/install-deps.sh"
        return 1
    fi
    export LANG=en_US.UTF-8 LC_ALL=en_US.UTF-8
    echo "$WINEPREFIX" >"$E2E_STATE/prefix"
    start=$(e2e_now)
    wine wineboot -i >"$E2E_STATE/wineboot.log" 2>&1 || {
        e2e_log "wineboot failed:"
        tail -n 20 "$E2E_STATE/wineboot.log" >&2
        return 1
    }
    e2e_wine_ended 120 || return 1
    e2e_log "prefix $WINEPREFIX ready in $(e2e_elapsed "$start")s"
}

# Without a window manager X draws no title bars; Wine then draws its own, with
# the window's icon, in screenshots too. For programs started after this.
e2e_wine_draws_title_bars() { e2e_reg_add 'HKCU\Software\Wine\X11 Driver' Decorated N; }

# Unix path to the Windows form of it (Z:\...).
e2e_winpath() { winepath -w "$1" 2>/dev/null; }

# Starts a Windows program in the background; its output goes to a log.
# Prints the pid.
e2e_spawn() {
    wine "$@" >"$E2E_STATE/spawn.$(date +%s%N).log" 2>&1 </dev/null &
    e2e_track_pid $!
    echo $!
}

# Focuses the window and waits until X reports it focused.
e2e_focus() { xdotool windowfocus --sync "$1" >/dev/null 2>&1; }

# Starts the test target writing to REPORT, focuses it and prints its window id.
# The helper programs are in $E2E_TOOLS (e2e_build_quorvel sets it).
e2e_start_target() {
    local report=$1 exe start wid
    exe="${E2E_TOOLS:-$E2E_ROOT/build/windows/e2e/bin}/quorvel_test_target.exe"
    rm -f "$report"
    start=$(e2e_now)
    e2e_spawn "$exe" "$(e2e_winpath "$report")" >"$E2E_STATE/target.pid"
    if ! wid=$(E2E_TRIES=100 e2e_eventually e2e_target_window "$report"); then
        e2e_log "test target window did not appear within 20 s ($exe)"
        return 1
    fi
    e2e_focus "$wid" || {
        e2e_log "could not focus the test target"
        return 1
    }
    e2e_log "test target $wid up in $(e2e_elapsed "$start")s"
    echo "$wid"
}

# The test target's window writing to REPORT, once its first, empty, report is
# written: the first such window, or the first other than EXCEPT.
e2e_target_window() {
    [ -f "$1" ] && xdotool search --name "^$E2E_TARGET_TITLE\$" | grep -vx "${2:-none}" | head -n 1 | grep .
}

# Runs the driver of Quorvel's windows, the test target and the clipboard
# (e2e/tools/ui_driver.cpp), from the folder in $tools.
ui() { wine "$tools/ui_driver.exe" "$@" 2>>"$E2E_STATE/driver.log" </dev/null | tr -d '\r'; }

# Compares and says what differed.
same() {
    [ "$1" = "$2" ] && return 0
    printf 'expected: %s\nreceived: %s\n' "$1" "$2" >&2
    return 1
}

contains() {
    [[ "$1" == *"$2"* ]] && return 0
    printf 'missing: %s\nin: %s\n' "$2" "$1" >&2
    return 1
}

# e2e_reg_add KEY NAME DATA [TYPE]: writes a registry value, REG_SZ by default.
e2e_reg_add() { wine reg add "$1" /v "$2" /t "${4:-REG_SZ}" /d "$3" /f >/dev/null 2>&1; }

# Writes one of Quorvel's settings: e2e_setting 'Quorvel\opts' Boost True.
e2e_setting() { e2e_reg_add "$SETTINGS\\$1" "$2" "$3"; }

# A shortcut file made by make_shortcut_file with the given arguments, settings
# for a start without the start-up question and hidden in the tray (where its
# window cannot lie over the target), and the test target writing to $report.
# Sets report and wid; the file as made is kept as made.qvb in the state folder.
e2e_typing_files() {
    "$E2E_ROOT/build/linux/make_shortcut_file" "$program/defaultkeys.qvb" "$@" || return 1
    cp "$program/defaultkeys.qvb" "$E2E_STATE/made.qvb"
    e2e_setting 'Quorvel\StartUpQ' StartUpOpt 1
    e2e_setting 'Quorvel\opts' RunMinimized True
    report="$E2E_STATE/target-report.txt"
    wid=$(e2e_start_target "$report")
}

# The build, a display, a fresh prefix with Quorvel's folder, e2e_typing_files
# with the arguments, the suite's before_start when it has one, and Quorvel
# started; a failure ends the suite.
e2e_typing_suite() {
    local start
    e2e_build_quorvel || e2e_abort build "the Windows build or make_shortcut_file failed"
    { e2e_quorvel_prefix && e2e_typing_files "$@"; } ||
        e2e_abort setup "no display, Wine prefix, shortcut file or test target"
    [ "$(type -t before_start)" != function ] || before_start || e2e_abort setup "before_start failed"
    start=$(e2e_now)
    e2e_start_quorvel || e2e_abort start "Quorvel did not start"
    e2e_log "Quorvel started in $(e2e_elapsed "$start")s"
}

# Starts Quorvel and waits until its window takes commands. With $timing set,
# Quorvel writes its figures there (see e2e_fresh_timing).
e2e_start_quorvel() {
    if [ -n "${timing:-}" ]; then
        QUORVEL_HOOK_TIMING_FILE=$(e2e_winpath "$timing")
        export QUORVEL_HOOK_TIMING_FILE
    fi
    e2e_spawn 'C:\quorvel\quorvel.exe' >"$E2E_STATE/quorvel.pid"
    # Some tests kill it on purpose: no "Killed" line from the shell for it.
    disown
    E2E_TRIES=100 e2e_eventually ui menu 0
}

# The Linux process of the quorvel.exe started last: Wine runs the program in
# the process it was started as.
quorvel_pid() { cat "$E2E_STATE/quorvel.pid"; }

# Ends Quorvel at once, as a crash or a power cut would, and waits until it is gone.
kill_quorvel() {
    kill -9 "$(quorvel_pid)" 2>/dev/null
    e2e_quorvel_gone
}

# Help > Load Samples, its message answered, then File Save.
e2e_load_and_save_samples() {
    ui menu 300 >/dev/null
    ui answer OK >/dev/null
    ui menu 101 >/dev/null
}

# The entries in a shortcut file: a record byte ends each, and the list.
e2e_entries_in() { echo $(($(tr -cd '\001' <"$1" | wc -c) - 1)); }

# Empties the target from a fresh typing state: Return ends whatever was typed
# (Quorvel forgets letters and modifiers on it), then, once the Return has
# arrived (Quorvel holds keys typed while a send is on its way, so it may come
# late), the box is emptied without the keyboard.
e2e_reset_target() {
    local before
    e2e_click "$wid"
    before=$(wc -c <"$report")
    e2e_key Return
    e2e_eventually eval '[ "$(wc -c <"$report")" -gt "$before" ]' >/dev/null 2>&1
    ui clear-target
    e2e_wait_report "$report" "" 10
}

# e2e_typed_gives TEXT EXPECTED [KEY]...: types TEXT, then presses the keys,
# into an empty target, which must then hold exactly EXPECTED.
e2e_typed_gives() {
    local text=$1 expected=$2
    shift 2
    e2e_reset_target || return 1
    [ -z "$text" ] || e2e_type "$text"
    [ $# -eq 0 ] || e2e_key "$@"
    e2e_wait_report "$report" "$expected" 10
}

# Options, Boost: turning it on asks first, and is answered Yes.
e2e_boost() {
    ui menu 202
    [ "$1" = off ] || e2e_answer_question
}

# Waits for Quorvel's next write of the figures to $timing, the file it writes
# every two seconds when QUORVEL_HOOK_TIMING_FILE names it (counts and durations
# only, never keys), and keeps that write in $timing.seen: each write empties
# the file for a moment.
e2e_fresh_timing() {
    rm -f "$timing" "$timing.seen"
    e2e_eventually e2e_timing_whole && return 0
    e2e_log "no figures from Quorvel; the file holds: $(cat "$timing" 2>&1)"
    return 1
}
e2e_timing_whole() {
    local line
    line=$(grep -E $'^events .* refused [0-9]+\r?$' "$timing") &&
        printf '%s\n' "${line%$'\r'}" >"$timing.seen"
}

# A figure of the write e2e_fresh_timing kept.
e2e_timing_field() {
    awk -v name="$1" '{ for (i = 1; i < NF; i++) if ($i == name) print $(i + 1) }' "$timing.seen" \
        2>/dev/null
}

# Answers the question box Quorvel shows (its caption is "Quorvel") with its
# default button, Yes, and waits until it is gone.
e2e_answer_question() {
    local box
    box=$(e2e_visible_window '^Quorvel$') || return 1
    e2e_focus "$box"
    e2e_key Return
    e2e_eventually eval '! e2e_visible_window_now "^Quorvel\$" >/dev/null'
}

# The X window of the first visible window whose title matches, waiting until
# there is one: X maps a window a moment after Wine shows it.
e2e_visible_window() { e2e_eventually e2e_visible_window_now "$1"; }
e2e_visible_window_now() {
    xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1 | grep .
}

# e2e_shot XWINDOW FILE: saves a picture of the X window (or "root") in FILE once
# it is drawn, that is once two pictures taken in a row come out the same.
e2e_shot() {
    rm -f "$E2E_STATE/shot.ppm" "$E2E_STATE/shot-before.ppm"
    e2e_eventually e2e_shot_steady "$1" || return 1
    convert "$E2E_STATE/shot.ppm" "$2"
}
e2e_shot_steady() {
    [ -f "$E2E_STATE/shot.ppm" ] && mv "$E2E_STATE/shot.ppm" "$E2E_STATE/shot-before.ppm"
    import -window "$1" "ppm:$E2E_STATE/shot.ppm" 2>/dev/null &&
        cmp -s "$E2E_STATE/shot.ppm" "$E2E_STATE/shot-before.ppm"
}

# e2e_click WINDOW [DX DY]: clicks into the window, as a person would, DX from
# its left edge (from its right one when negative) and DY from its bottom,
# or into its middle. After one of Quorvel's dialogs closes or a started
# program exits, Wine passes keys only to a window activated this way;
# focusing it through X is not enough.
e2e_click() {
    local X Y WIDTH HEIGHT SCREEN WINDOW dx=${2:-} dy=${3:-}
    eval "$(xdotool getwindowgeometry --shell "$1")"
    ((dx < 0)) && dx=$((WIDTH + dx))
    xdotool mousemove $((X + ${dx:-WIDTH / 2})) $((Y + HEIGHT - ${dy:-HEIGHT / 2})) click 1
    e2e_focus "$1"
}

e2e_type() { xdotool type --delay 30 -- "$1"; }
e2e_key() { xdotool key --delay 30 -- "$@"; }

# Texts no output may show, such as a typed password: whatever is printed
# through e2e_mask_secrets (every failed report check is) has each of them, in
# any case, replaced by as many asterisks.
E2E_SECRETS=()

e2e_mask_secrets() {
    E2E_SECRET_LIST=$(printf '%s\n' "${E2E_SECRETS[@]}") LC_ALL=C awk '
        BEGIN { count = split(tolower(ENVIRON["E2E_SECRET_LIST"]), secrets, "\n") }
        {
            for (n = 1; n <= count; n++) {
                stars = secrets[n]
                gsub(/./, "*", stars)
                while (stars != "" && (at = index(tolower($0), secrets[n])) > 0)
                    $0 = substr($0, 1, at - 1) stars substr($0, at + length(stars))
            }
            print
        }'
}

# Shows bytes with \r, \n and \t spelled out, one report line per output line.
e2e_show_bytes() { e2e_mask_secrets | LC_ALL=C sed -n l; }

# Waits until REPORT holds exactly EXPECTED (bytes, CR LF included), TIMEOUT
# seconds (10) at most by the clock, however busy the machine.
e2e_wait_report() {
    local report=$1 expected=$2 timeout_s=${3:-10} deadline
    deadline=$(($(date +%s%N) + timeout_s * 1000000000))
    until [ -f "$report" ] && cmp -s "$report" <(printf '%s' "$expected"); do
        if [ "$(date +%s%N)" -ge "$deadline" ]; then
            {
                echo "report did not match within ${timeout_s}s"
                diff -u --label expected --label received \
                    <(printf '%s' "$expected" | e2e_show_bytes) \
                    <(if [ -f "$report" ]; then e2e_show_bytes <"$report"; fi)
            } >&2
            return 1
        fi
        sleep 0.05
    done
}

# Makes DIR a folder no one may write in, root included: root writes despite a
# folder's modes, but not into an immutable folder. Undone at exit. Fails when
# the folder can still be written.
e2e_read_only_folder() {
    mkdir -p "$1" && chmod a-w "$1" && echo "$1" >>"$E2E_STATE/read-only" || return 1
    if touch "$1/probe" 2>/dev/null; then
        rm -f "$1/probe"
        chattr +i "$1" 2>/dev/null
    fi
    ! touch "$1/probe" 2>/dev/null
}

e2e_writable_again() {
    chattr -i "$1" 2>/dev/null
    chmod u+w "$1" 2>/dev/null
}

# Runs the command until it succeeds, E2E_TRIES times at most a fifth of a
# second apart (50 by default: ten seconds), then once more with what it says
# shown.
e2e_eventually() {
    local tries
    for ((tries = 0; tries < ${E2E_TRIES:-50}; tries++)); do
        "$@" 2>/dev/null && return 0
        sleep 0.2
    done
    "$@"
}

# Runs a reading until it prints EXPECTED, as often as e2e_eventually tries;
# says what it printed last when it never does.
e2e_until_prints() { e2e_eventually e2e_prints "$@"; }
e2e_prints() { same "$1" "$("${@:2}")"; }

# Waits until Wine has ended the quorvel.exe that exited or was killed: its
# main window is gone, and with it whatever the system still did on its behalf.
e2e_quorvel_gone() { e2e_eventually eval '! ui menu 0 2>/dev/null'; }

# Waits until the Linux process PID has ended.
ended_within() { e2e_eventually eval "! kill -0 $1 2>/dev/null"; }

# Points at the icon in Wine's notification area (a window of its own at the top
# left of the screen), nudged so that its tip shows, until the tip reads TIP.
e2e_tray_tip_shows() {
    local tx ty tw th
    read -r tx ty tw th < <(ui tray-rect)
    xdotool mousemove $((tx + tw / 2)) $((ty + th / 2)) sleep 0.2 mousemove_relative 1 0
    e2e_until_prints "$1" ui tooltip
}

# Runs a check and records it under NAME: passed when the command succeeds.
e2e_check() {
    local name=$1
    shift
    if "$@"; then e2e_pass "$name"; else e2e_fail "$name" "see above"; fi
}

# e2e_rows [COMMAND...] <<'ROWS': a table of cases, one a line: a name, then
# COMMAND's arguments, as shell words ($'...' and variables too). By default a
# row is TYPED EXPECTED [KEY...] (e2e_typed_gives). Read whole first: the
# commands may read standard input.
e2e_rows() {
    local rows row
    local -a words
    mapfile -t rows
    for row in "${rows[@]}"; do
        [[ $row =~ ^[[:space:]]*(#|$) ]] && continue
        eval "words=($row)"
        e2e_check "${words[0]}" "${@:-e2e_typed_gives}" "${words[@]:1}"
    done
}

# Prints a value Quorvel keeps in the registry: e2e_reg_query 'Quorvel\opts' Boost.
e2e_reg_query() {
    wine reg query "$SETTINGS\\$1" /v "$2" 2>/dev/null |
        tr -d '\r' | awk -v key="$2" '$1 == key { $1 = ""; $2 = ""; sub(/^  /, ""); print }'
}

# Builds the Windows edition with its helper programs, and the Linux tool that
# writes shortcut files; the log goes to the state folder. Exports E2E_TOOLS and
# sets tools.
e2e_build_quorvel() {
    e2e_log "building"
    { cmake --preset windows && cmake --build --preset windows &&
        cmake --preset linux && cmake --build --preset linux --target make_shortcut_file; } \
        >"$E2E_STATE/build.log" 2>&1 || {
        tail -n 30 "$E2E_STATE/build.log" >&2
        return 1
    }
    export E2E_TOOLS="$E2E_ROOT/build/windows/e2e/bin"
    tools=$E2E_TOOLS
}

# A display, a fresh Wine prefix, and Quorvel's folder C:\quorvel holding
# quorvel.exe. Sets program to that folder.
e2e_quorvel_prefix() {
    e2e_start_display || return 1
    e2e_fresh_prefix "$E2E_STATE/wineprefix" || return 1
    program="$WINEPREFIX/drive_c/quorvel"
    mkdir -p "$program" && cp "$E2E_ROOT/build/windows/quorvel.exe" "$program/"
}

e2e_pass() {
    E2E_PASSED=$((E2E_PASSED + 1))
    echo "PASS: $1"
}

e2e_fail() {
    E2E_FAILED=$((E2E_FAILED + 1))
    echo "FAIL: $1${2:+: $2}"
}

# A step the rest cannot go without failed: records it and ends the script.
e2e_abort() {
    e2e_fail "$1" "$2"
    e2e_summary
    exit 1
}

# Prints the closing line; non-zero when anything failed.
e2e_summary() {
    echo "$E2E_PASSED passed, $E2E_FAILED failed"
    [ "$E2E_FAILED" -eq 0 ]
}
