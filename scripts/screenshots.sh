#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Makes the pictures of the README and the user guide into docs/screenshots/.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh build-tools -DTOVELO_TOOLS=ON -DBUILD_TESTING=OFF
build-tools/tools/screenshots/tovelo2-screenshots docs/screenshots samples
