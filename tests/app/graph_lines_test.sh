#!/bin/bash
# The real binary on graph lines as nauty writes them: headerless and
# mixed, what decides between graph lines and a catalogue, a graph over
# the memory ceiling, and memory that cannot be had (ulimit -v, skipped
# under a runner or a sanitizer, which need memory of their own).
#   usage: graph_lines_test.sh UGRAPH [sanitized]
set -u
bin=$(realpath "$1")
sanitized=${2:-}
failures=0
check() {  # name, expected status, expected output, actual status, actual output
  if [ "$4" != "$2" ] || [ "$5" != "$3" ]; then
    echo "FAIL $1: exit status $4 (expected $2), output:"
    printf '%s\n' "$5"
    echo "expected:"
    printf '%s\n' "$3"
    failures=$((failures + 1))
  fi
}
run() {  # input, arguments...: standard output and error together
  local input=$1
  shift
  printf '%b' "$input" | timeout 20 "$bin" "$@" 2>&1
}

# Headerless graph6 and sparse6, mixed: each line by its first byte.
out=$(run 'C~\n:Bc\nBw\n' --list -); status=$?
check mixed 0 "   N  NAME             NODES  LINKS  VERDICT
   1                       4      6  connected but not a tree; cycle: 1 2 3 1
   2                       3      2  connected and is a tree
   3                       3      3  connected but not a tree; cycle: 1 2 3 1
3 graphs: 3 connected (1 tree, 2 cyclic), 0 not connected, 0 with no node, 0 refused" "$status" "$out"

# A single word of letters is a graph6 line, unless the catalogue's sign
# follows it.
out=$(run 'Graphs\n' --check -); status=$?
check word-alone 0 "-: 1 graph, 0 refused" "$status" "$out"
out=$(run 'Graphs\n[U "A", (1),2]\n' --check -); status=$?
check word-before-catalogue 0 "-: 1 data-input, 0 refused" "$status" "$out"

# A digraph6 first line starts graph lines, and is refused as digraph6;
# so is a lone ':' as a sparse6 line too short.
out=$(run '&C~\n:\n' --check -); status=$?
check digraph-first 1 "-:1:1: graph 1 is a digraph6 line: a directed graph
-:2:2: graph 2 is too short for its node count
ugraph: -: every graph was refused
-: 2 graphs, 2 refused" "$status" "$out"

# An empty first line makes a catalogue; graph lines after it yield
# nothing as one, and the warning names --from.
out=$(run '\nC~\n' --check -); status=$?
check empty-first 0 "ugraph: -: no data-input found
-: 0 data-inputs, 0 refused" "$status" "$out"
out=$(run 'C~\nBw\n' --list --from=catalogue -); status=$?
check lines-as-catalogue 0 "ugraph: -: no data-input found; its first line looks like graph6 or sparse6 (--from=graph6)
   N  NAME             NODES  LINKS  VERDICT
0 data-inputs: 0 connected (0 trees, 0 cyclic), 0 not connected, 0 with no node, 0 refused" "$status" "$out"

# A first line longer than detection's block, headerless, is read as
# graph lines, from a file and a pipe, in graph6 and in sparse6: each file
# is judged as its headed form is.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
python3 - "$work" <<'PY'
import sys
def count(n):
    if n < 63:
        return chr(63 + n)
    return '~' + ''.join(chr(63 + ((n >> s) & 63)) for s in (12, 6, 0))
