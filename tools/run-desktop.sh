#!/usr/bin/env bash
# Sets up a fresh Debian 12 machine, builds the desktop program and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    cat >&2 <<'MSG'
run-desktop: no display (neither DISPLAY nor WAYLAND_DISPLAY is set).
millcalc is a desktop program and needs an X11 or Wayland session. On a
headless machine start a virtual X server first, for example:

    apt-get install -y xvfb
    Xvfb :99 -screen 0 1920x1080x24 &
    DISPLAY=:99 tools/run-desktop.sh
MSG
    exit 1
fi
tools/setup.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=OFF -DMILLCALC_BUILD_BENCH=OFF
cmake --build build --target millcalc
exec build/millcalc "$@"
