#!/usr/bin/env bash
# Runs a Windows test program on an X display of its own with the colour depth given: the shared
# test session's display is 24-bit. The program gets a Wine prefix of its own too (set up as the
# shared one, with its own wineserver), since a running wineserver keeps the display it started on.
# For 8-bit displays Wine is told to use a private colour map, without which it cannot realise
# palettes. Usage: run_on_display.sh <source dir> <depth> <prefix dir> <program.exe> [args...]
set -euo pipefail
top=$1 depth=$2 prefix=$3
shift 3

fdfile=$(mktemp)
Xvfb -displayfd 3 -screen 0 "1024x768x$depth" -nolisten tcp 3>"$fdfile" >/dev/null 2>&1 &
xvfb_pid=$!
stop() {
  # This prefix's wineserver only, which belongs to this display alone.
  WINEPREFIX=$(realpath -m "$prefix") timeout 20 wineserver -k 2>/dev/null || true
  kill "$xvfb_pid" 2>/dev/null || true
  rm -f "$fdfile"
}
trap stop EXIT
for _ in $(seq 50); do [ -s "$fdfile" ] && break; sleep 0.1; done
[ -s "$fdfile" ] || { echo "Xvfb did not start at depth $depth" >&2; exit 1; }
export DISPLAY=":$(head -1 "$fdfile")"

"$top/tools/wine-prefix.sh" "$prefix"
. "$top/tools/wine-env.sh" "$prefix"
if [ "$depth" -le 8 ]; then
  "$WINELOADER" reg add 'HKCU\Software\Wine\X11 Driver' /v PrivateColorMap /d Y /f >/dev/null 2>&1
fi
# Not exec: the display and the wineserver are stopped when the program has ended. The program's
# standard input is detached so that nothing of Wine's waits on the test runner.
status=0
"$WINELOADER" "$@" </dev/null || status=$?
exit "$status"
