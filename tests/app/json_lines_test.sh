#!/bin/sh
# Every line --list --json writes must parse as a JSON object, for every
# shipped and test catalogue, odd names and refusals included.
#   usage: json_lines_test.sh UGRAPH CATALOGUE...
set -eu
bin=$1
shift
for catalogue in "$@"; do
  status=0
  "$bin" --list --json "$catalogue" >"${TMPDIR:-/tmp}/ugraph-json.$$" || status=$?
  [ "$status" -le 1 ] || { echo "$catalogue: exit status $status"; exit 1; }
  python3 -c '
import json, sys
for number, line in enumerate(open(sys.argv[1], encoding="utf-8"), 1):
    item = json.loads(line)
    assert item["number"] == number, line
    assert ("refused" in item) != ("verdict" in item), line
' "${TMPDIR:-/tmp}/ugraph-json.$$" || { echo "$catalogue: a line is not JSON"; exit 1; }
done
rm -f "${TMPDIR:-/tmp}/ugraph-json.$$"
echo "every line parses"
