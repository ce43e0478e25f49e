#!/usr/bin/env bash
# Builds the fuzz targets of tests/fuzz with clang, libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer in build-fuzz/, and runs each for SECONDS (default 30)
# on a copy of its seed corpus. Fails on any crash, leak, broken round trip,
# input slower than 10 s or use of more than 2 GB.
#
#   scripts/fuzz.sh [SECONDS [TARGET...]]   all targets, or only those named
#
# Inputs that fail land in build-fuzz/fuzz-run/<target>/ as crash-*, leak-*,
# timeout-* or oom-*; replay one with build-fuzz/fuzz/<target> FILE. The inputs
# a run finds interesting collect in build-fuzz/fuzz-run/<target>/corpus/, never
# in the tree: copy the worthwhile ones to tests/fuzz/corpus/<target>/ by hand.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds="${1:-30}"
shift || true

"$root/scripts/setup.sh" --packages-only clang libclang-rt-14-dev

build="$root/build-fuzz"
export CC=clang CXX=clang++
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKELVARINE_FUZZ=ON -DBUILD_TESTING=OFF >/dev/null
cmake --build "$build" -j2 --target kelvarine_fuzzers

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
    for source in "$root"/tests/fuzz/fuzz_*.cpp; do
        targets+=("$(basename "$source" .cpp)")
    done
fi

supp="$root/tests/sanitizer"
export ASAN_OPTIONS="allocator_may_return_null=1:detect_leaks=1:suppressions=$supp/asan.supp"
export LSAN_OPTIONS="suppressions=$supp/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1:suppressions=$supp/ubsan.supp"
export QT_QPA_PLATFORM=offscreen
# The targets write every input to a file, and the project writer syncs what it
# saves: in memory that costs nothing, on a disk it would cost most of the run.
scratch=$(mktemp -d "$([ -w /dev/shm ] && echo /dev/shm || echo "${TMPDIR:-/tmp}")/kelvarine-fuzz.XXXXXX")
trap 'rm -rf "$scratch"' EXIT
export TMPDIR="$scratch"

failed=()
for target in "${targets[@]}"; do
    run="$build/fuzz-run/$target"
    rm -rf "$run"
    mkdir -p "$run/corpus"
    seeds="$root/tests/fuzz/corpus/$target"
    if [ -d "$seeds" ]; then
        cp -r "$seeds/." "$run/corpus/"
    fi
    options=(-max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1
             -artifact_prefix="$run/")
    if [ -f "$root/tests/fuzz/corpus/$target.dict" ]; then
        options+=(-dict="$root/tests/fuzz/corpus/$target.dict")
    fi
    echo "== $target, $seconds s"
    if (cd "$run" && "$build/fuzz/$target" "${options[@]}" corpus >"$run/log" 2>&1); then
        grep -E '^stat::(number_of_executed_units|average_exec_per_sec|peak_rss_mb):' "$run/log" || true
    else
        tail -n 60 "$run/log"
        echo "== $target FAILED; log and input in $run/"
        failed+=("$target")
    fi
done

if [ ${#failed[@]} -gt 0 ]; then
    echo "Failed: ${failed[*]}"
    exit 1
fi
echo "All fuzz targets passed."
