#!/usr/bin/env bash
# Start-up against the floor window under Wine on a virtual display: quillet.exe and
# floor_window.exe (bench/startup/floor_window.cpp), each with a 65,536-byte text file and
# without one, alternating over the runs. A program is ready when its window is visible
# with its caption and its text box holds the whole file. Prints medians and ratios.
#   bench/startup.sh [runs]           (default 21)
#   bench/startup.sh --steps [runs]   the bench build's steps of start-up: time since
#                                     CreateProcess and working set after each
set -euo pipefail
cd "$(dirname "$0")/.."
steps=()
target=quillet
if [ "${1:-}" = "--steps" ]; then
    steps=(--steps)
    target=quillet_marked
    shift
fi
runs=${1:-21}
scripts/setup.sh
source scripts/env.sh
trap quillet_stop EXIT
cmake --preset mingw >/dev/null
cmake --build --preset mingw --target startup_meter "$target" wine_keeper >/dev/null
quillet_start_display
quillet_start_wine
quillet_start_keeper
file="$QUILLET_BUILD/startup-65536.txt"
# Printable lines of 64 characters with CR LF, cut to exactly 65,536 bytes.
head -c 60000 /dev/urandom | base64 -w 62 | sed 's/$/\r/' > "$file"
truncate -s 65536 "$file"
wine "$QUILLET_BUILD/mingw/cmake/windows/startup_meter.exe" "${steps[@]}" \
    "$(winepath -w "$file")" "$runs" </dev/null 2>/dev/null
