# SPDX-License-Identifier: GPL-3.0-or-later
# shellcheck shell=bash
# Shared by the Windows checks beside it (sourced, not run). They run under Wine in the
# throwaway prefix and on the X display that tools/windows/test.sh set up (WINEPREFIX, DISPLAY,
# WINEPATH), never in ~/.wine.
checks_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=checks.sh
source "$checks_dir/checks.sh"
wine_exec=$checks_dir/../../tools/windows/wine-exec.sh

if [[ -z "${WINEPREFIX:-}" || "$WINEPREFIX" -ef "$HOME/.wine" || -z "${DISPLAY:-}" ]]; then
    echo "FAIL: run through tools/windows/test.sh, which gives a throwaway WINEPREFIX and an X display"
    exit 1
fi

# A Windows program under Wine (QT_* variables passed on), its output without carriage returns.
# The output goes through a file, not a pipe: a program it starts (Notepad, msinfo32) would hold
# a pipe open after it has ended.
win()
{
    local output status=0
    output=$(mktemp)
    "$wine_exec" "$@" >"$output" 2>/dev/null || status=$?
    tr -d '\r' <"$output"
    rm -f "$output"
    return "$status"
}

# A value's data as reg.exe shows it ("REG_SZ    1500"), or nothing when it is missing.
reg_data()
{
    local key=$1 name=$2
    win reg query "$key" /v "$name" | sed -n "s/^    $name    //p" || true
}

reg_set()
{
    local key=$1 name=$2 type=$3 data=$4
    win reg add "$key" /v "$name" /t "$type" /d "$data" /f >/dev/null
}

reg_delete_key()
{
    win reg delete "$1" /f >/dev/null || true
}

# The Wine processes of this prefix running `program` (a file name such as notepad.exe): one
# line each, the process's command line as Windows split it, its arguments joined by " | ".
prefix_processes()
{
    local program=$1 pid
    for pid in $(pgrep -f -i -- "$program" || true); do
        tr '\0' '\n' 2>/dev/null <"/proc/$pid/environ" | grep -qx "WINEPREFIX=$WINEPREFIX" ||
            continue
        local args
        args=$(tr '\0' '\n' 2>/dev/null <"/proc/$pid/cmdline" | sed '/^$/d') || continue
        local file
        file=$(head -n1 <<<"$args")
        file=${file##*\\}
        [[ "${file,,}" == "${program,,}" ]] || continue # Windows file names ignore case
        paste -sd'|' <<<"$args" | sed 's/|/ | /g'
    done
}

# Waits up to 20 seconds for a process of `program` in this prefix and prints its command line.
wait_for_process()
{
    local program=$1 seen
    for _ in $(seq 100); do
        seen=$(prefix_processes "$program")
        if [[ -n "$seen" ]]; then
            echo "$seen"
            return 0
        fi
        sleep 0.2
    done
    return 1
}

end_processes()
{
    win taskkill /F /IM "$1" >/dev/null || true
    for _ in $(seq 50); do
        [[ -z "$(prefix_processes "$1")" ]] && return 0
        sleep 0.2
    done
}
