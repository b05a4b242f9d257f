#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# About -> 系统信息 on the registry of a Windows machine (Wine's): the tool's full path under
# HKLM\SOFTWARE\Microsoft\Shared Tools\MSINFO (value PATH), else its folder under ...\Shared
# Tools Location (value MSINFO) with \MSINFO32.EXE appended, present, absent or of the wrong
# type, set with reg.exe. Either msinfo32.exe really starts, seen among the prefix's processes
# with the path as its whole command line, or the box says "此时系统信息不可用" and nothing starts.
#   check_system_information.sh <windows_probe.exe>
# shellcheck source=wine_checks.sh
source "$(dirname "${BASH_SOURCE[0]}")/wine_checks.sh"
probe=$1
tool_key='HKLM\SOFTWARE\Microsoft\Shared Tools\MSINFO'
folder_key='HKLM\SOFTWARE\Microsoft\Shared Tools Location'
unavailable='message: 此时系统信息不可用'
system32='C:\windows\system32'
# Where Windows itself keeps the tool: a folder with blanks in its name.
shared_folder='C:\Program Files\Common Files\Microsoft Shared\MSInfo'
shared_tool="$shared_folder\\msinfo32.exe"
unix_shared_folder="$WINEPREFIX/drive_c/Program Files/Common Files/Microsoft Shared/MSInfo"
mkdir -p "$unix_shared_folder"
cp "$WINEPREFIX/drive_c/windows/system32/msinfo32.exe" "$unix_shared_folder/"
mkdir -p "$WINEPREFIX/drive_c/Empty Tools"

clear_keys()
{
    reg_delete_key "$tool_key"
    reg_delete_key "$folder_key"
}

# One case: the registry as set up by the caller, then 系统信息; `expected` is the command line
# of the tool that must start, or the message.
check()
{
    local label=$1 expected=$2 output
    end_processes msinfo32.exe
    output=$(win "$probe" sysinfo)
    if [[ "$expected" == message:* ]]; then
        # The message comes only once the launcher has been asked for nothing, or its start
        # failed: no tool can be running, now or later, so there is nothing to wait for.
        expect "$label: the message" "$(grep -v '^launched: ' <<<"$output" || true)" "$expected"
        expect "$label: nothing started" "$(prefix_processes msinfo32.exe)" ""
    else
        expect "$label: no message" "$(grep -v '^launched: ' <<<"$output" || true)" ""
        expect "$label: msinfo32 started" "$(wait_for_process msinfo32.exe)" "$expected"
    fi
    end_processes msinfo32.exe
    clear_keys
}

clear_keys
check "neither value" "$unavailable"

reg_set "$tool_key" PATH REG_SZ "$shared_tool"
check "PATH naming the tool in a folder with blanks" "$shared_tool"

reg_set "$tool_key" PATH REG_SZ "$system32\\msinfo32.exe"
reg_set "$folder_key" MSINFO REG_SZ 'C:\nowhere'
check "PATH wins over MSINFO" "$system32\\msinfo32.exe"

reg_set "$tool_key" PATH REG_SZ 'C:\nowhere\msinfo32.exe'
check "PATH naming no program (not tested beforehand)" "$unavailable"

reg_set "$folder_key" MSINFO REG_SZ "$system32"
check "no PATH, MSINFO the folder of the tool" "$system32\\MSINFO32.EXE"

reg_set "$folder_key" MSINFO REG_SZ "$shared_folder"
check "no PATH, MSINFO a folder with blanks" "$shared_folder\\MSINFO32.EXE"

reg_set "$folder_key" MSINFO REG_SZ 'C:\Empty Tools'
check "MSINFO a folder without the tool" "$unavailable"

reg_set "$tool_key" PATH REG_EXPAND_SZ "$shared_tool"
reg_set "$folder_key" MSINFO REG_SZ "$system32"
check "PATH of another string type counts as found, empty" "$unavailable"

reg_set "$tool_key" PATH REG_BINARY 00
check "PATH binary" "$unavailable"

reg_set "$tool_key" PATH REG_DWORD 5
check "PATH a number (the program \"5\")" "$unavailable"

reg_set "$folder_key" MSINFO REG_DWORD 7
check "MSINFO a number" "$unavailable"

reg_set "$tool_key" PATH REG_SZ "C:\\$(printf 'a%.0s' $(seq 600))\\msinfo32.exe"
reg_set "$folder_key" MSINFO REG_SZ "$system32"
check "PATH longer than 1024 bytes counts as missing" "$system32\\MSINFO32.EXE"

finish
