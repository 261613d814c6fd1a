#!/usr/bin/env bash
# Sets up a fresh Debian 12 or 13 machine, checks the format of the C++ code,
# builds millcalc and runs every test: the test suite, then the whole program
# and every test again under AddressSanitizer, UndefinedBehaviorSanitizer and
# LeakSanitizer, each fuzz target for a bounded time, a smoke run of the
# benchmarks, the Debian package built, installed and removed, and on a fresh
# minimal Debian 12 and Debian 13 the README's run command followed, then every
# target built there and the tests that need no display run.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/setup.sh --tests
# Every C++ file as the repository's .clang-format has it.
tools/check-format.sh
# The program, the runner, the tests and the benchmarks (build/), the fuzz
# targets (build-fuzz/, clang).
tools/build-all.sh
# 20,000 random sessions here (the suite alone plays 4,000; under the
# sanitizers below too).
MILLCALC_SESSIONS=20000 QT_QPA_PLATFORM=offscreen ctest --test-dir build --output-on-failure -j2

# The whole program, the desktop and its Qt tests included, and every test
# again with the sanitizers and leak detection, at -O1 so that the build stays
# quick; the first report of any ends the test.
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O1 -g -DNDEBUG" -DMILLCALC_WERROR=ON \
    -DMILLCALC_SANITIZE=ON -DMILLCALC_BUILD_UI=ON -DMILLCALC_BUILD_BENCH=OFF
cmake --build build-asan
ASAN_OPTIONS=abort_on_error=1:detect_leaks=1 LSAN_OPTIONS="suppressions=$PWD/tools/lsan.supp" UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
    QT_QPA_PLATFORM=offscreen ctest --test-dir build-asan --output-on-failure -j2

# Fuzzing with clang's libFuzzer and the same sanitizers; a crash fails.
tools/fuzz/run.sh build-fuzz "${MILLCALC_FUZZ_SECONDS:-30}"

# The benchmarks once, briefly: they check that the bare formulas agree with
# the program; their timings are not judged here.
build/millcalc-bench --benchmark_min_time=0.01

# The Debian package: built from a release, validated, installed, started
# under a virtual X server and removed again.
tools/check-package.sh

# A fresh minimal Debian 12 and Debian 13 each (cached roots, a pristine
# overlay per run): the commit under test cloned, tools/run-desktop.sh set up,
# built and started; its main window must come up with its pictures. Then
# tools/setup.sh --tests and tools/build-all.sh there, and every test but
# those labelled "display".
tools/fresh-machine-check.sh bookworm trixie
