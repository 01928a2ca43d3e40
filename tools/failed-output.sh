#!/usr/bin/env bash
# Prints the end of what each failed test of a tree printed, from CTest's log of the last run, so
# that a log cut to its last lines (as CI shows it) still tells why a test failed.
# Usage: tools/failed-output.sh <build tree> [lines per test, default 25]
set -euo pipefail
tree=$1 lines=${2:-25}
failed="$tree/Testing/Temporary/LastTestsFailed.log"
log="$tree/Testing/Temporary/LastTest.log"
[ -f "$failed" ] && [ -f "$log" ] || exit 0
# A test named there but not in the log ran in an earlier run, not in this one: it is left out.
while IFS= read -r entry; do
  name=${entry#*:}
  awk -v name="$name" -v lines="$lines" -v tree="$tree" '
    $0 ~ "^[0-9]+/[0-9]+ Test: " && substr($0, index($0, "Test: ") + 6) == name { found = 1; next }
    found == 1 && /^Output:$/ { found = 2; getline; next }
    found == 2 && /^<end of output>$/ { found = 3; exit }
    found == 2 { kept[n++ % lines] = $0 }
    END {
      if (found != 3) exit
      print "-- the end of what " name " printed (" tree "):"
      for (i = (n > lines ? n - lines : 0); i < n; i++) print kept[i % lines]
    }
  ' "$log"
done < "$failed"
