#!/bin/sh
# Several machines, over ssh, with GNU parallel: two shares on each of three
# machines. Each machine has kelvarine-batch installed, this folder (job.sh) and
# /shared/yearbook mounted under the same paths, and takes a login by key.
set -e
cd "$(dirname "$0")"
ROOT=${KELVARINE_JOB_ROOT:-/shared/yearbook}
HERE=$(pwd)
SHARES=6

# 1. The plan, made once (here, or on any of the machines).
./job.sh --plan "$ROOT/plan.json"

# 2. Six shares, two at a time on each machine; "2/" is parallel's jobs per host.
parallel --halt never --line-buffer \
    --sshlogin 2/photo@node1,2/photo@node2,2/photo@node3 \
    "$HERE/job.sh" --plan "$ROOT/plan.json" --shard {}/$SHARES ::: $(seq 1 $SHARES)
