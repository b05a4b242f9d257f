#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The Windows packages as a user meets them, under Wine: the installer, run silently, puts the
# same folder as the portable .zip into Program Files\Tallyra (the licences beside the programs),
# the Start-menu shortcuts "个人所得税计算器" and "年度个税计算" and an entry in Programs and
# Features; the installed calculator starts from there on its own libraries, shows its window
# with its Chinese caption and computes; the installed year planner, started from its shortcut,
# shows its window and takes a year typed in; the uninstaller, run silently, takes it all away;
# the .zip's folder runs as it is, anywhere.
#   check_installer.sh <Tallyra-<version>-win64.exe> <Tallyra-<version>-win64.zip> <screenshot.png>
#                      <year screenshot.png>
# shellcheck source=wine_checks.sh
source "$(dirname "${BASH_SOURCE[0]}")/wine_checks.sh"
installer=$1
zip=$2
screenshot=$3
year_screenshot=$4
version=$(basename "$installer" | sed -n 's/^Tallyra-\(.*\)-win64\.exe$/\1/p')

# The installed programs run on what lies beside them, on Windows' own platform.
unset WINEPATH QT_PLUGIN_PATH QT_QPA_FONTDIR
export QT_QPA_PLATFORM=windows

program_dir='C:\Program Files\Tallyra'
unix_program_dir="$WINEPREFIX/drive_c/Program Files/Tallyra"
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Tallyra'
start_menu='C:\ProgramData\Microsoft\Windows\Start Menu\Programs'
unix_start_menu="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs"
shortcut="$unix_start_menu/个人所得税计算器.lnk"
year_shortcut="$unix_start_menu/年度个税计算.lnk"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The window titled `title` on the display, once it is there and drawn (two minutes at most).
find_window()
{
    xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n1
}
has_window()
{
    [[ -n "$(find_window "$1")" ]]
}
wait_for_window()
{
    local title=${1:-个人所得税计算器}
    wait_until 120 has_window "$title" || return 1
    find_window "$title"
}

# Takes the window's picture once two pictures in a row are the same: whatever was typed has
# been drawn (two minutes at most).
settled_screenshot()
{
    local window=$1 file=$2 previous=$work/previous.png
    rm -f "$previous"
    wait_until 120 same_picture_twice "$window" "$file" "$previous" || true
}
same_picture_twice()
{
    local window=$1 file=$2 previous=$3
    import -window "$window" "$file"
    if [[ -f "$previous" ]] && compare -metric AE "$file" "$previous" null: 2>/dev/null; then
        return 0
    fi
    cp "$file" "$previous"
    return 1
}

# The clipboard's text once it is `expected` (two minutes at most); what it holds then.
clipboard_text()
{
    xclip -o -selection clipboard 2>/dev/null || true
}
clipboard_is()
{
    [[ "$(clipboard_text)" == "$1" ]]
}

# Types into a box of the window: a click at its place (from the window's corner, frame
# included), everything selected and replaced, then Enter. xdotool returns once X has the keys.
type_into()
{
    local window=$1 x=$2 y=$3 text=$4
    xdotool mousemove --window "$window" "$x" "$y" click 1
    xdotool key --window "$window" ctrl+a
    xdotool type --window "$window" --delay 30 "$text"
    xdotool key --window "$window" Return
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
shortcut_target()
{
    strings -a "$1" 2>/dev/null | grep -F -x -m1 "$2" || true
}
expect "the Start-menu shortcut 个人所得税计算器 points at the calculator" \
    "$(shortcut_target "$shortcut" "$program_dir\Tallyra.exe")" "$program_dir\Tallyra.exe"
expect "the Start-menu shortcut 年度个税计算 points at the year planner" \
    "$(shortcut_target "$year_shortcut" "$program_dir\tallyra-year.exe")" \
    "$program_dir\tallyra-year.exe"
# The licences beside the programs, as Notepad reads them; the project's is the GPL version 3.
for file in NOTICE.txt LICENSE.txt LICENSE-LGPL-3.txt LICENSE-GCC-exception-3.1.txt \
    LICENSE-winpthreads.txt; do
    expect "$file beside the programs" "$([[ -s "$unix_program_dir/$file" ]] && echo yes || echo no)" yes
done
expect "LICENSE.txt is the project's LICENSE" \
    "$(sed '1s/^\xEF\xBB\xBF//' "$unix_program_dir/LICENSE.txt" | tr -d '\r' | cmp - "$checks_dir/../../LICENSE" &&
        echo same)" same
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
expect "the entry gives the size in KB" "$((0x${size:-0} > 1000))" 1

