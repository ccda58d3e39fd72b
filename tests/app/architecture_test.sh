#!/bin/bash
# ARCHITECTURE.md stays true: it names every folder under src/, in the
# order in which folders may use one another, and no folder holds more
# than a quarter of src/'s lines in the files directly in it. A file
# includes only from its own folder and those before it in that order,
# but for the record of the command line (cli/options.h).
#   usage: architecture_test.sh SOURCE_ROOT
set -u
root=$1
cd "$root" || exit 1
failures=0
fail() { echo "FAIL $*"; failures=$((failures + 1)); }

named=$(sed -n 's/^| `\(src\/[a-z0-9_/]*\/\)` |.*/\1/p' ARCHITECTURE.md)
while IFS= read -r folder; do
  grep -qx "$folder/" <<<"$named" || fail "ARCHITECTURE.md does not name $folder/"
done < <(find src -mindepth 1 -type d | sort)
for folder in $named; do
  [ -d "$folder" ] || fail "ARCHITECTURE.md names $folder, which is gone"
done

total=$(find src -type f -exec cat {} + | wc -l)
while IFS= read -r folder; do
  lines=$(find "$folder" -maxdepth 1 -type f -exec cat {} + | wc -l)
  [ $((lines * 4)) -le "$total" ] ||
    fail "$folder holds $lines of src/'s $total lines, more than a quarter"
done < <(find src -mindepth 1 -type d)

# The top folders in the order of the table.
order=$(sed 's|^src/||; s|/.*||' <<<"$named" | awk '!seen[$0]++')
rank() { grep -nx "$1" <<<"$order" | cut -d: -f1; }
while IFS= read -r file; do
  own=$(sed 's|^src/||; s|/.*||' <<<"$file")
  while IFS= read -r included; do
    top=${included%%/*}
    [ "$top" = "$own" ] || [ "$included" = "cli/options.h" ] && continue
    [ -n "$(rank "$top")" ] && [ "$(rank "$top")" -lt "$(rank "$own")" ] ||
      fail "$file includes $included, from a folder after its own"
  done < <(sed -n 's/^#include "\([a-z0-9_]*\/[a-z0-9_/.]*\)".*/\1/p' "$file")
done < <(find src -name '*.h' -o -name '*.cpp')

[ "$failures" = 0 ] && echo "ARCHITECTURE.md names every folder:" $order
[ "$failures" = 0 ]
