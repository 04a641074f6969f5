# Helpers of the scripts that drive Quorvel's windows under Wine through the
# driver program (e2e/tools/ui_driver.cpp). Source after e2e/lib.sh, with
# tools set to the folder of the driver.

# Compares and says what differed.
same() {
    [ "$1" = "$2" ] && return 0
    printf 'expected: %s\nreceived: %s\n' "$1" "$2" >&2
    return 1
}

ui() { wine "$tools/ui_driver.exe" "$@" 2>>"$E2E_STATE/driver.log" </dev/null | tr -d '\r'; }

# Runs a reading until it prints EXPECTED (5 s).
until_prints() {
    local expected=$1 tries got
    shift
    for ((tries = 0; tries < 25; tries++)); do
        got=$("$@")
        [ "$got" = "$expected" ] && return 0
        sleep 0.2
    done
    same "$expected" "$got"
}
ui_until() {
    local expected=$1
    shift
    until_prints "$expected" ui "$@"
}

answer() {
    local expected=$1 button=$2 caption=${3:-Quorvel}
    same "$expected" "$(ui answer "$button" "$caption")"
}

main_title='^Quorvel 2\.1 - www\.quorvel\.example$'
common_title='^Common Text - www\.quorvel\.example$'

# The width and height of a window or control.
size_of() { ui rect "$@" | awk '{ print $3, $4 }'; }

# ui_screen DPI: the dots per inch Wine reports (its LogPixels setting) and a
# 9-point message font, the size Windows 10 uses; Wine's own is 8 points, in
# which a window that ignores the message font, or lays out too tightly for
# it, would still look right. Run it before any program of the prefix starts:
# Wine reads both when a program starts.
#
# Fonts for every script: Wine's own fonts are not installed, so Wine draws
# the message font's Tahoma in a font of the system, which it would pick
# afresh (IPAGothic for all text) once a font is linked; named, it stays
# DejaVu Sans (Latin, Greek, symbols, emoji). DejaVu Sans takes Japanese from
# IPAGothic through a font link (lists, buttons, labels); edit boxes fall back
# to SimSun for it, here IPAGothic.
ui_screen() {
    local dpi=$1
    # A LOGFONTW: height -12 (9 points at 96 DPI), weight 400, face Tahoma.
    local font=f4ffffff000000000000000000000000900100000000000100000000
    font+=5400610068006f006d0061$(printf '0%.0s' {1..106})
    local fonts='HKCU\Software\Wine\Fonts\Replacements'
    local links='HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink'
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f \
        >/dev/null 2>&1 &&
        wine reg add 'HKCU\Control Panel\Desktop\WindowMetrics' /v MessageFont /t REG_BINARY \
            /d "$font" /f >/dev/null 2>&1 &&
        wine reg add "$fonts" /v Tahoma /d 'DejaVu Sans' /f >/dev/null 2>&1 &&
        wine reg add "$fonts" /v SimSun /d IPAGothic /f >/dev/null 2>&1 &&
        wine reg add "$links" /v 'DejaVu Sans' /t REG_MULTI_SZ /d 'ipag.ttf,IPAGothic' /f \
            >/dev/null 2>&1 &&
        wineserver -w
}
