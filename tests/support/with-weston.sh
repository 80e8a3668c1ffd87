#!/bin/sh
# Runs a test program under a headless weston of its own, as xvfb-run does
# under a virtual X display: a private runtime folder, removed afterwards, and
# Qt's Wayland platform. Listing the tests needs no compositor.
case " $* " in
*" --gtest_list_tests "*) exec "$@" ;;
esac
Runtime=$(mktemp -d "${TMPDIR:-/tmp}/zento-weston.XXXXXX") || exit 1
# The compositor refuses a runtime folder that others may read.
chmod 700 "$Runtime"
Socket=wayland-zento
XDG_RUNTIME_DIR=$Runtime weston --backend=headless-backend.so --use-pixman --no-config \
    --socket=$Socket --width=1024 --height=768 --idle-time=0 --log="$Runtime/weston.log" &
Weston=$!
Stop() {
    kill "$Weston" 2>/dev/null
    wait "$Weston" 2>/dev/null
    rm -rf "$Runtime"
}
trap 'Stop; exit 1' HUP INT TERM
Tries=0
while [ ! -S "$Runtime/$Socket" ] && [ $Tries -lt 100 ]; do
    sleep 0.1
    Tries=$((Tries + 1))
done
if [ ! -S "$Runtime/$Socket" ]; then
    cat "$Runtime/weston.log" >&2
    Stop
    exit 1
fi
XDG_RUNTIME_DIR=$Runtime WAYLAND_DISPLAY=$Socket QT_QPA_PLATFORM=wayland "$@"
Result=$?
Stop
exit $Result
