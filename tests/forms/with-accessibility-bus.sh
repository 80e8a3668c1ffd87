#!/bin/sh
# Runs a command on a virtual X display with a private D-Bus session and an
# accessibility bus of its own, as a desktop with a screen reader has; every
# file they make lies in one temporary folder, removed at the end.
set -u
Folder=$(mktemp -d "${TMPDIR:-/tmp}/zento-a11y.XXXXXX") || exit 1
trap 'rm -rf "$Folder"' EXIT INT TERM
chmod 700 "$Folder"
export TMPDIR="$Folder" XDG_RUNTIME_DIR="$Folder" HOME="$Folder" XDG_CONFIG_HOME="$Folder/config" XDG_CACHE_HOME="$Folder/cache"
export QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
unset DBUS_SESSION_BUS_ADDRESS AT_SPI_BUS_ADDRESS WAYLAND_DISPLAY
xvfb-run -a -s "-screen 0 1024x768x24" dbus-run-session -- sh -c '
    /usr/libexec/at-spi-bus-launcher --launch-immediately & Bus=$!
    "$@"; Status=$?
    kill $Bus 2>/dev/null; wait $Bus 2>/dev/null
    exit $Status' sh "$@"
