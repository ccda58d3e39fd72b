#!/bin/bash
# A format added as its own files and one row of the table of formats is
# read by every mode: found by its start or named by --from, offered by
# --help, its graphs judged and its refusals placed and worded.
#   usage: toy_test.sh UGRAPH_WITH_TOY UGRAPH
set -u
toy=$1
plain=$2
failures=0
fail() { echo "FAIL $*"; failures=$((failures + 1)); }
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
cd "$dir" || exit 1

printf '3: 1-2 2-3\n3: 1-2 2-3 3-1\n4: 1-2 3-4\n2: 1-x\nno colon\n' >toy.txt
expect() {  # expect WHAT EXPECTED ACTUAL
  [ "$2" = "$3" ] || fail "$1: expected [$2], got [$3]"
}

"$toy" --help | tr -s '\n ' '  ' | grep -q 'catalogue, graph6, sparse6, edges, mtx, dimacs, metis, reduced, toy' ||
  fail "--help does not name toy among the formats"
out=$("$toy" --count toy.txt 2>&1)
expect "--count, the format found by its start" \
  "toy.txt: 5 graphs: 2 connected (1 tree, 1 cyclic), 1 not connected, 0 with no node, 2 refused" \
  "$out"
out=$("$toy" --check toy.txt 2>&1)
grep -qx 'toy.txt:4:4: graph 4 has a link that is not a-b within 1 to n' <<<"$out" ||
  fail "--check does not place the bad link: $out"
grep -qx 'toy.txt:5:1: graph 5 has no node count and colon' <<<"$out" ||
  fail "--check does not place the missing count: $out"
"$toy" --list --json toy.txt 2>/dev/null | grep -c '"verdict":"connected and is a tree"' | grep -qx 1 ||
  fail "--list --json does not judge the tree"
"$toy" --dot=2 toy.txt | grep -q 'graph' || fail "--dot does not draw a toy graph"
# Named by --from where its start does not show it.
printf '# a comment first\n' >named.txt
"$toy" --check --from=toy named.txt >/dev/null 2>&1
expect "--from=toy on a line without a count" 1 $?
# The program itself has no such row.
"$plain" --check --from=toy toy.txt >/dev/null 2>&1
expect "--from=toy in the program without the row" 2 $?

[ "$failures" = 0 ] && echo "the toy format is read by every mode"
[ "$failures" = 0 ]
