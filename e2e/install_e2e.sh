#!/usr/bin/env bash
# What a Windows user downloads, under Wine in a fresh prefix: the packages of
# scripts/package.sh and the resources of the program in them; a silent install
# for the current user; Quorvel started from its Start-menu link, expanding a
# shortcut and answering Yes to the start-with-Windows question; its icon on its
# windows and in the notification area; silent uninstalls that keep the user's
# data or remove everything; and the zip's program in a folder whose path has
# blanks and letters beyond the ANSI code page.
set -uo pipefail
cd "$(dirname "$0")/.." || exit 1
# shellcheck source=e2e/lib.sh
source e2e/lib.sh

UNINSTALL_KEY='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Quorvel'
SAMPLES=13

# shows_icon TITLE SHOT X Y W H: the window titled TITLE, in a screenshot saved
# as SHOT, shows the icon's orange (30 pixels or more) in that region; at 0 0
# 24 24, the icon on the title bar, which Wine draws itself here.
shows_icon() {
    local xid
    xid=$(e2e_visible_window_now "$1") && import -window "$xid" "$2" 2>/dev/null || return 1
    # A pixel a line, "X,Y: (R,G,B...": after the header, fields 3 to 5 are R, G and B.
    convert "$2" -crop "$5x$6+$3+$4" +repage -depth 8 txt:- 2>/dev/null | awk -F '[(,)]' \
        'NR > 1 && $3 >= 200 && $4 >= 60 && $4 <= 160 && $5 <= 80 { n++ } END { exit n < 30 }'
}

# The samples read back.
shows_samples() { e2e_until_prints "$SAMPLES" ui count main; }

# The zip's program started from the Windows path EXE, once with the samples
# saved (where SAVED_CHECK looks) and once again to read them; NAME prefixes the
# checks. With ANSWER_FIRST, the box it shows at each start must read so (and
# be shown once).
zip_program_keeps_samples() {
    local name=$1 exe=$2 told=${4:-}
    e2e_spawn "$exe" >/dev/null
    [ -z "$told" ] || e2e_check "$name-tells-where" same "$told" "$(ui answer OK)"
    e2e_check "$name-starts" eval 'ui wait-visible main 30 >/dev/null'
    ui wait-visible startup 10 >/dev/null && ui click startup noButton
    e2e_load_and_save_samples
    e2e_check "$name-saves" e2e_eventually eval "$3"
    exit_quorvel
    e2e_spawn "$exe" >/dev/null
    ui wait-visible main 30 >/dev/null
    e2e_check "$name-reads-its-shortcuts" shows_samples
    [ -z "$told" ] || e2e_check "$name-tells-once" ui no-box
    exit_quorvel
}

# Exit, answered Yes; returns once the program has ended.
exit_quorvel() {
    ui click main exitButton
    ui answer Yes >/dev/null
    e2e_quorvel_gone
}

