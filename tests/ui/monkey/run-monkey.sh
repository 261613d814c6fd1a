#!/usr/bin/env bash
# A monkey test of the real desktop program: millcalc on a virtual X screen
# under a window manager, driven for a bounded time by a seeded random sequence
# of clicks, drags and wheel turns in its windows, keys, menu mnemonics, typed
# texts and pasted ones (Cyrillic, control characters, 100,000 characters),
# which reach its menus, panels, the nomogram and the About window.
#
#     run-monkey.sh PROGRAM PING_HELPER OUTPUT_DIR [release|sanitized]
#
# It fails on a crash (a signal, a nonzero exit status), on a sanitizer report
# on the program's standard error, and, in the release build, on a main window
# that does not answer the window manager's ping (_NET_WM_PING) within 5 s; a
# sanitized build is slow, so there a late answer is only noted. The program
# ending normally (its "Закрыть", or its main window closed) is no fault: it is
# started again. At the end the main window is closed, so that the leak check
# runs at exit.
#
#     MILLCALC_MONKEY_SECONDS   how long (default 60; 40 on the sanitized build)
#     MILLCALC_MONKEY_SEED      the seed to replay (default: from the clock)
#     MILLCALC_MONKEY_DISPLAY   a fixed display number, e.g. :61 (default: a free one)
#
# Fails, never skips, when a tool it needs is missing (tools/setup.sh --tests
# installs them).
set -u
if [ $# -lt 3 ]; then
    echo "usage: run-monkey.sh PROGRAM PING_HELPER OUTPUT_DIR [release|sanitized]" >&2
    exit 2
fi
program=$1
ping_helper=$2
out=$3
build=${4:-release}
for tool in Xvfb xprop openbox xdotool xclip; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "monkey: $tool is missing; run tools/setup.sh --tests" >&2
        exit 1
    fi
done

# shellcheck source=../../../tools/virtual-screen.sh
. "$(dirname "$0")/../../../tools/virtual-screen.sh"

default_seconds=60
[ "$build" = sanitized ] && default_seconds=40
seconds=${MILLCALC_MONKEY_SECONDS:-$default_seconds}
seed=${MILLCALC_MONKEY_SEED:-$(( ($(date +%s%N) / 1000) % 2147483646 + 1 ))}
case "$seconds$seed" in
    *[!0-9]*) echo "monkey: MILLCALC_MONKEY_SECONDS and MILLCALC_MONKEY_SEED are whole numbers" >&2
              exit 2 ;;
esac
echo "monkey: seed $seed, $seconds s, $build build (replay with MILLCALC_MONKEY_SEED=$seed)"

mkdir -p "$out"
rm -f "$out"/stderr.*.log "$out"/stdout.*.log "$out/actions.log" "$out/failure.png"
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

# The program's mail hand-off and anything else it might open land here.
mkdir "$work/bin"
printf '#!/bin/sh\necho "$0 $*" >>"%s/external.log"\nexit 0\n' "$out" >"$work/bin/xdg-email"
chmod +x "$work/bin/xdg-email"
for name in xdg-open sensible-browser x-www-browser thunderbird; do
    ln -s xdg-email "$work/bin/$name"
done
: >"$out/external.log"
# A user of its own: whatever the monkey saves (a calculation, the machines
# of the park's editor, the settings) stays in the work folder.
mkdir -p "$work/home"
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" \
    XDG_DATA_HOME="$work/home/.local/share" XDG_CONFIG_DIRS="$work/config-dirs"

# --- The screen and the window manager ---------------------------------------
if ! virtual_screen_start 1920x1080 --wm openbox ${MILLCALC_MONKEY_DISPLAY:+--display "$MILLCALC_MONKEY_DISPLAY"}; then
    echo "monkey: no virtual screen" >&2
    exit 1
fi

locale=C.UTF-8
locale -a 2>/dev/null | grep -qi '^ru_RU\.utf-\?8$' && locale=ru_RU.UTF-8
if [ "$build" = sanitized ]; then
    # As tools/run-tests.sh runs the sanitized tests, unless set already.
    export ASAN_OPTIONS=${ASAN_OPTIONS:-abort_on_error=1:detect_leaks=1}
    export UBSAN_OPTIONS=${UBSAN_OPTIONS:-halt_on_error=1:print_stacktrace=1}
    export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$(cd "$(dirname "$0")/../../.." && pwd)/tools/lsan.supp}
fi

