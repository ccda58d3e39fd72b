#!/bin/bash
# The options and their values are named alike everywhere. --help, made
# from the program's table of options, lists every option: the man page
# must describe each, and the completion offer it. Each value the
# completion offers for --from, --to and --select is taken by the
# program and named in --help and in the man page; a name none of them
# knows is refused.
#   usage: named_alike_test.sh UGRAPH MAN_PAGE_SOURCE COMPLETION
set -u
bin=$1
man=$2
completion=$3
failures=0
fail() { echo "FAIL $*"; failures=$((failures + 1)); }
help=$("$bin" --help)
options=$(sed -n 's/^  \(-., \|    \)--\([a-z-]*\).*/\2/p' <<<"$help")
[ "$(wc -w <<<"$options")" -ge 14 ] || fail "--help lists too few options"
for name in $options; do
  # The man page writes each option as \-\-name in a tagged paragraph.
  grep -q "^\.B.*\\\\-\\\\-${name//-/\\\\-}\\b" "$man" ||
    fail "the man page does not describe --$name"
  grep -q -- "--$name\\b" "$completion" || fail "the completion does not offer --$name"
done
# The values of an option, as the completion offers them.
values() { sed -n "s/^ *--$1=\\*) values='\\(.*\\)' ;;$/\\1/p" "$completion"; }
for option in from to select; do
  words=$(values "$option")
  [ -n "$words" ] || fail "the completion names no value of --$option"
  # The man page's paragraph on the option, up to the next one.
  paragraph=$(sed -n "/^\\.BR \\\\-.* \\\\-\\\\-$option/,/^\\.TP/p" "$man")
  paragraph=${paragraph//\\-/-}
  for word in $words; do
    grep -q "\\b$word\\b" <<<"$help" || fail "--help does not name $word"
    grep -q -- "$word" <<<"$paragraph" ||
      fail "the man page does not name $word under --$option"
  done
done
for name in $(values from); do
  "$bin" --check --from="$name" /dev/null >/dev/null 2>&1 ||
    fail "--from=$name is not taken"
done
"$bin" --check --from=edgelist /dev/null >/dev/null 2>&1
[ $? = 2 ] || fail "--from=edgelist is taken"
[ "$failures" = 0 ] && echo "named alike:" $options
[ "$failures" = 0 ]
