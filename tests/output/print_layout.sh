#!/usr/bin/env bash
# Prints pages through the page layout dialog, renders each as the printer would at 300 dpi, and
# checks the renderings.
# Usage: print_layout.sh <work folder> <program runner...> <single_print_win_test.exe>
set -euo pipefail
work=$1
shift
mkdir -p "$work"
cd "$work"
rm -f layout-*.ps layout-*.ppm
"$@" --gtest_filter='Dialog.*:Printing.*'
for page in layout-*.ps; do
  gs -q -dSAFER -dBATCH -dNOPAUSE -sDEVICE=ppmraw -r300 -sOutputFile="${page%.ps}.ppm" "$page"
done
"$@" --gtest_filter='PrintedPage.*'