# --- The random sequence -----------------------------------------------------
# A generator of our own, so that a seed means the same on every bash.
state=$seed
R=0
rnd() { # R = a number in [0, $1)
    state=$(( (state * 1103515245 + 12345) % 2147483648 ))
    R=$(( (state >> 8) % $1 ))
}
pick() { # P = one of the arguments
    rnd $#
    local -a all=("$@")
    P=${all[$R]}
}

action_count=0
log_action() {
    action_count=$((action_count + 1))
    printf '%6d %5ds  %s\n' "$action_count" "$SECONDS" "$*" >>"$out/actions.log"
}

# --- Failure report ----------------------------------------------------------
run=0
stderr_file=""
fail() {
    echo "monkey: FAILED: $*" >&2
    echo "monkey: seed $seed (replay with MILLCALC_MONKEY_SEED=$seed MILLCALC_MONKEY_SECONDS=$seconds)" >&2
    echo "--- the last 30 actions (all of them in $out/actions.log):" >&2
    tail -n 30 "$out/actions.log" >&2
    if [ -n "$stderr_file" ] && [ -s "$stderr_file" ]; then
        local first
        first=$(grep -n -m 1 -E "$sanitizer_pattern" "$stderr_file" | cut -d: -f1)
        if [ -n "$first" ]; then
            echo "--- the sanitizer's report ($stderr_file):" >&2
            sed -n "${first},$((first + 80))p" "$stderr_file" >&2
        else
            echo "--- the program's standard error, its end ($stderr_file):" >&2
            tail -n 60 "$stderr_file" >&2
        fi
    fi
    if command -v import >/dev/null 2>&1 && import -window root "$out/failure.png" 2>/dev/null; then
        echo "--- the screen: $out/failure.png" >&2
    fi
    exit 1
}

sanitizer_pattern='ERROR: AddressSanitizer|ERROR: LeakSanitizer|runtime error:'
sanitizer_report() {
    grep -q -E "$sanitizer_pattern" "$stderr_file"
}

# --- The program -------------------------------------------------------------
main_window=""
W=()
WIDTHS=()
HEIGHTS=()
start_program() {
    run=$((run + 1))
    stderr_file="$out/stderr.$run.log"
    env -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb LANG="$locale" LC_ALL="$locale" \
        PATH="$work/bin:$PATH" BROWSER="$work/bin/xdg-email" \
        "$program" >"$out/stdout.$run.log" 2>"$stderr_file" </dev/null &
    pid=$!
    log_action "start the program (run $run, pid $pid)"
    main_window=""
    W=()
    local waited=0
    while [ $waited -lt 600 ]; do
        main_window=$(xdotool search --all --onlyvisible --pid "$pid" --name '^Расчет режимов резания' 2>/dev/null | head -n 1)
        [ -n "$main_window" ] && break
        if ! kill -0 "$pid" 2>/dev/null; then
            local status=0
            wait "$pid" || status=$?
            pid=""
            fail "the program ended (status $status) before its main window showed"
        fi
        sleep 0.1
        waited=$((waited + 1))
    done
    [ -n "$main_window" ] || fail "no main window \"Расчет режимов резания\" within 60 s"
}

# The program has ended: a normal end starts it again, anything else fails.
check_exit() {
    local status=0
    wait "$pid" || status=$?
    local ended=$pid
    pid=""
    if sanitizer_report; then
        fail "a sanitizer report (the program ended with status $status)"
    fi
    if [ $status -ne 0 ]; then
        if [ $status -gt 128 ]; then
            fail "the program crashed: signal $((status - 128)) ($(kill -l $((status - 128)) 2>/dev/null))"
        fi
        fail "the program ended with status $status"
    fi
    log_action "the program (pid $ended) ended normally"
    start_program
}

# The program's mapped windows and their sizes, in one call: W, WIDTHS, HEIGHTS.
# "--all" and a pattern that matches every name: without them xdotool would
# take the next command for the pattern, or match windows of any process.
program_windows() {
    W=()
    WIDTHS=()
    HEIGHTS=()
    local line id="" width=""
    while read -r line; do
        case $line in
            WINDOW=*) id=${line#WINDOW=} ;;
            WIDTH=*) width=${line#WIDTH=} ;;
            HEIGHT=*)
                if [ -n "$id" ] && [ -n "$width" ] && [ "$width" -gt 0 ] && [ "${line#HEIGHT=}" -gt 0 ]; then
                    W+=("$id")
                    WIDTHS+=("$width")
                    HEIGHTS+=("${line#HEIGHT=}")
                fi
                id=""
                width="" ;;
        esac
    done < <(xdotool search --all --onlyvisible --pid "$pid" --name '' getwindowgeometry --shell %@ 2>/dev/null)
}

