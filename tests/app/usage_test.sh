#!/bin/bash
# Wrong usage and unreadable catalogues: each run must write exactly the
# expected lines on standard error, nothing on standard output, and end
# with exit status 2.
#   usage: usage_test.sh UGRAPH
set -u
bin=$(realpath "$1")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
printf '[U "A" (1) 2]\n' >GraphDataFile2.txt
try="Try 'ugraph --help' for more information."
failures=0
expect() {  # expected first stderr line, second line ("" for none), args...
  local first=$1 second=$2
  shift 2
  local out err status
  out=$("$bin" "$@" 2>err)
  status=$?
  err=$(cat err)
  local want=$first
  [ -n "$second" ] && want=$first$'\n'$second
  if [ "$status" != 2 ] || [ -n "$out" ] || [ "$err" != "$want" ]; then
    echo "FAIL ugraph $*: status $status, stdout '$out', stderr:"
    printf '%s\n' "$err"
    failures=$((failures + 1))
  fi
}
expect "ugraph: unrecognized option '--bogus'" "$try" --bogus
expect "ugraph: invalid option -- 'z'" "$try" -z
expect "ugraph: invalid option -- 'y'" "$try" -l -y
expect "ugraph: option '--check' doesn't allow an argument" "$try" --check=1
expect "ugraph: option '--json' doesn't allow an argument" "$try" -l --js=1
expect "ugraph: invalid option -- 'q'" "$try" --check -q.txt
expect "ugraph: option '--dot' requires an argument" "$try" -c --do
expect "ugraph: option '--dot' requires an argument" "$try" --dot
expect "ugraph: option requires an argument -- 'd'" "$try" -d
expect "ugraph: only one of --check, --list, --count, --dot, --convert, --trace and --reduce may be given" "$try" -c -l
expect "ugraph: only one of --check, --list, --count, --dot, --convert, --trace and --reduce may be given" "$try" --list --dot=1
expect "ugraph: --json needs --list, --count or --trace" "$try" --json
expect "ugraph: --json needs --list, --count or --trace" "$try" --check --json
for n in 0 -1 +1 1x x '' 99999999999999999999; do
  expect "ugraph: invalid data-input number '$n'" "$try" --dot="$n"
done
expect "ugraph: extra operand 'b'" "$try" --dot=1 a b
expect "ugraph: extra operand '-'" "$try" --trace=1 - -
expect "ugraph: --convert needs --to=FORMAT" "$try" -x
expect "ugraph: --to needs --convert or --trace" "$try" --list --to=graph6
expect "ugraph: --select needs --list or --convert" "$try" --check --select=tree
expect "ugraph: --from needs --check, --list, --count, --dot, --convert, --trace or --reduce" "$try" --from=graph6
expect "ugraph: invalid format 'g7' for --from; valid: catalogue, graph6, sparse6, edges, mtx, dimacs, metis, reduced" "$try" --list --from=g7
expect "ugraph: invalid format 'png' for --to; valid: catalogue, graph6, sparse6, edges, dot, html" "$try" -x --to=png
expect "ugraph: --to=html needs --trace" "$try" -x --to=html
classes="valid: tree, cyclic, connected, disconnected, no-node, refused"
expect "ugraph: invalid class '' for --select; $classes" "$try" --list -s tree,,cyclic
expect "ugraph: invalid class 'trees' for --select; $classes" "$try" -l -s trees
expect "ugraph: invalid class 'no-link' for --select; $classes" "$try" -l -s no-link
expect "ugraph: --select needs --list or --convert" "$try" --count --select=tree
expect "ugraph: --part needs --count or --reduce" "$try" --list --part=0/2
for part in 2/2 1/0 -1/2 1 a/b 1/2/3 0/1000001 0/9223372036854775807; do
  expect "ugraph: invalid part '$part' for --part; give K/N, 0 <= K < N <= 1000000" "$try" -C --part="$part"
done
# The largest split is taken.
if ! "$bin" -C --json --part=999999/1000000 /dev/null 2>/dev/null |
  grep -q '"part":"999999/1000000"'; then
  echo "FAIL --part=999999/1000000 is refused"
  failures=$((failures + 1))
fi
expect "ugraph: standard input '-' may be given only once" "$try" --count - a -
expect "ugraph: option '--c' is ambiguous; possibilities: '--check' '--count' '--convert'" "$try" --c
expect "ugraph: option '--t' is ambiguous; possibilities: '--trace' '--to'" "$try" --t=3
expect "ugraph: unrecognized option '--tx'" "$try" --tx
expect "ugraph: --convert writes no refused graph: select another class" "$try" \
  -x -t dot -s tree,refused
expect "ugraph: option '--from' requires an argument" "$try" -l --from
expect "ugraph: --trace takes --to=dot or --to=html only" "$try" --trace=1 --to=graph6
expect "ugraph: --json and --to=dot exclude each other" "$try" -T 1 --json -t dot
expect "ugraph: --json and --to=html exclude each other" "$try" -T 1 -t html --json
expect "ugraph: invalid data-input number '0'" "$try" --trace=0
expect "ugraph: a FILE needs --check, --list, --count, --dot, --convert, --trace or --reduce: 'GraphDataFile2.txt'" \
  "$try" GraphDataFile2.txt
expect "ugraph: missing: No such file or directory" "" --check missing
expect "ugraph: .: Is a directory" "" --list .
expect "ugraph: .: Is a directory" "" --dot=1 .
expect "ugraph: -: Is a directory" "" --check - <.
POSIXLY_CORRECT=1 expect "ugraph: with POSIXLY_CORRECT set, options must come before FILE: '--check'" \
  "$try" GraphDataFile2.txt --check

# Output that cannot be written ends a mode with status 2 as well.
"$bin" --list >/dev/full 2>err
status=$?
if [ "$status" != 2 ] ||
  [ "$(cat err)" != "ugraph: cannot write standard output: No space left on device" ]; then
  echo "FAIL --list >/dev/full: status $status"
  failures=$((failures + 1))
fi
[ "$failures" = 0 ]
