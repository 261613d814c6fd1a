#!/bin/sh
# Runs the desktop geometry test on virtual X screens under a window manager:
# 1366 x 768, 1920 x 1080 and 2560 x 1600 at scale 2. Fails, never skips, when
# a tool it needs is missing (tools/setup.sh --tests installs them).
#
#     run-desktop-geometry.sh build/tests/ui/DesktopGeometryTest
set -u
test_binary=$1
for tool in Xvfb openbox xdotool xprop xwininfo; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "run-desktop-geometry: $tool is missing; run tools/setup.sh --tests" >&2
        exit 1
    fi
done
work=$(mktemp -d)
xvfb=""
wm=""
stop() {
    [ -n "$wm" ] && kill "$wm" 2>/dev/null
    [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null
    wait 2>/dev/null
    wm=""
    xvfb=""
}
trap 'stop; rm -rf "$work"' EXIT INT TERM
locale=C.UTF-8
locale -a 2>/dev/null | grep -qi '^ru_RU\.utf-\?8$' && locale=ru_RU.UTF-8
status=0
for setup in 1366x768:1 1920x1080:1 2560x1600:2; do
    screen=${setup%:*}
    scale=${setup#*:}
    : >"$work/display"
    # -displayfd: the server takes a free display number and tells it.
    Xvfb -displayfd 3 -screen 0 "${screen}x24" -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
    xvfb=$!
    for _ in $(seq 50); do
        [ -s "$work/display" ] && break
        sleep 0.1
    done
    if [ ! -s "$work/display" ]; then
        echo "run-desktop-geometry: Xvfb did not start:" >&2
        cat "$work/xvfb.log" >&2
        exit 1
    fi
    display=":$(head -n 1 "$work/display")"
    # The window manager must be up before the program maps its windows: a
    # screen without one says nothing about placement.
    managed=no
    for attempt in 1 2; do
        DISPLAY=$display openbox >"$work/openbox.log" 2>&1 &
        wm=$!
        for _ in $(seq 100); do
            if DISPLAY=$display xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; then
                managed=yes
                break 2
            fi
            kill -0 "$wm" 2>/dev/null || break
            sleep 0.1
        done
        echo "run-desktop-geometry: openbox did not come up on $display (try $attempt):" >&2
        cat "$work/openbox.log" >&2
        kill "$wm" 2>/dev/null
        wait "$wm" 2>/dev/null
        wm=""
    done
    if [ "$managed" != yes ]; then
        status=1
        stop
        continue
    fi
    echo "== $screen at scale $scale on $display"
    if ! env DISPLAY="$display" QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR="$scale" LANG="$locale" \
        LC_ALL="$locale" "$test_binary"; then
        echo "run-desktop-geometry: FAILED on $screen at scale $scale" >&2
        status=1
    fi
    stop
done
exit $status
