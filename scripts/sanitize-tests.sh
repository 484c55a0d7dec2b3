#!/usr/bin/env bash
# The test suite under AddressSanitizer and UndefinedBehaviorSanitizer, in its own
# build folder. Dialog tests under Wine are left out (label gui).
#
#   scripts/sanitize-tests.sh [BUILD_DIR]      (default: build-asan)
set -eu
ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD=${1:-$ROOT/build-asan}
cmake -S "$ROOT" -B "$BUILD" -DQV_SANITIZE=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$BUILD" -j "${JOBS:-2}"
cd "$BUILD"
# StormLib itself is not instrumented; leaks inside it are not ours to fix.
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=0:abort_on_error=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
ctest --output-on-failure -j "${JOBS:-2}" -LE gui
