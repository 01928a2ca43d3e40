#!/usr/bin/env bash
# Prints a test page, renders it as the printer would at 300 dpi, and checks the rendering.
# Usage: print_page.sh <work folder> <program runner...> <print_test.exe>
set -euo pipefail
work=$1
shift
mkdir -p "$work"
cd "$work"
rm -f printed-page.ps printed-page.ppm

# Wine's spooler has been seen to leave a program's first call to it hanging (add_printer.sh
# says when): a step that hangs is ended and made again; a step that fails fails the test.
bounded() {
  local try status
  for try in 1 2 3; do
    timeout --kill-after=5 90 "$@" && return 0
    status=$?
    [ "$status" -eq 124 ] || [ "$status" -eq 137 ] || return "$status"
    echo "the step hung and was ended (try $try)" >&2
  done
  return 1
}

bounded "$@" --gtest_filter='Printing.*'
gs -q -dSAFER -dBATCH -dNOPAUSE -sDEVICE=ppmraw -r300 -sOutputFile=printed-page.ppm printed-page.ps
bounded "$@" --gtest_filter='PrintedPage.*'
