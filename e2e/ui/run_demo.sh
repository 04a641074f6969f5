#!/usr/bin/env bash
# Starts Quorvel's Windows edition. On a desktop (DISPLAY set and answering) it
# runs under Wine there until you exit it. Without a display it shows the
# program at work on a virtual one: loads the samples, types a few of their
# triggers into a test program, prints what arrived and saves a screenshot.
set -uo pipefail
cd "$(dirname "$0")/../.." || exit 1

cmake --preset windows >/dev/null && cmake --build --preset windows >/dev/null || {
    echo "the Windows build failed" >&2
    exit 1
}

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
    echo "Starting Quorvel under Wine on $DISPLAY; leave it with its Exit button."
    exec wine build/windows/quorvel.exe
fi

# shellcheck source=e2e/lib.sh
source e2e/lib.sh
# shellcheck source=e2e/ui/ui_lib.sh
source e2e/ui/ui_lib.sh
export E2E_TOOLS="$E2E_ROOT/build/windows/e2e/bin"
tools=$E2E_TOOLS

echo "No display: starting a virtual one to show Quorvel at work."
e2e_quorvel_prefix || exit 1
e2e_wine_draws_title_bars
report="$E2E_STATE/typed.txt"
wid=$(e2e_start_target "$report") || exit 1

start_quorvel
ui wait-visible main 30 || { echo "Quorvel's window did not show" >&2; exit 1; }
# The first start asks whether to run at start-up: No.
ui wait-visible startup 10 && ui click startup noButton
ui menu 300
echo "Help > Load Samples says:"
ui answer OK | sed 's/\\r\\n/\n/g' | sed 's/^/    /'
echo "The list now shows $(ui count main) shortcuts."

# demo LABEL WHOLE COMMAND...: types with the command into the emptied test
# program and prints what arrived once all of it has, that is once the whole
# text matches WHOLE (a Perl regular expression), or as it is after ten seconds.
demo() {
    local label=$1 whole=$2
    shift 2
    e2e_click "$wid" -40 30
    ui clear-target
    e2e_wait_report "$report" "" 10 2>/dev/null
    "$@"
    e2e_eventually grep -qzP -- "$whole" "$report" 2>/dev/null
    echo "Typed $label into the test program; it received:"
    sed 's/\r$//; s/^/    /' "$report"
    echo
}
demo '"td" and Space' '^Today is .* at .*\.\r\n\z' e2e_type "td "
demo '"sp" and Space' '^This is a sample \r\nI hope you like it\z' e2e_type "sp "
demo 'F9' '^Full Name\r\n777 Street Name\r\nCity Name, CA 90210\z' e2e_key F9

mkdir -p build/screenshots
e2e_shot root build/screenshots/demo.png 2>/dev/null &&
    echo "Screenshot of the screen: build/screenshots/demo.png"
exit_quorvel
