# Sourced by the scripts that run our Windows programs: one private 32-bit Wine prefix per build
# tree, no debug chatter, and no Mono or Gecko installers popping up.
# Usage: . tools/wine-env.sh <prefix-dir>
export WINEPREFIX=$(realpath -m "$1")
export WINEARCH=win32
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml="
