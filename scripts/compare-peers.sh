#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Measures the program against the two peer drill trainers of Debian, KBruch (arithmetic) and
# Parley (vocabulary): time to a mapped window and peak memory, side by side on a virtual X
# display with a session bus, as on a desktop. Installs what is missing first, the two peers
# included (about 240 packages of KDE). Prints a Markdown table; exits non-zero when the program
# is not at least twice ahead of each.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh --peers
cmake -S . -B build-release -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DTOVELO_TOOLS=ON >/dev/null
cmake --build build-release --parallel "$(nproc)" --target Tovelo2 tovelo2-peers >&2

# A copy of the program's folder, so that the settings it leaves behind stay out of the build.
folder=$(mktemp -d)
xvfb_log=$(mktemp)
trap 'rm -rf "$folder" "$xvfb_log"' EXIT
cp -r build-release/Tovelo2/. "$folder"
xvfb-run --auto-servernum --server-args="-screen 0 1920x1080x24" --error-file="$xvfb_log" \
    dbus-run-session -- build-release/bench/tovelo2-peers "$folder"
