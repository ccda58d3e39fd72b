#!/bin/bash
# ugraph beside nauty, the peer that defines graph6 and sparse6: the counts
# of connected graphs and trees among all graphs nauty generates, lines
# written byte for byte as nauty-copyg writes them, round trips, self-links
# and the pipelines the README shows. Skipped (77) without nauty.
#   usage: nauty_test.sh UGRAPH
set -u
bin=$(realpath "$1")
command -v nauty-geng >/dev/null || { echo "skipped: nauty is not installed"; exit 77; }
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
# Counts the JSON lines of standard input by verdict: "connected trees".
count() {
  python3 -c '
import json, sys
rows = [json.loads(line) for line in sys.stdin]
connected = sum(r["verdict"].startswith("connected") for r in rows)
trees = sum(r["verdict"] == "connected and is a tree" for r in rows)
print(connected, trees)'
}

# The connected graphs and trees on 1 to 7 nodes (OEIS A001349, A000055).
connected=(1 1 2 6 21 112 853)
trees=(1 1 1 2 3 6 11)
for n in 1 2 3 4 5 6 7; do
  check "geng $n" "${connected[n - 1]} ${trees[n - 1]}" \
    "$(nauty-geng -q "$n" | "$bin" --list --json --from=graph6 - | count)"
done
check "gentreeg 12" "551 graphs: 551 connected (551 trees" \
  "$(nauty-gentreeg -q 12 | "$bin" --list --from=sparse6 - | tail -n 1 | cut -d, -f1)"

# --count gives the same figures on 1 to 9 nodes, and its components
# those of nauty-countg --cc.
connected+=(11117 261080)
trees+=(23 47)
for n in 1 2 3 4 5 6 7 8 9; do
  nauty-geng -q "$n" >geng.g6
  check "--count of geng $n" "${connected[n - 1]} ${trees[n - 1]}" \
    "$("$bin" --count --json geng.g6 | python3 -c '
import json, sys
t = json.load(sys.stdin)
print(t["connected"], t["tree"])')"
  check "components of geng $n" \
    "$(nauty-countg --cc -q geng.g6 | awk '/components=/ { sub("components=", "", $4); print $4 ":" $1 }')" \
    "$("$bin" --count --json geng.g6 | python3 -c '
import json, sys
for k, v in json.load(sys.stdin)["components"].items():
    print(f"{k}:{v}")')"
done

# Written as nauty writes it, and read back as it was.
for n in 1 2 3 4 5 6 7; do nauty-geng -q "$n"; done >all.g6
for n in 8 9 12 16 17 31 32 50; do nauty-genrang -q -g "$n" 200; done >>all.g6
nauty-copyg -q -s all.g6 all.s6
"$bin" -x -f graph6 -t sparse6 all.g6 >ugraph.s6
cmp -s ugraph.s6 all.s6 || check "graph6 to sparse6" same "$(diff all.s6 ugraph.s6 | head -n 4)"
"$bin" -x -f sparse6 -t graph6 all.s6 >ugraph.g6
cmp -s ugraph.g6 all.g6 || check "sparse6 to graph6" same "$(diff all.g6 ugraph.g6 | head -n 4)"
# A catalogue holds at most 624 links: 32 nodes at most have fewer.
for n in 1 2 3 4 5 6 7; do nauty-geng -q "$n"; done >small.g6
for n in 8 16 31 32; do nauty-genrang -q -g "$n" 200; done >>small.g6
"$bin" -x -f graph6 -t catalogue small.g6 | "$bin" -x -t graph6 - >round.g6
cmp -s round.g6 small.g6 || check "graph6 to catalogue and back" same "$(diff small.g6 round.g6 | head -n 4)"

# sparse6's padding: n a power of two up to 16, a link at node n - 2 (from
# 0), none at node n - 1; the link to node 0, or node n - 2's self-link as
# nauty-amtog writes it.
for n in 2 4 8 16; do
  # (For n = 2 that link is node 0's self-link, the case below.)
  [ "$n" -gt 2 ] && printf '[U "p", (1),%d, (%d)]\n' $((n - 1)) "$n" >>padding.txt
  python3 -c "n = $n; print(f'n={n}'); [print(''.join(
      '1' if i == j == n - 2 else '0' for j in range(n))) for i in range(n)]" |
    nauty-amtog -q -s >>padding.s6
  printf '[U "q", (%d),%d, (%d)]\n' $((n - 1)) $((n - 1)) "$n" >>loops.txt
done
check "sparse6 padding" "$("$bin" -x -t graph6 padding.txt | nauty-copyg -q -s)" \
  "$("$bin" -x -t sparse6 padding.txt)"
check "sparse6 padding after a self-link" "$(cat padding.s6)" \
  "$("$bin" -x -t sparse6 loops.txt)"

# Self-links, as nauty-amtog writes them; graph6 cannot hold one.
printf 'n=3\n110\n101\n011\n' | nauty-amtog -q -s >loops.s6
check "self-links judged" '4 "connected but not a tree" [1, 1]' \
  "$("$bin" --list --json --from=sparse6 loops.s6 | python3 -c '
import json, sys; r = json.load(sys.stdin)
print(r["links"], json.dumps(r["verdict"]), r["cycle"])')"
check "self-links written" "$(cat loops.s6)" "$("$bin" -x -f sparse6 -t sparse6 loops.s6)"
"$bin" -x -f sparse6 -t graph6 loops.s6 >/dev/null 2>err
check "self-links refused for graph6" \
  "loops.s6:1:1: graph 1 has a self-link, which graph6 cannot hold" "$(cat err)"

# The pipelines of the README.
check "geng 7 as JSON" 1044 \
  "$(nauty-geng -q 7 | "$bin" --list --json --from=graph6 - | wc -l)"
nauty-geng -q 6 | "$bin" --convert --from=graph6 --to=catalogue - >GraphDataFile2.txt
check "geng 6 as a catalogue" "GraphDataFile2.txt: 156 data-inputs, 0 refused" \
  "$("$bin" --check)"
check "trees back to nauty" 6 \
  "$("$bin" --convert --to=graph6 --select=tree GraphDataFile2.txt |
    nauty-showg -e 2>/dev/null | grep -c '^Graph ')"
if command -v dot >/dev/null; then
  "$bin" --convert --to=dot --select=disconnected GraphDataFile2.txt |
    dot -Tsvg -O
  check "disconnected drawings" 44 "$(ls noname.gv*.svg | wc -l)"
fi

[ "$failures" = 0 ] && echo "ugraph agrees with nauty"
