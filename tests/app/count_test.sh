#!/bin/bash
# --count, and every batch mode over several FILE operands: each file's
# own totals and numbering, the sum of all, a file that cannot be read
# reported and skipped with the others still read, and the exit status.
#   usage: count_test.sh UGRAPH
set -u
bin=$(realpath "$1")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
printf '[U "Tree" (1) 2 (2) 3]\n[U "Lone" (1)]\n[U "Two" (4)]\n[X]\n' >a.txt
printf 'Bw\n?\n@\n:Bc\n' >b.g6
failures=0
check() {  # name, expected status, expected output, status, output
  if [ "$2" != "$4" ] || [ "$3" != "$5" ]; then
    echo "FAIL $1: status $4 (expected $2), output:"; echo "$5"
    echo "expected:"; echo "$3"
    failures=$((failures + 1))
  fi
}
# Runs ugraph: out is its standard output, then "--" and its standard
# error when it wrote any.
run() {
  out=$("$bin" "$@" 2>"$work/err")
  status=$?
  if [ -s "$work/err" ]; then out=$out$'\n--\n'$(cat "$work/err"); fi
}

run --count a.txt b.g6 missing
check "totals of two files and a missing one" 2 \
"a.txt: 4 data-inputs: 2 connected (2 trees, 0 cyclic), 1 not connected, 0 with no node, 1 refused
b.g6: 4 graphs: 3 connected (2 trees, 1 cyclic), 0 not connected, 1 with no node, 0 refused
total: 8 graphs: 5 connected (4 trees, 1 cyclic), 1 not connected, 1 with no node, 1 refused
--
ugraph: missing: No such file or directory" "$status" "$out"

run -C --json b.g6 - --part=2/3 <a.txt
check "JSON totals with a part and a sum" 1 \
'{"file":"b.g6","part":"2/3","graphs":4,"tree":2,"cyclic":1,"connected":3,"disconnected":0,"no-node":1,"refused":0,"components":{"0":1,"1":3}}
{"file":"-","part":"2/3","graphs":4,"tree":2,"cyclic":0,"connected":2,"disconnected":1,"no-node":0,"refused":1,"components":{"1":2,"4":1}}
{"file":null,"graphs":8,"tree":4,"cyclic":1,"connected":5,"disconnected":1,"no-node":1,"refused":1,"components":{"0":1,"1":5,"4":1}}' \
  "$status" "$out"

run --count --part=0/2 b.g6
check "one file, no sum, its part named" 0 \
"b.g6 (part 0/2): 4 graphs: 3 connected (2 trees, 1 cyclic), 0 not connected, 1 with no node, 0 refused" \
  "$status" "$out"

run --count b.g6
check "one file, no sum" 0 \
"b.g6: 4 graphs: 3 connected (2 trees, 1 cyclic), 0 not connected, 1 with no node, 0 refused" \
  "$status" "$out"

run --list b.g6 a.txt
check "a listing of two files" 1 \
"==> b.g6 <==
   N  NAME             NODES  LINKS  VERDICT
   1                       3      3  connected but not a tree; cycle: 1 2 3 1
   2                       0      0  no node
   3                       1      0  connected and is a tree
   4                       3      2  connected and is a tree
4 graphs: 3 connected (2 trees, 1 cyclic), 0 not connected, 1 with no node, 0 refused

==> a.txt <==
   N  NAME             NODES  LINKS  VERDICT
   1  Tree                 3      2  connected and is a tree
   2  Lone                 1      0  connected and is a tree
   3  Two                  4      0  not connected (4 parts); unreached: 2 3 4
   4  -                    -      -  refused: is not marked 'U' (after '[') (line 4, column 2)
4 data-inputs: 2 connected (2 trees, 0 cyclic), 1 not connected, 0 with no node, 1 refused" \
  "$status" "$out"

run --list --json --select=no-node,refused a.txt b.g6
check "JSON rows name their file" 1 \
'{"file":"a.txt","number":4,"line":4,"refused":{"rule":"is not marked '"'U'"' (after '"'['"')","line":4,"column":2}}
{"file":"b.g6","number":2,"line":2,"name":"","nodes":0,"links":0,"verdict":"no node","components":0}' \
  "$status" "$out"

run --check b.g6 nowhere a.txt
check "checks go on past a missing file" 2 \
"b.g6: 4 graphs, 0 refused
a.txt:4:2: data-input 4 is not marked 'U' (after '[')
a.txt: 4 data-inputs, 1 refused
--
ugraph: nowhere: No such file or directory" "$status" "$out"

