#!/bin/bash
# Behaviours no other test sees: what --convert keeps and refuses and how
# it ends, a catalogue past an over-long data-input, empty and cut-short
# files, the trace's header and columns and its forms for no node, a read
# error in the dialogue, the
# memory ceiling to the byte, and every mode's exit status on each of its
# outcomes.
#   usage: behaviours_test.sh UGRAPH
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

# --convert --to=catalogue keeps a self-link.
check "a self-link converted" '[U "s", (1),1,2, (2),3, (3)]' \
  "$(printf '[U "s", (1),1,2, (2),3]\n' | "$bin" -x -t catalogue -)"

# A data-input holds 624 links: a graph of 624 is written, one of 625
# refused, and a refusal with the output fine ends with 1, not 2.
python3 - <<'PY'
n = 50
pairs = [(a, b) for b in range(1, n) for a in range(b)]
for k in (624, 625):
    chosen = set(pairs[:k])
    bits = "".join("1" if p in chosen else "0" for p in pairs)
    bits += "0" * (-len(bits) % 6)
    line = chr(63 + n) + "".join(chr(63 + int(bits[i:i + 6], 2)) for i in range(0, len(bits), 6))
    open(f"l{k}.g6", "w").write(line + "\n")
PY
"$bin" -x -t catalogue l624.g6 >l624.txt 2>err
check "624 links converted, status" "0|" "$?|$(cat err)"
check "624 links converted, links" "1 data-input: 0 connected (0 trees, 0 cyclic), 1 not connected, 0 with no node, 0 refused" \
  "$("$bin" --list l624.txt | tail -n 1)"
check "624 links converted, count" 624 "$("$bin" --list --json l624.txt | sed 's/.*"links":\([0-9]*\).*/\1/')"
out=$("$bin" -x -t catalogue l625.g6 2>&1)
check "625 links refused, exit 1" "1|l625.g6:1:1: graph 1 is past a data-input's limits of 624 links and 2500 characters" \
  "$?|$out"

# A data-input over 2,500 characters swallows none after it.
{
  printf '[U "long", (1)'; printf ',2%.0s' $(seq 1300); printf ']\n'
  printf '[U "a" (1) 2]\n[U "b" (1) 2 (2) 3]\n'
} >long.txt
check "past an over-long data-input" "   1  -                    -      -  refused: is longer than 2500 characters (line 1, column 1)
   2  a                    2      1  connected and is a tree
   3  b                    3      2  connected and is a tree" \
  "$("$bin" --list long.txt | sed -n '2,4p')"
# One character too long, that character its ']': it ends there.
python3 -c '
body = " \"x\", (1)"
body += " " * (2498 - len(body))
print("[U" + body + "]")
print("[U \"a\" (1) 2]")' >edge.txt
check "one past the longest data-input" "   1  -                    -      -  refused: is longer than 2500 characters (line 1, column 1)
   2  a                    2      1  connected and is a tree" \
  "$("$bin" --list edge.txt | sed -n '2,3p')"

# An empty file, and one that holds only the start of a header, end at
# once with the warning.
: >empty
check "an empty file" "empty: 0 data-inputs, 0 refused|ugraph: empty: no data-input found" \
  "$(timeout 5 "$bin" --check empty 2>err)|$(cat err)"
check "the start of a header" "-: 0 data-inputs, 0 refused|ugraph: -: no data-input found" \
  "$(printf '>>gra' | timeout 5 "$bin" --check - 2>err)|$(cat err)"

# The trace's header counts a self-link and a link; its columns hold for
# nodes of two digits.
check "the trace header" 'data-input 1 "s": 2 nodes, 2 links, 3 entries' \
  "$(printf '[U "s", (1),1,2]\n' | "$bin" --trace=1 - | head -n 1)"
path='[U "p"'
for a in $(seq 10); do path="$path, ($a),$((a + 1))"; done
columns=$(printf '%s]\n' "$path" | "$bin" --trace=1 - | grep '^reach [0-9]' |
  awk '{ print index($0, "order:") }' | sort -u)
check "the trace's columns for nodes 1 to 11" 24 "$columns"

# The graph of 0 nodes takes no step: its JSON trace reaches 0 nodes, and
# its frames are its one drawing, labelled with its verdict.
printf '?\n' >zero.g6
check "the JSON trace of no node" '{"event":"graph","name":"","nodes":0,"links":[]}
{"event":"verdict","verdict":"no node","reached":0,"nodes":0,"entries":0,"components":0}' \
  "$("$bin" --trace=1 --json zero.g6)"
check "the frames of no node" 'graph "" {
  label="no node";
  labelloc=t;
}' "$("$bin" --trace=1 --to=dot zero.g6)"

# A line end in a name is escaped in each frame's head, so that splitting
# the frames at their heads, as the README shows, gives one a step.
printf '[U "a\ngraph b", (1),2, (2),3]\n' >newline.txt
# The JSON trace has a line a step, one for the graph and one for the
# verdict; the frames one a step and one for step 0.
check "frames of a name with a line end" $(($("$bin" --trace=1 --json newline.txt | wc -l) - 1)) \
  "$("$bin" --trace=1 --to=dot newline.txt | grep -c '^graph ')"

