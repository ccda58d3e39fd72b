#!/bin/sh
# The man page must format without a warning and name its companions.
# Skipped (77) when groff is not installed.
#   usage: man_page_test.sh MAN_PAGE
set -eu
command -v groff >/dev/null || { echo "skipped: groff is not installed"; exit 77; }
warnings=$(groff -man -ww -z "$1" 2>&1)
[ -z "$warnings" ] || { echo "man page warnings:"; echo "$warnings"; exit 1; }
text=$(groff -man -Tutf8 "$1" 2>/dev/null | col -b)
for name in "SEE ALSO" "dot(1)" "jq(1)" "nauty-geng(1)" "ENVIRONMENT" \
    "POSIXLY_CORRECT"; do
  printf '%s\n' "$text" | grep -q "$name" || { echo "the man page lacks $name"; exit 1; }
done
# It says where --convert's lines differ from nauty-copyg's.
grep -q "passes a line already in the format asked for" "$1" ||
  { echo "the man page does not say how --convert differs from nauty-copyg"; exit 1; }
echo "the man page formats cleanly"
