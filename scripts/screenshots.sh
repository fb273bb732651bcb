#!/usr/bin/env bash
# Makes the pictures of the README and the user guide into docs/screenshots/.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh build
cmake --build build --target tovelo2-screenshots
build/tools/screenshots/tovelo2-screenshots docs/screenshots samples
