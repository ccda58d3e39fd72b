#!/bin/bash
# The formats of one graph a file end to end: compressed files read as
# their plain form whatever their name (and damaged or cut ones refused,
# exit 2), warnings of a header's count and of a file that looks like
# METIS, every mode's output in the file's ids, --convert --to=edges and
# what it refuses, the nodes renumbered by --convert --to=graph6, and a
# refusal's place through the real binary. gzip, bzip2, xz and zstd are
# used when they are there.
#   usage: field_formats_test.sh UGRAPH
set -u
bin=$(realpath "$1")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
failures=0
check() {  # what, expected, actual
  if [ "$2" != "$3" ]; then
    echo "FAIL $1: expected:"; printf '%s\n' "$2"; echo "got:"; printf '%s\n' "$3"
    failures=$((failures + 1))
  fi
}

# SNAP's ids, which are not indices: every writer prints them.
printf '# Directed graph: x.txt\n# FromNodeId\tToNodeId\n900000000001\t7\n7\t42\n42\t900000000001\n5\t6\n' >ids.txt
# The walk starts at the smallest id, 5.
check "listing in ids" "   1  ids.txt              5      4  not connected (2 parts); unreached: 7 42 900000000001" \
  "$("$bin" --list ids.txt | sed -n 2p)"
check "JSON in ids" '{"number":1,"line":1,"name":"ids.txt","nodes":5,"links":4,"verdict":"not connected","components":2,"order":[5,6],"unreached":[7,42,900000000001]}' \
  "$("$bin" --list --json ids.txt)"
check "count" "ids.txt: 1 graph: 0 connected (0 trees, 0 cyclic), 1 not connected, 0 with no node, 0 refused" \
  "$("$bin" --count ids.txt)"
check "DOT in ids" "  900000000001 [style=dashed, color=grey];|  42 -- 900000000001;" \
  "$("$bin" --dot=1 ids.txt | grep -E '^  (900000000001 |42 -- )' | paste -sd'|')"
check "cycle in ids" "   1  ids.txt              3      3  connected but not a tree; cycle: 7 42 900000000001 7" \
  "$(head -5 ids.txt | "$bin" --list --from=edges - | sed -n 2p | sed 's/-      /ids.txt/')"
# --convert renumbers by ascending id; to an edge list, by those numbers.
check "graph6 of ids" "Bo" "$(sed 4q ids.txt | "$bin" -x -t graph6 --from=edges -)"
check "edges of ids" $'1 2\n1 3\n2 3' "$(sed 5q ids.txt | "$bin" -x -t edges --from=edges -)"
printf '[U "A" (1) 2 (3)]\n' >lone.txt
"$bin" -x -t edges lone.txt >out 2>err
check "a lone node not written" "1|-|lone.txt:1:1: data-input 1 has a node without links, which an edge list cannot hold" \
  "$?|$(cat out)-|$(cat err)"
printf '[U "A" (1) 2]\n[U "B" (1) 2]\n' >two.txt
"$bin" -x -t edges two.txt >out 2>err
check "a second graph not written" "1|1 2|two.txt:2:1: data-input 2 follows the first graph of its file, and an edge list holds one" \
  "$?|$(cat out)|$(cat err)"

# A graph6 line grows with the square of the nodes: past the ceiling it is
# refused, and sparse6 still written.
python3 -c 'print("\n".join(f"{i} {i + 1}" for i in range(99999)))' >path5.txt
"$bin" -x -t graph6 --max-memory=64M path5.txt >out 2>err
check "graph6 past the ceiling" "1|0|path5.txt:1:1: graph 1 needs at least 794.8 MiB of memory, over the ceiling of 64 MiB (--max-memory)" \
  "$?|$(wc -c <out)|$(cat err)"
check "sparse6 of the same" "1" "$("$bin" -x -t sparse6 --max-memory=64M path5.txt | wc -l)"

