#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# A program as Windows sees the file (Tallyra.exe, tallyra-year.exe): a GUI-subsystem program (no
# console window), its icon in every size from 16 to 256 pixels, and its version information.
#   check_executable.sh <program.exe> <description>
# shellcheck source=checks.sh
source "$(dirname "${BASH_SOURCE[0]}")/checks.sh"
exe=$1
description=$2
name=$(basename "$exe")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

expect "GUI subsystem" "$(x86_64-w64-mingw32-objdump -p "$exe" | awk '$1 == "Subsystem" {print $3, $4}')" \
    "(Windows GUI)"

wrestool --extract --type=group_icon "$exe" >"$work/tallyra.ico"
expect "icon sizes" "$(icotool --list "$work/tallyra.ico" | grep -o -- '--width=[0-9]*' | cut -d= -f2 | paste -sd' ')" \
    "16 24 32 48 64 128 256"

# The version resource as a resource script; Chinese strings come out as UTF-16 escapes.
x86_64-w64-mingw32-windres --input="$exe" --input-format=coff --output-format=rc >"$work/resources.rc"
value()
{
    sed -n "s/^ *VALUE \"$1\", L\?\"\(.*\)\"$/\1/p" "$work/resources.rc"
}
utf16_escapes()
{
    printf '%s' "$1" | iconv -t UTF-16BE | xxd -p | tr -d '\n' | sed 's/..../\\x&/g'
}
expect "FILEVERSION" "$(grep -o 'FILEVERSION .*' "$work/resources.rc")" "FILEVERSION 2, 0, 16, 0"
expect "PRODUCTVERSION" "$(grep -o 'PRODUCTVERSION .*' "$work/resources.rc")" "PRODUCTVERSION 2, 0, 16, 0"
expect "ProductName" "$(value ProductName)" "Tallyra"
expect "FileDescription" "$(value FileDescription)" "$(utf16_escapes "$description")"
expect "FileVersion" "$(value FileVersion)" "2.0.16"
expect "ProductVersion" "$(value ProductVersion)" "2.0.16"
expect "OriginalFilename" "$(value OriginalFilename)" "$name"
expect "language Chinese (PRC), Unicode" "$(grep -o 'VALUE "Translation", .*' "$work/resources.rc")" \
    'VALUE "Translation", 0x804, 1200'

finish
