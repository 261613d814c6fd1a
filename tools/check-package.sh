#!/usr/bin/env bash
# Builds the Debian package (tools/make-package.sh) and checks it as a shop's
# administrator would meet it: the desktop entry and the AppStream metadata
# validate, lintian finds no error, apt-get installs it, the installed program
# starts under a virtual X server and shows its main window, and apt-get
# remove takes every file away again. Needs root (or sudo) for apt-get and the
# test tools of tools/setup.sh --tests. It refuses to touch a millcalc package
# that is already installed.
set -euo pipefail
cd "$(dirname "$0")/.."

SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
fail() { echo "check-package: FAILED: $*" >&2; exit 1; }
step() { echo "check-package: $*"; }
# shellcheck source=virtual-screen.sh
. tools/virtual-screen.sh

for tool in desktop-file-validate appstreamcli lintian dpkg-deb apt-get Xvfb xdotool xwininfo xprop file; do
    command -v "$tool" >/dev/null || fail "$tool is missing; tools/setup.sh --tests installs it"
done
installed_status() { dpkg-query -W -f='${Status}' millcalc 2>/dev/null || true; }
case "$(installed_status)" in
    *" installed"|*" half-installed"|*" unpacked"|*" half-configured"|*" config-files")
        fail "a millcalc package is already on this machine; remove it first (apt-get purge millcalc)" ;;
esac

