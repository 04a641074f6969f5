#!/usr/bin/env bash
# Checks the end-to-end harness itself, without the product: display, Wine
# prefix, test target, typing through X, foreign injection and the marker.
set -uo pipefail
cd "$(dirname "$0")/.." || exit 1
# shellcheck source=e2e/lib.sh
source e2e/lib.sh

e2e_log "building the helper programs"
e2e_build_tools || { e2e_fail build "helper programs did not build"; e2e_summary; exit 1; }
tools=$(e2e_tools_dir)

e2e_start_display || { e2e_fail display "Xvfb did not start"; e2e_summary; exit 1; }
e2e_fresh_prefix "$E2E_STATE/prefix-dir" || { e2e_fail prefix "wineboot failed"; e2e_summary; exit 1; }

report="$E2E_STATE/target-report.txt"
if ! wid=$(e2e_start_target "$report"); then
    e2e_fail target-start "test target did not come up"
    e2e_summary
    exit 1
fi
# A Western Windows: Windows-1252 is the code page of every ANSI text.
e2e_check code-page-1252 \
    test "$(wine "$tools/send_command.exe" --code-page 2>/dev/null | tr -d '\r')" = 1252

e2e_check target-starts-empty e2e_wait_report "$report" "" 5

e2e_type "hello world"
start=$(e2e_now)
e2e_check typed-text e2e_wait_report "$report" "hello world" 10
e2e_log "typed text reported $(e2e_elapsed "$start")s after typing ended"

e2e_key Return
e2e_type "x"
e2e_check return-gives-crlf e2e_wait_report "$report" $'hello world\r\nx' 10

# The injector runs as its own process; the target must keep the focus.
e2e_focus "$wid"
start=$(e2e_now)
if wine "$tools/inject_keys.exe" "abc" >"$E2E_STATE/inject.log" 2>&1 </dev/null; then
    e2e_log "inject_keys ran in $(e2e_elapsed "$start")s"
    e2e_check foreign-injection e2e_wait_report "$report" $'hello world\r\nxabc' 10
else
    e2e_fail foreign-injection "inject_keys.exe exited non-zero: $(cat "$E2E_STATE/inject.log")"
fi

e2e_check clear-target e2e_clear_target

marker="$E2E_STATE/started-marker.txt"
start=$(e2e_now)
if wine "$tools/started_marker.exe" "$(e2e_winpath "$marker")" >/dev/null 2>&1 </dev/null &&
    [ "$(cat "$marker" 2>/dev/null)" = started ]; then
    e2e_log "started_marker ran in $(e2e_elapsed "$start")s"
    e2e_pass started-marker
else
    e2e_fail started-marker "marker file missing or wrong"
fi

# The Windows services against Wine's system: files, settings, clipboard,
# dialogs, program start, clock and locale.
selfcheck="$E2E_ROOT/build/windows/platform/win32/quorvel_services_selfcheck.exe"
if cmake --build "$E2E_ROOT/build/windows" --target quorvel_services_selfcheck \
    >"$E2E_STATE/selfcheck-build.log" 2>&1 &&
    wine "$selfcheck" >"$E2E_STATE/selfcheck.log" 2>&1 </dev/null; then
    e2e_pass "services-selfcheck ($(grep -c '^PASS' "$E2E_STATE/selfcheck.log") checks)"
else
    grep -v '^PASS' "$E2E_STATE/selfcheck.log" >&2
    e2e_fail services-selfcheck "see the lines above"
fi

e2e_summary
