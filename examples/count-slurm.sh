#!/bin/bash
# Counts every graph on 12 nodes as a Slurm array job of 64 tasks: task k
# counts nauty-geng's class k/64 (about 14 CPU-hours in all, 13 minutes a
# task) and writes part-k.json. Once all have ended, merge them:
#
#   sbatch examples/count-slurm.sh
#   jq -s -c -f examples/merge-counts.jq counts/part-*.json
#
# The merge stops with an error when a part is missing or repeated.
#SBATCH --job-name=ugraph-count-12
#SBATCH --array=0-63
#SBATCH --cpus-per-task=2
#SBATCH --time=01:00:00
#SBATCH --output=counts/slurm-%a.log
set -euo pipefail
k=${SLURM_ARRAY_TASK_ID:?run this with sbatch}
mkdir -p counts
nauty-geng -q 12 "$k/64" | ugraph --count --json --part="$k/64" - >"counts/part-$k.json"
