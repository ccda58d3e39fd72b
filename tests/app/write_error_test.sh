#!/bin/sh
# Output that cannot be written must not pass for success: the run ends at
# once, with exit status 1 and one line on standard error naming the
# system's reason, even while input keeps coming.
#   usage: write_error_test.sh UGRAPH
set -u
bin=$1
err=$(mktemp)
trap 'rm -f "$err"' EXIT
fail() { echo "$1"; cat "$err"; exit 1; }
expect() {  # how, status, reason
  [ "$2" = 1 ] || fail "stdout $1: exit status $2, expected 1"
  [ "$(cat "$err")" = "ugraph: cannot write standard output: $3" ] ||
    fail "stdout $1: standard error was:"
}

printf 'K\nTri\n3\n2 3\n3\n\n\n' | "$bin" >&- 2>"$err"
expect closed $? "Bad file descriptor"

# Endless input: a run that goes on answering after its output failed
# never ends.
yes | timeout 5 "$bin" >/dev/full 2>"$err"
expect full $? "No space left on device"

# A broken pipe with SIGPIPE ignored, as some launchers leave it.
status=$( (trap '' PIPE; yes | { timeout 5 "$bin" 2>"$err"; echo $? >&3; } | head -c 1 >/dev/null) 3>&1)
expect "to a closed pipe" "$status" "Broken pipe"

# The catalogue modes end as soon as their output fails too, with status 2,
# however much input is still coming.
for mode in --check --list; do
  yes '[x]' | timeout 5 "$bin" "$mode" - >/dev/full 2>"$err"
  status=$?
  [ "$status" = 2 ] || fail "$mode >/dev/full: exit status $status, expected 2"
  [ "$(cat "$err")" = "ugraph: cannot write standard output: No space left on device" ] ||
    fail "$mode >/dev/full: standard error was:"
done
