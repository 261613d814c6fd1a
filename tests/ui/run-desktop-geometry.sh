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
# shellcheck source=../../tools/virtual-screen.sh
. "$(dirname "$0")/../../tools/virtual-screen.sh"
trap 'virtual_screen_stop' EXIT
trap 'exit 1' INT TERM
locale=C.UTF-8
locale -a 2>/dev/null | grep -qi '^ru_RU\.utf-\?8$' && locale=ru_RU.UTF-8
status=0
for setup in 1366x768:1 1920x1080:1 2560x1600:2; do
    screen=${setup%:*}
    scale=${setup#*:}
    # The window manager must be up before the program maps its windows: a
    # screen without one says nothing about placement. A second try, as a
    # busy machine can keep it from coming up in time.
    if ! virtual_screen_start "$screen" --wm openbox && ! virtual_screen_start "$screen" --wm openbox; then
        echo "run-desktop-geometry: no screen $screen under openbox" >&2
        status=1
        continue
    fi
    display=$DISPLAY
    echo "== $screen at scale $scale on $display"
    if ! env DISPLAY="$display" QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR="$scale" LANG="$locale" \
        LC_ALL="$locale" "$test_binary"; then
        echo "run-desktop-geometry: FAILED on $screen at scale $scale" >&2
        status=1
    fi
    virtual_screen_stop
done
exit $status
