#!/usr/bin/env bash
# Prints a test page, renders it as the printer would at 300 dpi, and checks the rendering.
# Usage: print_page.sh <work folder> <program runner...> <print_test.exe>
set -euo pipefail
work=$1
shift
mkdir -p "$work"
cd "$work"
rm -f printed-page.ps printed-page.ppm
"$@" --gtest_filter='Printing.*'
gs -q -dSAFER -dBATCH -dNOPAUSE -sDEVICE=ppmraw -r300 -sOutputFile=printed-page.ppm printed-page.ps
"$@" --gtest_filter='PrintedPage.*'
