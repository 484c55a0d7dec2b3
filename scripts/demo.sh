#!/usr/bin/env bash
# make demo: the sample race goes into a fresh copy of the demo map and out again,
# with the map's status shown before, in between and after.
# Usage: scripts/demo.sh [BUILD_DIR]   (default: build, as `make build` leaves it)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
qvrace="$build/bin/qvrace"

# The demo map is written by the build's generator; the run works on a copy of it,
# so every demo starts from the same untouched map.
cmake --build "$build" --target qvrace-demo-map >/dev/null
source_map="$build/demo/(2)VerdantTestGrove.w3x"
work="$build/demo-run"
rm -rf "$work"
mkdir -p "$work"
map="$work/(2)VerdantTestGrove.w3x"
cp "$source_map" "$map"

step() {
  echo
  echo "==> qvrace $*"
  "$qvrace" "$@"
}

step check-race
step status "$map"
step install "$map"
step status "$map"
step uninstall "$map"
step status "$map"
echo
echo "Done. The map lies in $work; install the race into it again with:"
echo "  $qvrace install \"$map\""
