#!/bin/sh
# Draws every data-input of the sample catalogue that is not refused and
# renders it with Graphviz: dot must read each one without a complaint.
#   usage: dot_render_test.sh UGRAPH CATALOGUE
set -eu
bin=$(realpath "$1")
catalogue=$(realpath "$2")
command -v dot >/dev/null || { echo "graphviz's dot is not installed"; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
count=$("$bin" --check "$catalogue" | tail -n 1 | sed 's/.*: \([0-9]*\) data-inputs.*/\1/')
drawn=0
n=1
while [ "$n" -le "$count" ]; do
  if "$bin" --dot="$n" "$catalogue" >"$work/graph.dot" 2>/dev/null; then
    dot -Tsvg "$work/graph.dot" >"$work/graph.svg" 2>"$work/complaints"
    if [ -s "$work/complaints" ] || ! grep -q '<svg' "$work/graph.svg"; then
      echo "data-input $n does not render:"
      cat "$work/complaints"
      exit 1
    fi
    drawn=$((drawn + 1))
  fi
  n=$((n + 1))
done
[ "$drawn" -gt 0 ] || { echo "nothing drawn"; exit 1; }
echo "$drawn of $count data-inputs drawn and rendered"
