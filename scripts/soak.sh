#!/usr/bin/env bash
# A long random session of the real editor under Wine (the end-to-end soak test; the
# test run does 100 actions).
#
#   scripts/soak.sh [actions] [seed]    defaults: 1000 actions, seed 1
#
# Needs the mingw build (scripts/test.sh makes it). Prints the working set after the
# warm-up and at the end, and how often each kind of action ran.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/env.sh
quillet_start_display
if ! xdotool search --name 'Wine desktop' >/dev/null 2>&1; then
    trap quillet_stop EXIT
    quillet_start_wine
    quillet_start_keeper
fi
cd "$QUILLET_BUILD/mingw/cmake/windows"
QUILLET_SOAK_ACTIONS="${1:-1000}" QUILLET_SOAK_SEED="${2:-1}" \
    wine e2e_tests.exe --gtest_filter='SoakE2E.*' </dev/null | tr -d '\r'