# A NUL in a name is refused at its place, the same in every mode, never
# shown cut short.
printf '[U "a\nb\rc\0d\001", (1),2]\n' >nul.txt
check "a NUL in a name, listed" '{"number":1,"line":1,"refused":{"rule":"has a NUL byte in its graph name","line":2,"column":4}}' \
  "$("$bin" --list --json nul.txt 2>/dev/null)"
check "a NUL in a name, drawn" "nul.txt:2:4: data-input 1 has a NUL byte in its graph name" \
  "$("$bin" --dot=1 nul.txt 2>&1)"

# A file in a format ugraph does not read is refused as a whole, naming
# the formats it reads: GML, its own --dot output, a file compressed twice
# (a compressed file is read as what it holds, once); forced with --from,
# it is read as asked.
printf 'Creator "x"\ngraph [\n  node [ id 1 ]\n]\n' >net.gml
"$bin" --dot=1 newline.txt >drawing.dot
printf '[U "a" (1)]\n' | gzip | gzip >cat.gz
for file in net.gml drawing.dot cat.gz; do
  "$bin" --count "$file" >out 2>err
  check "$file refused, status" "1|" "$?|$(cat out)"
done
check "GML refused" "ugraph: net.gml: holds GML, which ugraph does not read; it reads catalogue, graph6, sparse6, edges, mtx, dimacs, metis, reduced (choose one with --from=FORMAT)" \
  "$("$bin" --list net.gml 2>&1)"
check "DOT refused" "ugraph: drawing.dot: holds DOT, which ugraph does not read; it reads catalogue, graph6, sparse6, edges, mtx, dimacs, metis, reduced (choose one with --from=FORMAT)" \
  "$("$bin" --check drawing.dot 2>&1)"
check "gzip refused" "ugraph: -: holds gzip-compressed data, which ugraph does not read; decompress it first; it reads catalogue, graph6, sparse6, edges, mtx, dimacs, metis, reduced (choose one with --from=FORMAT)" \
  "$("$bin" --check - <cat.gz 2>&1)"
check "GML read as a catalogue when asked" "net.gml:2:8: data-input 1 is not marked 'U' (after '[')" \
  "$("$bin" --check --from=catalogue net.gml 2>/dev/null | head -1)"

# A read error in the dialogue is said once, with no failed write beside.
out=$("$bin" </ 2>err)
check "a read error in the dialogue" "1|Error: cannot read standard input: Is a directory|" \
  "$?|$(printf '%s\n' "$out" | tail -n 1)|$(cat err)"

# The memory a graph line needs, to the byte: 64 nodes without links need
# their line, 32 bytes a node and a bit a node.
check "the ceiling just met" 0 "$(printf ':~?@?\n' | "$bin" --check --max-memory=2117 - >/dev/null 2>&1; echo $?)"
check "the ceiling one byte short" 1 "$(printf ':~?@?\n' | "$bin" --check --max-memory=2116 - >/dev/null 2>&1; echo $?)"

# Every mode's exit status on each outcome: all good, a graph refused, a
# usage error, a file that cannot be read, output that cannot be written.
printf '[U "A" (1) 2]\n' >good.txt
printf '[X "A" (1) 2]\n' >refused.txt
status() { "$bin" "$@" >/dev/null 2>&1; echo $?; }
while read -r mode good refused usage file written; do
  read -ra args <<<"${mode//_/ }"
  check "$mode: good" "$good" "$(status "${args[@]}" good.txt)"
  check "$mode: refused" "$refused" "$(status "${args[@]}" refused.txt)"
  check "$mode: usage" "$usage" "$(status "${args[@]}" --bogus good.txt)"
  check "$mode: file" "$file" "$(status "${args[@]}" missing.txt)"
  check "$mode: write" "$written" "$("$bin" "${args[@]}" good.txt >/dev/full 2>/dev/null; echo $?)"
done <<'TABLE'
--check 0 1 2 2 2
--list 0 1 2 2 2
--list_--json 0 1 2 2 2
--count 0 1 2 2 2
--count_--json 0 1 2 2 2
--dot=1 0 1 2 2 2
--convert_--to=graph6 0 1 2 2 2
--trace=1 0 1 2 2 2
--trace=1_--json 0 1 2 2 2
TABLE
# A file of graph lines calls its graphs graphs in every mode, also when
# it holds none: never data-inputs.
printf '>>graph6<<' >none.g6
for args in --check --list --count --dot=1 --trace=1 "--convert --to=graph6" \
    "--list --json"; do
  # shellcheck disable=SC2086 # the arguments split as written
  out=$("$bin" $args none.g6 2>&1)
  check "$args on graph lines without a graph" "" \
    "$(grep -o 'data-input[s]*' <<<"$out")"
  grep -q 'graph' <<<"$out" || check "$args names graphs" "a graph" "$out"
done

[ "$failures" = 0 ]
