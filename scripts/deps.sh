#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing Quorvantel need.
set -euo pipefail
packages=(
    cmake g++ pkg-config ccache clang libclang-rt-14-dev
    qt6-base-dev qt6-svg-dev libqt6svg6-dev libsndfile1-dev libpulse-dev libxcb1-dev libxcb-damage0-dev libfontconfig-dev
    libgtest-dev libbenchmark-dev
    fonts-dejavu-core xvfb xauth x11-utils xdotool openbox imagemagick
    pulseaudio pulseaudio-utils sox espeak-ng
    desktop-file-utils appstream dpkg-dev lintian librsvg2-bin
    dbus dbus-x11 libglib2.0-bin dunst trayer
    at-spi2-core python3-pyatspi adwaita-qt6
    qt6-l10n-tools qt6-tools-dev qt6-translations-l10n
)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if ((${#missing[@]})); then
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo=sudo
    $sudo apt-get update
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y "${missing[@]}"
fi
