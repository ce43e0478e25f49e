#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program.
#   ./run.sh                  the wizard
#   ./run.sh --batch ARGS...  kelvarine-batch ARGS... (no display needed)
set -euo pipefail
root=$(cd "$(dirname "$0")" && pwd)
"$root/scripts/setup.sh"
bin="$root/build/bin"

if [ "${1:-}" = "--batch" ]; then
    shift
    exec "$bin/kelvarine-batch" "$@"
fi
if [ -x "$bin/kelvarine" ]; then
    exec "$bin/kelvarine" "$@"
fi
