#!/bin/sh
# Installs the build into a temporary DESTDIR under a prefix of its own and
# checks the installed program, sample catalogue, man page, changelog and
# completion, and that all of them name the project's version.
#   usage: install_test.sh BUILD_DIR VERSION
set -eu
here=$(dirname "$(realpath "$0")")
build=$1
version=$2
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
prefix=/opt/ugraph-test
DESTDIR=$stage cmake --install "$build" --prefix "$prefix" >/dev/null
root=$stage$prefix
for file in bin/ugraph share/man/man1/ugraph.1.gz share/doc/ugraph/examples/GraphDataFile2.txt \
    share/doc/ugraph/copyright share/doc/ugraph/changelog.gz \
    share/bash-completion/completions/ugraph; do
  [ -f "$root/$file" ] || { echo "not installed: $file"; exit 1; }
done

sh "$here/run_case.sh" "$root/bin/ugraph" "$here/cases/keyboard-triangle"
sh "$here/sample_catalogue_test.sh" "$root/bin/ugraph" \
  "$root/share/doc/ugraph/examples/GraphDataFile2.txt"

man=$root/share/man/man1/ugraph.1.gz

# One version everywhere.
same() { [ "$2" = "$3" ] || { echo "$1 says '$3', expected '$2'"; exit 1; }; }
same "ugraph --version" "ugraph $version" "$("$root/bin/ugraph" --version | head -n 1)"
same "ugraph --version's licence" "License MIT: <https://opensource.org/licenses/MIT>." \
  "$("$root/bin/ugraph" --version | sed -n 3p)"
same "the man page" "\"ugraph $version\"" \
  "$(zcat "$man" | sed -n '1s/^\.TH UGRAPH 1 [^ ]* \("[^"]*"\).*/\1/p')"
same "the changelog" "ugraph ($version) unstable; urgency=medium" \
  "$(zcat "$root/share/doc/ugraph/changelog.gz" | head -n 1)"
echo "installed and checked under DESTDIR$prefix"
