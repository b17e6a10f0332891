#!/usr/bin/env bash
# Runs Windows tests again at 96, 144 and 192 logical pixels per inch, in a Wine prefix
# of their own under build/ (made at the first run), so the shared prefix keeps its
# resolution; at each, under code page 1252 and under 932 (a Japanese locale, its own
# dialog face). This prefix's Wine server, desktop and keeper are started here and end
# here. Usage: dpi-test.sh TESTS_EXE GTEST_FILTER
set -euo pipefail
tests_exe=$1
filter=$2
source "$(dirname "$0")/env.sh"
export WINEPREFIX="$QUILLET_BUILD/wineprefix-dpi"
QUILLET_DESKTOP=Dpi
trap 'wineserver -k >/dev/null 2>&1 || true' EXIT
failed=""
for dpi in 96 144 192; do
    echo "== $dpi pixels per inch =="
    quillet_start_wine
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f \
        </dev/null >/dev/null 2>&1
    # Every process of the prefix, its desktop too, starts again at the new resolution.
    quillet_start_wine
    quillet_start_keeper
    for locale in C:1252 ja_JP.UTF-8:932; do
        echo "-- code page ${locale#*:} --"
        LC_ALL=${locale%:*} QUILLET_EXPECT_DPI=$dpi QUILLET_EXPECT_CODEPAGE=${locale#*:} \
            wine "$tests_exe" --gtest_filter="$filter" </dev/null ||
            failed="$failed $dpi/${locale#*:}"
    done
done
if [ -n "$failed" ]; then
    echo "failed at (pixels per inch/code page)$failed"
    exit 1
fi
