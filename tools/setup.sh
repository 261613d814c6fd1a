#!/usr/bin/env bash
# Installs what millcalc needs on Debian 12 (bookworm) or Debian 13 (trixie)
# and is missing.
#
#   tools/setup.sh          what building and running the desktop program needs
#   tools/setup.sh --tests  that, plus the test tools: GoogleTest, Google
#                           Benchmark, clang for the fuzzers, the code
#                           formatter of tools/check-format.sh, Xvfb, a window
#                           manager, a Wayland compositor with Qt's Wayland
#                           and GTK platform plugins, the Russian locale, the
#                           renderer of resources/render_jpegs.sh, the PDF
#                           tools that read the calculation sheet back, the
#                           package tools, the fresh-machine check's
#                           mmdebstrap ...
#
# Package names differ between releases. An entry "a|b" takes the first of its
# names that the release offers, an entry "name?" is installed only where the
# release has it.
set -euo pipefail

# Qt Print Support (the calculation sheet's preview, printing and PDF) comes
# with qt6-base-dev, at run time with libqt6printsupport6.
# libqt6opengl6-dev is only a recommendation of qt6-base-dev, yet Qt Charts'
# CMake files need its Qt6OpenGL package: without it Qt 6 is "not found".
# Debian 13 puts Qt's SVG icon engine and image format plugins in a package of
# their own, qt6-svg-plugins, which nothing the program links pulls in; without
# it the program's icon from the icon theme is missing (Debian 12 keeps them in
# libqt6svg6).
# qt6-translations-l10n speaks Qt's own words (context menus, standard
# buttons) in Russian.
# xdg-utils brings xdg-email, which hands the About window's letter to the
# user's mail program.
# nlohmann-json3-dev and libzip-dev: the core's file readers (the machine park,
# the cutter library and the zipped tool libraries it imports).
# libfontconfig-dev: the program begins fontconfig, which Qt reads its fonts
# through, on a thread of its own while Qt starts.
packages=(cmake ninja-build g++ pkg-config nlohmann-json3-dev libzip-dev libfontconfig-dev
          qt6-base-dev libqt6opengl6-dev qt6-charts-dev qt6-svg-dev 'qt6-svg-plugins?' 'libgl1-mesa-dev|libgl-dev'
          libjpeg62-turbo-dev fonts-dejavu-core xdg-utils qt6-translations-l10n)
want_tests=0
case "${1:-}" in
    "") ;;
    --tests) want_tests=1 ;;
    *) echo "usage: tools/setup.sh [--tests]" >&2; exit 2 ;;
esac
if [ "$want_tests" -eq 1 ]; then
    packages+=(libgtest-dev libbenchmark-dev
               clang libclang-rt-dev clang-format-19
               xvfb xauth xdotool xclip libx11-dev x11-utils openbox imagemagick librsvg2-bin locales
               weston qt6-wayland qt6-gtk-platformtheme poppler-utils
               dpkg-dev file lintian appstream desktop-file-utils
               mmdebstrap debian-archive-keyring)
fi

SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"

# Every name of every entry, asked of dpkg and apt once each.
all_names=()
for entry in "${packages[@]}"; do
    IFS='|' read -r -a names <<<"${entry%\?}"
    all_names+=("${names[@]}")
done
installed_names=""
offered_names=""
# Installed: a package, or a name that an installed package provides.
read_installed() {
    installed_names=" $(dpkg-query -W -f='${db:Status-Abbrev}|${Package}|${Provides}\n' 2>/dev/null \
        | awk -F'|' '$1 ~ /^ii/ { printf "%s ", $2; n = split($3, p, ","); for (i = 1; i <= n; i++) {
                         sub(/^ +/, "", p[i]); sub(/[ (].*/, "", p[i]); if (p[i] != "") printf "%s ", p[i] } }')"
}
# Offered: a package with an installation candidate, or a name that one
# provides (Debian 13's libqt6opengl6-dev is provided by qt6-base-dev).
read_offered() {
    offered_names=" $({ apt-cache policy "${all_names[@]}" 2>/dev/null || true; } \
        | awk '/^[^ ].*:$/ { name = substr($0, 1, length($0) - 1); sub(/:.*/, "", name) }
               /^  Candidate:/ && $2 != "(none)" { printf "%s ", name }')"
    local name
    for name in "${all_names[@]}"; do
        [[ $offered_names == *" $name "* ]] && continue
        if apt-cache showpkg "$name" 2>/dev/null \
            | awk '/^Reverse Provides:/ { on = 1; next } on && NF { found = 1 } END { exit !found }'; then
            offered_names+="$name "
        fi
    done
}
installed() { [[ $installed_names == *" $1 "* ]]; }
offered() { [[ $offered_names == *" $1 "* ]]; }
read_installed
read_offered

# The entries none of whose names is installed yet. The package index is
# fetched when one of them must be installed; an optional entry that the
# present index does not offer asks for no fetch (on Debian 12, where
# qt6-svg-plugins does not exist, a set-up machine stays offline).
pending=()
fetch=0
for entry in "${packages[@]}"; do
    IFS='|' read -r -a names <<<"${entry%\?}"
    done_already=0
    known=0
    for name in "${names[@]}"; do
        installed "$name" && done_already=1
        offered "$name" && known=1
    done
    [ "$done_already" -eq 1 ] && continue
    pending+=("$entry")
    [ "${entry%\?}" != "$entry" ] && [ "$known" -eq 0 ] || fetch=1
done
if [ "$fetch" -eq 1 ]; then
    $SUDO apt-get update -qq
    read_offered
fi

# The names this release offers.
missing=()
for entry in ${pending[@]+"${pending[@]}"}; do
    IFS='|' read -r -a names <<<"${entry%\?}"
    chosen=""
    for name in "${names[@]}"; do
        if offered "$name"; then chosen=$name; break; fi
    done
    if [ -n "$chosen" ]; then
        missing+=("$chosen")
    elif [ "${entry%\?}" = "$entry" ]; then
        echo "setup: this release offers no package ${entry//|/ or }" >&2
        exit 1
    fi
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "setup: installing ${missing[*]}"
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# The number tests also run under the Russian locale a desktop would use.
if [ "$want_tests" -eq 1 ] && ! locale -a 2>/dev/null | grep -qi '^ru_RU\.utf-\?8$'; then
    $SUDO localedef -i ru_RU -f UTF-8 ru_RU.UTF-8 || echo "setup: could not generate ru_RU.UTF-8" >&2
fi
