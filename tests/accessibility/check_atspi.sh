#!/usr/bin/env bash
# Starts Tallyra on a private X server and D-Bus session with its accessibility bridge on, and
# uses it over AT-SPI as a screen reader would (atspi_session.py).
# Usage: check_atspi.sh path/to/tallyra
set -euo pipefail
program=$1
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

dbus-run-session -- bash -c '
    "$1" >"$2/tallyra.log" 2>&1 &
    # No window manager runs here to give the new window the keyboard, as a desktop would.
    timeout 20 xdotool search --sync --onlyvisible --name "^个人所得税计算器$" windowfocus --sync
    status=0
    /usr/bin/python3 "$3/atspi_session.py" || status=$?
    kill $! 2>/dev/null || true
    exit $status
' _ "$program" "$work" "$here"
