#!/bin/bash
# Every kernel this processor runs gives the same answers: the count and
# listing tests rerun with each forced by UGRAPH_KERNEL, and a catalogue of
# random small graphs, faults among them, is counted and listed alike by
# each and by the plain twins. A kernel the processor lacks, or a name
# that is none, is refused; the dialogue reads no environment.
#   usage: kernels_test.sh UGRAPH COUNT_TEST [sanitized]
set -u
bin=$(realpath "$1")
count_test=$(realpath "$2")
sanitized=${3:-}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1
failures=0
fail() { echo "FAIL $*"; failures=$((failures + 1)); }

kernels=$("$bin" --version |
  sed -n 's/^Kernels on this processor: \(.*\) (UGRAPH_KERNEL picks one)$/\1/p' | tr -d ,)
[ -n "$kernels" ] || fail "--version names no kernel"
case " $kernels " in *" plain "*) ;; *) fail "plain is not among: $kernels" ;; esac

python3 - <<'PY'
import random
rng = random.Random(7)
out = []
for k in range(3000):
    n = rng.randint(1, 9)
    groups = []
    for a in range(1, n + 1):
        nb = [rng.randint(0, n) for _ in range(rng.randint(0, 3))]
        groups.append("(%d)" % a + "".join(",%d" % b for b in nb))
    text = '[U "g%d", %s]' % (k, ", ".join(groups))
    if rng.random() < 0.05:  # a fault somewhere in the groups
        i = rng.randrange(text.index("("), len(text) - 1)
        text = text[:i] + rng.choice("x(),9 ") + text[i + 1:]
    out.append(text)
open("small.txt", "w").write("\n".join(out) + "\n")
PY
UGRAPH_KERNEL=plain "$bin" --count --json small.txt >plain.count
UGRAPH_KERNEL=plain "$bin" --list --json small.txt >plain.list
for kernel in $kernels; do
  UGRAPH_KERNEL=$kernel "$bin" --count --json small.txt >"$kernel.count"
  cmp -s plain.count "$kernel.count" || fail "$kernel counts otherwise than plain"
  UGRAPH_KERNEL=$kernel "$bin" --list --json small.txt >"$kernel.list"
  cmp -s plain.list "$kernel.list" || fail "$kernel lists otherwise than plain"
  UGRAPH_KERNEL=$kernel bash "$count_test" "$bin" >"$kernel.log" 2>&1 ||
    { cat "$kernel.log"; fail "the count test under $kernel"; }
done

out=$(UGRAPH_KERNEL=sse9 "$bin" --count small.txt 2>&1)
[ $? = 2 ] && [ "$out" = "ugraph: UGRAPH_KERNEL: unknown kernel 'sse9'; valid: plain, avx2, avx512" ] ||
  fail "an unknown kernel: $out"
UGRAPH_KERNEL= "$bin" --count --json small.txt | cmp -s - plain.count ||
  fail "an empty UGRAPH_KERNEL is not taken as unset"
printf '3\n' >answers
UGRAPH_KERNEL=sse9 "$bin" <answers >with 2>&1
"$bin" <answers >without 2>&1
cmp -s with without || fail "the dialogue reads UGRAPH_KERNEL"
# valgrind hides AVX-512 from the program it runs: a processor without it.
# A sanitized program cannot run under valgrind.
if command -v valgrind >/dev/null && [ -z "${UGRAPH_RUNNER:-}" ] &&
    [ -z "$sanitized" ]; then
  out=$(UGRAPH_KERNEL=avx512 valgrind -q "$bin" --check small.txt 2>&1 >/dev/null)
  [ "$out" = "ugraph: UGRAPH_KERNEL: this processor cannot run avx512" ] ||
    fail "a kernel the processor lacks: $out"
fi

[ "$failures" = 0 ] && echo "kernels alike:" $kernels
[ "$failures" = 0 ]
