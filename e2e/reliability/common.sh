# Shared by the reliability scripts. Source after e2e/lib.sh.

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