run --convert --to=graph6 a.txt b.g6
check "conversion of two files in turn" 1 \
"Bg
@
C?
Bw
?
@
Bo
--
a.txt:4:2: data-input 4 is not marked 'U' (after '[')" "$status" "$out"

# Graphs without links of 50, 51 and 64 nodes: 50 parts and more, and a
# count of parts met once more.
python3 -c '
for n in (50, 51, 64, 51):
    head = chr(63 + n) if n < 63 else "~?@?"
    print(head + "?" * ((n * (n - 1) // 2 + 5) // 6))' >empty.g6
run --count --json empty.g6
check "many parts" 0 \
'{"file":"empty.g6","graphs":4,"tree":0,"cyclic":0,"connected":0,"disconnected":4,"no-node":0,"refused":0,"components":{"50":1,"51":2,"64":1}}' \
  "$status" "$out"

# Counts of parts past 50 arriving falling, and mixed with one met again.
empty() {  # node counts...: a graph6 line without links for each
  python3 -c '
import sys
for n in map(int, sys.argv[1:]):
    head = "~" + "".join(chr(63 + (n >> s & 63)) for s in (12, 6, 0))
    print(head + "?" * ((n * (n - 1) // 2 + 5) // 6))' "$@"
}
empty 300 200 100 >falling.g6
empty 300 100 200 100 >mixed.g6
run --count --json falling.g6 mixed.g6
check "parts past 50 in falling and mixed order" 0 \
'{"file":"falling.g6","graphs":3,"tree":0,"cyclic":0,"connected":0,"disconnected":3,"no-node":0,"refused":0,"components":{"100":1,"200":1,"300":1}}
{"file":"mixed.g6","graphs":4,"tree":0,"cyclic":0,"connected":0,"disconnected":4,"no-node":0,"refused":0,"components":{"100":2,"200":1,"300":1}}
{"file":null,"graphs":7,"tree":0,"cyclic":0,"connected":0,"disconnected":7,"no-node":0,"refused":0,"components":{"100":3,"200":2,"300":2}}' \
  "$status" "$out"

# Graphs of 17 to 50 nodes whose last node alone decides their parts:
# alone, linked only to node 1, or only to node n - 1, after a path
# through the others or none: --count, which counts parts without a walk,
# agrees with the walk's count of each graph that --list gives.
for n in $(seq 17 50); do
  path=""
  for ((i = 1; i < n - 1; i++)); do path+=" ($i) $((i + 1))"; done
  for last in "" " (1) $n" " ($((n - 1))) $n"; do
    printf '[U "P%s"%s%s (%s)]\n' "$n" "$path" "$last" "$n"
    printf '[U "E%s"%s (%s)]\n' "$n" "$last" "$n"
  done
done >last.txt
walked=$("$bin" --list --json last.txt | sed 's/.*"components":\([0-9]*\).*/\1/' |
  sort -n | uniq -c | awk '{printf "%s\"%s\":%s", sep, $2, $1; sep = ","}')
run --count --json last.txt
check "parts decided by the last node, against the walk" 0 \
'{"file":"last.txt","graphs":204,"tree":68,"cyclic":0,"connected":68,"disconnected":136,"no-node":0,"refused":0,"components":{'"$walked"'}}' \
  "$status" "$out"

# The file that is also the output is skipped as one that cannot be read.
"$bin" --count b.g6 out.txt >out.txt 2>err.txt
status=$?
check "output among the inputs" 2 "ugraph: out.txt: input file is output file
b.g6: 4 graphs: 3 connected (2 trees, 1 cyclic), 0 not connected, 1 with no node, 0 refused
total: 4 graphs: 3 connected (2 trees, 1 cyclic), 0 not connected, 1 with no node, 0 refused" \
  "$status" "$(cat err.txt out.txt)"
# So is a FILE that is the pipe the output goes into: read, it would wait
# on the run's own output for ever.
out=$( (timeout 10 "$bin" --count b.g6 /dev/stdout; echo $? >st) 2>&1 | cat)
status=$(cat st)
check "the output's pipe among the inputs" 2 "ugraph: /dev/stdout: input file is output file
b.g6: 4 graphs: 3 connected (2 trees, 1 cyclic), 0 not connected, 1 with no node, 0 refused
total: 4 graphs: 3 connected (2 trees, 1 cyclic), 0 not connected, 1 with no node, 0 refused" \
  "$status" "$out"
[ "$failures" = 0 ]
