#!/usr/bin/env bash
# Installs every Debian package that building and testing QV Race Installer needs.
# Quick when everything is already there; otherwise needs root (apt-get).
set -euo pipefail

packages=(
  build-essential cmake make pkg-config
  libstorm-dev zlib1g-dev
  libgtest-dev libgmock-dev
  clang libclang-rt-14-dev clang-format
  # The dialog: Winelib on Linux, a virtual display for its tests and screenshots.
  wine wine64 wine64-tools libwine-dev xvfb xauth x11-utils xdotool imagemagick
  # The Windows build, cross-compiled for 32-bit Windows.
  g++-mingw-w64-i686
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
if [ "$(id -u)" -ne 0 ]; then
  SUDO=sudo
else
  SUDO=
fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -q
$SUDO apt-get install -y -q "${missing[@]}"
