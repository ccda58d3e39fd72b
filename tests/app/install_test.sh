#!/bin/sh
# Installs the build into a temporary DESTDIR under a prefix of its own and
# checks the installed program, sample catalogue and man page.
#   usage: install_test.sh BUILD_DIR
set -eu
here=$(dirname "$(realpath "$0")")
build=$1
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
prefix=/opt/ugraph-test
DESTDIR=$stage cmake --install "$build" --prefix "$prefix" >/dev/null
root=$stage$prefix
for file in bin/ugraph share/man/man1/ugraph.1 share/doc/ugraph/examples/GraphDataFile2.txt; do
  [ -f "$root/$file" ] || { echo "not installed: $file"; exit 1; }
done

sh "$here/run_case.sh" "$root/bin/ugraph" "$here/cases/keyboard-triangle"
sh "$here/sample_catalogue_test.sh" "$root/bin/ugraph" \
  "$root/share/doc/ugraph/examples/GraphDataFile2.txt"

warnings=$(groff -man -ww -z "$root/share/man/man1/ugraph.1" 2>&1)
[ -z "$warnings" ] || { echo "man page warnings:"; echo "$warnings"; exit 1; }
echo "installed and checked under DESTDIR$prefix"
