#!/usr/bin/env bash
# Builds Quorvel and shows its shortcut engine at work: a simulated keyboard types
# a few triggers into a simulated edit box and the program prints what arrived.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake --preset linux >/dev/null
cmake --build --preset linux --target quorvel_demo
./build/linux/quorvel_demo
