#!/usr/bin/env bash
# Starts the dialog for a person at a display: on Windows run the program itself,
# on Linux it runs under Wine (the default prefix, or $WINEPREFIX).
#
#   run-gui.sh BUILD_DIR
set -euo pipefail
build=${1:?usage: $0 BUILD_DIR}
exe=$build/bin/QVRaceInstaller.exe
if [ ! -e "$exe" ]; then
  echo "$exe is missing: it is built when Wine's tools are installed (make deps build)" >&2
  exit 1
fi
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display: set DISPLAY (or run under xvfb-run)" >&2
  exit 1
fi
# No prompts to install Wine's .NET and browser engines, which the dialog doesn't use.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
exec "$exe"
