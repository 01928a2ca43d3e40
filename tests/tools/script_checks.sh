# Sourced by the tests of the set-up scripts: named checks, counted, and the summary that fails
# the test when any check failed.
passes=0 failures=0
check() {  # <description> <command...>
  if "${@:2}"; then echo "ok: $1"; passes=$((passes + 1)); else echo "FAILED: $1"; failures=$((failures + 1)); fi
}
end_checks() {
  echo "$passes passed, $failures failed"
  [ "$failures" = 0 ]
}
