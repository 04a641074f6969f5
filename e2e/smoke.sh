#!/usr/bin/env bash
# Checks the end-to-end harness itself, without the product: display, Wine
# prefix, code page, and the Windows services. The test target and typing
# through X are checked by every typing suite's first case; the injector and the
# started-program marker where Quorvel uses them (e2e/engine_e2e.sh).
set -uo pipefail
cd "$(dirname "$0")/.." || exit 1
# shellcheck source=e2e/lib.sh
source e2e/lib.sh

e2e_build_quorvel || e2e_abort build "the Windows build or make_shortcut_file failed"
e2e_quorvel_prefix || e2e_abort prefix "no display or Wine prefix"

# A Western Windows: Windows-1252 is the code page of every ANSI text. The first
# program started in a fresh prefix has once printed nothing while Wine was still
# settling; the driver is asked again within the bounded wait.
e2e_check code-page-1252 e2e_until_prints 1252 ui code-page

# The Windows services against Wine's system: files, settings, clipboard,
# program start, clock and locale.
if wine "$tools/quorvel_services_selfcheck.exe" >"$E2E_STATE/selfcheck.log" 2>&1 </dev/null; then
    e2e_pass "services-selfcheck ($(grep -c '^PASS' "$E2E_STATE/selfcheck.log") checks)"
else
    grep -v '^PASS' "$E2E_STATE/selfcheck.log" >&2
    e2e_fail services-selfcheck "see the lines above"
fi

e2e_summary
