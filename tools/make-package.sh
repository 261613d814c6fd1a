#!/usr/bin/env bash
# Builds a release of the desktop program and its Debian package:
#   tools/make-package.sh      ->  build/millcalc_VERSION_ARCH.deb
# The release is built in build-package/ with Debian's hardening flags; the
# package's Depends come from dpkg-shlibdeps on the program. Needs what
# tools/setup.sh installs, plus dpkg-dev and file (tools/setup.sh --tests).
set -euo pipefail
cd "$(dirname "$0")/.."
umask 022

for tool in cmake ninja cpack dpkg-buildflags dpkg-shlibdeps file gzip; do
    command -v "$tool" >/dev/null || {
        echo "make-package: $tool is missing; tools/setup.sh --tests installs it" >&2
        exit 1
    }
done

# The compiler flags a Debian package is built with, less the debugging
# information that the package would strip again.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all DEB_CXXFLAGS_MAINT_STRIP=-g
CXXFLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)"
LDFLAGS="$(dpkg-buildflags --get LDFLAGS)"
export CXXFLAGS LDFLAGS

launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)

cmake -S . -B build-package -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
    -DCMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS="OWNER_READ;OWNER_WRITE;OWNER_EXECUTE;GROUP_READ;GROUP_EXECUTE;WORLD_READ;WORLD_EXECUTE" \
    -DMILLCALC_WERROR=ON -DBUILD_TESTING=OFF -DMILLCALC_BUILD_BENCH=OFF "${launcher[@]}"
cmake --build build-package
rm -f build-package/millcalc_*.deb
(cd build-package && cpack -G DEB)

debs=(build-package/millcalc_*.deb)
if [ ${#debs[@]} -ne 1 ] || [ ! -f "${debs[0]}" ]; then
    echo "make-package: CPack made no single package: ${debs[*]}" >&2
    exit 1
fi
mkdir -p build
rm -f build/millcalc_*.deb
cp "${debs[0]}" build/
echo "make-package: build/$(basename "${debs[0]}")"
