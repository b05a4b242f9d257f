#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# A program the calculator starts is told how to show its first window: Notepad with the readme
# maximized, System Information as it chooses. The probe starts itself through the real launcher
# and writes down the show command it received (3 is SW_SHOWMAXIMIZED).
#   check_first_window.sh <windows_probe.exe>
# shellcheck source=wine_checks.sh
source "$(dirname "${BASH_SOURCE[0]}")/wine_checks.sh"
probe=$1
record='C:\first-window.txt'
unix_record="$WINEPREFIX/drive_c/first-window.txt"

# The show command the started probe wrote down, once it has.
shown_as()
{
    local how=$1
    rm -f "$unix_record"
    win "$probe" start "$how" "$record" >/dev/null
    wait_until 120 test -s "$unix_record" || true
    cat "$unix_record" 2>/dev/null || echo "nothing written"
}

expect "Maximized: the program is told SW_SHOWMAXIMIZED" "$(shown_as maximized)" "3"
expect "Normal: the program chooses for itself" "$(shown_as normal)" "none"
rm -f "$unix_record"
finish
