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
  wine_started=1
  trap stop_session EXIT
}

stop_session() {
  [ -n "${wine_started:-}" ] && wineserver -k 2>/dev/null
  [ -n "${xvfb_pid:-}" ] && kill "$xvfb_pid" 2>/dev/null
  return 0
}
