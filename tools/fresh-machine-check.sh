#!/usr/bin/env bash
# Follows the README on a fresh machine of each Debian release named (default:
# bookworm trixie) and fails when the desktop program does not come up there
# or, on the release this machine does not run, when any test fails there:
#
#   tools/fresh-machine-check.sh [RELEASE...]
#
# A minimal root of each release (mmdebstrap --variant=minbase with
# ca-certificates and git, nothing else) is built once from this machine's own
# apt sources, with its release's name put in, and kept in
# $MILLCALC_FRESH_CACHE (default /var/cache/millcalc-fresh). Each run mounts a
# pristine overlay of it, clones the commit under test into /root/millcalc
# there and runs the README's command, tools/run-desktop.sh, as root in the
# root: tools/setup.sh installs what the program needs with apt-get, then the
# program is configured, built and started. The desktop program must come up:
# its main window mapped on a virtual X server (Xvfb runs on this machine; its
# socket is shared into the root, so nothing but what tools/setup.sh installs
# is added there) with every picture-only button showing its picture, and
# the compiler of the release must warn of nothing while it builds.
#
# What follows depends on the release's role, decided from this machine's own
# release (/etc/os-release):
#   - the machine's own release: nothing more. The machine itself has just
#     built everything and run every test (tools/run-tests.sh) in the plain
#     build; its fresh root proves that the README's run command installs,
#     builds and shows the window on a machine that has nothing.
#   - the other release: the sanitized half of the test command there,
#     tools/run-tests.sh with MILLCALC_PLAIN_BUILD=no MILLCALC_SANITIZED=here
#     (set up, format, the fuzz targets built with that release's clang, the
#     whole program and every test built with its g++, warnings as errors,
#     under AddressSanitizer, UndefinedBehaviorSanitizer and LeakSanitizer,
#     those labelled "display" included, on X servers and window managers the
#     root starts itself once the shared screen is gone; the fuzzing), then
#     cmake --install puts the program the run command built in /usr/local.
#     The plain build there is the run command's. This stage has
#     MILLCALC_FRESH_BUILD_MINUTES (120).
# Should the machine move to the other release, the roles swap. Any failure
# fails the check. No ccache: a fresh machine has none.
#
# The downloaded .deb files are kept between runs in the cache (apt's archive
# directory of the root is bound to it); the installing is still apt-get's,
# from the index the run itself fetches. Needs root: mmdebstrap, mount and
# chroot; runs itself with sudo otherwise.
set -euo pipefail
cd "$(dirname "$0")/.."
repo=$PWD

if [ "$(id -u)" -ne 0 ]; then
    exec sudo --preserve-env=MILLCALC_FRESH_CACHE,MILLCALC_FRESH_MINUTES,MILLCALC_FRESH_BUILD_MINUTES "$0" "$@"
fi

