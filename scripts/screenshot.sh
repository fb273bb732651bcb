#!/usr/bin/env bash
# Starts the built program under a virtual display and saves a screenshot of its main window.
# Usage: scripts/screenshot.sh [output.png]   (needs xvfb, xauth and imagemagick's import)
set -euo pipefail
cd "$(dirname "$0")/.."
out="$(realpath -m "${1:-docs/main-window.png}")"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cp -r build/Tovelo2/. "$work/"
cd "$work"
xvfb-run -a -s "-screen 0 800x600x24" bash -c '
    ./Tovelo2 & pid=$!
    sleep 3
    id=$(xwininfo -root -tree | awk "/\"Tovelo2.1\"/ {print \$1; exit}")
    import -window "${id:-root}" "$0"
    kill $pid; wait $pid || true
' "$out"
echo "saved $out"
