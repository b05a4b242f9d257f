#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Takes screenshots of the calculator after a calculation, as desktops show it: light (the
# default), dark (Qt's GTK3 platform theme with Adwaita:dark), at 125 % and 150 % scaling, and
# with a 12 pt desktop font (GTK's font setting). Each on its own X server, without a window
# manager, so that the pictures show the window alone.
# Usage: tools/screenshots.sh [output folder, default build/screenshots] (as root on Debian 12:
# it installs what it needs). The README's pictures are docs/screenshot.png (light) and
# docs/screenshot-dark.png (dark), copied from here.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${TALLYRA_BUILD_DIR:-$root/build}
out=${1:-$build/screenshots}
"$root/tools/install-deps.sh" imagemagick qt6-gtk-platformtheme >/dev/null
"$root/tools/build.sh" >/dev/null
mkdir -p "$out"
work=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$work"' EXIT

# shot NAME [VARIABLE=VALUE...]: the window after 12345.67 pre-tax with a subsidy of 150.
shot() {
    local name=$1
    shift
    local home=$work/$name
    mkdir -p "$home/config/gtk-3.0" "$home/runtime"
    chmod 700 "$home/runtime"
    exec {displayfd}<> <(:)
    Xvfb -displayfd "$displayfd" -screen 0 1024x768x24 -nolisten tcp >"$home/xvfb.log" 2>&1 &
    local xvfb=$!
    local display
    read -r -t 20 display <&"$displayfd"
    exec {displayfd}>&-
    env -i PATH="$PATH" DISPLAY=":$display" HOME="$home" XDG_CONFIG_HOME="$home/config" \
        XDG_RUNTIME_DIR="$home/runtime" LANG=C.UTF-8 QT_QPA_PLATFORM=xcb "$@" \
        "$build/app/tallyra" >"$home/tallyra.log" 2>&1 &
    local program=$!
    export DISPLAY=":$display"
    local window
    window=$(timeout 20 xdotool search --sync --onlyvisible --name "^个人所得税计算器$" | head -1)
    xdotool windowfocus --sync "$window"
    # From the first focus, "按照税前", Tab reaches the salary box in ten steps, then the
    # subsidy box; Enter there computes.
    xdotool key --delay 30 --repeat 10 Tab
    xdotool key ctrl+a type --delay 30 12345.67
    xdotool key Tab ctrl+a
    xdotool type --delay 30 150
    xdotool key Return
    # The focus goes back to "计算", where a user would have clicked.
    xdotool key --delay 30 --repeat 10 shift+Tab
    sleep 1
    import -window "$window" "$out/$name.png"
    kill "$program" "$xvfb"
    wait "$program" "$xvfb" 2>/dev/null || true
    echo "$out/$name.png"
}

shot light
shot dark QT_QPA_PLATFORMTHEME=gtk3 GTK_THEME=Adwaita:dark
shot scale-125 QT_SCALE_FACTOR=1.25
shot scale-150 QT_SCALE_FACTOR=1.5
printf '[Settings]\ngtk-font-name=Sans 12\n' >"$work/font-12pt.ini"
mkdir -p "$work/font-12pt/config/gtk-3.0"
cp "$work/font-12pt.ini" "$work/font-12pt/config/gtk-3.0/settings.ini"
shot font-12pt QT_QPA_PLATFORMTHEME=gtk3
