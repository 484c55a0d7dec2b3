#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (ASan + UBSan) in build-fuzz and runs each for
# FUZZ_SECONDS (default 60), seeded with ../shared/maps. A crash leaves its input
# in build-fuzz/crashes/; keep it as a regression case under fuzz/regressions/.
#
#   scripts/fuzz.sh [FUZZ_SECONDS]
set -eu
ROOT=$(cd "$(dirname "$0")/.." && pwd)
SECONDS_EACH=${1:-${FUZZ_SECONDS:-60}}
BUILD=${FUZZ_BUILD:-$ROOT/build-fuzz}
SHARED=$(cd "$ROOT/../shared" && pwd)

# Built straight with clang, outside the CMake tree: the engine sources, StormLib
# from the system, and the reader helper beside the targets where they look for it.
mkdir -p "$BUILD/bin"
FLAGS="-std=c++17 -g -O1 -fno-omit-frame-pointer -fsanitize=address,undefined -I$ROOT/src/engine"
ENGINE=$(ls "$ROOT"/src/engine/*.cpp)
clang++ $FLAGS -o "$BUILD/bin/qvrace-reader" "$ROOT/src/reader/main.cpp" $ENGINE -lstorm
for target in fuzz_map_strings fuzz_map_reader; do
  clang++ $FLAGS -fsanitize=fuzzer -o "$BUILD/bin/$target" "$ROOT/fuzz/$target.cpp" $ENGINE -lstorm
done

mkdir -p "$BUILD/crashes" "$BUILD/corpus-strings" "$BUILD/corpus-reader"
# Seeds: the real maps for the reader; their string files, as plain bytes, for the strings.
cp -n "$SHARED"/maps/*.w3x "$BUILD/corpus-reader/" 2>/dev/null || true
for map in "$SHARED"/maps/*.w3x; do
  "$BUILD/bin/qvrace-reader" copy "$map" war3map.wts "$BUILD/corpus-strings/$(basename "$map" .w3x).wts" || true
done
[ -d "$ROOT/fuzz/regressions" ] && cp -n "$ROOT"/fuzz/regressions/* "$BUILD/corpus-strings/" 2>/dev/null || true

status=0
for target in fuzz_map_strings fuzz_map_reader; do
  corpus=$BUILD/corpus-${target#fuzz_map_}
  echo "== $target, $SECONDS_EACH s"
  "$BUILD/bin/$target" "$corpus" -max_total_time="$SECONDS_EACH" -max_len=300000 -rss_limit_mb=2048 \
    -artifact_prefix="$BUILD/crashes/$target-" -print_final_stats=1 2>&1 | tail -12 || status=1
done
exit $status
