#!/usr/bin/env bash
# Start-up time and peak memory of the desktop program against three minimal
# Qt 6 window programs built here, side by side under Xvfb: one that shows a
# bare window, one that shows a window with one text label (what every program
# pays to draw a first text), and one that shows the main window's own texts
# (as millcalc-window-texts, built beside the program, lists them) in labels
# of a plain grid layout: the floor for any window that must lay out those
# texts. Measured: the time from launch until the main window is mapped, the
# peak resident set size up to then, and the peak over the whole run (which
# /usr/bin/time -v reports: the desktop program builds every other window in
# the idle time after the map, so that no first open waits for one), each the
# median of several runs.
# The program starts as a user's second start does: with the arrangement its
# first run saved (a run of its own before the measured ones, closed as a
# window manager closes it, which writes the settings file) restored.
#   tools/startup-time.sh [PROGRAM] [RUNS] [MACHINES]
#                                   (defaults: build/millcalc, 9, 0)
# MACHINES > 0 gives the program a user's machine park file of that many
# machines, each with a 20-point curve (the start-up bar holds with 50).
# Targets: time at most 1.3 times the labelled window's, memory up to the map
# at most the bare window's plus 15 MB; the ratio to the window of the texts
# and the whole run's peak are reported, and so is the machine's load average
# before and after. The exit status is 1 when a target is missed.
# It installs nothing: tools/setup.sh --tests brings what it needs.
set -euo pipefail
cd "$(dirname "$0")/.."
program=$(realpath "${1:-build/millcalc}")
runs=${2:-9}
machines=${3:-0}
title="Расчет режимов резания"
# Long enough for the splash to close (1 s) and the window to settle.
settle_ms=2500

for tool in Xvfb xprop /usr/bin/time cmake cc; do
    command -v "$tool" > /dev/null || { echo "startup-time: $tool is missing (tools/setup.sh --tests)" >&2; exit 2; }
done
[ -e /usr/include/X11/Xlib.h ] || { echo "startup-time: libX11's headers are missing (libx11-dev; tools/setup.sh --tests)" >&2; exit 2; }
[ -x "$program" ] || { echo "startup-time: no program at $program (build it first)" >&2; exit 2; }
texts_program=$(dirname "$program")/millcalc-window-texts
[ -x "$texts_program" ] || { echo "startup-time: no $texts_program (build the target millcalc-window-texts)" >&2; exit 2; }
load_before=$(cut -d' ' -f1-3 /proc/loadavg)

# shellcheck source=virtual-screen.sh
. tools/virtual-screen.sh
work=$(mktemp -d)
cleanup() {
    virtual_screen_stop
    rm -rf "$work"
}
trap cleanup EXIT

# The yardsticks: the least a Qt 6 program does to show one window of the same
# size with the same title, bare, with one line of text, and with the texts
# the main window shows, each in a label of one grid.
mkdir -p "$work/minimal"
# The texts as C string literals, every byte in octal: any text is safe there.
octal() { od -An -to1 -v | tr -s ' \n' '  ' | sed 's/^ *//; s/ *$//; s/ /\\/g; s/^./\\&/'; }
QT_QPA_PLATFORM=offscreen "$texts_program" > "$work/texts.txt" 2> "$work/texts.log" \
    || { echo "startup-time: $texts_program failed:" >&2; cat "$work/texts.log" >&2; exit 2; }
{
    echo 'static const char* const kTexts[] = {'
    while IFS= read -r text; do
        printf '%s' "${text//\\n/$'\n'}" | octal | sed 's/.*/    "&",/'
    done < "$work/texts.txt"
    echo '};'
} > "$work/minimal/texts.h"
cat > "$work/minimal/main.cpp" << EOF
#include <QApplication>
#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>
#include <QWidget>
#ifdef WITH_TEXTS
#include "texts.h"
#endif

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QString::fromUtf8("$title"));
#ifdef WITH_LABEL
    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(new QLabel(QString::fromUtf8("$title")));
#endif
#ifdef WITH_TEXTS
    auto* grid = new QGridLayout(&window);
    int place = 0;
    for (const char* text : kTexts) {
        grid->addWidget(new QLabel(QString::fromUtf8(text)), place / 2, place % 2);
        ++place;
    }
#endif
    window.resize(301, 670);
    window.show();
    return app.exec();
}
EOF
cat > "$work/minimal/CMakeLists.txt" << 'EOF'
cmake_minimum_required(VERSION 3.21)
project(minimal LANGUAGES CXX)
set(CMAKE_CXX_STANDARD 20)
find_package(Qt6 REQUIRED COMPONENTS Widgets)
add_executable(minimal main.cpp)
target_link_libraries(minimal PRIVATE Qt6::Widgets)
add_executable(labelled main.cpp)
target_compile_definitions(labelled PRIVATE WITH_LABEL)
target_link_libraries(labelled PRIVATE Qt6::Widgets)
add_executable(texts main.cpp)
target_compile_definitions(texts PRIVATE WITH_TEXTS)
target_link_libraries(texts PRIVATE Qt6::Widgets)
EOF
cmake -S "$work/minimal" -B "$work/minimal/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null
cmake --build "$work/minimal/build" > /dev/null

