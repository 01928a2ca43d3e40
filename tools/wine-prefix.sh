#!/usr/bin/env bash
# Creates the private Wine prefix once (serially: parallel first starts race each other) and
# configures it: the Marlett font, without which caption buttons draw as letters, and a virtual
# desktop, so that windows need no window manager (without one, Wine waits two seconds for an
# acknowledgement every time a top-level window is hidden or destroyed).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/wine-env.sh" "$1"
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  mkdir -p "$WINEPREFIX"
  "$WINELOADER" wineboot -i >"$WINEPREFIX.log" 2>&1 || true
  wineserver -w
fi
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  echo "wine-prefix: Wine ($WINELOADER, $WINEARCH) could not create $WINEPREFIX; it said:" >&2
  tail -20 "$WINEPREFIX.log" >&2
  exit 1
fi
fonts="$WINEPREFIX/drive_c/windows/Fonts"
[ -f "$fonts/marlett.ttf" ] || { mkdir -p "$fonts"; cp /usr/share/wine/fonts/marlett.ttf "$fonts/"; }
if [ ! -f "$WINEPREFIX/.vireldan-desktop" ]; then
  "$WINELOADER" reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
  "$WINELOADER" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1280x1024 /f >/dev/null 2>&1
  wineserver -w
  touch "$WINEPREFIX/.vireldan-desktop"
fi
# Captions are drawn in Arial, and batch-printed captions in Times New Roman, which every Windows
# has and Wine does not: the metric-compatible Liberation fonts stand in, so that text is laid out
# as it will be on Windows. Each is set once (the marker file).
stand_in() {  # face, its stand-in, marker
  [ -f "$WINEPREFIX/$3" ] && return
  "$WINELOADER" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "$1" /d "$2" /f >/dev/null 2>&1
  wineserver -w
  touch "$WINEPREFIX/$3"
}
stand_in Arial 'Liberation Sans' .vireldan-fonts
stand_in 'Times New Roman' 'Liberation Serif' .vireldan-font-times
