#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what Tallyra needs to build, test and show its Chinese captions on Debian 12.
# Safe to run again: it installs only what is missing. Further package names may be given;
# --windows adds what the Windows edition is built, packed and tested with (tools/windows/).
set -euo pipefail

packages=(
    cmake g++ make pkg-config
    qt6-base-dev qt6-base-dev-tools libgl-dev
    qt6-translations-l10n
    qt6-charts-dev libqt6opengl6-dev # the year planner's chart (Qt Charts needs Qt OpenGL's files)
    poppler-utils librsvg2-bin # the year planner's printed-page test; the icons' renderer
    fonts-noto-cjk
    xvfb xauth
    python3-pyatspi at-spi2-core dbus-bin dbus-daemon xdotool # the screen-reader session test
    dpkg-dev file desktop-file-utils appstream # the package build and the install-tree checks
    clang-14 libclang-rt-14-dev # libFuzzer and the sanitizer runtimes for tools/fuzz.sh
)

# The cross compilers, the installer and icon tools, and Wine with Notepad, msinfo32 and reg.exe,
# its window-frame font, and what the installer check uses to drive and photograph the program.
windows_packages=(
    mingw-w64 g++-mingw-w64-x86-64-posix ninja-build
    nsis icoutils zip unzip
    wine wine64 fonts-wine
    xdotool xclip x11-utils imagemagick
)

for argument in "$@"; do
    if [[ "$argument" == --windows ]]; then
        packages+=("${windows_packages[@]}")
    else
        packages+=("$argument") # what a caller needs besides, such as the benchmark's tools
    fi
done

missing=()
for package in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
    [[ "$status" == "install ok installed" ]] || missing+=("$package")
done

if ((${#missing[@]})); then
    sudo=""
    [[ $(id -u) -eq 0 ]] || sudo="sudo"
    echo "Installing: ${missing[*]}"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends \
        "${missing[@]}" >/dev/null
fi
