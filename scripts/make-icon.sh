#!/usr/bin/env bash
# Draws the program's icon (a page with a quill stroke) into res/quillet.ico.
set -euo pipefail
cd "$(dirname "$0")/.."
convert -size 256x256 xc:none \
    -fill '#f8f8f0' -stroke '#30405a' -strokewidth 10 -draw 'polygon 48,16 168,16 216,64 216,240 48,240' \
    -fill '#d0d8e8' -strokewidth 8 -draw 'polygon 168,16 168,64 216,64' \
    -stroke '#6080b0' -strokewidth 10 -draw 'line 80,112 184,112' -draw 'line 80,152 184,152' -draw 'line 80,192 144,192' \
    -stroke '#b03020' -strokewidth 14 -draw 'line 232,24 132,200' \
    -define icon:auto-resize=256,48,32,16 res/quillet.ico
scripts/add-icon-256.py res/quillet.ico