# Every trace of Quorvel that an uninstall must remove; prints what it finds. The
# program's folder, both links and the Start-menu folder are named "Quorvel".
leftovers() {
    local name
    find "$WINEPREFIX/drive_c" \( -iname '*quorvel*' -o -iname 'defaultkeys*' \) -printf 'file: %p\n'
    find "$temp_dir" -mindepth 1 -maxdepth 1 -iname '~nsu*' -printf 'uninstaller copy: %p\n'
    for key in "$UNINSTALL_KEY" "$SETTINGS\\Quorvel" "$SETTINGS\\Quorvel 2.1" "$SETTINGS"; do
        wine reg query "$key" >/dev/null 2>&1 && echo "registry key: $key"
    done
    # The registry files, written when the prefix's last process has ended.
    timeout 60 wineserver -w
    # Each line found is named with its key, so that a check may leave out the
    # settings kept on purpose (their values may name quorvel too).
    for name in user.reg userdef.reg system.reg; do
        awk -v file="$name" '/^\[/ { key = $0 }
            tolower($0) ~ /quorvel|defaultkeys/ {
                print "registry " file ": " NR ": " ($0 ~ /^\[/ ? "" : key " ") $0 }' \
            "$WINEPREFIX/$name"
    done
}

# The Linux process of a quorvel.exe running in this suite's prefix (other
# suites may run their own at the same time); none when there is none. Wine maps
# the program from the prefix's drive_c; an ended process maps nothing.
running_quorvel() {
    local pid
    for pid in $(pgrep -i -f 'quorvel\.exe'); do
        grep -qF "$WINEPREFIX/drive_c/" "/proc/$pid/maps" 2>/dev/null && echo "$pid" && return
    done
}

install_silently() {
    wine "$setup_win" /S >"$E2E_STATE/setup.log" 2>&1 </dev/null
}

uninstall_silently() {
    wine "$install_win\\uninstall.exe" /S "$@" >"$E2E_STATE/uninstall.log" 2>&1 </dev/null
    # It goes on in a copy of itself, and a last process deletes that copy.
    timeout 60 wineserver -w
}

# --- The packages ----------------------------------------------------------
e2e_log "building the packages"
if ! scripts/package.sh >"$E2E_STATE/package.log" 2>&1 ||
    ! cmake --build --preset windows >>"$E2E_STATE/package.log" 2>&1; then
    tail -n 30 "$E2E_STATE/package.log" >&2
    e2e_abort packages "scripts/package.sh failed"
fi
tools="$E2E_ROOT/build/windows/e2e/bin"
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/windows/CMakeCache.txt)
zip="$E2E_ROOT/dist/quorvel-$version-win64.zip"
setup="$E2E_ROOT/dist/quorvel-$version-setup.exe"
# scripts/package.sh has checked the manifests against their schemas and these downloads.
e2e_log "packages: $(cd dist && ls -s --block-size=K "${zip##*/}" "${setup##*/}" | tr '\n' ' ')"

e2e_check zip-holds-program-readme-licence same \
    $'Quorvel/\nQuorvel/LICENSE.txt\nQuorvel/README.txt\nQuorvel/quorvel.exe' "$(unzip -Z1 "$zip" | sort)"

unzipped="$E2E_STATE/unzipped"
unzip -q "$zip" -d "$unzipped"
exe="$unzipped/Quorvel/quorvel.exe"
# The icon group as an icon file, which lists each of its images with its width.
wrestool -x --type=group_icon "$exe" >"$E2E_STATE/program.ico"
icon_sizes=$(icotool -l "$E2E_STATE/program.ico" | sed -n 's/.*--width=\([0-9]*\).*/\1/p' | xargs)
e2e_check icon-sizes same "16 20 24 32 48 256" "$icon_sizes"
# The version block's UTF-16 strings, names and values in turn.
version_strings="|$(wrestool -x --raw --type=version "$exe" | strings -e l | tr '\n' '|')"
for pair in "CompanyName|The Quorvel developers" "ProductName|Quorvel" "FileVersion|$version" \
    "ProductVersion|$version"; do
    e2e_check "version ${pair%%|*}" contains "$version_strings" "|$pair|"
done
manifest=$(wrestool -x --raw --type=24 "$exe" | tr -s '[:space:]' ' ')
for entry in 'name="Microsoft.Windows.Common-Controls" version="6.0.0.0"' \
    '>PerMonitorV2, PerMonitor<' '>true/pm<' 'level="asInvoker"' \
    'supportedOS Id="{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"'; do
    e2e_check "manifest $entry" contains "$manifest" "$entry"
done

# --- Silent install in a fresh prefix ----------------------------------------
e2e_start_display || e2e_abort display "Xvfb did not start"
e2e_fresh_prefix "$E2E_STATE/wineprefix" || e2e_abort prefix "wineboot failed"
e2e_wine_draws_title_bars
setup_win=$(e2e_winpath "$setup")
user_dir="$WINEPREFIX/drive_c/users/$(whoami)"
install_dir="$user_dir/AppData/Local/Programs/Quorvel"
install_win='C:\users\'"$(whoami)"'\AppData\Local\Programs\Quorvel'
programs_link="$user_dir/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Quorvel/Quorvel.LNK"
startup_link="$user_dir/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/StartUp/Quorvel.LNK"
temp_dir="$user_dir/Temp"

start=$(e2e_now)
e2e_check silent-install install_silently
e2e_log "installed in $(e2e_elapsed "$start")s"
e2e_check installed-files same "LICENSE.txt quorvel.exe README.txt uninstall.exe" \
    "$(ls "$install_dir" 2>/dev/null | xargs)"
e2e_check programs-link test -f "$programs_link"
for value in "DisplayName Quorvel" "DisplayVersion $version" "Publisher The Quorvel developers" \
    "InstallLocation $install_win" "UninstallString \"$install_win\\uninstall.exe\""; do
    e2e_check "apps-and-features ${value%% *}" same "${value#* }" \
        "$(wine reg query "$UNINSTALL_KEY" /v "${value%% *}" 2>/dev/null | tr -d '\r' |
            sed -n "s/^ *${value%% *} *REG_SZ *//p")"