# "xdotool search --sync" looks for the window twice a second, too coarse for a
# start of a fraction of a second; this waiter takes the same condition (a
# window whose name holds the title is mapped) from the X server's own map
# notification. It starts the program, prints the seconds until the map, lets
# the program settle, ends it and waits for it, so that /usr/bin/time around
# the waiter sees the program's peak memory. With -close it ends the program
# as a window manager's close box does (WM_DELETE_WINDOW), so that the program
# saves its settings, and ends it by a signal only if it is still there after
# ten seconds.
cat > "$work/mapwait.c" << 'EOF'
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

static int named(Display* d, Window w, const char* title)
{
    Atom utf8 = XInternAtom(d, "UTF8_STRING", False);
    Atom netName = XInternAtom(d, "_NET_WM_NAME", False);
    Atom type;
    int format;
    unsigned long count, after;
    unsigned char* value = NULL;
    int found = 0;
    if (XGetWindowProperty(d, w, netName, 0, 1024, False, utf8, &type, &format, &count, &after,
                           &value) == Success && value != NULL) {
        found = strstr((const char*)value, title) != NULL;
        XFree(value);
    }
    return found;
}

static double now(void)
{
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec + t.tv_nsec / 1e9;
}

static void closeWindow(Display* d, Window w)
{
    XEvent message;
    memset(&message, 0, sizeof message);
    message.xclient.type = ClientMessage;
    message.xclient.window = w;
    message.xclient.message_type = XInternAtom(d, "WM_PROTOCOLS", False);
    message.xclient.format = 32;
    message.xclient.data.l[0] = (long)XInternAtom(d, "WM_DELETE_WINDOW", False);
    message.xclient.data.l[1] = CurrentTime;
    XSendEvent(d, w, False, NoEventMask, &message);
    XFlush(d);
}

int main(int argc, char** argv)
{
    int close = argc > 1 && strcmp(argv[1], "-close") == 0;
    if (close) {
        --argc;
        ++argv;
    }
    if (argc < 4) {
        fprintf(stderr, "usage: mapwait [-close] TITLE SETTLE_MS PROGRAM [ARGS...]\n");
        return 2;
    }
    Display* d = XOpenDisplay(NULL);
    if (d == NULL)
        return 2;
    // A program that never shows its window ends the measurement.
    alarm(30);
    XSelectInput(d, DefaultRootWindow(d), SubstructureNotifyMask);
    XSync(d, False);
    const double start = now();
    const pid_t child = fork();
    if (child == 0) {
        execv(argv[3], argv + 3);
        _exit(127);
    }
    Window mapped;
    for (;;) {
        XEvent e;
        XNextEvent(d, &e);
        if (e.type == MapNotify && named(d, e.xmap.window, argv[1])) {
            mapped = e.xmap.window;
            break;
        }
    }
    // The peak resident set of the program up to its map.
    char path[64];
    snprintf(path, sizeof path, "/proc/%d/status", (int)child);
    long mappedKb = 0;
    FILE* status = fopen(path, "r");
    if (status != NULL) {
        char line[256];
        while (fgets(line, sizeof line, status) != NULL)
            if (sscanf(line, "VmHWM: %ld", &mappedKb) == 1)
                break;
        fclose(status);
    }
    printf("%.4f %ld\n", now() - start, mappedKb);
    fflush(stdout);
    usleep((useconds_t)atoi(argv[2]) * 1000);
    if (close) {
        closeWindow(d, mapped);
        for (int waited = 0; waited < 100; ++waited) {
            if (waitpid(child, NULL, WNOHANG) == child)
                return 0;
            usleep(100000);
        }
        fprintf(stderr, "mapwait: the program did not end when its window was closed\n");
    }
    kill(child, SIGTERM);
    waitpid(child, NULL, 0);
    return 0;
}
EOF
cc -O2 -o "$work/mapwait" "$work/mapwait.c" -lX11

# A display of its own, without a window manager, as every program meets it.
virtual_screen_start 1280x1024 || exit 2
export QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR="$work/runtime" XDG_CONFIG_HOME="$work/config" \
    XDG_CONFIG_DIRS="$work/config-dirs"
mkdir -m 700 "$work/runtime"
if [ "$machines" -gt 0 ]; then
    mkdir -p "$work/config/millcalc"
    {
        echo '{"format": "millcalc-machines", "version": 1, "machines": ['
        for ((i = 1; i <= machines; i++)); do
            curve=""
            for ((p = 1; p <= 20; p++)); do
                curve+="${curve:+, }[$((p * 600)), $((p < 14 ? p + 5 : 19)), $((p < 14 ? 82 : 82 - p))]"
            done
            printf '%s{"id": "cell-%d", "name": "Обрабатывающий центр №%d", "max_rpm": 12000,\n' \
                "$([ "$i" -gt 1 ] && echo ', ')" "$i" "$i"
            printf ' "min_rpm": 20, "max_feed_mm_min": 10000, "power_kw": 19, "torque_nm": 82,\n'
            printf ' "knee_rpm": 8400, "curve": [%s],\n' "$curve"
            printf ' "spindle_load_kn": [[6000, 2.00], [8000, 1.70], [12000, 1.35]]}\n'
        done
        echo ']}'
    } > "$work/config/millcalc/machines.json"
