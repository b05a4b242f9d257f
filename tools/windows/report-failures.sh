# SPDX-License-Identifier: GPL-3.0-or-later
# shellcheck shell=bash
# Sourced by the Windows scripts and checks: a command that fails ends the script (command
# substitutions too), and an ERR trap says which command it was, where, with what status and
# what it printed - on standard error, as standard output may be a command substitution's.
# A script that sends a command's output to a log names the log in `failure_log`; one that keeps
# a failed command's output itself puts it into `failure_output`.
set -Eeuo pipefail
shopt -s inherit_errexit
failure_log=""
failure_output=""

report_failure()
{
    local status=$1 command=$2 line=$3 file=$4
    {
        echo "FAIL: the command '$command' failed with status $status (${file##*/}, line $line)"
        if [[ -n "$failure_output" ]]; then
            echo "  what it printed:"
            sed 's/^/    /' <<<"$failure_output"
        elif [[ -n "$failure_log" && -s "$failure_log" ]]; then
            echo "  the end of its log, $failure_log:"
            tail -n 40 "$failure_log" | sed 's/^/    /'
        fi
    } >&2
}
trap 'report_failure $? "$BASH_COMMAND" "$LINENO" "${BASH_SOURCE[0]}"' ERR
