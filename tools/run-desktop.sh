#!/usr/bin/env bash
# Sets up a fresh Debian 12 machine, builds millcalc and starts the desktop program.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/setup.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build
exec build/millcalc
