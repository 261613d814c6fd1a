#!/bin/sh
# Runs the desktop geometry test on seven desktops, each on a virtual X screen
# of its own: under openbox 1366 x 768 at 100 % and at 125 % fonts, 1920 x 1080
# at 100 % and at 150 % fonts, 2732 x 1536 at scale 2 and 1366 x 768 with a
# dark palette (the GTK platform theme with Adwaita's dark variant, as a GNOME
# desktop sets it); and a Wayland
# compositor, weston on its X11 backend, the program there a native Wayland
# client. Fails, never skips, when a tool it needs is missing (tools/setup.sh
# --tests installs them).
#
#     run-desktop-geometry.sh build/tests/ui/DesktopGeometryTest [DESKTOP...]
#
# DESKTOP is one of the names below; without names it runs them all. With
# MILLCALC_SCREENSHOTS set to a folder, the test leaves its screenshots there.
set -u
test_binary=$1
shift
desktops=${*:-"1366x768 1366x768-fonts125 1920x1080 1920x1080-fonts150 2732x1536-scale2 1366x768-dark wayland"}
for tool in Xvfb openbox weston xdotool xprop xwininfo; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "run-desktop-geometry: $tool is missing; run tools/setup.sh --tests" >&2
        exit 1
    fi
done
for plugin in platformthemes/libqgtk3.so platforms/libqwayland-generic.so; do
    if ! ls /usr/lib/*/qt6/plugins/$plugin >/dev/null 2>&1; then
        echo "run-desktop-geometry: Qt's $plugin is missing; run tools/setup.sh --tests" >&2
        exit 1
    fi
done
# shellcheck source=../../tools/virtual-screen.sh
. "$(dirname "$0")/../../tools/virtual-screen.sh"
work=$(mktemp -d)
wm=""
stop() {
    if [ -n "$wm" ]; then
        kill "$wm" 2>/dev/null
        wait "$wm" 2>/dev/null
    fi
    wm=""
    virtual_screen_stop
}
trap 'stop; rm -rf "$work"' EXIT INT TERM
locale=C.UTF-8
locale -a 2>/dev/null | grep -qi '^ru_RU\.utf-\?8$' && locale=ru_RU.UTF-8
mkdir -m 700 "$work/runtime"

# A desktop of the list: its screen and the environment of the program.
screen_of() {
    case $1 in
        1920x1080 | 1920x1080-fonts150) echo 1920x1080 ;;
        2732x1536-scale2) echo 2732x1536 ;;
        *) echo 1366x768 ;;
    esac
}
environment_of() {
    case $1 in
        1366x768-fonts125) echo "QT_FONT_DPI=120" ;;
        1920x1080-fonts150) echo "QT_FONT_DPI=144" ;;
        2732x1536-scale2) echo "QT_SCALE_FACTOR=2" ;;
        1366x768-dark) echo "QT_QPA_PLATFORMTHEME=gtk3 GTK_THEME=Adwaita:dark" ;;
        *) echo "" ;;
    esac
}

# Waits up to ten seconds for a command to succeed while the process lives.
wait_for() {  # PID COMMAND...
    pid=$1
    shift
    for _ in $(seq 100); do
        "$@" >/dev/null 2>&1 && return 0
        kill -0 "$pid" 2>/dev/null || return 1
        sleep 0.1
    done
    return 1
}

# Under the sanitizers the Wayland client goes without Mesa's EGL: its driver is
# unloaded at exit, so the leak checker can neither name nor suppress what it
# keeps. The widgets draw into shared memory either way.
wayland_extra=""
if ldd "$test_binary" 2>/dev/null | grep -q libasan; then
    wayland_extra="QT_WAYLAND_CLIENT_BUFFER_INTEGRATION=none"
fi

status=0
for desktop in $desktops; do
    screen=$(screen_of "$desktop")
    if [ "$desktop" = wayland ]; then
        virtual_screen_start "$screen" || exit 1
    else
        # The window manager must be up before the program maps its windows:
        # a screen without one says nothing about placement.
        if ! virtual_screen_start "$screen" --wm openbox; then
            status=1
            continue
        fi
    fi
    display=$DISPLAY
    if [ "$desktop" = wayland ]; then
        # weston fills the X screen with one output of its size; the program
        # talks to weston alone.
        socket="millcalc-$$"
        width=${screen%x*}
        height=${screen#*x}
        DISPLAY=$display XDG_RUNTIME_DIR="$work/runtime" weston --backend=x11-backend.so \
            --socket="$socket" --width="$width" --height="$height" --idle-time=0 \
            >"$work/wm.log" 2>&1 &
        wm=$!
        if ! wait_for "$wm" test -S "$work/runtime/$socket"; then
            echo "run-desktop-geometry: weston did not come up on $display:" >&2
            cat "$work/wm.log" >&2
            status=1
            stop
            continue
        fi
        echo "== $desktop: weston $width x $height"
        env -u DISPLAY -u QT_QPA_PLATFORM XDG_RUNTIME_DIR="$work/runtime" WAYLAND_DISPLAY="$socket" \
            XDG_SESSION_TYPE=wayland LANG="$locale" LC_ALL="$locale" MILLCALC_DESKTOP="$desktop" \
            MILLCALC_HOST_DISPLAY="$display" $wayland_extra \
            "$test_binary" || { echo "run-desktop-geometry: FAILED on $desktop" >&2; status=1; }
        stop
        continue
    fi
    echo "== $desktop: $screen $(environment_of "$desktop") on $display"
    # shellcheck disable=SC2046 # the desktop's variables, one word each
    if ! env -u WAYLAND_DISPLAY DISPLAY="$display" QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR="$work/runtime" \
        LANG="$locale" LC_ALL="$locale" MILLCALC_DESKTOP="$desktop" $(environment_of "$desktop") \
        "$test_binary"; then
        echo "run-desktop-geometry: FAILED on $desktop" >&2
        status=1
    fi
    stop
done
exit $status
