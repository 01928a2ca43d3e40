#!/usr/bin/env bash
# Prints batch-print grids and contact sheets, renders each page as the printer would at 300 dpi,
# and checks the renderings.
# Usage: batch_print.sh <work folder> <program runner...> <batch_print_win_test.exe>
set -euo pipefail
work=$1
shift
mkdir -p "$work"
cd "$work"
rm -f batch-grid*.p* batch-captions*.p* contact-sheet*.p* batch-sheet.ppm
"$@" --gtest_filter='Printing.*'
for document in batch-grid.ps batch-captions.ps contact-sheet.ps; do
  gs -q -dSAFER -dBATCH -dNOPAUSE -sDEVICE=ppmraw -r300 -sOutputFile="${document%.ps}-%d.ppm" "$document"
done
"$@" --gtest_filter='PrintedPage.*'
