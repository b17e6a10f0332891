#!/usr/bin/env bash
# Start-up against the floor under Wine on a virtual display: quillet.exe with a
# 65,536-byte text file and without one, beside a minimal EDIT-control program with the
# same file and a minimal empty window, alternating over the runs. Prints medians and
# ratios. Usage: bench/startup.sh [runs]   (default 15)
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-15}
scripts/setup.sh
source scripts/env.sh
trap quillet_stop EXIT
cmake --preset mingw >/dev/null
cmake --build --preset mingw --target startup_meter wine_keeper >/dev/null
quillet_start_display
quillet_start_wine
quillet_start_keeper
file="$QUILLET_BUILD/startup-65536.txt"
# Printable lines of 64 characters with CR LF, cut to exactly 65,536 bytes.
head -c 60000 /dev/urandom | base64 -w 62 | sed 's/$/\r/' | head -c 65536 > "$file"
wine "$QUILLET_BUILD/mingw/cmake/windows/startup_meter.exe" "$(winepath -w "$file")" "$runs" \
    </dev/null 2>/dev/null