for n in (1254, 1255, 2000, 20000):
    size = (n * (n - 1) // 2 + 5) // 6
    body = ''.join('@' if i % 97 == 0 else '?' for i in range(size))
    with open(f'{sys.argv[1]}/{n}.g6', 'w') as f:
        f.write(count(n) + body + '\nC~\n')
PY
for n in 1254 1255 2000 20000; do
  g6=$work/$n.g6
  s6=$work/$n.s6
  { printf '>>sparse6<<'; "$bin" -x -t sparse6 "$g6"; } | tail -c +12 >"$s6"
  for file in "$g6" "$s6"; do
    headed=$( (printf '>>graph6<<'; cat "$file") | "$bin" --count - 2>&1)
    out=$("$bin" --count "$file" 2>&1); status=$?
    check "long-first-line $(basename "$file")" 0 "${headed/#-:/$file:}" "$status" "$out"
    out=$("$bin" --check - <"$file" 2>&1); status=$?
    check "long-first-line piped $(basename "$file")" 0 "-: 2 graphs, 0 refused" "$status" "$out"
  done
done
out=$("$bin" --dot=1 "$work/1255.s6" | head -1); status=$?
check long-first-line-dot 0 "graph \"\" {" "$status" "$out"

# A first line cut short starts graph lines too: it is refused at its
# place and the rest are judged.
out=$(run 'D?\nC~\nBw\nDQw\n' --check -); status=$?
check damaged-first 1 "-:1:3: graph 1 is too short for its node count
-: 4 graphs, 1 refused" "$status" "$out"

# A '[' is a graph line's byte: a sparse6 file read as a catalogue is told
# to read graph lines, and read as sparse6 is told nothing.
out=$(run ':Fa[\n' --check --from=catalogue -); status=$?
check bracket-as-catalogue 1 "-:1:5: data-input 1 is not marked 'U' (after '[')
ugraph: -: every data-input was refused; its first line looks like graph6 or sparse6 (--from=graph6)
-: 1 data-input, 1 refused" "$status" "$out"
out=$(run ':Fa[\n' --check --from=sparse6 -); status=$?
check bracket-as-sparse6 0 "-: 1 graph, 0 refused" "$status" "$out"

# Either header under either --from; a header past the first line is
# refused, as nauty's readers refuse it.
out=$(run '>>graph6<<C~\n>>sparse6<<:Bc\n' --check --from=sparse6 -); status=$?
check headers 1 "-:2:1: graph 2 holds a header, which only the first line may
-: 2 graphs, 1 refused" "$status" "$out"

# A line already in the format asked for is encoded afresh, with nauty's
# padding, where nauty-copyg passes it through: the same graph, as the
# man page says.
out=$(run 'Bx\n:GkV\n' -x -t graph6 -); status=$?
check padding-graph6 0 "Bw
GA????" "$status" "$out"
out=$(run ':GkV\nBx\n' -x -t sparse6 -); status=$?
check padding-sparse6 0 ":Gk^
:BcN" "$status" "$out"

# Node counts past 32 bits, and a graph over the memory ceiling: refused
# at once, in little memory, and the run goes on.
out=$(run ':~~A?????\n:~~@~~~~~\nBg\n' --list --json -); status=$?
check huge-counts 1 '{"number":1,"line":1,"refused":{"rule":"has more than 2147483647 nodes","line":1,"column":2}}
{"number":2,"line":2,"refused":{"rule":"needs at least 64.3 GiB of memory, over the ceiling of 4 GiB (--max-memory)","line":2,"column":1}}
{"number":3,"line":3,"name":"","nodes":3,"links":2,"verdict":"connected and is a tree","components":1,"order":[1,2,3]}' "$status" "$out"
out=$(run ':~?@?\n' --check --max-memory=2K -); status=$?
check tiny-ceiling 1 "-:1:1: graph 1 needs at least 2.1 KiB of memory, over the ceiling of 2 KiB (--max-memory)
ugraph: -: every graph was refused
-: 1 graph, 1 refused" "$status" "$out"
out=$(run ':~?@?\n' --list --max-memory=3K -); status=$?
check ceiling-met 0 "   N  NAME             NODES  LINKS  VERDICT
   1                      64      0  not connected (64 parts); unreached: 2 3 4 5 6 7 8 9 10 11 … (53 more)
1 graph: 0 connected (0 trees, 0 cyclic), 1 not connected, 0 with no node, 0 refused" "$status" "$out"

# A line of exactly the length the ceiling allows is held and judged; one
# byte more is refused, and the need it reports is the whole line's.
line() {  # length: a sparse6 line of 2 nodes and one repeated self-link
  printf ':A'
  head -c $(($1 - 2)) /dev/zero | tr '\0' '?'
  printf '\n'
}
out=$(line 262144 | "$bin" --check --max-memory=256K - 2>&1); status=$?
check line-at-ceiling 0 "-: 1 graph, 0 refused" "$status" "$out"
out=$(line 262145 | "$bin" --check --max-memory=256K - 2>&1); status=$?
check line-over-ceiling 1 "-:1:1: graph 1 needs at least 256.1 KiB of memory, over the ceiling of 256 KiB (--max-memory)
ugraph: -: every graph was refused
-: 1 graph, 1 refused" "$status" "$out"

# Memory that the system will not give is refused the same way, never a
# crash: 30 million nodes need about 1 GiB; a line the ceiling allows but
# the system does not (200 MB here) is told from one past the ceiling.
if [ -n "${UGRAPH_RUNNER:-}" ] || [ "$sanitized" = sanitized ]; then
  echo "skipping the ulimit -v run: it cannot run under a runner or a sanitizer"
else
  out=$( (ulimit -v 300000; printf ':~~?@q[M?\nBg\n' |
    timeout 20 "$bin" --list --json - 2>&1) ); status=$?
  check ulimit 1 '{"number":1,"line":1,"refused":{"rule":"needs at least 919.2 MiB of memory, more than the system gives","line":1,"column":1}}
{"number":2,"line":2,"name":"","nodes":3,"links":2,"verdict":"connected and is a tree","components":1,"order":[1,2,3]}' "$status" "$out"
  out=$( (ulimit -v 200000; line 268435456 |
    timeout 20 "$bin" --check --max-memory=256M - 2>&1) ); status=$?
  check ulimit-line-at-ceiling 1 "-:1:1: graph 1 needs at least 256 MiB of memory, more than the system gives
ugraph: -: every graph was refused
-: 1 graph, 1 refused" "$status" "$out"
  out=$( (ulimit -v 200000; line 268435457 |
    timeout 20 "$bin" --check --max-memory=256M - 2>&1) ); status=$?
  check ulimit-line-over-ceiling 1 "-:1:1: graph 1 needs at least 256.1 MiB of memory, over the ceiling of 256 MiB (--max-memory)
ugraph: -: every graph was refused
-: 1 graph, 1 refused" "$status" "$out"
fi

[ "$failures" -eq 0 ] || { echo "$failures failed"; exit 1; }
echo "graph lines: all passed"