fi

# The program's first run, closed by its close box, saves its arrangement;
# every measured run restores it.
settings="$work/config/millcalc/millcalc.ini"
"$work/mapwait" -close "$title" "$settle_ms" "$program" > /dev/null 2> "$work/first-run.log" || true
grep -q '^geometry=' "$settings" 2> /dev/null \
    || { echo "startup-time: the program's first run saved no arrangement in $settings:" >&2; cat "$work/first-run.log" >&2; exit 2; }

measure() {  # NAME PROGRAM: one run, "seconds kilobytes-at-the-map kilobytes-at-the-end"
    local mapped kb
    mapped=$(/usr/bin/time -v -o "$work/$1.time" "$work/mapwait" "$title" "$settle_ms" "$2" \
        2>> "$work/$1.log")
    kb=$(sed -n 's/.*Maximum resident set size (kbytes): //p' "$work/$1.time")
    echo "$mapped $kb"
}
median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# A first run of each warms the disk cache; then the four alternate.
names=(minimal labelled texts program)
paths=("$work/minimal/build/minimal" "$work/minimal/build/labelled" "$work/minimal/build/texts" "$program")
for k in 0 1 2 3; do
    measure "warm-${names[k]}" "${paths[k]}" > /dev/null
    : > "$work/${names[k]}.runs"
done
for i in $(seq "$runs"); do
    for k in 0 1 2 3; do
        measure "${names[k]}" "${paths[k]}" >> "$work/${names[k]}.runs"
    done
    echo "run $i: minimal $(tail -n 1 "$work/minimal.runs"), with a label $(tail -n 1 "$work/labelled.runs")," \
        "with the texts $(tail -n 1 "$work/texts.runs"), millcalc $(tail -n 1 "$work/program.runs")" \
        "(s, kB at the map, kB in all)"
done

min_s=$(cut -d' ' -f1 "$work/minimal.runs" | median)
min_mapped_kb=$(cut -d' ' -f2 "$work/minimal.runs" | median)
min_kb=$(cut -d' ' -f3 "$work/minimal.runs" | median)
lab_s=$(cut -d' ' -f1 "$work/labelled.runs" | median)
texts_s=$(cut -d' ' -f1 "$work/texts.runs" | median)
prog_s=$(cut -d' ' -f1 "$work/program.runs" | median)
prog_mapped_kb=$(cut -d' ' -f2 "$work/program.runs" | median)
prog_kb=$(cut -d' ' -f3 "$work/program.runs" | median)
# Each run's own ratio too: the program and the labelled window of one run
# start seconds apart, under the same load, so that the median of these moves
# less from one set of runs to the next than the ratio of the two medians.
pair_ratio=$(paste -d' ' "$work/program.runs" "$work/labelled.runs" | awk '{ print $1 / $4 }' | median)
echo "median of the runs' own ratios to the labelled window: $pair_ratio (reported; the target holds the ratio of the medians)"
echo "load average before the runs $load_before, after them $(cut -d' ' -f1-3 /proc/loadavg)" \
    "($(nproc) processors)"
awk -v ms="$min_s" -v ls="$lab_s" -v ts="$texts_s" -v texts="$(wc -l < "$work/texts.txt")" -v mm="$min_mapped_kb" -v mk="$min_kb" -v ps="$prog_s" -v pm="$prog_mapped_kb" \
    -v pk="$prog_kb" -v runs="$runs" -v max_ratio=1.3 -v max_extra_mb=15 'BEGIN {
    ratio = ps / ls
    mapped = (pm - mm) / 1024
    extra = (pk - mk) / 1024
    printf "medians of %d runs: window mapped after %.0f ms (minimal Qt window with a text label %.0f ms, bare %.0f ms), ratio to the labelled %.2f (target <= %.1f): %s\n",
        runs, ps * 1000, ls * 1000, ms * 1000, ratio, max_ratio, ratio <= max_ratio ? "met" : "MISSED"
    printf "window of the main window'"'"'s %d texts in a plain grid of labels mapped after %.0f ms, ratio to it %.2f\n",
        texts, ts * 1000, ps / ts
    printf "peak memory up to the map %.1f MB (bare %.1f MB), %+.1f MB (target <= +%d MB): %s\n",
        pm / 1024, mm / 1024, mapped, max_extra_mb, mapped <= max_extra_mb ? "met" : "MISSED"
    printf "peak memory in all, every window built in the idle time after the map: %.1f MB (bare %.1f MB), %+.1f MB\n",
        pk / 1024, mk / 1024, extra
    exit (ratio <= max_ratio && mapped <= max_extra_mb) ? 0 : 1
}'
