#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The Windows packages as a user meets them, under Wine: the installer, run silently, puts the
# same folder as the portable .zip into Program Files\Tallyra, a Start-menu shortcut
# "个人所得税计算器" and an entry in Programs and Features; the installed program starts from
# there on its own libraries, shows its window with its Chinese caption and computes; the
# uninstaller, run silently, takes it all away; the .zip's folder runs as it is, anywhere.
#   check_installer.sh <Tallyra-<version>-win64.exe> <Tallyra-<version>-win64.zip> <screenshot.png>
# shellcheck source=wine_checks.sh
source "$(dirname "${BASH_SOURCE[0]}")/wine_checks.sh"
installer=$1
zip=$2
screenshot=$3
version=$(basename "$installer" | sed -n 's/^Tallyra-\(.*\)-win64\.exe$/\1/p')

# The installed programs run on what lies beside them, on Windows' own platform.
unset WINEPATH QT_PLUGIN_PATH QT_QPA_FONTDIR
export QT_QPA_PLATFORM=windows

program_dir='C:\Program Files\Tallyra'
unix_program_dir="$WINEPREFIX/drive_c/Program Files/Tallyra"
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Tallyra'
shortcut="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/个人所得税计算器.lnk"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# A registry key as reg.exe exports it (UTF-16), one "name"="data" line each.
reg_export()
{
    local file="$WINEPREFIX/drive_c/tallyra-check.reg"
    rm -f "$file"
    win reg export "$1" 'C:\tallyra-check.reg' /y >/dev/null || return 0
    iconv -f UTF-16LE -t UTF-8 "$file" | tr -d '\r' | grep '^"' || true
    rm -f "$file"
}

# The window of the calculator on the display, once it is there (20 seconds at most).
wait_for_window()
{
    for _ in $(seq 100); do
        xdotool search --name '^个人所得税计算器$' 2>/dev/null | head -n1 && return 0
        sleep 0.2
    done
    return 1
}

# Types into a box of the window: a click at its place (from the window's corner, frame
# included), everything selected and replaced, then Enter.
type_into()
{
    local window=$1 x=$2 y=$3 text=$4
    xdotool mousemove --window "$window" "$x" "$y" click 1
    sleep 0.3
    xdotool key ctrl+a
    xdotool type --delay 30 "$text"
    xdotool key Return
    sleep 0.5
}

# --- install -------------------------------------------------------------------------------
status=0
win "$installer" /S >/dev/null || status=$?
expect "the installer finished" "$status" 0

mkdir "$work/zip"
(cd "$work/zip" && unzip -q "$zip")
portable="$work/zip/Tallyra-$version-win64"
expect "the installed folder is the .zip's folder, and the uninstaller" \
    "$(cd "$unix_program_dir" && find . -type f | sort)" \
    "$( (cd "$portable" && find . -type f; echo ./Uninstall.exe) | sort)"
expect "the installed files are the .zip's files" \
    "$(diff -r --exclude=Uninstall.exe "$portable" "$unix_program_dir" && echo same)" same
expect "the Start-menu shortcut points at the program" \
    "$(strings -a "$shortcut" 2>/dev/null | grep -F -x -m1 "$program_dir\\Tallyra.exe" || true)" \
    "$program_dir\\Tallyra.exe"
expect "the entry in Programs and Features" "$(reg_export "$uninstall_key" | grep -v EstimatedSize)" \
"\"DisplayIcon\"=\"C:\\\\Program Files\\\\Tallyra\\\\Tallyra.exe\"
\"DisplayName\"=\"Tallyra 个人所得税计算器\"
\"DisplayVersion\"=\"$version\"
\"InstallLocation\"=\"C:\\\\Program Files\\\\Tallyra\"
\"NoModify\"=dword:00000001
\"NoRepair\"=dword:00000001
\"Publisher\"=\"Tallyra project\"
\"QuietUninstallString\"=\"\\\"C:\\\\Program Files\\\\Tallyra\\\\Uninstall.exe\\\" /S\"
\"UninstallString\"=\"\\\"C:\\\\Program Files\\\\Tallyra\\\\Uninstall.exe\\\"\""
size=$(reg_export "$uninstall_key" | sed -n 's/^"EstimatedSize"=dword://p')
expect "the entry gives the size in KB" "$(( (0x${size:-0} > 1000) ))" 1

expect "the installed payroll command runs on its own libraries" \
    "$(win "$unix_program_dir/tallyra-payroll.exe" --version)" "tallyra-payroll $version"

# --- the installed program ---------------------------------------------------------------
"$wine_exec" explorer /desktop=Tallyra,800x600 "$program_dir\\Tallyra.exe" >/dev/null 2>&1 &
window=$(wait_for_window) || window=""
expect "the installed program shows its window" "${window:+shown}" shown
if [[ -n "$window" ]]; then
    sleep 2 # first paint
    type_into "$window" 142 136 12345.67 # the salary box
    type_into "$window" 300 136 150      # the subsidy box
    import -window "$window" "$screenshot"
    expect "the screenshot shows the window with its frame" \
        "$(identify -format '%wx%h' "$screenshot")" 355x526
    # The after-tax figure, copied from its box as a user would.
    xdotool mousemove --window "$window" 288 463 click 1
    sleep 0.3
    xdotool key ctrl+a ctrl+c
    sleep 0.5
    expect "the installed program computes (after-tax salary copied)" \
        "$(xclip -o -selection clipboard 2>/dev/null || true)" 10865.98
fi
end_processes Tallyra.exe
expect "the program has ended" "$(prefix_processes Tallyra.exe)" ""

# --- uninstall -----------------------------------------------------------------------------
# The uninstaller hands over to a copy of itself in the temporary folder and returns at once.
win "$unix_program_dir/Uninstall.exe" /S >/dev/null
for _ in $(seq 150); do
    [[ -e "$unix_program_dir" ]] || break
    sleep 0.2
done
expect "the uninstaller removed the folder" "$([[ -e "$unix_program_dir" ]] || echo removed)" removed
expect "the uninstaller removed the shortcut" "$([[ -e "$shortcut" ]] || echo removed)" removed
expect "the uninstaller removed its entry" "$(reg_export "$uninstall_key")" ""

# --- the portable folder -------------------------------------------------------------------
portable_dir="$WINEPREFIX/drive_c/users/Public/Tallyra 便携版"
rm -rf "$portable_dir"
cp -r "$portable" "$portable_dir"
before=$(cd "$portable_dir" && find . | sort)
"$wine_exec" "$portable_dir/Tallyra.exe" >/dev/null 2>&1 &
window=$(wait_for_window) || window=""
expect "the .zip's program shows its window from a plain folder" "${window:+shown}" shown
end_processes Tallyra.exe
expect "the program wrote nothing into its folder" "$(cd "$portable_dir" && find . | sort)" "$before"
rm -rf "$portable_dir"
finish
