#!/bin/bash
# A run split in four with GNU parallel, as nauty-geng splits its output by
# res/mod, and merged with the examples' merge-counts.jq, gives the totals
# of a single run and the known figures for 9 nodes (OEIS A001349 and
# A000055); a missing or repeated part stops the merge. Skipped (77) when
# nauty, GNU parallel or jq is not installed.
#   usage: split_test.sh UGRAPH MERGE_PROGRAM
set -u
bin=$(realpath "$1")
merge=$(realpath "$2")
for tool in nauty-geng parallel jq; do
  command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed"; exit 77; }
done
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
export UGRAPH=$bin
parallel --will-cite -j 4 \
  'nauty-geng -q 9 {}/4 | "$UGRAPH" --count --json --part={}/4 - > part-{}.json' ::: 0 1 2 3
merged=$(jq -s -c -f "$merge" part-*.json)
single=$(nauty-geng -q 9 | "$bin" --count --json - | jq -c '.file = null')
check "merged against one run" "$single" "$merged"
check "connected graphs and trees on 9 nodes" "261080 47" \
  "$(jq -r '"\(.connected) \(.tree)"' <<<"$merged")"
check "a missing part" "part 2/4 missing" \
  "$(jq -s -f "$merge" part-0.json part-1.json part-3.json 2>&1 >/dev/null | sed 's/.*: //')"
check "a repeated part" "part 1/4 counted more than once" \
  "$(jq -s -f "$merge" part-[0-3].json part-1.json 2>&1 >/dev/null | sed 's/.*: //')"
[ "$failures" = 0 ] && echo "4 parts merged: $merged"
[ "$failures" = 0 ]
