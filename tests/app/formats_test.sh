#!/bin/bash
# The input formats are named alike everywhere: each that the completion
# offers for --from is taken by the program, named in --help and in the
# man page's --from, and a name none of them knows is refused.
#   usage: formats_test.sh UGRAPH MAN_PAGE_SOURCE COMPLETION
set -u
bin=$1
man=$2
completion=$3
failures=0
fail() { echo "FAIL $*"; failures=$((failures + 1)); }
formats=$(sed -n "s/^ *local formats='\(.*\)'$/\1/p" "$completion")
[ -n "$formats" ] || fail "the completion names no format"
help=$("$bin" --help)
# The man page's paragraph on --from, up to the next option.
from=$(sed -n '/^\.BR \\-f ", " \\-\\-from/,/^\.TP/p' "$man")
for name in $formats; do
  "$bin" --check --from="$name" /dev/null >/dev/null 2>&1 ||
    fail "--from=$name is not taken"
  grep -q "\b$name\b" <<<"$(sed -n '/--from=FORMAT/,/--max-memory/p' <<<"$help")" ||
    fail "--help does not name $name under --from"
  grep -q "$name" <<<"$from" || fail "the man page does not name $name under --from"
done
"$bin" --check --from=edgelist /dev/null >/dev/null 2>&1
[ $? = 2 ] || fail "--from=edgelist is taken"
[ "$failures" = 0 ] && echo "formats named alike: $formats"
[ "$failures" = 0 ]
