#!/usr/bin/env bash
# Builds the fuzz targets and runs them from the seed corpora, with the
# format dictionary, sharing a bounded time alike. Prints the executions
# per target and fails on any finding, leaving the input that caused it
# under build/fuzz-findings/.
#   usage: fuzz/run.sh [SECONDS_IN_ALL] [TARGET...]   (default 360, all)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
total=${1:-360}
shift || true
targets=("$@")
[ "${#targets[@]}" -gt 0 ] || targets=(parser line dialogue batch lines lists edges mtx metis dimacs reduced)
seconds=$((total / ${#targets[@]}))
[ "$seconds" -ge 1 ] || seconds=1

cmake --workflow --preset fuzz >/dev/null
findings="$root/build/fuzz-findings"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$findings"
status=0
for target in "${targets[@]}"; do
  mkdir -p "$work/$target"
  log="$findings/$target.log"
  if "$root/build/fuzz/fuzz/${target}_fuzzer" -dict="$root/fuzz/data_file.dict" \
      -max_total_time="$seconds" -print_final_stats=1 \
      -artifact_prefix="$findings/$target-" \
      "$work/$target" "$root/fuzz/corpus/$target" >"$log" 2>&1; then
    runs=$(awk '/stat::number_of_executed_units/ {print $2}' "$log")
    corpus=$(ls "$work/$target" | wc -l)
    echo "$target: $runs executions in ${seconds}s, $corpus new corpus entries, no findings"
  else
    echo "$target: FINDING, see $log"
    tail -n 40 "$log"
    status=1
  fi
done
exit "$status"
