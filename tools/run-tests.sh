#!/usr/bin/env bash
# Sets up a fresh Debian 12 or 13 machine, checks the format of the C++ code,
# builds millcalc and runs every test: the test suite, the tests that need a
# display among them, the fuzz targets for a bounded total time, a smoke run
# of the benchmarks, the Debian package built, installed and removed; and at
# last the fresh-machine check (tools/fresh-machine-check.sh): in a fresh
# minimal root of this machine's own release the README's run command
# followed up to the main window, and in one of the other release (Debian 13
# from Debian 12, Debian 12 from Debian 13) the same, then the sanitized half
# of this command there: the whole program and every test again under
# AddressSanitizer, UndefinedBehaviorSanitizer and LeakSanitizer, and the
# fuzzing. So each release builds everything once and runs every test once,
# and the two kinds of build share the two releases.
#
# Each step says how long it took ("run-tests: STEP took N s").
# MILLCALC_FRESH_CHECK=no leaves the fresh-machine check out and runs the
# sanitized build and its tests here instead; MILLCALC_SANITIZED=here or no
# says so outright. MILLCALC_PLAIN_BUILD=no leaves out the plain build, its
# tests and the benchmarks (the other release's root, whose plain build is
# the run command's). MILLCALC_SESSIONS sets the random sessions of the suite
# (20,000), MILLCALC_FUZZ_SECONDS the total fuzz time (120 s, shared among the
# targets).
set -euo pipefail
cd "$(dirname "$0")/.."
step() {
    local begun=$SECONDS
    echo "run-tests: $1"
    "${@:2}"
    echo "run-tests: $1 took $((SECONDS - begun)) s"
}
step "set-up" tools/setup.sh --tests
# Every C++ file as the repository's .clang-format has it.
step "format" tools/check-format.sh
fresh_check=${MILLCALC_FRESH_CHECK:-yes}
plain_build=${MILLCALC_PLAIN_BUILD:-yes}
sanitized=${MILLCALC_SANITIZED:-}
if [ -z "$sanitized" ]; then
    if [ "$fresh_check" != no ]; then sanitized=no; else sanitized=here; fi
fi
# The program, the runner, the tests and the benchmarks (build/), the fuzz
# targets (build-fuzz/, clang).
step "build" env MILLCALC_PLAIN_BUILD="$plain_build" tools/build-all.sh
# 20,000 random sessions here (the suite alone plays 4,000; under the
# sanitizers below too). The tests labelled "display" start X servers and
# window managers of their own.
if [ "$plain_build" != no ]; then
    step "tests" env MILLCALC_SESSIONS="${MILLCALC_SESSIONS:-20000}" QT_QPA_PLATFORM=offscreen \
        ctest --test-dir build --output-on-failure -j2
fi

# The whole program, the desktop and its Qt tests included, and every test
# with the sanitizers and leak detection, at -O1 and with line tables only
# (-g1: file, line and function in every report) so that the build stays
# quick; the first report of any ends the test. tools/lsan.supp silences the
# leaks of Qt and the system's libraries at exit, by the frames that own them;
# ui.LeakReported proves a leak of the program's own is still reported.
sanitized_build() {
    cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O1 -g1 -DNDEBUG" -DMILLCALC_WERROR=ON \
        -DMILLCALC_SANITIZE=ON -DMILLCALC_BUILD_UI=ON -DMILLCALC_BUILD_BENCH=OFF
    cmake --build build-asan
}
if [ "$sanitized" = here ]; then
    step "sanitized build" sanitized_build
    step "sanitized tests" env ASAN_OPTIONS=abort_on_error=1:detect_leaks=1 \
        LSAN_OPTIONS="suppressions=$PWD/tools/lsan.supp" UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
        QT_QPA_PLATFORM=offscreen ctest --test-dir build-asan --output-on-failure -j2
fi

# Fuzzing with clang's libFuzzer and the same sanitizers; a crash fails. The
# time is a total, so that more targets do not make the command longer.
step "fuzzing" tools/fuzz/run.sh build-fuzz "${MILLCALC_FUZZ_SECONDS:-120}"

# The benchmarks once, briefly: they check that the bare formulas agree with
# the program; their timings are not judged here.
if [ "$plain_build" != no ]; then
    step "benchmarks" build/millcalc-bench --benchmark_min_time=0.01
fi

# The Debian package: built from a release, validated, installed, started
# under a virtual X server and removed again.
# The package is built from a release build of its own; the other release's
# fresh root leaves it to the machine itself.
if [ "${MILLCALC_PACKAGE_CHECK:-yes}" != no ]; then
    step "package" tools/check-package.sh
fi

# Fresh minimal roots of Debian 12 and Debian 13 (cached, a pristine overlay
# per run): in each the commit under test cloned and tools/run-desktop.sh
# followed until the main window shows with its pictures and its build warns
# of nothing; in the root of the release this machine does not run, the
# sanitized half of this command then runs (MILLCALC_PLAIN_BUILD=no
# MILLCALC_SANITIZED=here).
if [ "$fresh_check" != no ]; then
    step "fresh-machine check" tools/fresh-machine-check.sh bookworm trixie
fi