# Warnings: a header's count of links, and METIS read as an edge list.
printf '3 5\n2 3\n1 3\n1 2\n' >tri.graph
printf '3 2\n2 3\n1 3\n1 4 5\n' >tri.txt
"$bin" --list tri.graph >out 2>err
check "METIS count warned" "tri.graph:1:1: warning: graph 1 holds 3 distinct links where its header declares 5; it is judged by its lines" "$(cat err)"
"$bin" --count tri.txt >out 2>err
check "METIS suggested" "tri.txt:1:1: warning: graph 1 looks like METIS: a header of two to four numbers, then lines of varying length; read it with --from=metis if it is one" "$(cat err)"
printf '3 2\n2 3\n1\n1\n' >star.txt
"$bin" --count star.txt >out 2>err
check "METIS suggested beside a refusal" "1|star.txt:1:1: warning: graph 1 looks like METIS: a header of two to four numbers, then lines of varying length; read it with --from=metis if it is one" \
  "$?|$(grep warning err)"
check "check names the place" "star.txt:3:1: graph 1 has one id where a link needs two" \
  "$("$bin" --check star.txt 2>/dev/null | head -1)"

# Compressed files, by their first bytes, also from a pipe.
awk 'BEGIN { for (i = 0; i < 200000; i++) print i, i + 1 }' >chain.txt
plain=$("$bin" --list --json ids.txt)
for tool in gzip bzip2 xz zstd; do
  if ! command -v "$tool" >/dev/null; then echo "skipped: $tool"; continue; fi
  "$tool" -c ids.txt >packed
  check "$tool named anyhow" "$plain" "$("$bin" --list --json --from=edges packed | sed 's/"packed"/"ids.txt"/')"
  check "$tool from a pipe" "$plain" "$("$bin" --list --json - <packed | sed 's/"-"/"ids.txt"/')"
  head -c 30 packed >cut
  "$bin" --count cut >out 2>err
  check "$tool cut short" "2|ugraph: cut: the $tool data is damaged: it ends before its stream does" "$?|$(cat err)"
  # Damage is told whatever the graph needed: every road reads to the end.
  "$tool" -c chain.txt | head -c 100000 >bigcut
  for mode in --count --list --check; do
    "$bin" $mode --max-memory=64K --from=edges bigcut >out 2>err
    check "$tool cut short, $mode past the ceiling" "2|ugraph: bigcut: the $tool data is damaged: it ends before its stream does" "$?|$(cat err)"
  done
done
if command -v gzip >/dev/null; then
  printf 'A_\nBw\n' | gzip -c >g.g6.gz
  printf 'Bw\n' | gzip -c >>g.g6.gz
  check "graph lines gzipped, two members" "g.g6.gz: 3 graphs: 3 connected (1 tree, 2 cyclic), 0 not connected, 0 with no node, 0 refused" \
    "$("$bin" --count g.g6.gz)"
fi
printf '\x1f\x8b\x08\x00\x00\x00\x00\x00\x00\x03garbage, garbage' >bad.gz
"$bin" --list bad.gz >out 2>err
check "damaged gzip" "2|ugraph: bad.gz: the gzip data is damaged: invalid block type" "$?|$(cat err)"

# -j only schedules: the output of a file of many links is the same byte
# for byte with one job or four, its verdict, its refusal and its warning.
python3 - <<'PY'
import random
rng = random.Random(5)
with open("big.txt", "w") as f:
    f.write("# many links\n")
    for _ in range(200000):
        f.write(f"{rng.randrange(50000)} {rng.randrange(50000)}\n")
# A tree: every link decides its verdict.
links = [(i, i + 1) for i in range(150000)]
rng.shuffle(links)
with open("path.txt", "w") as f:
    f.writelines(f"{a} {b}\n" for a, b in links)
with open("bad.txt", "w") as f:
    for i in range(150000):
        f.write(f"{i} {i + 1}\n")
    f.write("7 x\n")
PY
for file in big.txt bad.txt path.txt; do
  for mode in --count "--count --json" --check; do
    one=$("$bin" -j1 $mode "$file" 2>&1; echo "status $?")
    four=$("$bin" -j4 $mode "$file" 2>&1; echo "status $?")
    check "-j1 and -j4 alike: $mode $file" "$one" "$four"
  done
done
check "a tree of many links, with two jobs" "path.txt: 1 graph: 1 connected (1 tree, 0 cyclic), 0 not connected, 0 with no node, 0 refused" \
  "$("$bin" -j2 --count path.txt)"
