#!/bin/sh
# Runs a test program on a desktop of its own, the way people run the game:
#   with-desktop.sh DESKTOP COMMAND...
# DESKTOP is one of
#   x11       a virtual X display and no window manager
#   openbox   a virtual X display managed by openbox
#   weston    weston nested on a virtual X display, the program on Qt's Wayland platform
#   xwayland  the same weston with XWayland, the program as an X client
#   mutter    GNOME's compositor nested on a virtual X display
#   kwin      KDE's compositor nested on a virtual X display
#   sway      sway nested on a virtual X display; it refuses root, so under
#             root it runs as an unprivileged user with a runtime folder of its own
# Everything lives in a private folder that goes afterwards, with a session bus
# of its own. Listing the tests needs no desktop; where ZENTO_DESKTOP_TESTS
# names a list of the tests that run on some desktops only (lines of a test's
# full name and the desktops it runs on), the listing leaves out those that do
# not run on this one. Every wait is for a condition, for ten seconds at most.
Desktop=$1
shift
case " $* " in
*" --gtest_list_tests "*)
    Elsewhere=
    if [ -n "${ZENTO_DESKTOP_TESTS:-}" ]; then
        Elsewhere=$(awk -v Desktop="$Desktop" '
            /^#/ || NF < 2 { next }
            { Here = 0; for (I = 2; I <= NF; I++) if ($I == Desktop) Here = 1 }
            !Here { printf "%s%s", (Count++ ? ":" : ""), $1 }' "$ZENTO_DESKTOP_TESTS") || exit 1
    fi
    [ -n "$Elsewhere" ] && exec "$@" "--gtest_filter=-$Elsewhere"
    exec "$@"
    ;;
esac

Root=$(mktemp -d "${TMPDIR:-/tmp}/zento-desktop.XXXXXX") || exit 1
# Another user passes through to the runtime folder made for it, and sees nothing else.
chmod 711 "$Root"
Runtime=$Root/runtime
mkdir -m 700 "$Runtime"
Pids=
Stop() {
    for Pid in $Pids; do
        kill "$Pid" 2>/dev/null
    done
    for Pid in $Pids; do
        wait "$Pid" 2>/dev/null
    done
    rm -rf "$Root"
}
trap 'Stop; exit 1' HUP INT TERM
Fail() {
    echo "with-desktop.sh: $1" >&2
    for Log in "$Root"/*.log "$Runtime"/*.log; do
        [ -f "$Log" ] && sed 's/^/  | /' "$Log" >&2
    done
    Stop
    exit 1
}
# Polls a shell condition ten times a second for ten seconds.
WaitFor() {
    Tries=0
    while ! eval "$1" 2>/dev/null; do
        Tries=$((Tries + 1))
        [ $Tries -ge 100 ] && return 1
        sleep 0.1
    done
}

StartBus() {
    dbus-daemon --session --nofork --print-address=3 3>"$Root/bus" >"$Root/bus.log" 2>&1 &
    Pids="$! $Pids"
    WaitFor '[ -s "$Root/bus" ]' || Fail "no session bus"
    DBUS_SESSION_BUS_ADDRESS=$(head -n 1 "$Root/bus")
    export DBUS_SESSION_BUS_ADDRESS
}

# A virtual X display of 1024 x 768; open to every local user where sway's
# user must reach it.
StartX() {
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp $1 3>"$Root/display" >"$Root/xvfb.log" 2>&1 &
    Pids="$! $Pids"
    # The number is whole once its line ends; the server may still be busy
    # then on a loaded machine, so a client must get through before any starts.
    WaitFor 'grep -qx "[0-9][0-9]*" "$Root/display"' || Fail "no X display"
    Display=:$(head -n 1 "$Root/display")
    WaitFor 'xdpyinfo -display "$Display" >/dev/null' || Fail "the X display $Display takes no client"
}

WaitForSocket() {
    WaitFor "[ -S \"$1\" ]" || Fail "no compositor socket $1"
}

export XDG_RUNTIME_DIR=$Runtime
# The desktops keep their settings, caches and logs in the private folder, not
# in the user's home (KWin writes kwinrc, openbox its log).
export XDG_CONFIG_HOME=$Root/config XDG_CACHE_HOME=$Root/cache XDG_DATA_HOME=$Root/data
mkdir -p "$XDG_CONFIG_HOME" "$XDG_CACHE_HOME" "$XDG_DATA_HOME"
unset WAYLAND_DISPLAY DISPLAY
StartBus
case $Desktop in
x11 | openbox)
    StartX
    export DISPLAY=$Display QT_QPA_PLATFORM=xcb
    if [ "$Desktop" = openbox ]; then
        # A start that lost its display to a loaded machine is tried again.
        for Try in 1 2 3; do
            openbox --sm-disable >>"$Root/openbox.log" 2>&1 &
            Pids="$! $Pids"
            WaitFor 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"' && break
            [ $Try -eq 3 ] && Fail "openbox does not run"
        done
    fi
    ;;
weston | xwayland)
    Extra=
    [ "$Desktop" = xwayland ] && Extra=--xwayland
    # Nested on a virtual X display rather than headless: the headless
    # backend has no keyboard, and which window gets the keys is under test.
    StartX
    DISPLAY=$Display weston --backend=x11-backend.so --use-pixman --no-config --socket=wayland-zento \
        --width=1024 --height=768 --idle-time=0 $Extra --log="$Root/weston.log" &
    Pids="$! $Pids"
    WaitForSocket "$Runtime/wayland-zento"
    if [ "$Desktop" = weston ]; then
        export WAYLAND_DISPLAY=wayland-zento QT_QPA_PLATFORM=wayland
    else
        # Weston names the X display it opens in its log.
        WaitFor 'grep -q "xserver listening on display" "$Root/weston.log"' || Fail "no XWayland display"
        export DISPLAY=$(sed -n 's/.*xserver listening on display \(:[0-9]*\).*/\1/p' "$Root/weston.log" | head -n 1)
        export QT_QPA_PLATFORM=xcb
    fi
    ;;
mutter)
    StartX
    DISPLAY=$Display MUTTER_DEBUG_DUMMY_MODE_SPECS=1024x768 \
        mutter --nested --wayland --no-x11 --wayland-display wayland-zento >"$Root/mutter.log" 2>&1 &
    Pids="$! $Pids"
    WaitForSocket "$Runtime/wayland-zento"
    export WAYLAND_DISPLAY=wayland-zento QT_QPA_PLATFORM=wayland
    ;;
kwin)
    StartX
    # The packaged binary carries a file capability, which a session without
    # the right to raise its limits refuses to run; a plain copy runs.
    cp /usr/bin/kwin_wayland "$Root/kwin_wayland"
    # Its fake input, the tests' finger, answers any client of this private session.
    env -u QT_QPA_PLATFORM DISPLAY="$Display" KWIN_WAYLAND_NO_PERMISSION_CHECKS=1 \
        "$Root/kwin_wayland" --x11-display "$Display" --socket wayland-zento --width 1024 --height 768 \
        >"$Root/kwin.log" 2>&1 &
    Pids="$! $Pids"
    WaitForSocket "$Runtime/wayland-zento"
    export WAYLAND_DISPLAY=wayland-zento QT_QPA_PLATFORM=wayland
    ;;