# --- Texts ---------------------------------------------------------------------
typed_texts=(0 1 5 12.5 -3 0.001 1e308 1e-320 -1e400 nan NaN inf -inf 0,5 3,14 . , - e 1e
    99999999999999999999 2.9 0x1p3 1.5e+3 +7 абв Привет ВТ20 Д16чТ ё 'В95пчТ2' ' 7 ' '1 2'
    'Ъ-ь,Ё.' $'1\t2' $'3\n' $'\t' '--' '..' '1..2' '1e+' "$(printf '9%.0s' $(seq 40))")
# 100,000 characters: digits with a decimal point, and Cyrillic with signs.
{
    printf '1.'
    for _ in $(seq 9999); do printf '1234567890'; done
    printf '12345678'
} >"$work/long-digits.txt"
{
    for _ in $(seq 12500); do printf 'Ёж-1,е.нЯ'; done
    printf 'ф'
} >"$work/long-cyrillic.txt"
paste_file() { # writes the chosen paste text to $work/paste.txt, names it in P
    rnd 10
    case $R in
        0) cp "$work/long-digits.txt" "$work/paste.txt"; P="100,000 digits" ;;
        1) cp "$work/long-cyrillic.txt" "$work/paste.txt"; P="100,000 Cyrillic characters" ;;
        2) printf '\001\002\003\007\010\011\013\014\015\033\177x\000y' >"$work/paste.txt"
           P="control characters and NUL" ;;
        3) printf '1\n2\r\n3\r4\n\n' >"$work/paste.txt"; P="lines 1 2 3 4" ;;
        4) printf '\xff\xfe\xc3(\xe2\x82' >"$work/paste.txt"; P="bytes that are not UTF-8" ;;
        *) pick "${typed_texts[@]}"; printf '%s' "$P" >"$work/paste.txt" ;;
    esac
}

keys=(Tab Tab Tab shift+Tab Return Return KP_Enter Escape Escape space space Up Down Down Left
    Right Home End Prior Next BackSpace Delete Insert F1 F2 F3 F4 F5 F6 F7 F8 F9 F10 F11 F12
    shift+F10 Menu ctrl+a ctrl+c ctrl+x ctrl+z ctrl+shift+z ctrl+y alt+Tab ctrl+Tab
    ctrl+shift+Tab alt+Down alt+Up ctrl+Home ctrl+End shift+End shift+Home ctrl+BackSpace
    ctrl+Delete ctrl+Return alt+Return ctrl+Insert alt)
letters=(Cyrillic_a Cyrillic_be Cyrillic_ve Cyrillic_ghe Cyrillic_de Cyrillic_ie Cyrillic_io
    Cyrillic_zhe Cyrillic_i Cyrillic_shorti Cyrillic_ka Cyrillic_el Cyrillic_em Cyrillic_en
    Cyrillic_o Cyrillic_pe Cyrillic_er Cyrillic_es Cyrillic_te Cyrillic_u Cyrillic_ef Cyrillic_ha
    Cyrillic_tse Cyrillic_che Cyrillic_sha Cyrillic_shcha Cyrillic_yeru Cyrillic_softsign
    Cyrillic_e Cyrillic_yu Cyrillic_ya a b c d e f g h k m n o p r s t u v x z 1 2 3)
# Menu commands by their mnemonics: the park's editor, the help menu and the
# context menu.
commands=("alt+Cyrillic_es" "alt+Cyrillic_pe Cyrillic_pe" "alt+Cyrillic_pe Cyrillic_es"
    "alt+Cyrillic_pe Cyrillic_em" "alt+Cyrillic_pe Cyrillic_ef" "alt+Cyrillic_pe Cyrillic_te" "alt+Cyrillic_pe Cyrillic_el"
    "alt+Cyrillic_pe Cyrillic_a" "Menu Cyrillic_er" "Menu Cyrillic_en" "Menu Cyrillic_a"
    "Menu Cyrillic_em" "Menu Cyrillic_ef" "Menu Cyrillic_te" "Menu Cyrillic_pe" "Menu Cyrillic_ve")

key() { xdotool key --delay 12 "$@" >/dev/null 2>&1; }

