#!/usr/bin/env bash
# Builds both configurations and runs every test: the core natively (ASan/UBSan), then
# the Windows tests and the end-to-end tests through Wine on a virtual display.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
source scripts/env.sh
trap quillet_stop EXIT

echo "== native core =="
cmake --preset native >/dev/null
cmake --build --preset native
ctest --preset native -j2 --output-junit "$QUILLET_BUILD/native-junit.xml"

echo "== Windows (MinGW, Wine) =="
cmake --preset mingw >/dev/null
cmake --build --preset mingw
quillet_start_display
quillet_start_wine
# One window-owning process for the whole run: without it Wine closes its desktop
# between tests and the next test restarts it under ctest's output pipe.
wine "$QUILLET_BUILD/mingw/cmake/windows/wine_keeper.exe" </dev/null >/dev/null 2>&1 &
ctest --preset mingw --output-junit "$QUILLET_BUILD/mingw-junit.xml"
