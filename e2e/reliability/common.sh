# Set-up shared by the reliability scripts: a display, a fresh prefix, Quorvel's
# folder with a shortcut file, the test target, and Quorvel running.
# Source after e2e/lib.sh. Sets: program, report, wid (tools: e2e_build_quorvel).

# reliability_setup SIZE [MAKE_SHORTCUT_FILE ARGUMENT]...
reliability_setup() {
    local size=$1
    shift
    e2e_quorvel_prefix || return 1
    "$E2E_ROOT/build/linux/make_shortcut_file" "$program/defaultkeys.qvb" --size "$size" "$@" ||
        return 1
    wine reg add 'HKCU\Software\VB and VBA Program Settings\Quorvel\StartUpQ' \
        /v StartUpOpt /t REG_SZ /d 1 /f >/dev/null 2>&1
    # Hidden in the tray, Quorvel's window cannot lie over the target.
    wine reg add 'HKCU\Software\VB and VBA Program Settings\Quorvel\opts' \
        /v RunMinimized /t REG_SZ /d True /f >/dev/null 2>&1
    report="$E2E_STATE/target-report.txt"
    wid=$(e2e_start_target "$report") || return 1
}

# Starts Quorvel and waits until its window takes commands.
reliability_start_quorvel() {
    local tries
    e2e_spawn 'C:\quorvel\quorvel.exe' >/dev/null
    # Killed on purpose by some tests: no "Killed" line from the shell for it.
    disown
    for ((tries = 0; tries < 100; tries++)); do
        wine "$tools/send_command.exe" 0 >/dev/null 2>&1 && return 0
        sleep 0.2
    done
    return 1
}

# The Linux process that runs quorvel.exe under this script's Wine prefix (other
# tests may run Quorvel in prefixes of their own).
quorvel_pid() {
    local pid
    for pid in $(pgrep -f 'quorvel\.exe'); do
        if tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX"; then
            echo "$pid"
            return 0
        fi
    done
    return 1
}

# Ends Quorvel at once, as a crash or a power cut would.
kill_quorvel() {
    local pid
    pid=$(quorvel_pid) && kill -9 "$pid"
}
