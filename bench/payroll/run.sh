#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Payroll benchmark: tallyra-payroll withholding a generated company year of 100,000 employees ×
# 12 months (about 1.2 million lines), on one core: wages only, then a file of the same size
# mixing every kind of income (generate.awk, mixed=1). Builds a Release build into
# build-bench-payroll/ (or $TALLYRA_BENCH_BUILD_DIR), generates the file once, and prints the
# median wall time, CPU time and peak resident memory of the rounds. Not a test: nothing fails
# on a slow machine.
#
#   bash bench/payroll/run.sh                  # 100,000 employees, 5 rounds
#   TALLYRA_BENCH_EMPLOYEES=20000 TALLYRA_BENCH_ROUNDS=9 bash bench/payroll/run.sh
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
build=${TALLYRA_BENCH_BUILD_DIR:-$root/build-bench-payroll}
employees=${TALLYRA_BENCH_EMPLOYEES:-100000}
rounds=${TALLYRA_BENCH_ROUNDS:-5}

"$root/tools/install-deps.sh" time

echo "Building tallyra-payroll into $build ..."
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DTALLYRA_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" --target tallyra-payroll --parallel "$(nproc)" >/dev/null
program=$build/payroll/tallyra-payroll

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
median() { sort -n | awk '{v[NR] = $1} END {print v[int((NR + 1) / 2)]}'; }

# One core, as a payroll server would give it; the output on the same disk as the input.
run_file() { # name, mixed (0 or 1)
    awk -v employees="$employees" -v mixed="$2" -f "$root/bench/payroll/generate.awk" \
        >"$work/payroll.csv"
    lines=$(($(wc -l <"$work/payroll.csv") - 1))
    echo "$1: $lines lines, $(du -m "$work/payroll.csv" | cut -f1) MiB"
    rm -f "$work/results"
    for _ in $(seq "$rounds"); do
        /usr/bin/time -f "%e %U %S %M" -o "$work/time" \
            taskset -c 0 "$program" withhold "$work/payroll.csv" -o "$work/out.csv" >/dev/null
        cat "$work/time" >>"$work/results"
    done
    wall=$(awk '{print $1}' "$work/results" | median)
    cpu=$(awk '{printf "%.2f\n", $2 + $3}' "$work/results" | median)
    rss=$(awk '{print $4}' "$work/results" | median)
    echo "  median of $rounds rounds: wall ${wall} s, CPU ${cpu} s, peak resident memory" \
        "$((rss / 1024)) MiB (goal: under 2 s and 100 MiB)"
}
run_file "Wages only" 0
run_file "Every kind of income" 1
echo "Load average now: $(cut -d' ' -f1-3 /proc/loadavg)"
