#!/bin/sh
# Stand-in for LibreOffice's soffice in the end-to-end test. Each call gets a folder of its own
# below $QUORVANE_E2E_OUT with its arguments (NUL-separated) and a copy of the workbook it
# was handed (its last argument); "done" is written last, when both are complete.
set -eu
call=$(mktemp -d "$QUORVANE_E2E_OUT/call.XXXXXX")
printf '%s\0' "$@" > "$call/args"
last=""
for arg in "$@"; do last=$arg; done
if [ -f "$last" ]; then
  cp -- "$last" "$call/workbook.xlsx"
fi
: > "$call/done"
