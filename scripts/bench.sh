#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds a release tree and runs the benchmark; prints a Markdown table of the figures.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build-release -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DTOVELO_TOOLS=ON >/dev/null
cmake --build build-release --parallel "$(nproc)" --target tovelo2-bench >&2
build-release/bench/tovelo2-bench
