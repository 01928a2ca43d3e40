# Sourced by the scripts that run our Windows programs: one private Wine prefix per build tree, no
# debug chatter, no Mono or Gecko installers popping up, and no menu entries or desktop files
# written into the host user's home for the shortcuts the installer makes. The tree's configuration wrote its
# Wine architecture beside the prefix ("wine-arch": win32 or win64). Debian's /usr/bin/wine picks
# the 32-bit loader whenever wine32 is installed, even where it cannot run, so the loader is named
# here and the scripts call "$WINELOADER"; Wine itself starts child processes with it too.
# Usage: . tools/wine-env.sh <prefix-dir>
export WINEPREFIX=$(realpath -m "$1")
WINEARCH=$(cat "$(dirname "$WINEPREFIX")/wine-arch" 2>/dev/null || echo win32)
export WINEARCH
case $WINEARCH in
  win64) export WINELOADER=/usr/lib/wine/wine64 ;;
  *) export WINELOADER=/usr/lib/wine/wine ;;
esac
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
# Wine finds the user's folders, its recycle bin (the freedesktop trash) and its settings through
# the home and XDG folders. Each prefix has its own, made here, trash included: nothing depends on
# the home of whoever runs the programs, and nothing is written into it. It lies on a short path
# named after the prefix's, since the recycle bin keeps a file's whole name below it, and Windows
# paths end at 260 characters.
wine_home="${TMPDIR:-/tmp}/vireldan-home-$(printf %s "$WINEPREFIX" | md5sum | cut -c1-12)"
export HOME="$wine_home"
export XDG_DATA_HOME="$wine_home/.local/share" XDG_CONFIG_HOME="$wine_home/.config" XDG_CACHE_HOME="$wine_home/.cache"
mkdir -p "$XDG_DATA_HOME/Trash/files" "$XDG_DATA_HOME/Trash/info" "$XDG_CONFIG_HOME" "$XDG_CACHE_HOME"
unset wine_home
