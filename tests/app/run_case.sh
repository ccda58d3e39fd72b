#!/bin/sh
# Runs the ugraph binary on one end-to-end case in a fresh folder and
# compares its whole standard output, byte for byte, and its exit status
# with what the case expects.
#   usage: run_case.sh UGRAPH CASE_DIR
# CASE_DIR holds stdout, and optionally stdin (default empty), status
# (default 0), args (the arguments, one a line), stderr (compared when
# present) and the GraphDataFile2.txt to run beside, or a file `catalogue`
# naming one of the shared catalogues in the catalogues folder beside this
# script.
# UGRAPH_RUNNER, when set, is a command the binary runs under (for example
# valgrind).
set -eu
bin=$(realpath "$1")
case_dir=$(realpath "$2")
here=$(dirname "$(realpath "$0")")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
if [ -f "$case_dir/GraphDataFile2.txt" ]; then
  cp "$case_dir/GraphDataFile2.txt" "$work/"
elif [ -f "$case_dir/catalogue" ]; then
  cp "$here/catalogues/$(cat "$case_dir/catalogue")" "$work/GraphDataFile2.txt"
fi
stdin=/dev/null
[ -f "$case_dir/stdin" ] && stdin=$case_dir/stdin
set --
if [ -f "$case_dir/args" ]; then
  while IFS= read -r arg; do set -- "$@" "$arg"; done <"$case_dir/args"
fi
expected_status=0
if [ -f "$case_dir/status" ]; then
  expected_status=$(cat "$case_dir/status")
fi
status=0
# shellcheck disable=SC2086 # the runner is a command with its arguments
(cd "$work" && ${UGRAPH_RUNNER:-} "$bin" "$@" <"$stdin" >"$work/out" 2>"$work/err") ||
  status=$?
if ! cmp -s "$work/out" "$case_dir/stdout"; then
  echo "standard output differs from $case_dir/stdout:"
  diff "$case_dir/stdout" "$work/out" || true
  exit 1
fi
if [ -f "$case_dir/stderr" ] && ! cmp -s "$work/err" "$case_dir/stderr"; then
  echo "standard error differs from $case_dir/stderr:"
  diff "$case_dir/stderr" "$work/err" || true
  exit 1
fi
if [ "$status" != "$expected_status" ]; then
  echo "exit status $status, expected $expected_status"
  exit 1
fi
