#!/bin/sh
# Loads every data-input of the shipped sample catalogue in turn and checks
# that each run ends with a verdict, or with the refusal of a mark other
# than 'U', and exit status 0.
#   usage: sample_catalogue_test.sh UGRAPH CATALOGUE
set -eu
bin=$(realpath "$1")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$2" "$work/GraphDataFile2.txt"
cd "$work"
count=$(printf 'F\n0\n\n' | "$bin" | grep -c '^[0-9][0-9]*  \[')
[ "$count" -gt 0 ] || { echo "the sample catalogue lists nothing"; exit 1; }
i=1
while [ "$i" -le "$count" ]; do
  out=$(printf 'F\n%d\n\n' "$i" | "$bin") || { echo "data-input $i: exit status $?"; exit 1; }
  last=$(printf '%s\n' "$out" | tail -n 1)
  case "$last" in
    "Graph is connected and is a tree" | "Graph is connected but not a tree" | \
    "Graph is not connected" | "Input-array in file not marked 'U' (after '[') for Ugraph") ;;
    *) echo "data-input $i ends with: $last"; exit 1 ;;
  esac
  i=$((i + 1))
done
echo "$count data-inputs loaded"
