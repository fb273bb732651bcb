#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the packages of a system-wide install under /usr into build-package/:
# tovelo2_<version>_<arch>.deb and tovelo2-<version>-1.<arch>.rpm.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh --packaging

dir=build-package
# The compiler and linker flags of a Debian build, with every hardening it offers.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cxxflags="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)"
ldflags="$(dpkg-buildflags --get LDFLAGS)"
# The program's folder goes to /usr/libexec: CPack would add ldconfig calls for a .so anywhere in
# /usr/lib, which a private sound module does not need.
cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
    -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON -DTOVELO_INSTALL_DIR=libexec/tovelo2 \
    -DCMAKE_CXX_FLAGS="$cxxflags" \
    -DCMAKE_EXE_LINKER_FLAGS="$ldflags" -DCMAKE_MODULE_LINKER_FLAGS="$ldflags" >/dev/null
cmake --build "$dir" --target Tovelo2 --parallel "$(nproc)"
cd "$dir"
cpack -G DEB
cpack -G RPM
