#!/usr/bin/env bash
# Builds Quorvel's Windows edition and starts it under Wine on your display. On a
# machine without a display it starts a virtual one, loads the samples, types a
# few triggers into a test program, prints what arrived and saves a screenshot.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
exec e2e/ui/run_demo.sh
