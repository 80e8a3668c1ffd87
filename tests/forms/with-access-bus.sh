#!/bin/sh
# Runs a command with the accessibility bus of a private D-Bus session, as a
# desktop with a screen reader has it, so that Qt's bridge to assistive
# technology comes on (with QT_LINUX_ACCESSIBILITY_ALWAYS_ON). Run it inside
# dbus-run-session; whatever the bus writes goes into a folder removed at the end.
set -u
Runtime=$(mktemp -d)
trap 'kill "$Launcher" 2>/dev/null; wait "$Launcher" 2>/dev/null; rm -rf "$Runtime"' EXIT
chmod 700 "$Runtime"
export XDG_RUNTIME_DIR="$Runtime"
/usr/libexec/at-spi-bus-launcher --launch-immediately &
Launcher=$!
"$@"