expect "the installed payroll command runs on its own libraries" \
    "$(win "$unix_program_dir/tallyra-payroll.exe" --version)" "tallyra-payroll $version"

# --- the installed calculator ------------------------------------------------------------
"$wine_exec" explorer /desktop=Tallyra,800x600 "$program_dir\\Tallyra.exe" >/dev/null 2>&1 &
window=$(wait_for_window) || window=""
expect "the installed program shows its window" "${window:+shown}" shown
if [[ -n "$window" ]]; then
    type_into "$window" 142 136 12345.67 # the salary box
    type_into "$window" 300 136 150      # the subsidy box
    settled_screenshot "$window" "$screenshot"
    expect "the screenshot shows the window with its frame" \
        "$(identify -format '%wx%h' "$screenshot")" 355x526
    # The after-tax figure, copied from its box as a user would.
    xdotool mousemove --window "$window" 288 463 click 1
    xdotool key ctrl+a ctrl+c
    wait_until 120 clipboard_is 10865.98 || true
    expect "the installed program computes (after-tax salary copied)" "$(clipboard_text)" 10865.98
fi
end_processes Tallyra.exe
expect "the program has ended" "$(prefix_processes Tallyra.exe)" ""

# --- the installed year planner, from its Start-menu shortcut ----------------------------
year_title='年度个税计算 — Tallyra'
"$wine_exec" explorer /desktop=TallyraYear,1360x900 start "$start_menu\\年度个税计算.lnk" \
    >/dev/null 2>&1 &
window=$(wait_for_window "$year_title") || window=""
expect "the year planner from its shortcut shows its window" "${window:+shown}" shown
if [[ -n "$window" ]]; then
    # A realistic year, typed through the access keys of the boxes' captions: wage 25,000 and a
    # bonus of 60,000 in December, two children in school, a housing loan.
    xdotool key alt+w ctrl+a && xdotool type --delay 30 25000
    xdotool key alt+b ctrl+a && xdotool type --delay 30 60000
    xdotool key Tab End                # the bonus's month: December, the last
    xdotool key alt+c ctrl+a && xdotool type --delay 30 2
    xdotool key alt+a Home Down        # housing: the loan, after "无"
    xdotool key Tab
    xdotool mousemove 1599 1199 # the pointer off the window: no control drawn as hovered
    settled_screenshot "$window" "$year_screenshot"
    expect "the year planner's screenshot: its whole window" \
        "$(identify -format '%[fx:w>=1280 && h>=800]' "$year_screenshot")" 1
    # Closed as a user closes it, it keeps the inputs in the registry, where reg.exe reads them.
    xdotool key alt+F4
    wait_until 120 prefix_lacks tallyra-year.exe || true
    current=$(reg_export 'HKCU\Software\Tallyra\YearPlanner' | grep '^"Current"=' || true)
    for field in '\"wage\":\"25000' '\"bonus\":\"60000' '\"bonusMonth\":12' '\"children\":2' \
        '\"housing\":\"loan'; do
        expect "the year typed in, kept: $field" "$(grep -c -F -- "$field" <<<"$current" || true)" 1
    done
fi
end_processes tallyra-year.exe
reg_delete_key 'HKCU\Software\Tallyra'

# --- uninstall -----------------------------------------------------------------------------
# The uninstaller hands over to a copy of itself in the temporary folder and returns at once.
win "$unix_program_dir/Uninstall.exe" /S >/dev/null
wait_until 120 test ! -e "$unix_program_dir" || true
expect "the uninstaller removed the folder, the year planner with it" \
    "$([[ -e "$unix_program_dir" ]] || echo removed)" removed
expect "the uninstaller removed the shortcut 个人所得税计算器" \
    "$([[ -e "$shortcut" ]] || echo removed)" removed
expect "the uninstaller removed the shortcut 年度个税计算" \
    "$([[ -e "$year_shortcut" ]] || echo removed)" removed
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
