#!/usr/bin/env bash
# Installs what building and testing millcalc needs on Debian 12 and is missing.
set -euo pipefail
packages=(cmake ninja-build g++ pkg-config
          qt6-base-dev qt6-charts-dev qt6-svg-dev libgl1-mesa-dev
          libjpeg62-turbo-dev libgtest-dev libbenchmark-dev
          clang-14 libclang-rt-14-dev
          xvfb xauth xdotool imagemagick fonts-dejavu-core locales)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    SUDO=""
    [ "$(id -u)" -ne 0 ] && SUDO="sudo"
    $SUDO apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
# The number tests also run under the Russian locale a desktop would use.
if ! locale -a 2>/dev/null | grep -qi '^ru_RU\.utf-\?8$'; then
    SUDO=""
    [ "$(id -u)" -ne 0 ] && SUDO="sudo"
    $SUDO localedef -i ru_RU -f UTF-8 ru_RU.UTF-8 || echo "setup: could not generate ru_RU.UTF-8" >&2
fi
