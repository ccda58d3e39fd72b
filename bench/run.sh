#!/usr/bin/env bash
# Measures ugraph against cat moving the same bytes, and prints the table.
# Generates its inputs under build/bench/ (nothing large is committed).
# Needs valgrind, hyperfine, GNU time, a C++ compiler, nauty,
# python3-networkx and python3-igraph (Debian packages).
#   usage: bench/run.sh [large | g | count | field]   (the rows of large
#   graphs, the rows against countg on all graphs on 9 nodes, those of
#   --count, or those of the field's formats against igraph, networkx and
#   graph-tool, alone)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cmake --workflow --preset release >/dev/null
exec python3 "$root/bench/bench.py" "$root/build/release/ugraph" "$root/build/bench" "$@"
