#!/usr/bin/env bash
# The real print round trip: the Windows test prints a document of several pages, with
# a run of blank lines in the middle, on the default printer (the CUPS PDF queue of
# scripts/printer.sh) and names the PDF it saw appear; this reads the PDF's text back
# and checks that every character of the document came out, in order, over more than
# one page, and that the blank run printed as blank sheets between the texts.
set -euo pipefail
tests_exe=$1
work=$(mktemp -d)
pdf=""
trap 'rm -rf "$work"; [ -z "$pdf" ] || rm -f "$pdf"' EXIT
expected="$work/expected.txt"
QUILLET_PRINT_EXPECT="Z:${expected//\//\\}" "${QUILLET_WINE:-wine}" "$tests_exe" \
    --gtest_filter=ViewPrintTest.RoundTripOnTheDefaultPrinter </dev/null
if [ ! -s "$expected" ]; then
    echo "the print test named no PDF"
    exit 1
fi
pdf=$(head -n 1 "$expected" | tr -d '\r' | sed 's/^[A-Za-z]://; s|\\|/|g')
pages=$(pdfinfo "$pdf" | awk '/^Pages:/ {print $2}')
# Blanks and line ends aside (wrapping moves them), the text must match exactly.
printed=$(pdftotext "$pdf" - | tr -d ' \t\r\n\f')
document=$(tail -n +2 "$expected" | tr -d ' \t\r\n\f')
if [ "$printed" != "$document" ]; then
    echo "printed text differs from the document:"
    diff <(tail -n +2 "$expected" | tr -d '\r') <(pdftotext -layout "$pdf" -) | head -20
    exit 1
fi
if [ "${pages:-0}" -lt 2 ]; then
    echo "expected several pages, got ${pages:-none}"
    exit 1
fi
# The blank lines inside the document print as blank sheets; the last sheet is never
# blank.
blank_pages=0
for page in $(seq 1 "$pages"); do
    if [ -z "$(pdftotext -f "$page" -l "$page" "$pdf" - | tr -d ' \t\r\n\f')" ]; then
        if [ "$page" -eq "$pages" ]; then
            echo "the last page, $page, is blank"
            exit 1
        fi
        blank_pages=$((blank_pages + 1))
    fi
done
if [ "$blank_pages" -eq 0 ]; then
    echo "the document's blank lines gave no blank page among its $pages"
    exit 1
fi
echo "printed $pages pages ($blank_pages blank between texts), ${#document} characters in order: $pdf"
