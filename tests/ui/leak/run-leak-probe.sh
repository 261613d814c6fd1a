#!/bin/sh
# Runs the leak probe of the sanitized build with the project's LeakSanitizer
# suppressions (tools/lsan.supp) and passes only when the leak report names
# the probe's own leak: the suppressions that silence Qt's leaks at exit must
# never reach the program's own code.
#
#     run-leak-probe.sh LEAK_PROBE [PLATFORM]
#
# PLATFORM is Qt's platform (offscreen unless named; xcb needs DISPLAY).
set -u
probe=$1
platform=${2:-offscreen}
supp=$(cd "$(dirname "$0")/../../.." && pwd)/tools/lsan.supp
log=$(mktemp)
trap 'rm -f "$log"' EXIT
ASAN_OPTIONS=detect_leaks=1:abort_on_error=0 LSAN_OPTIONS="suppressions=$supp:print_suppressions=1" \
    QT_QPA_PLATFORM=$platform "$probe" >"$log" 2>&1
status=$?
failed() {
    cat "$log" >&2
    echo "leak-probe: FAILED: $*" >&2
    exit 1
}
grep -q 'left behind' "$log" || failed "the probe did not come to its leak (exit status $status)"
[ "$status" -ne 0 ] || failed "the probe's own leak went unreported (exit status 0)"
grep -q 'ERROR: LeakSanitizer' "$log" || failed "no report of LeakSanitizer (exit status $status)"
grep -q 'leakAnObjectOfTheProgramsOwn' "$log" \
    || failed "the report does not name the probe's own leak"
# What the suppressions took away, each with its count.
sed -n '/^Suppressions used:/,/^-*$/p' "$log"
echo "leak-probe: the probe's own leak reported (exit status $status), the suppressions in force"
