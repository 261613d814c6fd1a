#!/usr/bin/env bash
# Fails when a C++ file of the repository differs from what clang-format makes
# of it with the repository's .clang-format, and shows how it differs, or when
# an include climbs with "../".
#
#     tools/check-format.sh         check every C++ file git knows
#     tools/check-format.sh --fix   format them in place instead
#
# The judge is one version, clang-format-19, which Debian 12 and Debian 13 both
# package (tools/setup.sh --tests installs it): other versions format the same
# code differently in places, so a check with whichever version a machine has
# would fail on one machine what passes on another.
set -euo pipefail
cd "$(dirname "$0")/.."
formatter=clang-format-19
fix=0
case "${1:-}" in
    "") ;;
    --fix) fix=1 ;;
    *) echo "usage: tools/check-format.sh [--fix]" >&2; exit 2 ;;
esac
if ! command -v "$formatter" >/dev/null 2>&1; then
    echo "check-format: $formatter is missing; run tools/setup.sh --tests" >&2
    exit 1
fi

mapfile -t files < <(git ls-files -- '*.cpp' '*.h')
if [ "$fix" -eq 1 ]; then
    "$formatter" -i --style=file "${files[@]}"
    exit 0
fi
differing=0
for file in "${files[@]}"; do
    if ! "$formatter" --style=file "$file" | diff -u --label "$file" --label "$file (formatted)" \
        "$file" -; then
        differing=$((differing + 1))
    fi
done
# An include names its file from the top of the repository (or its room's
# include folder); one that climbs with "../" would reach past what its target
# may use.
climbing=$(grep -nE '^[[:space:]]*#[[:space:]]*include[[:space:]]*[<"](\.\./|[^">]*/\.\./)' "${files[@]}" || true)
if [ -n "$climbing" ]; then
    echo "$climbing" >&2
    echo "check-format: includes that climb with \"../\"; name the file from its folder instead" >&2
    exit 1
fi
if [ "$differing" -gt 0 ]; then
    echo "check-format: $differing of ${#files[@]} C++ files differ from .clang-format" \
        "(tools/check-format.sh --fix formats them)" >&2
    exit 1
fi
echo "check-format: ${#files[@]} C++ files as .clang-format has them"
