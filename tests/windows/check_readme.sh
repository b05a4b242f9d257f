#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Help -> Readme from a program folder whose name has a blank and Chinese characters: Notepad
# starts with the readme's whole path as its one argument, and opens the file.
#   check_readme.sh <windows_probe.exe> <readme.txt>
# shellcheck source=wine_checks.sh
source "$(dirname "${BASH_SOURCE[0]}")/wine_checks.sh"
probe=$1
readme=$2
folder='C:\Program Files\Tallyra 测试'
unix_folder="$WINEPREFIX/drive_c/Program Files/Tallyra 测试"
rm -rf "$unix_folder"
mkdir -p "$unix_folder"
cp "$probe" "$readme" "$unix_folder/"

end_processes notepad.exe
expect "Readme shows no message" "$(win "$unix_folder/$(basename "$probe")" readme)" ""
expect "Notepad's command line: the whole path as one argument" \
    "$(wait_for_process notepad.exe)" "notepad.exe | $folder\\readme.txt"

# Notepad names the file it opened in its title.
notepad_title()
{
    xwininfo -root -tree | grep -o '"readme.txt - [^"]*"' | head -n1 || true
}
has_notepad_title()
{
    [[ -n "$(notepad_title)" ]]
}
wait_until 120 has_notepad_title || true
title=$(notepad_title)
expect "Notepad opened readme.txt" "${title%% - *}" '"readme.txt'

end_processes notepad.exe
rm -rf "$unix_folder"
finish
