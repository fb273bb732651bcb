#!/usr/bin/env bash
# Installs the Debian 12 packages that building, running and testing need, when any is missing.
# With --packaging, also the tools that make the .deb and .rpm packages and check them.
set -euo pipefail

packages=(
    build-essential cmake
    qt6-base-dev qt6-multimedia-dev qt6-translations-l10n
    libjpeg62-turbo-dev
    fonts-liberation2 fonts-roboto-unhinted
    xvfb xauth
)
if [ "${1:-}" = "--packaging" ]; then
    packages+=(dpkg-dev file rpm lintian desktop-file-utils appstream)
fi

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