sway)
    # Sway refuses root: under root it runs as an unprivileged user, reaching
    # the X display opened to it, with a runtime folder and home of its own.
    # The test program, under root, reaches its socket all the same.
    StartX -ac
    SwayRuntime=$Root/sway
    mkdir -m 700 "$SwayRuntime"
    printf 'default_border none\nfocus_follows_mouse no\n' >"$SwayRuntime/config"
    AsUser=
    if [ "$(id -u)" = 0 ]; then
        chown -R nobody:nogroup "$SwayRuntime"
        AsUser="setpriv --reuid=nobody --regid=nogroup --clear-groups"
    fi
    $AsUser env -i PATH="$PATH" HOME="$SwayRuntime" XDG_RUNTIME_DIR="$SwayRuntime" DISPLAY="$Display" \
        WLR_BACKENDS=x11 WLR_RENDERER=pixman WLR_LIBINPUT_NO_DEVICES=1 \
        sway -c "$SwayRuntime/config" >"$Root/sway.log" 2>&1 &
    Pids="$! $Pids"
    # Sway names its socket itself.
    WaitFor 'ls "$SwayRuntime" | grep -q "^wayland-[0-9]*$"' || Fail "sway does not run"
    export XDG_RUNTIME_DIR=$SwayRuntime
    export WAYLAND_DISPLAY=$(ls "$SwayRuntime" | grep "^wayland-[0-9]*$" | head -n 1)
    export QT_QPA_PLATFORM=wayland
    WaitForSocket "$SwayRuntime/$WAYLAND_DISPLAY"
    # Tests ask sway where it has the windows and which one is on top.
    WaitFor 'ls "$SwayRuntime" | grep -q "^sway-ipc\..*\.sock$"' || Fail "no sway IPC socket"
    export SWAYSOCK="$SwayRuntime/$(ls "$SwayRuntime" | grep "^sway-ipc\..*\.sock$" | head -n 1)"
    ;;
*)
    Fail "no such desktop: $Desktop"
    ;;
esac
# Tests give input as a player does, through the X display the desktop shows on.
export ZENTO_TEST_X_DISPLAY=$Display
# The test's own temporary folders are made in the private folder, so that
# they go with it even when the test is ended before it can remove them.
mkdir -m 700 "$Root/tmp"
Run() {
    TMPDIR=$Root/tmp ZENTO_TEST_DESKTOP=$Desktop "$@" 2>"$Root/test.err"
    Result=$?
    cat "$Root/test.err" >&2
}
Run "$@"
# Qt 6.4's Wayland client (Debian 12) now and then frees an object of its own
# twice, racing its event thread, and libwayland aborts (mended in later Qt;
# the program makes no Wayland call of its own). Such a run, and only such a
# run, is given once more.
if [ $Result -ne 0 ] && grep -q "wl_proxy_unref: Assertion .proxy->refcount > 0. failed" "$Root/test.err"; then
    echo "with-desktop.sh: Qt's Wayland client aborted on its own race; the test runs once more" >&2
    Run "$@"
fi
Stop
exit $Result
