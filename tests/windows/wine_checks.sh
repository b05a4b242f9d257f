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
# a pipe open after it has ended. What a failing program printed, on both of its outputs, is kept
# for the ERR trap to show (tools/windows/report-failures.sh).
win()
{
    local output errors status=0
    failure_output=""
    output=$(mktemp)
    errors=$(mktemp)
    "$wine_exec" "$@" >"$output" 2>"$errors" || status=$?
    tr -d '\r' <"$output"
    if ((status)); then
        failure_output="wine $*: status $status"$'\n'"$(cat "$output" "$errors" | tr -d '\r')"
        # A command substitution's variables die with it: standard error carries it out.
        echo "wine $* ended with status $status; it printed:" >&2
        cat "$output" "$errors" | tr -d '\r' | sed 's/^/    /' >&2
    fi
    rm -f "$output" "$errors"
    return "$status"
}

# A value's data as reg.exe shows it ("REG_SZ    1500"), or nothing when it is missing.
reg_data()
{
    local key=$1 name=$2
    win reg query "$key" /v "$name" 2>/dev/null | sed -n "s/^    $name    //p" || true
}

reg_set()
{
    local key=$1 name=$2 type=$3 data=$4
    win reg add "$key" /v "$name" /t "$type" /d "$data" /f >/dev/null
}

# A failure expected and let pass: what it printed is no cause of a later one.
tolerate()
{
    "$@" || true
    failure_output=""
}

# A registry key as reg.exe exports it (UTF-16), one "name"="data" line each; nothing when the
# key is missing.
reg_export()
{
    local file="$WINEPREFIX/drive_c/tallyra-check.reg"
    rm -f "$file"
    tolerate win reg export "$1" 'C:\tallyra-check.reg' /y >/dev/null 2>&1
    [[ -f "$file" ]] || return 0
    iconv -f UTF-16LE -t UTF-8 "$file" | tr -d '\r' | grep '^"' || true
    rm -f "$file"
}

reg_delete_key()
{
    tolerate win reg delete "$1" /f >/dev/null 2>&1
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

# Waits for a process of `program` in this prefix (two minutes at most) and prints its command
# line.
wait_for_process()
{
    local program=$1
    wait_until 120 prefix_has "$program" || return 1
    prefix_processes "$program"
}

prefix_has()
{
    [[ -n "$(prefix_processes "$1")" ]]
}

prefix_lacks()
{
    [[ -z "$(prefix_processes "$1")" ]]
}

end_processes()
{
    tolerate win taskkill /F /IM "$1" >/dev/null 2>&1
    wait_until 120 prefix_lacks "$1" || true
}
