# SPDX-License-Identifier: GPL-3.0-or-later
# shellcheck shell=bash
# The outcome of a check script: one line per check, a summary, and the exit status (sourced).
set -euo pipefail
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
