#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds, and runs the whole test suite headless: once as built for
# users, once more under AddressSanitizer and UndefinedBehaviorSanitizer; then, as root, the
# Debian package is built, checked, installed, used by two accounts and removed.
# Exits non-zero when anything fails.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh --test

export QT_QPA_PLATFORM=offscreen
jobs="$(nproc)"

scripts/build.sh build
ctest --test-dir build --output-on-failure --parallel "$jobs"

scripts/build.sh build-sanitize -DTOVELO_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug
ASAN_OPTIONS=detect_leaks=1:strict_string_checks=1 UBSAN_OPTIONS=print_stacktrace=1 \
    ctest --test-dir build-sanitize --output-on-failure --parallel "$jobs"

scripts/test-package.sh
