#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Starts Tallyra on a private X server and D-Bus session with its accessibility bridge on, and
# uses it over AT-SPI as a screen reader would (atspi_session.py, or the session given for
# another program of the project, such as the year planner's).
# Usage: check_atspi.sh path/to/tallyra [WINDOW_TITLE SESSION_SCRIPT]
set -euo pipefail
program=$1
title=${2:-个人所得税计算器}
session=${3:-atspi_session.py}
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
work=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$work"' EXIT

# The X server picks a free display number and writes it to the pipe.
exec {displayfd}<> <(:)
Xvfb -displayfd "$displayfd" -screen 0 800x600x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
read -r -t 20 display <&"$displayfd"
export DISPLAY=":$display"

export HOME=$work XDG_CONFIG_HOME=$work/config XDG_RUNTIME_DIR=$work/runtime
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
export QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 NO_AT_BRIDGE=0
unset SESSION_MANAGER
# Under AddressSanitizer (tools/test-sanitized.sh) the strict string check stops the program in
# libxkbcommon-x11, which the X platform uses to read the keymap's names from the server's reply
# with strndup. That is the system library's, not the program's: the check is left off here.
if [[ -n "${ASAN_OPTIONS:-}" ]]; then
    export ASAN_OPTIONS=$ASAN_OPTIONS:strict_string_checks=0
fi

dbus-run-session -- bash -c '
    "$1" >"$2/tallyra.log" 2>&1 &
    pid=$!
    # No window manager runs here to give the new window the keyboard, as a desktop would.
    timeout 20 xdotool search --sync --onlyvisible --name "^$4\$" windowfocus --sync
    status=0
    /usr/bin/python3 "$3/$5" || status=$?
    # The program must still be running: a crash or a sanitizer report ends it early.
    kill "$pid" 2>/dev/null || { echo "the program ended before the session did"; status=1; }
    if ((status)); then
        echo "--- what the program printed:"
        cat "$2/tallyra.log"
    fi
    exit $status
' _ "$program" "$work" "$here" "$title" "$session"
