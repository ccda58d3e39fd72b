#!/bin/bash
# Runs the real binary where the system around it fails: a catalogue that
# cannot be read, or not read again, a catalogue changed while the question
# waits, standard input that cannot be read, and a small stack. Each run
# must end with its own line and exit status, never with a wrong verdict.
#   usage: faults_test.sh UGRAPH
set -u
bin=$(realpath "$1")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
question='Where is the data for the Ugraph?
If it will be typed in on the (K)eyboard, type K
If it is already in the GraphData (F)ile, type F'
failures=0
check() {  # name, expected status, expected output, actual status, actual output
  if [ "$4" != "$2" ] || [ "$5" != "$3" ]; then
    echo "FAIL $1: exit status $4 (expected $2), output:"
    printf '%s\n' "$5"
    failures=$((failures + 1))
  fi
}

# A catalogue that opens but cannot be read.
mkdir GraphDataFile2.txt
out=$(printf 'F\n1\n\n' | timeout 5 "$bin"); status=$?
check directory 0 "$question
Cannot read file GraphDataFile2.txt" "$status" "$out"
rmdir GraphDataFile2.txt

# A catalogue that lists but cannot seek back.
mkfifo GraphDataFile2.txt
printf '[U "A" (1) 2]\n' >GraphDataFile2.txt &
out=$(printf 'F\n1\n\n' | timeout 5 "$bin"); status=$?
check fifo 0 "$question
1  [U \"A\" (1) 2]

Input number before the selected data-input (zero to abort):
Cannot read file GraphDataFile2.txt" "$status" "$out"
wait
rm GraphDataFile2.txt

# The catalogue rewritten while the question waits: the answer is taken
# against the file as it is then, shortened or changed.
listing='1  [U "A" (1) 2]

2  [U "B" (1) 3]

Input number before the selected data-input (zero to abort):'
rewrite_during_question() {  # new contents; prints the run's output
  printf '[U "A" (1) 2]\n[U "B" (1) 3]\n' >GraphDataFile2.txt
  rm -f in out; mkfifo in
  timeout 5 "$bin" <in >out & pid=$!
  exec 3>in
  printf 'F\n' >&3
  for _ in $(seq 100); do grep -q 'zero to abort' out && break; sleep 0.05; done
  printf '%s' "$1" >GraphDataFile2.txt
  printf '2\n\n' >&3
  exec 3>&-
  wait "$pid"; echo "status $?"
  cat out
}
out=$(rewrite_during_question '')
check shortened "" "status 0
$question
$listing
Cannot find data-input 2 in file GraphDataFile2.txt" "" "$out"
out=$(rewrite_during_question '[U "New" (1) 4]
[U "C" (1) 5]
')
check changed "" "status 0
$question
$listing
Input-data from file is:
[U \"C\" (1) 5]
Ufile C     5 Nodes   1 Links
Graph is not connected" "" "$out"

# A catalogue that is also the output would feed on what the listing
# writes: the run says so instead, in the file, and the modes refuse it.
printf '[U "A" (1) 2]\n' >GraphDataFile2.txt
printf 'F\n1\n\n' | timeout 5 "$bin" >>GraphDataFile2.txt; status=$?
check "catalogue is the output" 0 '[U "A" (1) 2]
'"$question"'
Cannot read file GraphDataFile2.txt: it is also the output' "$status" \
  "$(cat GraphDataFile2.txt)"
printf '[U "A" (1) 2]\n' >GraphDataFile2.txt
for mode in --check --list --dot=1; do
  out=$(timeout 5 "$bin" "$mode" - <GraphDataFile2.txt 2>&1 >>GraphDataFile2.txt)
  check "$mode input is output" 2 "ugraph: -: input file is output file" \
    "$?" "$out$(cat GraphDataFile2.txt | tail -n +2)"
done

# Standard input that cannot be read ends the run wherever it stands.
out=$(timeout 5 "$bin" <.); status=$?
check "stdin a directory" 1 "$question
Error: cannot read standard input: Is a directory" "$status" "$out"
out=$(timeout 5 "$bin" <&-); status=$?
check "stdin closed" 1 "$question
Error: cannot read standard input: Bad file descriptor" "$status" "$out"

# Both roads and every mode run on a 64 KiB stack that also holds 32 KB of
# environment.
printf '[U "P" (1) 2 (2) 3]\n' >GraphDataFile2.txt
big=$(head -c 32000 /dev/zero | tr '\0' x)
for answers in 'K\nP\n3\n2\n3\n\n\n' 'F\n1\n\n'; do
  out=$(printf "$answers" | (ulimit -s 64 && BIG=$big "$bin")); status=$?
  check "small stack" 0 "Graph is connected and is a tree" "$status" \
    "$(printf '%s\n' "$out" | tail -n 1)"
done
for mode in --check --list --count --dot=1 --trace=1 '--trace=1 --to=dot' \
    '--trace=1 --to=html' '--trace=1 --json' \
    '--convert --to=sparse6'; do
  # shellcheck disable=SC2086 # a mode with its options
  (ulimit -s 64 && BIG=$big "$bin" $mode >/dev/null); status=$?
  check "small stack $mode" 0 "" "$status" ""
done

[ "$failures" = 0 ]
