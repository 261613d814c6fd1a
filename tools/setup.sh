#!/usr/bin/env bash
# Installs what millcalc needs on Debian 12 and is missing.
#
#   tools/setup.sh          what building and running the desktop program needs
#   tools/setup.sh --tests  that, plus the test tools: GoogleTest, Google
#                           Benchmark, clang for the fuzzers, the code
#                           formatter of tools/check-format.sh, Xvfb, a window
#                           manager, a Wayland compositor with Qt's Wayland
#                           and GTK platform plugins, the Russian locale, the
#                           renderer of resources/render_jpegs.sh, the PDF
#                           tools that read the calculation sheet back, the
#                           package tools ...
set -euo pipefail

# Qt Print Support (the calculation sheet's preview, printing and PDF) comes
# with qt6-base-dev, at run time with libqt6printsupport6.
# libqt6opengl6-dev is only a recommendation of qt6-base-dev, yet Qt Charts'
# CMake files need its Qt6OpenGL package: without it Qt 6 is "not found".
# qt6-translations-l10n speaks Qt's own words (context menus, standard
# buttons) in Russian.
# xdg-utils brings xdg-email, which hands the About window's letter to the
# user's mail program.
packages=(cmake ninja-build g++ pkg-config
          qt6-base-dev libqt6opengl6-dev qt6-charts-dev qt6-svg-dev libgl1-mesa-dev
          libjpeg62-turbo-dev fonts-dejavu-core xdg-utils qt6-translations-l10n)
want_tests=0
case "${1:-}" in
    "") ;;
    --tests) want_tests=1 ;;
    *) echo "usage: tools/setup.sh [--tests]" >&2; exit 2 ;;
esac
if [ "$want_tests" -eq 1 ]; then
    packages+=(libgtest-dev libbenchmark-dev
               clang-14 libclang-rt-14-dev clang-format-19
               xvfb xauth xdotool xclip libx11-dev x11-utils openbox imagemagick librsvg2-bin locales
               weston qt6-wayland qt6-gtk-platformtheme poppler-utils
               dpkg-dev file lintian appstream desktop-file-utils)
fi

SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "setup: installing ${missing[*]}"
    $SUDO apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# The number tests also run under the Russian locale a desktop would use.
if [ "$want_tests" -eq 1 ] && ! locale -a 2>/dev/null | grep -qi '^ru_RU\.utf-\?8$'; then
    $SUDO localedef -i ru_RU -f UTF-8 ru_RU.UTF-8 || echo "setup: could not generate ru_RU.UTF-8" >&2
fi
