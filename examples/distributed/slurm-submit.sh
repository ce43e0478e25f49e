#!/bin/sh
# Slurm: the plan as one job, then the shares as a job array that starts once
# the plan is written (afterok: not if planning failed).
set -e
cd "$(dirname "$0")"
plan=$(sbatch --parsable slurm-plan.sbatch)
sbatch --dependency=afterok:"$plan" slurm-shares.sbatch