done

# --- Started from the Start-menu link ----------------------------------------
report="$E2E_STATE/typed.txt"
wid=$(e2e_start_target "$report") || e2e_abort target "test target did not start"
wine start /unix "$programs_link" >/dev/null 2>&1 </dev/null
e2e_check started-from-link eval 'ui wait-visible main 30 >/dev/null'
e2e_check startup-question-asked eval 'ui wait-visible startup 10 >/dev/null'
e2e_check main-window-icon e2e_eventually shows_icon '^Quorvel 2\.1 - ' \
    "$E2E_STATE/main-window.png" 0 0 24 24
e2e_check startup-question-icon e2e_eventually shows_icon '^Quorvel 2\.1$' \
    "$E2E_STATE/startup-question.png" 0 0 24 24
ui click startup yesButton
e2e_check yes-puts-link-in-startup e2e_eventually cmp -s "$programs_link" "$startup_link"

e2e_load_and_save_samples
e2e_check samples-saved-beside-program e2e_eventually test -s "$install_dir/defaultkeys.qvb"
# Typed after a real click into the target's box, away from Quorvel's main window.
sample_expands() {
    ui clear-target
    e2e_click "$wid" -40 30
    e2e_type "sp "
    e2e_wait_report "$report" $'This is a sample \r\nI hope you like it' 10
}
e2e_check shortcut-expands sample_expands

# --- Setup over the running program --------------------------------------------
# It closes this user's copy as Exit would (the icon goes), installs, starts it
# again and exits 0; the new copy has the same shortcuts and settings.
old_pid=$(running_quorvel)
cp "$startup_link" "$E2E_STATE/startup-before-setup.lnk"
start=$(e2e_now)
e2e_check setup-over-running-copy-exits-0 install_silently
e2e_log "setup over the running copy: $(e2e_elapsed "$start")s"
e2e_check running-copy-ended ended_within "$old_pid"
e2e_check copy-started-again eval 'ui wait-visible main 30 >/dev/null && [ -n "$(running_quorvel)" ]'
e2e_check started-again-holds-shortcuts shows_samples
e2e_check started-again-asks-nothing same 0 "$(ui visible startup)"
e2e_check start-with-windows-stays cmp -s "$E2E_STATE/startup-before-setup.lnk" "$startup_link"
e2e_check one-icon-after-setup e2e_eventually eval 'same 1 "$(ui tray-icons)"'
e2e_check started-again-expands sample_expands