tools/make-package.sh
debs=(build/millcalc_*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || fail "not exactly one build/millcalc_*.deb: ${debs[*]}"
deb="${debs[0]}"

work="$(mktemp -d)"
installed_by_us=0
program_pid=""
cleanup() {
    [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null || true
    virtual_screen_stop
    if [ "$installed_by_us" -eq 1 ] && [ -n "$(installed_status)" ] \
            && [ "$(installed_status)" != "unknown ok not-installed" ]; then
        echo "check-package: removing the package this check installed" >&2
        DEBIAN_FRONTEND=noninteractive $SUDO apt-get purge -y -qq -o DPkg::Lock::Timeout=300 millcalc >/dev/null || true
    fi
    rm -rf "$work"
}
trap cleanup EXIT

# What the package holds and says of itself.
step "contents and control fields of $deb"
dpkg-deb -x "$deb" "$work/root"
dpkg-deb -c "$deb" | awk '{ sub(/^\.\//, "/", $6); print $6 }' | sed 's#/$##' | grep -v '^$' >"$work/paths"
field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = millcalc ] || fail "Package is $(field Package)"
[ "$(field Section)" = science ] || fail "Section is $(field Section), not science"
field Maintainer | grep -q millcalc || fail "the Maintainer does not name the project: $(field Maintainer)"
field Depends | grep -q 'libqt6widgets6' || fail "the Depends do not name the Qt libraries: $(field Depends)"
# Qt Charts and Qt Print Support are the module's, loaded when first used.
for library in libqt6charts6 libqt6printsupport6; do
    field Depends | grep -q "$library" || fail "the Depends lack $library, which the module links: $(field Depends)"
done
# Qt loads its SVG icon engine as a plugin, which dpkg-shlibdeps cannot see:
# the package must name the package that holds it on this release.
engine_package=$(dpkg-query -S '*/qt6/plugins/iconengines/libqsvgicon.so' 2>/dev/null | head -n1 | sed 's/[:,].*//')
[ -n "$engine_package" ] || fail "no installed package holds Qt's SVG icon engine; tools/setup.sh installs it"
field Depends | tr ',' '\n' | sed 's/^ *//; s/[ (].*//' | grep -qx "$engine_package" \
    || fail "the Depends lack $engine_package, which holds Qt's SVG icon engine: $(field Depends)"
# libzip is loaded at the first archive read, which dpkg-shlibdeps cannot see
# either: the package must name the package of the libzip it was built with.
zip_package=$(dpkg-query -S '*/libzip.so.*' 2>/dev/null | grep -v -- '-dev' | head -n1 | sed 's/[:,].*//')
[ -n "$zip_package" ] || fail "no installed package holds libzip"
field Depends | tr ',' '\n' | sed 's/^ *//; s/[ (].*//' | grep -qx "$zip_package" \
    || fail "the Depends lack $zip_package, which the program loads to read archives: $(field Depends)"
field Description | grep -q 'Калькулятор' || fail "the Description has no Russian text"
for path in /usr/bin/millcalc /usr/share/applications/millcalc.desktop \
        /usr/share/icons/hicolor/scalable/apps/millcalc.svg \
        /usr/share/icons/hicolor/48x48/apps/millcalc.png /usr/share/icons/hicolor/256x256/apps/millcalc.png \
        /usr/share/doc/millcalc/copyright /usr/share/doc/millcalc/changelog.gz; do
    [ -f "$work/root$path" ] || fail "the package lacks $path"
done
modules=("$work"/root/usr/lib/*/millcalc/millcalc-addons.so)
[ ${#modules[@]} -eq 1 ] && [ -f "${modules[0]}" ] || fail "the package lacks /usr/lib/<arch>/millcalc/millcalc-addons.so"
module_path=${modules[0]#"$work/root"}
[ "$(stat -c %a "${modules[0]}")" = 644 ] || fail "$module_path is not a plain file of mode 644"
for size in 48 256; do
    file -b "$work/root/usr/share/icons/hicolor/${size}x${size}/apps/millcalc.png" | grep -q "PNG image data, $size x $size," \
        || fail "the ${size}x${size} icon is not a PNG of that size"
done
metainfo=("$work"/root/usr/share/metainfo/*.metainfo.xml)
[ -f "${metainfo[0]}" ] || fail "the package has no AppStream metainfo file"
entry="$work/root/usr/share/applications/millcalc.desktop"
grep -qx 'Name\[ru\]=Расчет режимов резания' "$entry" || fail "the desktop entry lacks its Russian name"
grep -qx 'Icon=millcalc' "$entry" || fail "the desktop entry lacks Icon=millcalc"
grep -qx 'MimeType=application/x-millcalc;' "$entry" \
    || fail "the desktop entry does not name the calculation file's type"
grep -q '<glob pattern="\*.millcalc"/>' "$work/root/usr/share/mime/packages/millcalc.xml" \
    || fail "the package does not register the calculation file's type"

step "desktop-file-validate"
desktop-file-validate "$entry" || fail "desktop-file-validate rejects the desktop entry"
step "appstreamcli validate"
appstreamcli validate --no-net --strict --explain "${metainfo[@]}" || fail "appstreamcli rejects ${metainfo[*]##*/}"
grep -q '<launchable type="desktop-id">millcalc.desktop</launchable>' "${metainfo[0]}" \
    || fail "the metainfo does not launch millcalc.desktop"

step "lintian"
lintian --fail-on error "$deb" 2>&1 | grep -v '^running with root privileges' || true
lintian --fail-on error "$deb" >/dev/null 2>&1 || fail "lintian reports errors"

# Every directory the package puts a file in, listed before it is installed,
# must list the same after it is removed: nothing left, nothing taken.
snapshot() {
    while read -r dir; do
        if [ -d "$dir" ]; then
            find "$dir" -mindepth 1 -maxdepth 1 -printf "$dir: %f\n"
        else
            echo "$dir: (absent)"
        fi
    done < <(dpkg-deb -c "$deb" | awk '$6 ~ /\/$/ { sub(/^\./, "", $6); sub(/\/$/, "", $6); if ($6 != "") print $6 }') | LC_ALL=C sort
}
snapshot >"$work/before"

step "apt-get install ./$deb"
installed_by_us=1
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -q -o DPkg::Lock::Timeout=300 "./$deb" \
    || fail "apt-get cannot install $deb"
[ "$(installed_status)" = "install ok installed" ] || fail "dpkg says millcalc is $(installed_status)"
dpkg-query -L millcalc | LC_ALL=C sort >"$work/listed"
LC_ALL=C sort "$work/paths" | diff - <(grep -v '^/\.$' "$work/listed") >/dev/null \
    || fail "dpkg does not list exactly the package's files"
while read -r path; do
    [ -e "$path" ] || fail "installed, yet missing: $path"
done <"$work/paths"

# The desktop's databases know the calculation file's type once installed:
# dpkg's triggers run update-mime-database and update-desktop-database where
# the desktop has them.
if command -v update-mime-database >/dev/null; then
    step "the calculation file's type in the MIME database"
    [ -f /usr/share/mime/application/x-millcalc.xml ] \
        || fail "update-mime-database did not register application/x-millcalc"
    grep -q ':application/x-millcalc:\*\.millcalc' /usr/share/mime/globs2 \
        || fail "the MIME database's globs do not give *.millcalc its type"
fi
if command -v update-desktop-database >/dev/null; then
    grep -q '^application/x-millcalc=.*millcalc\.desktop' /usr/share/applications/mimeinfo.cache \
        || fail "the desktop's cache does not open application/x-millcalc with millcalc.desktop"
fi

step "the installed /usr/bin/millcalc shows its main window under Xvfb"
virtual_screen_start 1366x768 || fail "no virtual X screen"
display=$DISPLAY
env -u QT_QPA_PLATFORM -u WAYLAND_DISPLAY DISPLAY="$display" /usr/bin/millcalc >"$work/millcalc.log" 2>&1 &
program_pid=$!
window="$(DISPLAY="$display" timeout 30 xdotool search --sync --onlyvisible --pid "$program_pid" \
    --name '^Расчет режимов резания' 2>/dev/null | head -n1 || true)"
[ -n "$window" ] || fail "no main window \"Расчет режимов резания\" within 30 s: $(cat "$work/millcalc.log")"
info="$(DISPLAY="$display" xwininfo -id "$window")"
grep -q 'Map State: IsViewable' <<<"$info" || fail "the main window is not viewable"
echo "$info" | grep -E 'xwininfo:|Width:|Height:'
DISPLAY="$display" xprop -id "$window" _NET_WM_ICON | grep -q 'not found' \
    && fail "the main window has no icon from the installed icon theme"
kill -0 "$program_pid" 2>/dev/null || fail "the program ended after showing its window"
# The module, loaded in the idle time after the window's first paint.
for _ in $(seq 50); do
    grep -q "$module_path" "/proc/$program_pid/maps" 2>/dev/null && break
    sleep 0.2
done
grep -q "$module_path" "/proc/$program_pid/maps" || fail "the program did not load $module_path"
# A picture-only button whose SVG picture cannot be drawn says so.
grep 'cannot show its picture' "$work/millcalc.log" && fail "a picture-only button shows no picture"
kill "$program_pid"
wait "$program_pid" 2>/dev/null || true
program_pid=""
virtual_screen_stop

step "apt-get remove millcalc"
DEBIAN_FRONTEND=noninteractive $SUDO apt-get remove -y -q -o DPkg::Lock::Timeout=300 millcalc \
    || fail "apt-get cannot remove millcalc"
case "$(installed_status)" in
    "" | "unknown ok not-installed" | "deinstall ok not-installed") ;;
    *) fail "after apt-get remove dpkg says millcalc is $(installed_status)" ;;
esac
installed_by_us=0
while read -r path; do
    if [ -f "$path" ] && ! dpkg-query -S "$path" >/dev/null 2>&1; then
        fail "left behind: $path"
    fi
done <"$work/listed"
snapshot >"$work/after"
diff "$work/before" "$work/after" || fail "apt-get remove did not restore the package's directories"
step "passed: $deb"
