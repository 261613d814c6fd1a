#!/usr/bin/env bash
# Start-up time and peak memory of the desktop program against two minimal Qt 6
# window programs built here, side by side under Xvfb: one that shows a bare
# window and one that shows a window with one text label (what every program
# pays to draw a first text). Measured: the time from launch until the main
# window is mapped, the peak resident set size up to then, and the peak over
# the whole run (which /usr/bin/time -v reports: the desktop program builds
# every other window in the idle time after the map, so that no first open
# waits for one), each the median of several runs.
#   tools/startup-time.sh [PROGRAM] [RUNS]     (defaults: build/millcalc, 9)
# Targets: time at most 1.3 times the labelled window's, memory up to the map
# at most the bare window's plus 15 MB; the whole run's peak is reported. The
# exit status is 1 when a target is missed.
# It installs nothing: tools/setup.sh --tests brings what it needs.
set -euo pipefail
cd "$(dirname "$0")/.."
program=$(realpath "${1:-build/millcalc}")
runs=${2:-9}
title="Расчет режимов резания"
# Long enough for the splash to close (1 s) and the window to settle.
settle_ms=2500

for tool in Xvfb xprop /usr/bin/time cmake cc; do
    command -v "$tool" > /dev/null || { echo "startup-time: $tool is missing (tools/setup.sh --tests)" >&2; exit 2; }
done
[ -e /usr/include/X11/Xlib.h ] || { echo "startup-time: libX11's headers are missing (libx11-dev; tools/setup.sh --tests)" >&2; exit 2; }
[ -x "$program" ] || { echo "startup-time: no program at $program (build it first)" >&2; exit 2; }

# shellcheck source=virtual-screen.sh
. tools/virtual-screen.sh
work=$(mktemp -d)
cleanup() {
    virtual_screen_stop
    rm -rf "$work"
}
trap cleanup EXIT

# The yardsticks: the least a Qt 6 program does to show one window of the same
# size with the same title, bare and with one line of text.
mkdir -p "$work/minimal"
cat > "$work/minimal/main.cpp" << EOF
#include <QApplication>
#include <QLabel>
#include <QVBoxLayout>
#include <QWidget>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QString::fromUtf8("$title"));
#ifdef WITH_LABEL
    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(new QLabel(QString::fromUtf8("$title")));
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
EOF
cmake -S "$work/minimal" -B "$work/minimal/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null
cmake --build "$work/minimal/build" > /dev/null

# "xdotool search --sync" looks for the window twice a second, too coarse for a
# start of a fraction of a second; this waiter takes the same condition (a
# window whose name holds the title is mapped) from the X server's own map
# notification. It starts the program, prints the seconds until the map, lets
# the program settle, ends it and waits for it, so that /usr/bin/time around
# the waiter sees the program's peak memory.
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

int main(int argc, char** argv)
{
    if (argc < 4) {
        fprintf(stderr, "usage: mapwait TITLE SETTLE_MS PROGRAM [ARGS...]\n");
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
    for (;;) {
        XEvent e;
        XNextEvent(d, &e);
        if (e.type == MapNotify && named(d, e.xmap.window, argv[1]))
            break;
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
    kill(child, SIGTERM);
    waitpid(child, NULL, 0);
    return 0;
}
EOF
cc -O2 -o "$work/mapwait" "$work/mapwait.c" -lX11

# A display of its own, without a window manager, as every program meets it.
virtual_screen_start 1280x1024 || exit 2
export QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$work/runtime"

measure() {  # NAME PROGRAM: one run, "seconds kilobytes-at-the-map kilobytes-at-the-end"
    local mapped kb
    mapped=$(/usr/bin/time -v -o "$work/$1.time" "$work/mapwait" "$title" "$settle_ms" "$2" \
        2>> "$work/$1.log")
    kb=$(sed -n 's/.*Maximum resident set size (kbytes): //p' "$work/$1.time")
    echo "$mapped $kb"
}
median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# A first run of each warms the disk cache; then the three alternate.
names=(minimal labelled program)
paths=("$work/minimal/build/minimal" "$work/minimal/build/labelled" "$program")
for k in 0 1 2; do
    measure "warm-${names[k]}" "${paths[k]}" > /dev/null
    : > "$work/${names[k]}.runs"
done
for i in $(seq "$runs"); do
    for k in 0 1 2; do
        measure "${names[k]}" "${paths[k]}" >> "$work/${names[k]}.runs"
    done
    echo "run $i: minimal $(tail -n 1 "$work/minimal.runs"), with a label $(tail -n 1 "$work/labelled.runs")," \
        "millcalc $(tail -n 1 "$work/program.runs") (s, kB at the map, kB in all)"
done

min_s=$(cut -d' ' -f1 "$work/minimal.runs" | median)
min_mapped_kb=$(cut -d' ' -f2 "$work/minimal.runs" | median)
min_kb=$(cut -d' ' -f3 "$work/minimal.runs" | median)
lab_s=$(cut -d' ' -f1 "$work/labelled.runs" | median)
prog_s=$(cut -d' ' -f1 "$work/program.runs" | median)
prog_mapped_kb=$(cut -d' ' -f2 "$work/program.runs" | median)
prog_kb=$(cut -d' ' -f3 "$work/program.runs" | median)
awk -v ms="$min_s" -v ls="$lab_s" -v mm="$min_mapped_kb" -v mk="$min_kb" -v ps="$prog_s" -v pm="$prog_mapped_kb" \
    -v pk="$prog_kb" -v runs="$runs" -v max_ratio=1.3 -v max_extra_mb=15 'BEGIN {
    ratio = ps / ls
    mapped = (pm - mm) / 1024
    extra = (pk - mk) / 1024
    printf "medians of %d runs: window mapped after %.0f ms (minimal Qt window with a text label %.0f ms, bare %.0f ms), ratio to the labelled %.2f (target <= %.1f): %s\n",
        runs, ps * 1000, ls * 1000, ms * 1000, ratio, max_ratio, ratio <= max_ratio ? "met" : "MISSED"
    printf "peak memory up to the map %.1f MB (bare %.1f MB), %+.1f MB (target <= +%d MB): %s\n",
        pm / 1024, mm / 1024, mapped, max_extra_mb, mapped <= max_extra_mb ? "met" : "MISSED"
    printf "peak memory in all, every window built in the idle time after the map: %.1f MB (bare %.1f MB), %+.1f MB\n",
        pk / 1024, mk / 1024, extra
    exit (ratio <= max_ratio && mapped <= max_extra_mb) ? 0 : 1
}'
