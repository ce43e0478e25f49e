#!/usr/bin/env bash
# Installs what is missing, builds, and runs the whole test suite.
#
#   ./test.sh [CTEST ARGS...]              the normal build in build/
#   ./test.sh --sanitize [CTEST ARGS...]   a build with AddressSanitizer and
#       UndefinedBehaviorSanitizer in build-asan/, the same suite run there; any
#       report from the project's own code fails it. Reports from inside Qt and
#       GraphicsMagick are suppressed by tests/sanitizer/*.supp (each entry says why).
#       KELVARINE_SANITIZE_TIMEOUT sets the time limit of one test there, in
#       seconds (default 900: instrumented code runs several times slower).
set -euo pipefail
root=$(cd "$(dirname "$0")" && pwd)

if [ "${1:-}" != "--sanitize" ]; then
    "$root/scripts/setup.sh"
    cd "$root/build"
    QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2 "$@"
    exit
fi
shift

flags="-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer"
"$root/scripts/setup.sh" "$root/build-asan" \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    "-DCMAKE_CXX_FLAGS=$flags" \
    "-DCMAKE_EXE_LINKER_FLAGS=-fsanitize=address,undefined" \
    "-DCMAKE_SHARED_LINKER_FLAGS=-fsanitize=address,undefined" \
    "-DKELVARINE_TEST_TIMEOUT=${KELVARINE_SANITIZE_TIMEOUT:-900}"

supp="$root/tests/sanitizer"
# Every report ends the process with a failure; programs the tests start
# (kelvarine-batch) inherit the same settings. An absurd allocation returns null
# as it does without the sanitizer: the image library checks for that and fails
# the one picture, which is what the tests of absurd sizes expect.
export ASAN_OPTIONS="halt_on_error=1:detect_leaks=1:allocator_may_return_null=1:suppressions=$supp/asan.supp"
export LSAN_OPTIONS="suppressions=$supp/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1:suppressions=$supp/ubsan.supp"
export KELVARINE_SANITIZED=1
cd "$root/build-asan"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2 "$@"
