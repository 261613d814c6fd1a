#!/usr/bin/env bash
# Builds every target of the test command with warnings as errors, as
# tools/run-tests.sh builds them: in build/ with g++ the desktop program, its
# module, the scenario runner, the tests and the benchmarks; in build-fuzz/
# with clang and its sanitizers the fuzz targets. tools/run-tests.sh builds
# by it, and so does tools/fresh-machine-check.sh in each of its fresh roots,
# so that a target the compiler of one release refuses fails there too.
# Needs what tools/setup.sh --tests installs.
set -euo pipefail
cd "$(dirname "$0")/.."
# MILLCALC_PLAIN_BUILD=no leaves build/ out (the fuzz targets only). Line
# tables only (-g1): a failing test's backtrace keeps its files and lines,
# and the build is a quarter quicker than with full debug information.
if [ "${MILLCALC_PLAIN_BUILD:-yes}" != no ]; then
    cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O2 -g1 -DNDEBUG" -DMILLCALC_WERROR=ON \
        -DBUILD_TESTING=ON -DMILLCALC_BUILD_BENCH=ON
    cmake --build build
fi
# libFuzzer comes with clang; the core is built again with its coverage.
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DMILLCALC_WERROR=ON -DMILLCALC_BUILD_FUZZ=ON -DMILLCALC_SANITIZE=ON \
    -DMILLCALC_BUILD_UI=OFF -DMILLCALC_BUILD_BENCH=OFF -DBUILD_TESTING=OFF
cmake --build build-fuzz
