#!/usr/bin/env bash
# Installs the Debian packages a task needs, only those that are missing:
#   deps.sh play      building the game and playing it (`make run`, `make install`)
#   deps.sh           that, and building and running the tests, benchmarks and tools
#   deps.sh package   playing's packages, and building and checking the Debian package
# With --list after the task it prints the task's packages, one a line, and installs nothing.
# Package names are those of Debian 12 and 13 alike; where a release has no
# unversioned name, the name is read off what apt offers.
set -euo pipefail
task=${1:-develop}

# The compiler, CMake, Ninja, Qt 6 Widgets, the xcb headers (through
# pkg-config) for asking the X server where a window is, and a font for the
# windows' text.
play=(make cmake ninja-build g++ pkg-config qt6-base-dev libgl-dev libxcb1-dev fonts-dejavu-core)

# Building the test suite, the benchmarks and the tools: GoogleTest, Google
# Benchmark, Qt SVG for the scalable icon, the X11 headers for the start-up
# watcher, clang with its sanitizer runtime for the fuzz targets, and for the
# test client that touches the screen through KWin: the Wayland client
# library, wayland-scanner and KDE's protocol files.
develop=(libgtest-dev libgmock-dev libbenchmark-dev qt6-svg-dev libx11-dev clang
  libwayland-dev libwayland-bin plasma-wayland-protocols)

# What the tests run or start: a private X server to drive the real program,
# its input and window tools, ImageMagick to read its pixels, a window
# manager, a Wayland compositor with Qt's Wayland platform, and the
# accessibility bus with a client of it (under a private message bus).
# Test-only packages belong here.
test_run=(
  xvfb xauth xdotool x11-utils imagemagick openbox
  weston qt6-wayland xwayland
  mutter kwin-wayland sway
  at-spi2-core python3-pyatspi dbus-daemon orca procps
)

# Building the Debian package and checking it as Debian does.
package=(dpkg-dev file lintian desktop-file-utils appstream)

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"

# clang's sanitizer runtime: the unversioned package where the release has one,
# otherwise the one that matches the version the release's `clang` depends on.
clang_runtime() {
  if apt-cache show libclang-rt-dev >/dev/null 2>&1; then
    echo libclang-rt-dev
    return
  fi
  local version
  version=$(apt-cache depends clang | sed -n 's/^ *Depends: clang-\([0-9][0-9]*\)$/\1/p' | head -n 1)
  if [ -z "$version" ] || ! apt-cache show "libclang-rt-$version-dev" >/dev/null 2>&1; then
    echo "deps.sh: apt offers no sanitizer runtime for clang" >&2
    exit 1
  fi
  echo "libclang-rt-$version-dev"
}

case "$task" in
  play) packages=("${play[@]}") ;;
  develop)
    # A fresh system knows no packages until apt has read the archive's lists once.
    apt-cache show clang >/dev/null 2>&1 || $sudo apt-get update -qq
    runtime=$(clang_runtime)
    packages=("${play[@]}" "${develop[@]}" "$runtime" "${test_run[@]}")
    ;;
  package) packages=("${play[@]}" "${package[@]}") ;;
  *)
    echo "usage: $0 [play|develop|package] [--list]" >&2
    exit 2
    ;;
esac

if [ "${2:-}" = --list ]; then
  printf '%s\n' "${packages[@]}"
  exit 0
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
