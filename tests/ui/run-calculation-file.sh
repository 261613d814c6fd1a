#!/usr/bin/env bash
# The calculation file in the real desktop program, on a virtual X screen
# under a window manager, driven by keys as a user drives it:
#   1. Ctrl+S on a calculation without a file opens the save dialog (Qt's
#      own); a path typed there is written, the title names the file, and
#      no temporary file is left beside it;
#   2. the program started with a saved file (a machine and a diameter
#      changed in it) names the file in its title and shows the file's
#      results: its "Копировать таблицу" (Ctrl+Shift+C) gives the spindle
#      speed that the scenario runner gives for the same file;
#   3. the program started with a file of junk brings the box "Ошибка
#      открытия" over a window whose title names no file.
# Each run ends by the window manager's close, with status 0 and, in a
# sanitized build, no sanitizer report.
#
#     run-calculation-file.sh PROGRAM SCENARIO_RUNNER
#
# Fails, never skips, when a tool it needs is missing (tools/setup.sh --tests
# installs them).
set -u
if [ $# -ne 2 ]; then
    echo "usage: run-calculation-file.sh PROGRAM SCENARIO_RUNNER" >&2
    exit 2
fi
program=$1
runner=$2
for tool in Xvfb xprop openbox xdotool xclip; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "calculation-file: $tool is missing; run tools/setup.sh --tests" >&2
        exit 1
    fi
done
# shellcheck source=../../tools/virtual-screen.sh
. "$(dirname "$0")/../../tools/virtual-screen.sh"

work=$(mktemp -d)
pid=""
cleanup() {
    [ -n "$pid" ] && kill -9 "$pid" 2>/dev/null
    virtual_screen_stop
    wait 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 1' INT TERM

# A sanitized build starts and draws several times slower.
patience=15
sanitizer_pattern='ERROR: AddressSanitizer|ERROR: LeakSanitizer|runtime error:'
if ldd "$program" 2>/dev/null | grep -q libasan; then
    patience=45
    export ASAN_OPTIONS=${ASAN_OPTIONS:-abort_on_error=1:detect_leaks=1}
    export UBSAN_OPTIONS=${UBSAN_OPTIONS:-halt_on_error=1:print_stacktrace=1}
    export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$(cd "$(dirname "$0")/../.." && pwd)/tools/lsan.supp}
fi

virtual_screen_start 1366x768 --wm openbox || exit 1
mkdir -m 700 "$work/runtime"
mkdir "$work/home" "$work/files"
# A user of their own: settings, the last folder and the dialog's start in
# the work folder; Qt's own dialog, not a desktop's; numbers with ".".
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_RUNTIME_DIR="$work/runtime" \
    XDG_CONFIG_DIRS="$work/config-dirs" XDG_DATA_HOME="$work/home/.local/share" \
    XDG_DATA_DIRS="$work/data-dirs" QT_QPA_PLATFORM=xcb LANG=C.UTF-8 LC_ALL=C.UTF-8
unset WAYLAND_DISPLAY QT_QPA_PLATFORMTHEME

status=0
failed() {
    echo "calculation-file: FAILED: $*" >&2
    status=1
}

# Polls a command for up to $patience seconds.
wait_for() {
    local _
    for _ in $(seq $((patience * 10))); do
        "$@" >/dev/null 2>&1 && return 0
        sleep 0.1
    done
    return 1
}

main_window=""
run=0
find_main() {
    main_window=$(xdotool search --all --onlyvisible --pid "$pid" --name '^Расчет режимов резания' \
        2>/dev/null | head -n 1)
    [ -n "$main_window" ]
}
window_named() { # NAME: a shown window of the program whose name is NAME
    xdotool search --all --onlyvisible --pid "$pid" --name "^$1\$" 2>/dev/null | head -n 1
}
has_window() { [ -n "$(window_named "$1")" ]; }
title() { xdotool getwindowname "$main_window" 2>/dev/null; }
title_is() { [ "$(title)" = "$1" ]; }

start_program() { # ARGS...
    run=$((run + 1))
    "$program" "$@" >"$work/stdout.$run.log" 2>"$work/stderr.$run.log" </dev/null &
    pid=$!
    if ! wait_for find_main; then
        failed "run $run ($*): no main window within $patience s"
        cat "$work/stderr.$run.log" >&2
        return 1
    fi
    # Once the window has settled: the splash gone, the idle-time build begun.
    sleep 1
}

# Ends the program as the window manager's close box does; it must end by
# itself with status 0 and no sanitizer report.
end_program() {
    xdotool windowactivate --sync "$main_window" key --clearmodifiers alt+F4 >/dev/null 2>&1
    local _ code=0
    for _ in $(seq $((patience * 10))); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    if kill -0 "$pid" 2>/dev/null; then
        failed "run $run: the program did not end when its window was closed"
        kill -9 "$pid" 2>/dev/null
    fi
    wait "$pid" || code=$?
    pid=""
    [ $code -eq 0 ] || failed "run $run: the program ended with status $code"
    if grep -q -E "$sanitizer_pattern" "$work/stderr.$run.log"; then
        failed "run $run: a sanitizer report"
        cat "$work/stderr.$run.log" >&2
    fi
}

# What the scenario runner prints for a file, then the given commands.
replay() { # FILE COMMANDS...
    local file=$1
    shift
    { cat "$file"; printf '%s\n' "$@"; } | "$runner"
}
field_of() { # PRINTED LINE-KIND NAME: the text of that answer
    printf '%s\n' "$1" | awk -F'\t' -v kind="$2" -v name="$3" '$1 == kind && $2 == name { print $3; exit }'
}
trimmed() { sed 's/^[[:space:]]*//; s/[[:space:]]*$//'; }

# --- 1. Saved through the dialog ------------------------------------------------
echo "== save through the dialog"
saved="$work/files/saved.millcalc"
if start_program; then
    xdotool windowactivate --sync "$main_window" key --clearmodifiers ctrl+s >/dev/null 2>&1
    if ! wait_for has_window "Сохранить расчет"; then
        failed "Ctrl+S brought no dialog \"Сохранить расчет\""
    else
        dialog=$(window_named "Сохранить расчет")
        # The file name field has the focus, the proposed name selected.
        xdotool windowactivate --sync "$dialog" key --clearmodifiers ctrl+a >/dev/null 2>&1
        xdotool type --delay 20 "${saved%.millcalc}" >/dev/null 2>&1
        xdotool key --clearmodifiers Return >/dev/null 2>&1
        wait_for test -s "$saved" || failed "the dialog saved no file at $saved"
        wait_for title_is "Расчет режимов резания: V-STAR (FOREST-LINE) — saved.millcalc" \
            || failed "title after the save: \"$(title)\""
        leftovers=$(find "$work/files" -mindepth 1 ! -name saved.millcalc -printf '%f ')
        [ -z "$leftovers" ] || failed "left beside the file: $leftovers"
        head -n 1 "$saved" | grep -q '^# millcalc ' || failed "no header in the saved file"
        grep -q -x 'machine v-star' "$saved" || failed "no machine in the saved file"
    fi
    end_program
fi

# --- 2. Started with a saved file ------------------------------------------------
echo "== started with a saved file"
job="$work/files/job.millcalc"
if [ -s "$saved" ]; then
    sed -e 's/^machine .*/machine dmu-125pa/' -e 's/^set BaseD .*/set BaseD 40/' "$saved" >"$job"
    printed=$(replay "$job" "click BitCalcs" "get EditStn" "window FormMain")
    speed=$(field_of "$printed" FIELD EditStn)
    machine_title=$(printf '%s\n' "$printed" | awk -F'\t' '$1 == "WINDOW" { print $4 }' | trimmed)
    [ -n "$speed" ] && [ "$machine_title" != "Расчет режимов резания: V-STAR (FOREST-LINE)" ] \
        || failed "the runner's replay of the file gives no spindle speed or no other machine: $printed"
    if start_program "$job"; then
        wait_for title_is "$machine_title — job.millcalc" \
            || failed "title with the file: \"$(title)\", not \"$machine_title — job.millcalc\""
        : | xclip -selection clipboard -i
        xdotool windowactivate --sync "$main_window" key --clearmodifiers ctrl+shift+c >/dev/null 2>&1
        copied() { xclip -selection clipboard -o 2>/dev/null | grep -q -F "$speed"; }
        wait_for copied || failed "the results copied hold no spindle speed $speed:
$(xclip -selection clipboard -o 2>/dev/null | head -n 20)"
        end_program
    fi
else
    failed "no saved file to start with"
fi

# --- 3. Started with a file of junk ----------------------------------------------
echo "== started with a file of junk"
junk="$work/files/junk.millcalc"
printf 'PK\003\004\000\377\376junk\nclick BitCalcs\n' >"$junk"
default_title=$(printf 'window FormMain\n' | "$runner" | awk -F'\t' '{ print $4 }' | trimmed)
if start_program "$junk"; then
    if ! wait_for has_window "Ошибка открытия"; then
        failed "no box \"Ошибка открытия\" for a file of junk"
    else
        [ "$(title | trimmed)" = "$default_title" ] || failed "title under the box: \"$(title)\""
        xdotool windowactivate --sync "$(window_named "Ошибка открытия")" key --clearmodifiers Return \
            >/dev/null 2>&1
        gone() { ! has_window "Ошибка открытия"; }
        wait_for gone || failed "the box did not close with Enter"
        [ "$(title | trimmed)" = "$default_title" ] || failed "title after the box: \"$(title)\""
    fi
    end_program
fi

[ $status -eq 0 ] && echo "calculation-file: passed"
exit $status
