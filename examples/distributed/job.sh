#!/bin/sh
# The one job every example here runs: a school's yearbook photographs, made
# web-sized JPEGs named "<folder>_<counter>" in a shared output folder. Every
# run of the job (the plan and each share) must give the same arguments, so
# they are kept here; this script adds the ones it is called with (--plan,
# --shard, --jobs).
#
# Every machine must see the pictures, the output folder and the plan under the
# same paths: a share checks that its plan was made for exactly this job.
ROOT=${KELVARINE_JOB_ROOT:-/shared/yearbook}
exec kelvarine-batch "$ROOT/photos" -o "$ROOT/web" -f JPG --quality 85 \
    --name "[FolderName]_[Counter_1_1_5]" \
    --filter "Resize=Type:1,Width:1600,Height:1600,Radio:1,RadioBy:0" \
    --overwrite skip --quiet "$@"
