#!/usr/bin/env bash
# Runs one of our Windows programs under Wine in the build tree's private prefix.
# CTest uses it as the cross-compiling emulator: wine-run.sh <prefix-dir> <program.exe> [args...]
here=$(cd "$(dirname "$0")" && pwd)
. "$here/wine-env.sh" "$1"
shift
exec "$WINELOADER" "$@"