check "a refusal past the first batch" "bad.txt:150001:3: graph 1 has a field that is not a non-negative decimal number" \
  "$("$bin" -j2 --check bad.txt | head -1)"
check "memory short, one job or four" "$("$bin" -j1 --max-memory=64K --count --json big.txt 2>&1)" \
  "$("$bin" -j4 --max-memory=64K --count --json big.txt 2>&1)"
check "memory short refused at the graph's start" '"line":1,"column":1}}' \
  "$("$bin" --max-memory=64K --list --json big.txt 2>/dev/null | grep -o '"line":1,"column":1}}')"
check "--list names the one pass's smaller need" "; --count, which holds no links, needs less (line 1, column 1)" \
  "$("$bin" --max-memory=1M --list big.txt 2>/dev/null | sed -n 's/.*\(; --count.*\)/\1/p')"
check "--count judges it within the ceiling" "big.txt: 1 graph: 1 connected (0 trees, 1 cyclic), 0 not connected, 0 with no node, 0 refused" \
  "$("$bin" --max-memory=1M --count big.txt 2>/dev/null)"

# Archives as the collections ship them: each member as a FILE named
# ARCHIVE:MEMBER, found by its name and start; members that are no graph
# passed over with a note, the exit status untouched; --dot=N counts the
# graphs of all members in order.
if command -v tar >/dev/null && command -v gzip >/dev/null; then
  mkdir -p arc/karate
  printf 'A README\n' >arc/karate/README
  printf '%%%%MatrixMarket matrix coordinate real general\n3 1 1\n1 1 2\n' >arc/karate/vector.mtx
  printf '%% sym unweighted\n1 2\n2 3\n' >arc/karate/out.small
  printf '%%%%MatrixMarket matrix coordinate pattern symmetric\n3 3 3\n2 1\n3 2\n3 1\n' >arc/karate/karate.mtx
  (cd arc && tar cf ../k.tar karate/README karate/vector.mtx karate/out.small karate/karate.mtx)
  gzip -c k.tar >k.tar.gz
  "$bin" --count k.tar.gz >out 2>err
  check "archive counted, status" "0" "$?"
  check "archive counted" "k.tar.gz:karate/out.small: 1 graph: 1 connected (1 tree, 0 cyclic), 0 not connected, 0 with no node, 0 refused
k.tar.gz:karate/karate.mtx: 1 graph: 1 connected (0 trees, 1 cyclic), 0 not connected, 0 with no node, 0 refused" "$(cat out)"
  check "archive members passed over" "ugraph: k.tar.gz:karate/README: passed over: no format ugraph reads
ugraph: k.tar.gz:karate/vector.mtx: passed over: is a matrix of 3 rows and 1 columns: only a square one is a graph" "$(cat err)"
  check "archive from a pipe" '-:karate/out.small|-:karate/karate.mtx' \
    "$("$bin" --list --json - <k.tar.gz 2>/dev/null | sed 's/^{"file":"\([^"]*\)".*/\1/' | paste -sd'|')"
  check "the second graph of an archive" 'graph "karate.mtx" {' "$("$bin" --dot=2 k.tar 2>/dev/null | head -1)"
  "$bin" --dot=3 k.tar >out 2>err
  check "no third graph" "1|ugraph: k.tar has no graph 3" "$?|$(grep -v passed err)"
  # Names past a ustar header's 100 bytes: GNU's long-name member and
  # pax's path record.
  long=long-$(printf 'n%.0s' $(seq 1 120))
  mkdir -p "arc/$long" && printf '1 2\n' >"arc/$long/out.x"
  for format in gnu pax; do
    (cd arc && tar --format=$format -cf ../long.tar "$long/out.x")
    check "a long member name, $format" "long.tar:$long/out.x: 1 graph: 1 connected (1 tree, 0 cyclic), 0 not connected, 0 with no node, 0 refused" \
      "$("$bin" --count long.tar 2>&1)"
  done
  head -c 1500 k.tar >cut.tar
  "$bin" --count cut.tar >out 2>err
  check "an archive cut short" "2|ugraph: cut.tar: the archive ends inside a member" "$?|$(grep -v passed err)"
fi

exit $((failures > 0))
