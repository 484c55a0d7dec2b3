#!/usr/bin/env bash
# Pictures of the dialog: in English, in German and during an install, as PNG
# files, taken on a virtual display by the dialog's test program.
#
#   gui-screenshots.sh BUILD_DIR [OUTPUT_DIR]     (default: BUILD_DIR/screenshots)
set -euo pipefail
build=$(realpath "${1:?usage: $0 BUILD_DIR [OUTPUT_DIR]}")
out=$(realpath -m "${2:-$build/screenshots}")
tests=$build/tests/gui/qvgui_tests.exe
if [ ! -x "$tests" ]; then
  echo "$tests is missing: build with Wine's tools, Xvfb and the tests (make build)" >&2
  exit 1
fi
mkdir -p "$out"
export QV_SCREENSHOT_DIR=$out
for shot in screenshot_english screenshot_german screenshot_install; do
  bash "$(dirname "$0")/run-gui-tests.sh" --prefix "$build/tests/gui/wineprefix" -- "$tests" "$shot"
done
ls -l "$out"/*.png
