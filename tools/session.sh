# Sourced by the run and test scripts: a virtual X display and a running Wine for the build's
# private prefix, both stopped again when the calling script exits.

start_display() {
  local fdfile
  fdfile=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fdfile" >/dev/null 2>&1 &
  xvfb_pid=$!
  for _ in $(seq 50); do [ -s "$fdfile" ] && break; sleep 0.1; done
  [ -s "$fdfile" ] || { echo "Xvfb did not start" >&2; return 1; }
  export DISPLAY=":$(head -1 "$fdfile")"
  rm -f "$fdfile"
  trap stop_session EXIT
}

# Creates the prefix if needed, then keeps one wineserver and Wine's own services running with
# their output detached: otherwise every program's first start waits for them, and they hold on
# to the output pipe of whatever test started them.
start_wine() {
  tools/wine-prefix.sh "$1"
  . tools/wine-env.sh "$1"
  wineserver -p </dev/null >/dev/null 2>&1
  "$WINELOADER" wineboot </dev/null >/dev/null 2>&1
  start_desktop
  wine_started=1
  trap stop_session EXIT
}

# Wine's desktop process otherwise starts with the first program that opens a window, keeps that
# program's error output open, and lives while any program of the prefix has a window: a test
# whose program started it never ends for CTest, which waits for that output to close, and it
# ends when the desktop goes idle, so the next test inherits the hang. Started here, with its
# output detached, it serves the whole session and never goes idle.
start_desktop() {
  "$WINELOADER" explorer.exe /desktop </dev/null >/dev/null 2>&1 &
  local _
  for _ in $(seq 100); do
    desktop_is_up && return 0
    sleep 0.1
  done
  echo "Wine's desktop did not start" >&2
  return 1
}
desktop_is_up() {
  local pid
  # Wine names the process by its Windows path once the loader has brought it up.
  for pid in $(pgrep -f 'system32.explorer\.exe /desktop'); do
    tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qx "WINEPREFIX=$WINEPREFIX" && return 0
  done
  return 1
}

stop_session() {
  [ -n "${wine_started:-}" ] && wineserver -k 2>/dev/null
  [ -n "${xvfb_pid:-}" ] && kill "$xvfb_pid" 2>/dev/null
  return 0
}
