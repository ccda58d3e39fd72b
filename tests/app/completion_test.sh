#!/bin/bash
# Loads the bash completion script and checks what it offers: every
# option that --help lists, and for each mode those that go with it.
#   usage: completion_test.sh SCRIPT UGRAPH
set -u
source "$1"
bin=$2
complete_line() {  # words...; prints the completions, one a line
  COMP_WORDS=("$@")
  COMP_CWORD=$(($# - 1))
  _ugraph
  printf '%s\n' "${COMPREPLY[@]}"
}
failures=0
expect() {  # what, expected, actual
  if [ "$2" != "$3" ]; then
    echo "FAIL $1: expected:"; echo "$2"; echo "got:"; echo "$3"
    failures=$((failures + 1))
  fi
}
all=$("$bin" --help | sed -n 's/^  \(-., \|    \)\(--[a-z-]*=\{0,1\}\).*/\2/p')
[ "$(printf '%s\n' "$all" | wc -l)" -ge 14 ] || { echo "FAIL: --help lists too few options"; exit 1; }
expect "ugraph --" "$all" "$(complete_line ugraph --)"
expect "ugraph --l" "--list" "$(complete_line ugraph --l)"
# A bare ugraph takes no FILE: only options are offered.
expect "ugraph " "$all" "$(complete_line ugraph '')"
# Once a mode is given, no second one.
expect "ugraph --list --" "--json
--from=
--max-memory=
--jobs=
--progress
--no-progress
--select=
--merge" "$(complete_line ugraph --list --)"
expect "ugraph -C --" "--json
--from=
--max-memory=
--jobs=
--progress
--no-progress
--part=
--merge" "$(complete_line ugraph -C --)"
expect "ugraph --count --part=" "" "$(complete_line ugraph --count --part=)"
expect "ugraph --reduce --" "--from=
--max-memory=
--jobs=
--progress
--no-progress
--part=
--merge" "$(complete_line ugraph --reduce --)"
expect "ugraph -c --" "--from=
--max-memory=
--jobs=
--progress
--no-progress" "$(complete_line ugraph -c --)"
expect "ugraph --trace=2 --" "--json
--from=
--max-memory=
--jobs=
--progress
--no-progress
--to=" "$(complete_line ugraph --trace=2 --)"
expect "ugraph --dot=2 --c" "" "$(complete_line ugraph --dot=2 --c)"
# The values of --from, --to and --select; a list of classes goes on.
expect "ugraph -T 1 --to=" "catalogue
graph6
sparse6
edges
dot
html" "$(complete_line ugraph -T 1 --to=)"
expect "ugraph -l --from g" "graph6" "$(complete_line ugraph -l --from g)"
expect "ugraph -l --from=s, split by bash" "sparse6" \
  "$(complete_line ugraph -l --from = s)"
expect "ugraph -x --select=tree,c" "tree,cyclic
tree,connected" "$(complete_line ugraph -x --select=tree,c)"
expect "ugraph --dot " "" "$(complete_line ugraph --dot '')"
expect "ugraph -l --max-memory=" "" "$(complete_line ugraph -l --max-memory=)"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
touch "$work/GraphDataFile2.txt"
expect "ugraph --check FILE" "$work/GraphDataFile2.txt" \
  "$(complete_line ugraph --check "$work/Graph")"
[ "$failures" = 0 ]
