# A virtual X screen of a script's own, for the scripts that run the real
# program: sourced, not run.
#
#     . tools/virtual-screen.sh
#     virtual_screen_start 1920x1080 [--wm openbox] [--display :61] || exit 1
#     ...                           # DISPLAY is exported
#     virtual_screen_stop           # also from the caller's EXIT trap
#
# virtual_screen_start starts Xvfb, by default on a display number that the
# server picks itself (-displayfd), and returns once the screen answers (the
# server does not reset when its last client leaves, or the window manager
# connecting just after the probe could find it resetting);
# with --wm it then starts that window manager and returns once it has taken
# the screen. On failure it says why on standard error, with the server's or
# the window manager's own output, stops what it started and returns 1.
# virtual_screen_xvfb and virtual_screen_wm hold their process ids.
# It needs Xvfb and xprop (x11-utils); tools/setup.sh --tests installs them.
# It serves sh and bash alike, under set -e, -u and -o pipefail too.

virtual_screen_xvfb=""
virtual_screen_wm=""
virtual_screen_dir=""

# Polls a condition for up to ten seconds; false when it never held.
virtual_screen_wait() {
    local _
    for _ in $(seq 100); do
        "$@" && return 0
        sleep 0.1
    done
    return 1
}

virtual_screen_answers() {
    xprop -root >/dev/null 2>&1
}

virtual_screen_managed() {
    case "$(xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null)" in
        *"window id"*) return 0 ;;
        *) return 1 ;;
    esac
}

virtual_screen_start() {
    local size=$1 wm="" display=""
    shift
    while [ $# -gt 0 ]; do
        case $1 in
            --wm) wm=$2; shift 2 ;;
            --display) display=$2; shift 2 ;;
            *) echo "virtual_screen_start: unknown option $1" >&2; return 2 ;;
        esac
    done
    virtual_screen_dir=$(mktemp -d)
    if [ -n "$display" ]; then
        Xvfb "$display" -screen 0 "${size}x24" -nolisten tcp -noreset \
            2>"$virtual_screen_dir/xvfb.log" &
        virtual_screen_xvfb=$!
    else
        # The server takes a free display number and writes it once it listens.
        : >"$virtual_screen_dir/display"
        Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp -noreset \
            3>"$virtual_screen_dir/display" 2>"$virtual_screen_dir/xvfb.log" &
        virtual_screen_xvfb=$!
        virtual_screen_wait eval '[ -s "$virtual_screen_dir/display" ] || ! kill -0 "$virtual_screen_xvfb" 2>/dev/null' \
            || true
        display=":$(head -n 1 "$virtual_screen_dir/display")"
    fi
    export DISPLAY=$display
    if ! virtual_screen_wait eval 'virtual_screen_answers || ! kill -0 "$virtual_screen_xvfb" 2>/dev/null' \
        || ! virtual_screen_answers; then
        echo "Xvfb did not start on display $display:" >&2
        cat "$virtual_screen_dir/xvfb.log" >&2
        virtual_screen_stop
        return 1
    fi
    [ -n "$wm" ] || return 0
    "$wm" >"$virtual_screen_dir/wm.log" 2>&1 &
    virtual_screen_wm=$!
    if ! virtual_screen_wait virtual_screen_managed; then
        echo "$wm did not take the screen $display:" >&2
        cat "$virtual_screen_dir/wm.log" >&2
        virtual_screen_stop
        return 1
    fi
}

virtual_screen_stop() {
    if [ -n "$virtual_screen_wm" ]; then
        kill "$virtual_screen_wm" 2>/dev/null || true
        wait "$virtual_screen_wm" 2>/dev/null || true
    fi
    if [ -n "$virtual_screen_xvfb" ]; then
        kill "$virtual_screen_xvfb" 2>/dev/null || true
        wait "$virtual_screen_xvfb" 2>/dev/null || true
    fi
    if [ -n "$virtual_screen_dir" ]; then
        rm -rf "$virtual_screen_dir"
    fi
    virtual_screen_wm=""
    virtual_screen_xvfb=""
    virtual_screen_dir=""
    return 0
}
