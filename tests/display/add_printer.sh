#!/usr/bin/env bash
# Adds the test printer. Wine's spooler, started by the first program that asks for it, has been
# seen to leave that first call hanging when many programs start at once: a try that hangs is
# ended and made again.
# Usage: add_printer.sh <program runner...> <add_printer.exe> <printer name> <output file>
for try in 1 2 3; do
  timeout --kill-after=5 90 "$@" && exit 0
  echo "adding the printer failed (try $try)" >&2
done
exit 1
