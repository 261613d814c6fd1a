#!/usr/bin/env bash
# The park's editor in the real desktop program, on a virtual X screen under a
# window manager, driven by keys as a user drives it:
#   1. "Станки..." (Alt+С) opens the window "Станки"; Esc closes it and
#      writes nothing;
#   2. opened again, "Добавить" and the figures typed field by field (a power
#      with a decimal comma), Enter ("OK") closes it and writes the user's
#      machines.json with the machine, the comma read as a point; Ctrl+S then
#      saves the calculation;
#   3. the program started again with that calculation, its machine changed to
#      the new one, opens on it: the new machine is in the park after the
#      restart (a machine it lacked would give way to the park's first).
# Each run ends by the window manager's close, with status 0.
#
#     run-machine-editor.sh PROGRAM
#
# Fails, never skips, when a tool it needs is missing (tools/setup.sh --tests
# installs them).
set -u
if [ $# -ne 1 ]; then
    echo "usage: run-machine-editor.sh PROGRAM" >&2
    exit 2
fi
program=$1
for tool in Xvfb xprop openbox xdotool; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "machine-editor: $tool is missing; run tools/setup.sh --tests" >&2
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

patience=15
if ldd "$program" 2>/dev/null | grep -q libasan; then
    patience=45
fi

virtual_screen_start 1366x768 --wm openbox || exit 1
mkdir -m 700 "$work/runtime"
mkdir "$work/home" "$work/files"
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_RUNTIME_DIR="$work/runtime" \
    XDG_CONFIG_DIRS="$work/config-dirs" XDG_DATA_HOME="$work/home/.local/share" \
    XDG_DATA_DIRS="$work/data-dirs" QT_QPA_PLATFORM=xcb LANG=C.UTF-8 LC_ALL=C.UTF-8
unset WAYLAND_DISPLAY QT_QPA_PLATFORMTHEME
park="$XDG_CONFIG_HOME/millcalc/machines.json"

status=0
failed() {
    echo "machine-editor: FAILED: $*" >&2
    status=1
}

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
window_named() {
    xdotool search --all --onlyvisible --pid "$pid" --name "^$1\$" 2>/dev/null | head -n 1
}
has_window() { [ -n "$(window_named "$1")" ]; }
no_window() { ! has_window "$1"; }
title() { xdotool getwindowname "$main_window" 2>/dev/null; }
title_starts() { case "$(title)" in "$1"*) return 0 ;; *) return 1 ;; esac; }
keys() { xdotool key --clearmodifiers --delay 60 "$@" >/dev/null 2>&1; }

start_program() {
    run=$((run + 1))
    "$program" "$@" >"$work/stdout.$run.log" 2>"$work/stderr.$run.log" </dev/null &
    pid=$!
    if ! wait_for find_main; then
        failed "run $run ($*): no main window within $patience s"
        cat "$work/stderr.$run.log" >&2
        return 1
    fi
    sleep 1
}

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
}

# Alt+С on the main window. On a loaded machine the window may still be
# settling (the splash, the idle-time build) and miss a first press: a user
# presses again, and so does this, up to three times.
open_editor() {
    local _ short
    short=$((patience / 3))
    for _ in 1 2 3; do
        xdotool windowactivate --sync "$main_window" key --clearmodifiers alt+Cyrillic_es >/dev/null 2>&1
        for _ in $(seq $((short * 10))); do
            has_window "Станки" && return 0
            sleep 0.1
        done
    done
    return 1
}

# --- 1 and 2. Opened, cancelled, opened again and a machine added ----------------
job="$work/files/job.millcalc"
echo "== a machine added"
if start_program; then
    if ! open_editor; then
        failed "Alt+С brought no window \"Станки\""
    else
        xdotool windowactivate --sync "$(window_named "Станки")" >/dev/null 2>&1
        keys Escape
        wait_for no_window "Станки" || failed "Esc did not close the window \"Станки\""
        [ ! -e "$park" ] || failed "Esc wrote $park"
    fi
    if open_editor; then
        xdotool windowactivate --sync "$(window_named "Станки")" >/dev/null 2>&1
        # The list has the focus; Tab to "Добавить", which puts it on the name.
        keys Tab space
        sleep 0.3
        keys ctrl+a
        xdotool type --delay 40 "Screen 7" >/dev/null 2>&1
        keys Tab ctrl+a
        xdotool type --delay 40 "screen-7" >/dev/null 2>&1
        # Each Tab selects the next field's text; what is typed replaces it.
        for figure in 9000 "" 5000 "7,5" 60 1200; do
            keys Tab
            [ -n "$figure" ] && xdotool type --delay 40 "$figure" >/dev/null 2>&1
        done
        keys Return
        wait_for no_window "Станки" || failed "Enter did not save and close the window \"Станки\""
        if [ ! -s "$park" ]; then
            failed "no park file $park after \"OK\""
        else
            grep -q '"id": "screen-7"' "$park" || failed "no machine screen-7 in $park: $(cat "$park")"
            grep -q '"power_kw": 7.5' "$park" || failed "the power is not 7.5 in $park: $(cat "$park")"
        fi
        # The calculation saved through the dialog, for the restart.
        xdotool windowactivate --sync "$main_window" key --clearmodifiers ctrl+s >/dev/null 2>&1
        if wait_for has_window "Сохранить расчет"; then
            xdotool windowactivate --sync "$(window_named "Сохранить расчет")" key --clearmodifiers \
                ctrl+a >/dev/null 2>&1
            xdotool type --delay 20 "${job%.millcalc}" >/dev/null 2>&1
            keys Return
            wait_for test -s "$job" || failed "the dialog saved no calculation at $job"
        else
            failed "Ctrl+S brought no dialog \"Сохранить расчет\""
        fi
    else
        failed "Alt+С brought no window \"Станки\" the second time"
    fi
    end_program
fi

# --- 3. Started again on the new machine ------------------------------------------
echo "== the machine after the restart"
if [ -s "$job" ]; then
    sed -i 's/^machine .*/machine screen-7/' "$job"
    if start_program "$job"; then
        wait_for title_starts "Расчет режимов резания: Screen 7" \
            || failed "the restarted program is not on the new machine: \"$(title)\""
        end_program
    fi
else
    failed "no calculation to start again with"
fi

[ $status -eq 0 ] && echo "machine-editor: passed"
exit $status