cache=${MILLCALC_FRESH_CACHE:-/var/cache/millcalc-fresh}
# The time one release may take from the start of the overlay to its window.
minutes=${MILLCALC_FRESH_MINUTES:-30}
# The time the other release may take after that to build everything and test.
build_minutes=${MILLCALC_FRESH_BUILD_MINUTES:-120}
title="Расчет режимов резания"
releases=("$@")
[ ${#releases[@]} -gt 0 ] || releases=(bookworm trixie)

fail() { echo "fresh-machine: FAILED: $*" >&2; exit 1; }
say() { echo "fresh-machine: $*"; }
# shellcheck source=virtual-screen.sh
. tools/virtual-screen.sh

for tool in mmdebstrap git Xvfb xprop xdotool xwininfo flock mount chroot timeout; do
    command -v "$tool" >/dev/null || fail "$tool is missing; tools/setup.sh --tests installs it"
done
commit=$(git -C "$repo" rev-parse --verify HEAD^{commit}) || fail "no commit to test in $repo"
own_release=$(. /etc/os-release && echo "${VERSION_CODENAME:-}")
[ -n "$own_release" ] || fail "/etc/os-release names no release (VERSION_CODENAME)"

# This machine's apt sources, one line each ("deb URI SUITE COMPONENT..."),
# read from sources.list, *.list and the deb822 *.sources files: the entries of
# the machine's own release (its suite and the suites named after it, such as
# -updates and -security) with RELEASE put in its place. Other archives (a
# vendor's repository of its own) are left out.
sources_for() {
    local target=$1 own=$own_release file
    {
        for file in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
            [ -f "$file" ] || continue
            sed -e 's/#.*//' -e 's/\[[^]]*\]//' "$file" | awk '$1 == "deb" && NF >= 4 { print }'
        done
        for file in /etc/apt/sources.list.d/*.sources; do
            [ -f "$file" ] || continue
            # deb822: paragraphs of "Field: value"; a value may go on in
            # lines that start with a space.
            awk '
                function flush(   i, j, n, m, u, s) {
                    if (types ~ /(^| )deb( |$)/ && tolower(enabled) != "no") {
                        n = split(uris, u, " "); m = split(suites, s, " ")
                        for (i = 1; i <= n; i++) for (j = 1; j <= m; j++)
                            print "deb", u[i], s[j], comps
                    }
                    types = uris = suites = comps = last = ""; enabled = "yes"
                }
                BEGIN { enabled = "yes" }
                /^[ \t]*#/ { next }
                /^[ \t]*$/ { flush(); next }
                /^[ \t]/ { v = $0; sub(/^[ \t]+/, "", v)
                           if (last == "types") types = types " " v
                           if (last == "uris") uris = uris " " v
                           if (last == "suites") suites = suites " " v
                           if (last == "components") comps = comps " " v
                           next }
                {
                    k = tolower($0); sub(/:.*/, "", k); v = $0; sub(/^[^:]*:[ \t]*/, "", v)
                    last = k
                    if (k == "types") types = v
                    else if (k == "uris") uris = v
                    else if (k == "suites") suites = v
                    else if (k == "components") comps = v
                    else if (k == "enabled") enabled = v
                }
                END { flush() }' "$file"
        done
    } | awk -v own="$own" -v target="$target" '
        $3 == own || index($3, own "-") == 1 {
            $3 = target substr($3, length(own) + 1)
            if (!seen[$0]++) print
        }'
}

# The cached root of RELEASE, built when it is missing or was built from other
# sources than the machine has now. The caller holds the release's lock.
ensure_root() {
    local release=$1 dir=$cache/$1 sources
    sources=$(sources_for "$release")
    [ -n "$sources" ] || fail "no apt source of this machine's release to build a $release root from"
    if [ -f "$dir/root/etc/os-release" ] && [ -f "$dir/sources" ] && [ "$(cat "$dir/sources")" = "$sources" ]; then
        say "$release: the cached root of $(stat -c %y "$dir/sources" | cut -d' ' -f1) in $dir"
    else
        say "$release: building a minimal root in $dir (mmdebstrap, from:"
        sed 's/^/    /' <<<"$sources"
        rm -rf "$dir/root" "$dir/root.new"
        local started=$SECONDS
        mmdebstrap --quiet --mode=root --variant=minbase --include=ca-certificates,git \
            "$release" "$dir/root.new" - <<<"$sources" || { rm -rf "$dir/root.new"; fail "mmdebstrap could not build the $release root"; }
        mv "$dir/root.new" "$dir/root"
        printf '%s\n' "$sources" >"$dir/sources"
        say "$release: root built in $((SECONDS - started)) s"
    fi
}