# A copy whose list cannot be saved stays, and says why; silent setup gives up
# after 30 seconds with code 2 and changes nothing.
e2e_read_only_folder "$install_dir" || e2e_abort read-only "the program's folder stays writable"
ui menu 101 >/dev/null
e2e_check failed-save-is-told contains "$(ui answer OK)" "could not be saved"
kept_pid=$(running_quorvel)
e2e_check setup-gives-up-with-2 eval 'install_silently; same 2 "$?"'
e2e_check unsaved-copy-says-why contains "$(ui answer OK)" "Setup asked Quorvel to close"
e2e_check unsaved-copy-still-runs kill -0 "$kept_pid"
e2e_writable_again "$install_dir"
exit_quorvel
kill "$(cat "$E2E_STATE/target.pid")" 2>/dev/null

# --- The notification-area icon ----------------------------------------------
# Wine's own desktop with a taskbar shows the notification area. The second
# start asks no question and reads the samples back from beside the program.
timeout 60 wineserver -w
desk_w=600
desk_h=500
wine explorer "/desktop=shell,${desk_w}x$desk_h" start /unix "$programs_link" >/dev/null 2>&1 </dev/null &
e2e_track_pid $!
desktop_shot="$E2E_STATE/desktop.png"
e2e_check tray-icon e2e_eventually shows_icon 'Wine desktop$' "$desktop_shot" \
    $((desk_w - 40)) $((desk_h - 32)) 40 32
mkdir -p "$SHOTS"
cp "$desktop_shot" "$SHOTS/installed.png" && e2e_log "screenshot: $SHOTS/installed.png"
timeout 10 wineserver -k >/dev/null 2>&1
timeout 60 wineserver -w

# --- Uninstalls --------------------------------------------------------------
# The first over a running copy, which it closes as setup does.
wine start /unix "$programs_link" >/dev/null 2>&1 </dev/null
ui wait-visible main 30 >/dev/null
uninstall_silently
e2e_check uninstall-closes-running-copy same "" "$(running_quorvel)"
e2e_check uninstall-keeps-data-by-default eval \
    'test -s "$install_dir/defaultkeys.qvb" && wine reg query "$SETTINGS\\Quorvel" >/dev/null 2>&1'
e2e_check uninstall-removes-program-and-links same "" \
    "$(leftovers | grep -v -e defaultkeys -e 'VB and VBA' -e "^file: $install_dir\$")"

install_silently
e2e_check reinstall-keeps-shortcut-file test -s "$install_dir/defaultkeys.qvb"
uninstall_silently /REMOVEDATA
e2e_check uninstall-removedata-leaves-nothing same "" "$(leftovers)"

# --- The zip's program, from a folder with blanks and letters beyond ANSI ----
odd_dir="$WINEPREFIX/drive_c/Mes outils/Quorvel für Zoë z Łodzi"
mkdir -p "$odd_dir" && unzip -q "$zip" -d "$odd_dir"
zip_program_keeps_samples zip-program 'C:\Mes outils\Quorvel für Zoë z Łodzi\Quorvel\quorvel.exe' \
    'test -s "$odd_dir/Quorvel/defaultkeys.qvb"'

# --- The zip's program in a folder it may not write in -------------------------
# It keeps the shortcuts in the user's application data, and says so once.
locked_dir="$WINEPREFIX/drive_c/Program Files/Quorvel"
mkdir -p "$(dirname "$locked_dir")" && unzip -q "$zip" -d "$(dirname "$locked_dir")"
e2e_check locked-folder-made e2e_read_only_folder "$locked_dir"
kept="$user_dir/AppData/Roaming/Quorvel/defaultkeys.qvb"
kept_win='C:\users\'"$(whoami)"'\AppData\Roaming\Quorvel\defaultkeys.qvb'
told='Quorvel cannot save files in its own folder, C:\Program Files\Quorvel, so it keeps your'
zip_program_keeps_samples locked-folder 'C:\Program Files\Quorvel\quorvel.exe' \
    '[ "$(e2e_entries_in "$kept")" = $SAMPLES ]' "$told shortcuts in $kept_win."
e2e_check locked-folder-left-alone same "LICENSE.txt quorvel.exe README.txt" "$(ls "$locked_dir" | xargs)"

e2e_summary
