#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian 12 packages that building and running need, when any is missing. With
# --packaging, also the tools that make the .deb and .rpm packages and check them; with --test,
# those and what only the test suite uses; with --peers, the two peer trainers the program is
# compared with (scripts/compare-peers.sh).
set -euo pipefail

packages=(
    build-essential cmake
    qt6-base-dev qt6-multimedia-dev qt6-charts-dev qt6-translations-l10n
    libjpeg62-turbo-dev
    fonts-liberation2 fonts-roboto-unhinted
    xvfb xauth
)
# The network-folder test mounts one folder twice with sshfs from an sshd of its own; the
# window-manager test runs openbox on a virtual display; the sound test plays into the null sink
# of a sound server of its own (pulseaudio, which a desktop running PipeWire does not want, so
# only the tests install it); the package test builds and checks the packages.
packaging_packages=(dpkg-dev file rpm lintian desktop-file-utils appstream)
test_packages=(openssh-server openssh-client sshfs openbox x11-utils pulseaudio
    "${packaging_packages[@]}")
# The comparison with the two peer trainers runs them on a virtual display with a session bus.
peer_packages=(kbruch parley dbus-daemon libx11-dev)
case "${1:-}" in
--packaging) packages+=("${packaging_packages[@]}") ;;
--test) packages+=("${test_packages[@]}") ;;
--peers) packages+=("${peer_packages[@]}") ;;
esac

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

# The tests start an sshd of their own on 127.0.0.1 when they need one; the system's SSH service
# that the package enables is not wanted on a desktop.
if [[ " ${missing[*]} " == *" openssh-server "* ]] && [ -d /run/systemd/system ]; then
    $sudo systemctl disable --now ssh.service >/dev/null 2>&1 || true
    echo "The SSH service that openssh-server enables was switched off again."
fi