# Everything one run mounts, started or made, undone in reverse, also when the
# check fails or is interrupted.
mounts=()
pids=()
run_dir=""
last_log=""
# Whatever still runs inside the root (the program, a compiler), and the
# commands started into it.
stop_root() {
    local pid proc root
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    if [ -n "$run_dir" ]; then
        for proc in /proc/[0-9]*; do
            root=$(readlink "$proc/root" 2>/dev/null) || continue
            [ "$root" = "$run_dir/merged" ] && kill -9 "${proc#/proc/}" 2>/dev/null || true
        done
    fi
    for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null || true; done
    pids=()
}
cleanup() {
    local i
    stop_root
    virtual_screen_stop
    for ((i = ${#mounts[@]} - 1; i >= 0; i--)); do
        umount "${mounts[i]}" 2>/dev/null || umount -l "${mounts[i]}" 2>/dev/null || true
    done
    mounts=()
    if [ -n "$run_dir" ]; then
        # The last run's log of each release stays for a look afterwards.
        [ -f "$run_dir/run.log" ] && cp "$run_dir/run.log" "$last_log" 2>/dev/null || true
        rm -rf "$run_dir"
        run_dir=""
    fi
}
trap cleanup EXIT
trap 'exit 130' INT TERM

mount_at() { # mount ARGS... TARGET
    mount "$@" || fail "mount $*"
    mounts+=("${!#}")
}

# A root's login environment for the commands run there as root; two compile
# jobs leave room for what else runs on the machine.
login=(/usr/bin/env -i HOME=/root LANG=C.UTF-8 TERM=dumb
       PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin
       CMAKE_BUILD_PARALLEL_LEVEL=2)

# The test command in the root of the other release, after the program has
# come up: tools/run-tests.sh without its fresh check, which logs each of its
# steps' times ("run-tests: ... took N s"). The suite's random sessions and
# the fuzzing are as long as the machine's own; the fuzz time is the total.
readonly tests_in_root='set -e
cd /root/millcalc
MILLCALC_FRESH_CHECK=no MILLCALC_PACKAGE_CHECK=no MILLCALC_PLAIN_BUILD=no MILLCALC_SANITIZED=here \
    MILLCALC_SESSIONS=4000 MILLCALC_FUZZ_SECONDS=20 tools/run-tests.sh
begun=$(date +%s)
cmake --build build
cmake --install build --prefix /usr/local
test -x /usr/local/bin/millcalc
test -f /usr/local/lib/millcalc/millcalc-addons.so
echo "run-tests: cmake --install took $(( $(date +%s) - begun )) s"'

check_release() {
    local release=$1 started=$SECONDS began merged display program window info deadline lock up status
    # One check of a release at a time: a second waits here (the root and
    # apt's archive of .deb files are shared).
    mkdir -p "$cache/$release"
    exec {lock}>"$cache/$release/lock"
    flock "$lock"
    ensure_root "$release"
    began=$SECONDS
    run_dir=$(mktemp -d "$cache/run.$release.XXXXXX")
    last_log=$cache/$release/last-run.log
    merged=$run_dir/merged
    mkdir -p "$run_dir/upper" "$run_dir/work" "$merged" "$cache/$release/archives/partial"
    mount_at -t overlay overlay -o "lowerdir=$cache/$release/root,upperdir=$run_dir/upper,workdir=$run_dir/work" "$merged"
    mount_at -t proc proc "$merged/proc"
    mount_at --bind /dev "$merged/dev"
    mount_at --bind /dev/pts "$merged/dev/pts"
    mount_at -o ro --bind /sys "$merged/sys"
    mount_at --bind "$cache/$release/archives" "$merged/var/cache/apt/archives"
    # The X server's socket directory, made as an X server makes it.
    [ -d /tmp/.X11-unix ] || install -d -m 1777 /tmp/.X11-unix
    mkdir -p "$merged/tmp/.X11-unix"
    mount_at --bind /tmp/.X11-unix "$merged/tmp/.X11-unix"
    # The network as this machine has it.
    rm -f "$merged/etc/resolv.conf"
    cp -L /etc/resolv.conf "$merged/etc/resolv.conf"

    # The commit under test, cloned as a user would clone it.
    git clone --quiet --no-checkout "$repo" "$merged/root/millcalc" || fail "git clone $repo"
    git -C "$merged/root/millcalc" fetch --quiet "$repo" "$commit" 2>/dev/null \
        || git -C "$merged/root/millcalc" cat-file -e "$commit^{commit}" \
        || fail "the clone lacks the commit $commit"
    git -C "$merged/root/millcalc" checkout --quiet --detach "$commit"
    say "$release: $commit cloned into a fresh overlay"

    virtual_screen_start 1366x768 || fail "$release: no virtual X screen"
    display=$DISPLAY

    # The README's command.
    say "$release: tools/run-desktop.sh in the root (its output: $last_log)"
    chroot "$merged" "${login[@]}" DISPLAY="$display" \
        /bin/sh -c 'cd /root/millcalc && exec tools/run-desktop.sh' >"$run_dir/run.log" 2>&1 &
    program=$!
    pids+=("$program")
    deadline=$((SECONDS + minutes * 60))
    window=""
    while [ -z "$window" ]; do
        window=$(DISPLAY="$display" xdotool search --onlyvisible --name "^$title" 2>/dev/null | head -n1 || true)
        [ -n "$window" ] && break
        if ! kill -0 "$program" 2>/dev/null; then
            tail -n 40 "$run_dir/run.log" >&2
            fail "$release: tools/run-desktop.sh ended without a main window"
        fi
        if [ $SECONDS -ge $deadline ]; then
            tail -n 40 "$run_dir/run.log" >&2
            fail "$release: no main window within $minutes min"
        fi
        sleep 2
    done
    info=$(DISPLAY="$display" xwininfo -id "$window")
    grep -q 'Map State: IsViewable' <<<"$info" || fail "$release: the main window is not viewable"
    say "$release: the main window is mapped ($(grep -E 'Width|Height' <<<"$info" | tr -s ' \n' ' '))"
    sleep 1
    kill -0 "$program" 2>/dev/null || fail "$release: the program ended after showing its window"
    # A picture-only button whose SVG picture cannot be drawn says so.
    if grep 'cannot show its picture' "$run_dir/run.log" >&2; then
        fail "$release: a picture-only button shows no picture"
    fi
    # The run command builds without -Werror; the release's compiler may warn
    # of nothing all the same.
    if grep -E ':[0-9]+(:[0-9]+)?: warning: ' "$run_dir/run.log" >&2; then
        fail "$release: the compiler warns while the run command builds the program"
    fi
    up=$((SECONDS - began))
    say "$release: the desktop program came up in $up s"

    stop_root
    virtual_screen_stop
    if [ "$release" = "$own_release" ]; then
        say "$release: this machine's own release; its tests ran on the machine itself"
    else
        # The test command, the tests that need a display included: the
        # program and the shared screen go, and the root gets an X socket
        # directory and shared memory of its own, so that the X servers and
        # window managers its tests start are its own.
        umount "$merged/tmp/.X11-unix" || umount -l "$merged/tmp/.X11-unix" || fail "umount $merged/tmp/.X11-unix"
        mount_at -t tmpfs -o mode=1777 tmpfs "$merged/tmp/.X11-unix"
        mount_at -t tmpfs -o mode=1777 tmpfs "$merged/dev/shm"
        say "$release: the other release: the sanitized half of the test command (tools/run-tests.sh) in the root"
        echo "fresh-machine: the test command in the root" >>"$run_dir/run.log"
        status=0
        timeout --kill-after=10 $((build_minutes * 60)) chroot "$merged" "${login[@]}" \
            /bin/sh -c "$tests_in_root" >>"$run_dir/run.log" 2>&1 || status=$?
        if [ "$status" -ne 0 ]; then
            tail -n 80 "$run_dir/run.log" >&2
            [ "$status" -eq 124 ] && fail "$release: the test command took over $build_minutes min"
            fail "$release: the test command failed"
        fi
        grep '^run-tests: .* took [0-9]* s$' "$run_dir/run.log" | sed "s/^run-tests: /fresh-machine: $release: /"
    fi
    # Old .deb files that the archive no longer offers leave the cache.
    chroot "$merged" apt-get autoclean -qq >/dev/null 2>&1 || true
    cleanup
    exec {lock}>&-
    if [ "$release" = "$own_release" ]; then
        say "$release: passed in $((SECONDS - started)) s: the program up in $up s"
    else
        say "$release: passed in $((SECONDS - started)) s: the program up in $up s, then $((SECONDS - began - up)) s for the test command"
    fi
}

for release in "${releases[@]}"; do
    check_release "$release"
done
say "passed: ${releases[*]} at $commit"
