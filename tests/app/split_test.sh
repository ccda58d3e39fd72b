#!/bin/bash
# A run split in four with GNU parallel, as nauty-geng splits its output by
# res/mod, and merged with the examples' merge-counts.jq, gives the totals
# of a single run and the known figures for 9 nodes (OEIS A001349 and
# A000055). The merge sums the files of one part, and stops, naming the
# part, when one is missing, repeated or not K/N of a split ugraph takes,
# at once however large N. Skipped (77) when jq is not installed; the
# split by nauty-geng is skipped without nauty or GNU parallel.
#   usage: split_test.sh UGRAPH MERGE_PROGRAM
set -u
bin=$(realpath "$1")
merge=$(realpath "$2")
command -v jq >/dev/null || { echo "skipped: jq is not installed"; exit 77; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
failures=0
check() {  # what, expected, actual
  if [ "$2" != "$3" ]; then
    echo "FAIL $1: expected '$2', got '$3'"
    failures=$((failures + 1))
  fi
}
merged() {  # files...: the merge, or its error without jq's prefix
  timeout 10 jq -s -c -f "$merge" "$@" 2>&1 | sed 's/^jq: error (at [^)]*): //'
}

if command -v nauty-geng >/dev/null && command -v parallel >/dev/null; then
  export UGRAPH=$bin
  parallel --will-cite -j 4 \
    'nauty-geng -q 9 {}/4 | "$UGRAPH" --count --json --part={}/4 - > part-{}.json' ::: 0 1 2 3
  all=$(merged part-*.json)
  single=$(nauty-geng -q 9 | "$bin" --count --json - | jq -c '.file = null')
  check "merged against one run" "$single" "$all"
  check "connected graphs and trees on 9 nodes" "261080 47" \
    "$(jq -r '"\(.connected) \(.tree)"' <<<"$all")"
  check "a missing part" "part 2/4 missing" "$(merged part-0.json part-1.json part-3.json)"
  check "a repeated part" "part 1/4 counted more than once" "$(merged part-[0-3].json part-1.json)"
else
  echo "skipping the split by nauty-geng: nauty or GNU parallel is not installed"
fi

# Graphs of 1, 2, 3 and 10 parts, one refused line among them, split in
# two by hand; part 0 reads two files.
printf 'I????????\nBw\n' >a1.g6
printf 'A?\n' >a2.g6
printf 'B?\nD?\n' >b.g6
"$bin" --count --json --part=0/2 a1.g6 a2.g6 >p0.json
"$bin" --count --json --part=1/2 b.g6 >p1.json
check "files of one part summed, refused ones and parts 2 before 10" \
  '{"file":null,"graphs":5,"tree":0,"cyclic":1,"connected":1,"disconnected":3,"no-node":0,"refused":1,"components":{"1":1,"2":1,"3":1,"10":1}}' \
  "$(merged p0.json p1.json)"
check "part 0 missing" "part 0/2 missing" "$(merged p1.json)"
check "a part's output given twice" "part 0/2 counted more than once" "$(merged p0.json p1.json p0.json)"
"$bin" --count --json --part=0/2 a1.g6 a1.g6 >twice.json
check "a file twice in one part" "part 0/2 counted more than once" "$(merged twice.json p1.json)"

# Labels that are not a part of a split ugraph takes, and splits so large
# that listing every part would not end.
for label in 2/2 1.5/2 -1/2 1/2/9 01/2 0/9223372036854775807 0/1000001; do
  sed "s|\"1/2\"|\"$label\"|" p1.json >bad.json
  check "part $label" "part \"$label\" is not K/N with 0 <= K < N <= 1000000" \
    "$(merged p0.json p1.json bad.json)"
done
sed 's|"1/2"|"0/1000000"|' p1.json >large.json
check "a split into a million parts, one given" \
  "part 1/1000000, 2/1000000, 3/1000000, 4/1000000, 5/1000000, 6/1000000, 7/1000000, 8/1000000, 9/1000000, 10/1000000 and 999989 more missing" \
  "$(merged large.json)"

[ "$failures" = 0 ] && echo "split runs merged"
[ "$failures" = 0 ]
