#!/usr/bin/env bash
# Creates the private Wine prefix once (serially: parallel first starts race each other) and
# gives it the Marlett font, without which caption buttons draw as letters.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/wine-env.sh" "$1"
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  mkdir -p "$WINEPREFIX"
  wineboot -i >/dev/null 2>&1 || true
  wineserver -w
fi
fonts="$WINEPREFIX/drive_c/windows/Fonts"
[ -f "$fonts/marlett.ttf" ] || { mkdir -p "$fonts"; cp /usr/share/wine/fonts/marlett.ttf "$fonts/"; }
[ -f "$WINEPREFIX/system.reg" ] || { echo "wine-prefix: wineboot did not create $WINEPREFIX" >&2; exit 1; }
