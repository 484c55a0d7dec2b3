#!/usr/bin/env bash
# Runs a command the way the dialog's tests and screenshots need it: on a virtual
# display of its own (Xvfb) and with a private Wine prefix, made on first use.
#
#   run-gui-tests.sh --prefix DIR [--screen WIDTHxHEIGHT] -- COMMAND [ARG...]
#
# The prefix is made once (wineboot, Wine's own fonts, windows drawn by Wine
# rather than a window manager, no crash dialog) and reused afterwards; runs that
# share a prefix must not overlap (the tests hold a CTest resource lock).
set -euo pipefail

prefix=
screen=1024x768
while [ $# -gt 0 ]; do
  case "$1" in
    --prefix) prefix=$2; shift 2 ;;
    --screen) screen=$2; shift 2 ;;
    --) shift; break ;;
    *) echo "usage: $0 --prefix DIR [--screen WxH] -- COMMAND [ARG...]" >&2; exit 2 ;;
  esac
done
if [ -z "$prefix" ] || [ $# -eq 0 ]; then
  echo "usage: $0 --prefix DIR [--screen WxH] -- COMMAND [ARG...]" >&2
  exit 2
fi

prefix=$(realpath -m "$prefix")
export WINEPREFIX=$prefix
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml="
mkdir -p "$(dirname "$prefix")"

# The display: Xvfb picks a free number and tells it through a file descriptor.
scratch=$(mktemp -d)
xvfb_pid=
cleanup() {
  # Our prefix's Wine processes go first, while their display is still there.
  wineserver -k >/dev/null 2>&1 || true
  wineserver -w >/dev/null 2>&1 || true
  if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; wait "$xvfb_pid" 2>/dev/null || true; fi
  rm -rf "$scratch"
}
trap cleanup EXIT
Xvfb -displayfd 5 -screen 0 "${screen}x24" -nolisten tcp 5>"$scratch/display" >/dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do
  [ -s "$scratch/display" ] && break
  kill -0 "$xvfb_pid" 2>/dev/null || { echo "Xvfb did not start" >&2; exit 1; }
  sleep 0.1
done
[ -s "$scratch/display" ] || { echo "Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$(head -n1 "$scratch/display")"

# The prefix, once.
(
  flock 9
  if [ ! -f "$prefix/.qv-ready" ]; then
    echo "Making the Wine prefix $prefix (once)" >&2
    rm -rf "$prefix"
    wineboot -i >/dev/null 2>&1
    wineserver -w
    # Wine's own fonts, where this Wine doesn't find them by itself: the bitmap
    # "MS Sans Serif" gives dialogs the metrics they have on Windows, Marlett
    # draws the caption buttons.
    for font in /usr/share/wine/fonts/*.fon /usr/share/wine/fonts/{marlett,tahoma,tahomabd,symbol}.ttf; do
      [ -f "$font" ] && cp "$font" "$prefix/drive_c/windows/Fonts/"
    done
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
    wineserver -w
    touch "$prefix/.qv-ready"
  fi
) 9>"$prefix.lock"

status=0
"$@" || status=$?
exit $status
