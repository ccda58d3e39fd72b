#!/bin/sh
# Draws every data-input of the sample catalogue that is not refused, and
# graphs whose names end in backslashes or hold one before a line end, and
# renders each with Graphviz: dot must read each one without a complaint,
# and the links drawn red must be exactly the cycle --list reports.
# Skipped (77) when Graphviz is not installed.
#   usage: dot_render_test.sh UGRAPH CATALOGUE
set -eu
bin=$(realpath "$1")
catalogue=$(realpath "$2")
command -v dot >/dev/null || { echo "skipped: Graphviz's dot is not installed"; exit 77; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
render_all() {  # catalogue
  count=$("$bin" --check "$1" | tail -n 1 | sed 's/.*: \([0-9]*\) data-input.*/\1/')
  n=1
  while [ "$n" -le "$count" ]; do
    if "$bin" --dot="$n" "$1" >"$work/graph.dot" 2>/dev/null; then
      rendered=yes
      dot -Tsvg "$work/graph.dot" >"$work/graph.svg" 2>"$work/complaints" || rendered=no
      if [ "$rendered" = no ] || [ -s "$work/complaints" ] ||
          ! grep -q '<svg' "$work/graph.svg"; then
        echo "data-input $n of $1 does not render:"
        cat "$work/graph.dot" "$work/complaints"
        exit 1
      fi
      "$bin" --list --json "$1" | sed -n "${n}p" >"$work/judged.json"
      python3 - "$work/graph.dot" "$work/judged.json" <<'CHECK' || exit 1
import json, re, sys
red = {tuple(sorted(map(int, m))) for m in
       re.findall(r"^  (\d+) -- (\d+) \[.*color=red", open(sys.argv[1]).read(), re.M)}
cycle = json.load(open(sys.argv[2])).get("cycle", [])
links = {tuple(sorted(pair)) for pair in zip(cycle, cycle[1:])}
if red != links:
    sys.exit(f"red links {sorted(red)} are not the cycle {cycle}")
CHECK
      drawn=$((drawn + 1))
    fi
    n=$((n + 1))
  done
}
drawn=0
render_all "$catalogue"
printf '%s\n' '[U "a\" (1) 2]' '[U "a\\" (1) 2]' '[U "a\\\" (1) 2]' \
  '[U "a\\\\" (1) 2]' '[U "a\"b" (1) 2]' '[U "a\\"b\" (1) 2]' \
  '[U "a\' '" (1) 2]' '[U "\\' '\" (1) 2]' >"$work/names.txt"
render_all "$work/names.txt"
[ "$drawn" -eq 20 ] || { echo "$drawn drawn, expected 20"; exit 1; }
echo "$drawn data-inputs drawn and rendered"
