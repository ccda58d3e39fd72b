#!/bin/bash
# Judges one graph too large for one machine as Slurm jobs over a shared
# filesystem: an array job of N tasks, task k reducing part k of N of the
# file to a forest, then a merge job that starts once every task ended
# well and reads the parts as the one graph.
#
#   examples/reduce-slurm.sh FILE [N]     (submits both jobs; default N 64)
#
# Each task reads about SIZE/N bytes and needs memory for the nodes it
# meets, never the links: 8 bytes a node of the ids' range, or about 32 an
# id met when the ids spread far; the merge, for every node. A part whose lines break a rule still ends well: the merge tells
# the rule at its line in FILE. For thousands of parts, merge in a tree:
# ugraph --reduce --merge each group, then merge the groups.
set -euo pipefail
file=${1:?usage: reduce-slurm.sh FILE [N]}
n=${2:-64}
parts=${file}.parts
mkdir -p "$parts"
reduce=$(sbatch --parsable --job-name=ugraph-reduce --array="0-$((n - 1))" \
  --cpus-per-task=2 --mem=8G --time=02:00:00 \
  --output="$parts/reduce-%a.log" \
  --wrap="ugraph --reduce --part=\$SLURM_ARRAY_TASK_ID/$n '$file' > '$parts'/part-\$SLURM_ARRAY_TASK_ID.txt")
sbatch --job-name=ugraph-merge --dependency="afterok:$reduce" \
  --cpus-per-task=2 --mem=64G --time=02:00:00 \
  --output="$parts/merge.log" \
  --wrap="ugraph --list --json --merge '$parts'/part-*.txt > '$parts'/verdict.json"
echo "submitted: reduce $reduce ($n tasks), then the merge into $parts/verdict.json"
