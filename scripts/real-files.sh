#!/usr/bin/env bash
# Real documents through the real editor under Wine: every regular file of at most
# 65,536 bytes without the byte 0x14 under /usr/share/doc and /usr/share/common-licenses
# is copied, loaded from the editor's command line, edited, the edit undone, saved
# with Ctrl+S, and the copy compared with the original byte for byte.
#
#   scripts/real-files.sh [limit]   limit: an evenly spread sample of that many files
#
# Needs the mingw build (scripts/test.sh makes it). Prints the files that did not come
# back identical and "tried N, identical M"; fails unless all are identical.
set -euo pipefail
cd "$(dirname "$0")/.."
limit="${1:-0}"
source scripts/env.sh

work="$QUILLET_BUILD/real-files"
rm -rf "$work"
mkdir -p "$work/copies"
LC_ALL=C find /usr/share/doc /usr/share/common-licenses -type f -size -65537c -print0 \
    | LC_ALL=C sort -z \
    | while IFS= read -r -d '' f; do
        LC_ALL=C grep -qaP '\x14' "$f" || printf '%s\n' "$f"
    done >"$work/all.txt"
total=$(wc -l <"$work/all.txt")
if [ "$limit" -gt 0 ] && [ "$limit" -lt "$total" ]; then
    # Every k-th file of the sorted list: the same sample on every run.
    awk -v n="$total" -v k="$limit" 'NR == 1 || int((NR - 1) * k / n) != int((NR - 2) * k / n)' \
        "$work/all.txt" >"$work/chosen.txt"
else
    cp "$work/all.txt" "$work/chosen.txt"
fi

winpath() { printf 'Z:%s' "${1//\//\\}"; }
i=0
while IFS= read -r f; do
    i=$((i + 1))
    mkdir -p "$work/copies/$i"
    cp "$f" "$work/copies/$i/"
    printf '%s\t%s\n' "$(winpath "$work/copies/$i/$(basename "$f")")" "$(winpath "$f")"
done <"$work/chosen.txt" >"$work/list.txt"

quillet_start_display
if ! xdotool search --name 'Wine desktop' >/dev/null 2>&1; then
    trap quillet_stop EXIT
    quillet_start_wine
    quillet_start_keeper
fi
echo "== real files: $(wc -l <"$work/list.txt") of $total =="
wine "$QUILLET_BUILD/mingw/cmake/windows/real_files.exe" "$(winpath "$work/list.txt")" \
    </dev/null | tr -d '\r'
