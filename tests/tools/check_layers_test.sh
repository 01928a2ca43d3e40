#!/usr/bin/env bash
# The layers check on small source trees made for each case, and on the sources as they stand.
# Usage: check_layers_test.sh <source dir>
set -uo pipefail
script="$1/tools/check-layers.py"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

. "$(dirname "$0")/script_checks.sh"
source_file() {  # <path below the tree> <lines...>
  mkdir -p "$(dirname "$work/tree/$1")"
  printf '%s\n' "${@:2}" > "$work/tree/$1"
}
run() {
  python3 "$script" "$work/tree" > "$work/out" 2>&1
  echo $? > "$work/rc"
}
says() { grep -qxF "$1" "$work/out" || { echo "  expected: $1"; sed 's/^/  got: /' "$work/out"; false; }; }

# A browser file reaching down to the contracts and framework, its own folder by a relative path,
# and headers that are not ours.
source_file contracts/panes.h '#pragma once'
source_file framework/window.h '#pragma once'
source_file browser/view.h '#pragma once' '#include "window.h"'
source_file browser/parts/cell.h '#pragma once'
source_file browser/view.cpp '#include "view.h"' '#include <windows.h>' '#include "jpeglib.h"' \
  '#include "parts/cell.h"' '#include "panes.h"'
run
check "includes that point down pass" test "$(cat "$work/rc")" = 0
check "the pass counts the includes between folders" says "check-layers: 2 includes between folders, all pointing down"

# Up, sideways between rooms side by side, and against the subsystems' order: each one named.
source_file contracts/frame.h '#pragma once' '#include "view.h"'
source_file shelltree/tree.h '#pragma once'
source_file records/list.cpp '#include <string>' '#include "tree.h"'
source_file viewer/image.cpp '#include "view.h"'
run
check "includes against the order fail" test "$(cat "$work/rc")" = 1
check "an include up is named with its line" \
  says 'contracts/frame.h:2: contracts/ includes "view.h" of browser/, which does not stand beneath it'
check "an include sideways is named" \
  says 'records/list.cpp:2: records/ includes "tree.h" of shelltree/, which does not stand beneath it'
check "the image windows may not reach the browser" \
  says 'viewer/image.cpp:1: viewer/ includes "view.h" of browser/, which does not stand beneath it'
check "the count of faults ends the report" says "check-layers: 3 includes point against the folders' order"

# The build finds headers by name alone, so one name in two folders is a fault of its own.
rm "$work/tree/contracts/frame.h" "$work/tree/records/list.cpp" "$work/tree/viewer/image.cpp"
source_file app/panes.h '#pragma once'
run
check "a header name held by two folders fails" test "$(cat "$work/rc")" = 1
check "the twice-held name is reported where it is included" \
  says 'browser/view.cpp:5: "panes.h" is a header of app and contracts: the name must be one header'"'"'s'

# A new folder of sources must be given its place before it passes.
rm "$work/tree/app/panes.h"
source_file gallery/wall.cpp '#include "panes.h"'
run
check "a folder with no place fails" test "$(cat "$work/rc")" = 1
check "the folder is named" says "gallery/: a folder of sources with no place in the layers (tools/check-layers.py)"

# An order that runs in a circle would let two rooms reach each other.
sed 's/"output": \["transfer"\]/"output": ["browser"]/' "$script" > "$work/circle.py"
python3 "$work/circle.py" "$work/tree" > "$work/out" 2>&1
check "a circle in the declared order fails" says "output/: the declared order runs in a circle through it"

python3 "$script" "$1" > "$work/out" 2>&1
check "the sources as they stand point down" test $? = 0

end_checks
