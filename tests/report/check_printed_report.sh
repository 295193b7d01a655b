#!/usr/bin/env bash
# Reads the text of the report that test_report printed, with the system's
# own PDF tools. Skipped (77) when the session had no PDF printer.
set -euo pipefail
pdf=$1
[ -f "$pdf" ] || { echo "no printed PDF: the session had no PDF printer"; exit 77; }
text=$(pdftotext -layout "$pdf" -)
for line in "Clastor Analysis Information" "Document Name" "Project Settings" "Units: Metric" \
            "Segment 1, Material: Clean hard bedrock [default]" "Barrier name: Barrier001" \
            "Data Collector name: Collector001"; do
  grep -qF "$line" <<<"$text" || { echo "the printed report lacks: $line"; echo "$text" | head -40; exit 1; }
done
echo "the printed report holds its text ($(pdfinfo "$pdf" | awk '/^Pages:/ {print $2}') pages)"
