#!/usr/bin/env bash
# Runs each fuzz target for a bounded time over a copy of its committed seed
# corpus. Any crash, sanitizer report, leak or timeout ends the script with a
# failure; the input that caused it is kept in BUILD/fuzz-artifacts/.
#   tools/fuzz/run.sh [BUILD_DIR] [TOTAL_SECONDS]
# The time is the total for all targets, shared equally among the targets
# built (at least 2 s each), so that a new target does not lengthen the test
# command.
set -euo pipefail
cd "$(dirname "$0")/../.."
build=${1:-build-fuzz}
total=${2:-120}
built=$(find "$build" -maxdepth 1 -type f -perm -u+x -name 'fuzz-*' | wc -l)
[ "$built" -gt 0 ] || { echo "fuzz: no fuzz target in $build; tools/build-all.sh builds them" >&2; exit 1; }
seconds=$((total / built))
[ "$seconds" -ge 2 ] || seconds=2
artifacts="$build/fuzz-artifacts"
mkdir -p "$artifacts"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0
for target in scenario calculation park numbers jpeg painted-line cutter-file fusion-library \
    freecad-bit freecad-library; do
    cp -r "tools/fuzz/corpus/$target" "$work/$target"
    # The JPEG loader's limits (a side of 8192 pixels, 64 MB for libjpeg)
    # keep every allocation under 256 MB; a larger one is a failure.
    limits=(-rss_limit_mb=2048)
    [ "$target" = jpeg ] && limits+=(-malloc_limit_mb=256)
    echo "fuzz-$target: $seconds s"
    if ! ASAN_OPTIONS=abort_on_error=1:detect_leaks=1 \
        UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
        "$build/fuzz-$target" -max_total_time="$seconds" -timeout=10 "${limits[@]}" \
            -print_final_stats=1 -artifact_prefix="$artifacts/$target-" \
            "$work/$target" > "$work/$target.log" 2>&1; then
        tail -n 60 "$work/$target.log"
        echo "fuzz-$target FAILED; the input is in $artifacts/" >&2
        status=1
    else
        grep -E '^(stat::number_of_executed_units|stat::peak_rss_mb|#[0-9]+.*DONE)' \
            "$work/$target.log" || true
    fi
done
exit $status
