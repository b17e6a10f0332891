#!/usr/bin/env bash
# Builds both configurations and runs every test: the core natively (ASan/UBSan), then
# the Windows tests and the end-to-end tests through Wine on a virtual display.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
source scripts/env.sh
source scripts/printer.sh
trap 'quillet_stop_printer; quillet_stop' EXIT

echo "== native core =="
cmake --preset native >/dev/null
cmake --build --preset native
ctest --preset native -j2 --output-junit "$QUILLET_BUILD/native-junit.xml"

# The core's fuzz targets, a few seconds each (clang, libFuzzer, ASan/UBSan).
echo "== fuzzing =="
scripts/fuzz.sh -max_total_time=5

echo "== Windows (MinGW, Wine) =="
cmake --preset mingw >/dev/null
cmake --build --preset mingw
# Before Wine starts: its programs read the printers from CUPS.
quillet_start_printer
quillet_start_display
quillet_start_wine
quillet_start_keeper
ctest --preset mingw --output-junit "$QUILLET_BUILD/mingw-junit.xml"

# Real documents through the real editor: a fixed sample (scripts/real-files.sh runs
# them all).
scripts/real-files.sh 20
