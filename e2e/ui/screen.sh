# The screen Quorvel's windows are checked on. Source after e2e/lib.sh.
#
# ui_screen DPI: the dots per inch Wine reports (its LogPixels setting) and a
# 9-point message font, the size Windows 10 uses; Wine's own is 8 points, in
# which a window that ignores the message font, or lays out too tightly for
# it, would still look right. Run it before any program of the prefix starts:
# Wine reads both when a program starts.
ui_screen() {
    local dpi=$1
    # A LOGFONTW: height -12 (9 points at 96 DPI), weight 400, face Tahoma.
    local font=f4ffffff000000000000000000000000900100000000000100000000
    font+=5400610068006f006d0061$(printf '0%.0s' {1..106})
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f \
        >/dev/null 2>&1 &&
        wine reg add 'HKCU\Control Panel\Desktop\WindowMetrics' /v MessageFont /t REG_BINARY \
            /d "$font" /f >/dev/null 2>&1 &&
        wineserver -w
}
