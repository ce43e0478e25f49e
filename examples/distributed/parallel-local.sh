#!/bin/sh
# One machine, four shares at once with GNU parallel. (On one machine a single
# run with --jobs does the same; shares pay off across machines, see
# parallel-ssh.sh. This is the way to try them out.)
set -e
cd "$(dirname "$0")"
ROOT=${KELVARINE_JOB_ROOT:-/shared/yearbook}
SHARES=4

# 1. Decide every picture once, from the output folder as it is now.
./job.sh --plan "$ROOT/plan.json"

# 2. Every share converts its pictures as the plan decided them. The cores are
#    shared out: each share converts (cores / shares) pictures at once.
JOBS=$(( $(nproc) / SHARES )); [ "$JOBS" -ge 1 ] || JOBS=1
parallel --halt never --line-buffer \
    ./job.sh --plan "$ROOT/plan.json" --shard {}/$SHARES --jobs $JOBS ::: $(seq 1 $SHARES)
