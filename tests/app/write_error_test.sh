#!/bin/sh
# Output that cannot be written must not pass for success: the run ends
# with exit status 1 and one line on standard error.
#   usage: write_error_test.sh UGRAPH
set -u
bin=$1
err=$(mktemp)
trap 'rm -f "$err"' EXIT
for how in full closed; do
  if [ "$how" = full ]; then
    printf 'K\nTri\n3\n2 3\n3\n\n\n' | "$bin" >/dev/full 2>"$err"
  else
    printf 'K\nTri\n3\n2 3\n3\n\n\n' | "$bin" >&- 2>"$err"
  fi
  status=$?
  if [ "$status" != 1 ]; then
    echo "stdout $how: exit status $status, expected 1"
    exit 1
  fi
  if [ "$(cat "$err")" != "ugraph: cannot write standard output" ]; then
    echo "stdout $how: standard error was:"
    cat "$err"
    exit 1
  fi
done