# T X Y = one of the program's windows, the main one and the newest more often
# (always the newest with "newest"), and a random point inside it (I its index
# in W); false when there is none. The
# list is refreshed every few actions: a window gone meanwhile costs one action.
refreshed=0
random_point() {
    if [ $((action_count - refreshed)) -ge 3 ] || [ ${#W[@]} -eq 0 ]; then
        program_windows
        refreshed=$action_count
    fi
    [ ${#W[@]} -gt 0 ] || return 1
    rnd 4
    local choice=$R
    [ "${1:-}" = newest ] && choice=1
    I=0
    if [ $choice -eq 0 ]; then
        for I in "${!W[@]}"; do
            [ "${W[$I]}" = "$main_window" ] && break
        done
    elif [ $choice -eq 1 ]; then
        # The newest window, the highest id: a box or the About window, which
        # blocks the others.
        local j
        for j in "${!W[@]}"; do
            [ "${W[$j]}" -gt "${W[$I]}" ] && I=$j
        done
    else
        rnd ${#W[@]}
        I=$R
    fi
    T=${W[$I]}
    rnd "${WIDTHS[$I]}"; X=$R
    rnd "${HEIGHTS[$I]}"; Y=$R
}

one_action() {
    rnd 100
    local r=$R
    if [ $r -lt 28 ]; then
        random_point || return 0
        pick 1 1 1 1 1 1 3 2
        log_action "click $P in window $T at $X,$Y"
        xdotool mousemove --window "$T" "$X" "$Y" click "$P" >/dev/null 2>&1
    elif [ $r -lt 32 ]; then
        random_point || return 0
        log_action "double click in window $T at $X,$Y"
        xdotool mousemove --window "$T" "$X" "$Y" click --repeat 2 --delay 40 1 >/dev/null 2>&1
    elif [ $r -lt 35 ]; then
        random_point || return 0
        local x1=$X y1=$Y
        rnd "${WIDTHS[$I]}"; X=$R
        rnd "${HEIGHTS[$I]}"; Y=$R
        log_action "drag in window $T from $x1,$y1 to $X,$Y"
        xdotool mousemove --window "$T" "$x1" "$y1" mousedown 1 sleep 0.05 \
            mousemove --window "$T" "$X" "$Y" sleep 0.05 mouseup 1 >/dev/null 2>&1
    elif [ $r -lt 38 ]; then
        random_point || return 0
        pick 4 5 4 5 6 7
        rnd 5
        log_action "wheel $P x$((R + 1)) in window $T at $X,$Y"
        xdotool mousemove --window "$T" "$X" "$Y" click --repeat $((R + 1)) "$P" >/dev/null 2>&1
    elif [ $r -lt 60 ]; then
        pick "${keys[@]}"
        log_action "key $P"
        key "$P"
    elif [ $r -lt 66 ]; then
        pick "${letters[@]}"
        log_action "key alt+$P"
        key "alt+$P"
    elif [ $r -lt 71 ]; then
        pick "${commands[@]}"
        log_action "menu $P"
        # shellcheck disable=SC2086
        key $P
    elif [ $r -lt 74 ]; then
        pick "alt+Cyrillic_pe" "Menu" "shift+F10"
        local opener=$P
        rnd 10
        local downs=$R
        pick Return Return Return Escape space Right
        log_action "menu $opener, Down x$downs, $P"
        local -a walk=("$opener")
        for _ in $(seq "$downs"); do walk+=(Down); done
        walk+=("$P")
        key "${walk[@]}"
    elif [ $r -lt 86 ]; then
        pick "${typed_texts[@]}"
        log_action "type $(printf '%q' "$P")"
        xdotool type --delay 8 -- "$P" >/dev/null 2>&1
    elif [ $r -lt 94 ]; then
        paste_file
        local text=$P
        pick clipboard clipboard clipboard primary
        local selection=$P
        log_action "paste ($selection) $(printf '%q' "$text")"
        xclip -selection "$selection" -i "$work/paste.txt" >/dev/null 2>&1
        sleep 0.05
        if [ "$selection" = primary ]; then
            random_point || return 0
            xdotool mousemove --window "$T" "$X" "$Y" click 2 >/dev/null 2>&1
        else
            pick ctrl+v ctrl+v shift+Insert
            key "$P"
        fi
    elif [ $r -lt 95 ]; then
        random_point || return 0
        log_action "activate window $T"
        xdotool windowactivate "$T" >/dev/null 2>&1
    elif [ $r -lt 97 ]; then
        # A window reached on purpose, the About window or by the context menu
        # the nomogram, and a few clicks in it, where the About window's mail
        # link is a small target.
        xdotool windowactivate "$main_window" >/dev/null 2>&1
        sleep 0.1
        pick about Cyrillic_en Cyrillic_en Cyrillic_ve Cyrillic_er Cyrillic_em Cyrillic_ef Cyrillic_te
        if [ "$P" = about ]; then
            log_action "activate the main window, menu alt+Cyrillic_pe Cyrillic_a"
            key alt+Cyrillic_pe Cyrillic_a
        else
            local letter=$P
            refreshed=-100
            random_point || return 0
            local j
            I=-1
            for j in "${!W[@]}"; do
                [ "${W[$j]}" = "$main_window" ] && I=$j
            done
            [ $I -ge 0 ] || return 0
            T=$main_window
            rnd "${WIDTHS[$I]}"; X=$R
            rnd "${HEIGHTS[$I]}"; Y=$R
            log_action "activate the main window, click 3 at $X,$Y, key $letter"
            xdotool mousemove --window "$T" "$X" "$Y" click 3 sleep 0.2 >/dev/null 2>&1
            key "$letter"
        fi
        sleep 0.3
        refreshed=-100
        local clicks
        for clicks in 1 2 3 4 5; do
            random_point newest || return 0
            [ "$T" = "$main_window" ] && continue
            log_action "click 1 in window $T at $X,$Y"
            xdotool mousemove --window "$T" "$X" "$Y" click 1 >/dev/null 2>&1
            sleep 0.1
        done
    elif [ $r -lt 99 ]; then
        rnd 3
        # Seldom: the program ends, and is started again.
        if [ $R -eq 0 ]; then
            pick "alt+Cyrillic_ze" "alt+F4" "Menu Cyrillic_ze"
            log_action "quit by $P"
            # shellcheck disable=SC2086
            key $P
        else
            log_action "key Escape Escape"
            key Escape Escape
        fi
    else
        pick 0.2 0.5 1
        log_action "pause $P s"
        sleep "$P"
    fi
}

# --- The run -------------------------------------------------------------------
ping_timeout_ms=5000
late_answers=0
liveness() {
    [ -n "$pid" ] || return 0
    local status=0
    ASAN_OPTIONS=detect_leaks=0 "$ping_helper" ping "$main_window" "$ping_timeout_ms" || status=$?
    case $status in
        0) ;;
        1) if [ "$build" = sanitized ]; then
               late_answers=$((late_answers + 1))
               log_action "no answer to the ping within 5 s (sanitized build: noted only)"
           else
               fail "the main window $main_window did not answer the window manager's ping within 5 s"
           fi ;;
        *) log_action "ping: the main window $main_window is gone" ;;
    esac
}

start_program
start=$SECONDS
last_ping=$SECONDS
pings=0
while [ $((SECONDS - start)) -lt "$seconds" ]; do
    one_action
    sleep 0.01
    if [ -n "$pid" ] && ! kill -0 "$pid" 2>/dev/null; then
        check_exit
    fi
    if [ $((SECONDS - last_ping)) -ge 1 ]; then
        liveness
        pings=$((pings + 1))
        last_ping=$SECONDS
    fi
done
liveness

# --- The end: every window closed, the main one last ----------------------------
log_action "close the program's windows"
for attempt in 1 2 3 4 5; do
    [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null || break
    key Escape Escape Escape
    program_windows
    for w in "${W[@]}"; do
        [ "$w" = "$main_window" ] || ASAN_OPTIONS=detect_leaks=0 "$ping_helper" close "$w"
    done
    sleep 0.5
    ASAN_OPTIONS=detect_leaks=0 "$ping_helper" close "$main_window"
    for _ in $(seq 100); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.2
    done
    log_action "close attempt $attempt"
done
if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then
    fail "the program did not end when its windows were closed"
fi
status=0
wait "$pid" || status=$?
pid=""
sanitizer_report && fail "a sanitizer report (the program ended with status $status)"
[ $status -eq 0 ] || fail "the program ended with status $status when its main window was closed"
echo "monkey: passed: $action_count actions in $seconds s, $pings pings ($late_answers of them" \
    "answered late), the program started $run times," \
    "$(grep -c . "$out/external.log") hand-offs to the mail program (a stand-in)"
exit 0
