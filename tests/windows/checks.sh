# SPDX-License-Identifier: GPL-3.0-or-later
# shellcheck shell=bash
# The outcome of a check script: one line per check, a summary, and the exit status (sourced).
# A command that fails outside a check ends the script, saying which command it was, where, with
# what status and what it printed; a wait ends at a limit generous for a loaded machine, and the
# check after it decides.
# shellcheck source=../../tools/windows/report-failures.sh
source "$(dirname "${BASH_SOURCE[0]}")/../../tools/windows/report-failures.sh"
failures=0

fail()
{
    echo "FAIL: $*"
    failures=$((failures + 1))
}

pass()
{
    echo "ok: $*"
}

# Runs a command until it succeeds, at most `seconds` long (a limit for a machine under load:
# reaching it ends the wait, and the check that follows says what was missing).
wait_until()
{
    local seconds=$1 deadline
    shift
    deadline=$((SECONDS + seconds))
    until "$@"; do
        ((SECONDS < deadline)) || return 1
        sleep 0.2
    done
}

# Compares an outcome with what was expected; the label says what was checked.
expect()
{
    local label=$1 actual=$2 expected=$3
    if [[ "$actual" == "$expected" ]]; then
        pass "$label"
    else
        fail "$label"$'\n'"  expected: ${expected//$'\n'/$'\n'  expected: }"$'\n'"  actual:   ${actual//$'\n'/$'\n'  actual:   }"
    fi
}

finish()
{
    if ((failures)); then
        echo "$failures check(s) failed"
        exit 1
    fi
    echo "all checks passed"
}
