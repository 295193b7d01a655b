#!/usr/bin/env bash
# Reads the PDF that test_view printed with the system's own PDF tools: one
# page, and ink on it. Skipped (77) when the session had no PDF printer.
set -euo pipefail
pdf=$1
[ -f "$pdf" ] || { echo "no printed PDF: the session had no PDF printer"; exit 77; }
pages=$(pdfinfo "$pdf" | awk '/^Pages:/ {print $2}')
[ "$pages" = 1 ] || { echo "expected 1 page, found ${pages:-none}"; exit 1; }
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
pdftoppm -r 50 -gray "$pdf" "$out/page"
ink=$(python3 - "$out"/page*.pgm <<'PY'
import sys
data = open(sys.argv[1], 'rb').read()
# Binary PGM: "P5\n<w> <h>\n<max>\n" then one byte a pixel.
fields, pos = [], 0
while len(fields) < 4:
    while data[pos:pos + 1].isspace():
        pos += 1
    end = pos
    while not data[end:end + 1].isspace():
        end += 1
    fields.append(data[pos:end])
    pos = end
pixels = data[pos + 1:]
print(sum(1 for b in pixels if b < 128))
PY
)
echo "1 page, $ink dark pixels"
[ "$ink" -gt 20 ] || { echo "the printed page is blank"; exit 1; }
