#!/usr/bin/env bash
# Installs the Debian packages that building, testing and benchmarking need,
# only those that are missing; `deps.sh package` also those of the package.
set -euo pipefail
packages=(
  make cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-svg-dev libgl-dev libx11-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth xdotool imagemagick x11-utils fonts-dejavu-core
  at-spi2-core python3-pyatspi dbus-daemon
  libxcb1-dev weston qt6-wayland openbox
  clang libclang-rt-14-dev
)
# Building and checking the Debian package (`make package`) needs more.
if [ "${1:-}" = package ]; then
  packages+=(dpkg-dev file lintian desktop-file-utils appstream)
fi
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
