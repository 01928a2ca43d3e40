#!/usr/bin/env bash
# The end of each failed test's output, printed from CTest's own log of a real run of a small
# project: a passing test is not shown, a failing one shows its last lines only, one stopped at its
# time limit shows what it printed before, and a tree that ran nothing prints nothing.
# Usage: failed_output_test.sh <source dir>
set -uo pipefail
script="$1/tools/failed-output.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

. "$(dirname "$0")/script_checks.sh"
expect_output() {  # <expected lines...>
  printf '%s\n' "$@" > "$work/expected"
  diff "$work/expected" "$work/out" > "$work/diff" || { sed 's/^/  /' "$work/diff"; false; }
}

mkdir -p "$work/project"
cat > "$work/project/CMakeLists.txt" <<'CMAKE'
cmake_minimum_required(VERSION 3.16)
project(failing NONE)
enable_testing()
add_test(NAME passes COMMAND sh -c "echo fine")
add_test(NAME fails_loudly COMMAND sh -c "for i in 1 2 3 4 5 6; do echo line \$i; done; exit 1")
add_test(NAME hangs COMMAND sh -c "echo waiting for a box; sleep 30")
set_tests_properties(hangs PROPERTIES TIMEOUT 1)
CMAKE
cmake -S "$work/project" -B "$work/build" > /dev/null
ctest --test-dir "$work/build" > /dev/null 2>&1

bash "$script" "$work/build" 3 > "$work/out" 2>&1
check "each failed test is named with the last lines of its output" expect_output \
  "-- the end of what fails_loudly printed ($work/build):" "line 4" "line 5" "line 6" \
  "-- the end of what hangs printed ($work/build):" "waiting for a box"

mkdir -p "$work/empty"
bash "$script" "$work/empty" > "$work/out" 2>&1
check "a tree with no run prints nothing and does not fail" test $? = 0 -a ! -s "$work/out"

ctest --test-dir "$work/build" -R passes > /dev/null 2>&1
bash "$script" "$work/build" > "$work/out" 2>&1
check "a test that failed in an earlier run, not in the last, is not shown" test ! -s "$work/out"

end_checks
