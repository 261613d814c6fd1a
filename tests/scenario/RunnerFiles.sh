#!/usr/bin/env bash
# millcalc-scenario over what a careless user or a full disk gives it: a
# scenario that is missing or a folder, standard input that is a folder, an
# output that cannot be written, and a line of ten megabytes of blanks.
#   RunnerFiles.sh RUNNER [SANITIZED]   (SANITIZED ON: no memory limit, the
#                                        address sanitizer maps terabytes)
set -uo pipefail
runner=$1
sanitized=${2:-OFF}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
# Desktop folders of its own: no machine park of the user's reaches it.
export XDG_CONFIG_HOME="$work/xdg/config-home" XDG_CONFIG_DIRS="$work/xdg/config-dirs" \
    XDG_DATA_HOME="$work/xdg/data-home" XDG_DATA_DIRS="$work/xdg/data-dirs"

# expect NAME STATUS COMMAND...: the command ends with STATUS; with status 2 it
# prints nothing on standard output and a message naming the fault on
# standard error.
expect() {
    local name=$1 want=$2
    shift 2
    "$@" > "$work/out" 2> "$work/err"
    local got=$?
    if [ "$got" -ne "$want" ]; then
        echo "FAIL $name: status $got, expected $want" >&2
        cat "$work/err" >&2
        failures=$((failures + 1))
    elif [ "$want" -eq 2 ] && ! grep -q '^millcalc-scenario: cannot ' "$work/err"; then
        echo "FAIL $name: no message on standard error" >&2
        failures=$((failures + 1))
    elif [ "$want" -eq 2 ] && [ -s "$work/out" ]; then
        echo "FAIL $name: output before the failure: $(head -c 200 "$work/out")" >&2
        failures=$((failures + 1))
    fi
}

printf 'get BaseD\n' > "$work/get.scn"
expect "missing scenario" 2 "$runner" "$work/no-such.scn"
expect "folder as scenario" 2 "$runner" "$work"
expect "folder as standard input" 2 "$runner" < "$work"
expect "readable scenario" 0 "$runner" "$work/get.scn"
if [ "$(id -u)" -ne 0 ]; then
    cp "$work/get.scn" "$work/locked.scn"
    chmod 000 "$work/locked.scn"
    expect "scenario without permission" 2 "$runner" "$work/locked.scn"
fi

# A full disk.
full() { "$runner" "$work/get.scn" > /dev/full; }
expect "full disk" 2 full
# A reader that goes away: more output than a pipe holds, read 10 bytes of.
for _ in $(seq 5000); do echo "get StaticText1"; done > "$work/long.scn"
closed() { "$runner" "$work/long.scn" | head -c 10 > /dev/null; return "${PIPESTATUS[0]}"; }
expect "closed pipe" 2 closed

# Ten megabytes of blanks on one line cost the line, not a string per blank.
head -c 10000000 /dev/zero | tr '\0' ' ' > "$work/blanks.scn"
echo >> "$work/blanks.scn"
blanks() {
    [ "$sanitized" = ON ] || ulimit -v $((64 * 1024))
    "$runner" "$work/blanks.scn"
}
expect "line of blanks" 1 blanks
if ! grep -qx $'ERROR\t1\tunknown command ' "$work/out"; then
    echo "FAIL line of blanks: $(head -c 200 "$work/out")" >&2
    failures=$((failures + 1))
fi

[ "$failures" -eq 0 ] && echo "all runner file checks passed"
exit $((failures > 0))
