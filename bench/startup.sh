#!/usr/bin/env bash
# Times quillet.exe under Wine from launch to its window showing the loaded file,
# over several runs. Usage: bench/startup.sh [runs]
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-5}
source scripts/env.sh
trap quillet_stop EXIT
cmake --preset mingw >/dev/null
cmake --build --preset mingw --target quillet wine_keeper >/dev/null
quillet_start_display
quillet_start_wine
quillet_start_keeper
exe="$QUILLET_BUILD/mingw/cmake/windows/quillet.exe"
file="$QUILLET_BUILD/bench-startup.txt"
head -c 45000 /dev/urandom | base64 > "$file"  # about 60 KB of text
for i in $(seq 1 "$runs"); do
    start=$(date +%s%N)
    wine "$exe" "$file" </dev/null >/dev/null 2>&1 &
    pid=$!
    # Up to ten seconds for the window.
    for _ in $(seq 1 1000); do
        xdotool search --name '^bench-startup.txt - Quillet$' >/dev/null 2>&1 && break
        sleep 0.01
    done
    end=$(date +%s%N)
    echo "run $i: $(((end - start) / 1000000)) ms"
    # Only the process started here: a user's other editor windows stay open.
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    sleep 0.5
done
