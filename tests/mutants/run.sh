#!/bin/bash
# The mutation gauge: plants each fault of a list, one at a time, in a
# copy of the working tree, and runs the suite against it. A fault the
# suite fails on is killed; one it passes survived, and names a behaviour
# no test sees. The score is the share killed of those that built.
#
# A list holds one fault a line, three fields separated by tabs: a file
# (from the project's root), a text that occurs in it exactly once, and
# its replacement; '#' starts a comment line. A fault whose text is not
# there exactly once, or whose tree does not build, is reported and left
# out of the score.
#
#   usage: tests/mutants/run.sh [LIST] [-- CTEST-ARGUMENTS...]
#   LIST defaults to tests/mutants/faults.txt; the suite is the dev
#   preset's, stopped at its first failure, unless CTEST-ARGUMENTS say
#   otherwise (for example -R 'Layout|e2e' to run part of it).
set -u
root=$(git -C "$(dirname "$0")" rev-parse --show-toplevel) || exit 2
list=$root/tests/mutants/faults.txt
if [ $# -gt 0 ] && [ "$1" != "--" ]; then
  list=$(realpath "$1")
  shift
fi
[ "${1:-}" = "--" ] && shift
tests=("$@")
[ ${#tests[@]} -eq 0 ] && tests=(--stop-on-failure)

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
tree=$work/tree
mkdir "$tree"
# The tracked files as they stand, changes not yet committed included.
git -C "$root" ls-files -z | (cd "$root" && tar --null -T - -cf -) | tar -xf - -C "$tree"
cd "$tree" || exit 2
cmake --preset dev >/dev/null || exit 2
cmake --build build/dev -j"$(nproc)" >/dev/null 2>&1 || { echo "the tree does not build"; exit 2; }

killed=0
survived=0
skipped=0
number=0
while IFS=$'\t' read -r file text replacement || [ -n "$file" ]; do
  case $file in '' | '#'*) continue ;; esac
  number=$((number + 1))
  what="$number $file: '$text' -> '$replacement'"
  if ! python3 - "$file" "$text" "$replacement" <<'PY'; then
import sys
path, text, replacement = sys.argv[1:]
source = open(path).read()
if source.count(text) != 1:
    sys.exit(1)
open(path + ".unplanted", "w").write(source)
open(path, "w").write(source.replace(text, replacement))
PY
    echo "not there once: $what"
    skipped=$((skipped + 1))
    continue
  fi
  if ! cmake --build build/dev -j"$(nproc)" >"$work/build.log" 2>&1; then
    echo "does not build: $what"
    skipped=$((skipped + 1))
  elif ctest --test-dir build/dev -j"$(nproc)" --timeout 300 "${tests[@]}" >"$work/test.log" 2>&1; then
    echo "SURVIVED: $what"
    survived=$((survived + 1))
  else
    echo "killed:   $what"
    killed=$((killed + 1))
  fi
  mv "$file.unplanted" "$file"
done <"$list"
cmake --build build/dev >/dev/null 2>&1
total=$((killed + survived))
echo "$killed of $total faults killed ($((total > 0 ? 100 * killed / total : 0))%), $skipped left out"
