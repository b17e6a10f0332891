#!/usr/bin/env bash
# Builds quillet.exe and runs it under Wine, opening the file given, if any. With no X
# display it runs on a virtual one, saves a screenshot to build/screenshot.png and ends.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
source scripts/env.sh
cmake --preset mingw >/dev/null
cmake --build --preset mingw --target quillet
exe="$QUILLET_BUILD/mingw/cmake/windows/quillet.exe"

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
    quillet_start_wine
    exec wine "$exe" "$@"
fi

trap quillet_stop EXIT
quillet_start_display
quillet_start_wine
wine "$exe" "$@" </dev/null >/dev/null 2>&1 &
for i in $(seq 1 100); do
    xdotool search --name ' - Quillet$' >/dev/null 2>&1 && break
    sleep 0.1
done
sleep 1
desktop=$(xdotool search --name "Wine desktop" 2>/dev/null | head -n 1)
import -window "${desktop:-root}" "$QUILLET_BUILD/screenshot.png"
echo "No display: the editor ran on a virtual one. Screenshot: build/screenshot.png"
echo "Window: $(xdotool search --name ' - Quillet$' getwindowname 2>/dev/null | head -n 1)"
