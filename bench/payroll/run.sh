#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Payroll benchmark: tallyra-payroll withholding a generated company year of 100,000 employees ×
# 12 months (about 1.2 million lines): wages only, then a file of the same size mixing every
# kind of income (generate.awk, mixed=1); each on one core (taskset -c 0, --threads 1) and on
# two (taskset -c 0,1, --threads 2). Builds a Release build into build-bench-payroll/ (or
# $TALLYRA_BENCH_BUILD_DIR), generates each file once, and prints the median wall time, CPU time
# and peak resident memory of the rounds, with the load average of the machine meanwhile.
#
# So that the figures mean something on any machine, the same run times what no program can
# beat on the same files, median of as many rounds: counting the input's lines (wc -l), reading
# it (cat IN > /dev/null) and writing a file of the output's size and flushing it to the disk as
# the command does (head -c SIZE /dev/zero > F; sync F). "× copy" is the command's wall time over
# reading plus writing; "× wc" over counting the lines. Before and after the files, it times a
# CPU-bound loop alone and as two copies at once, one per core: on a shared host two busy cores
# can each run much slower than one, and the two-core figures then say so. Not a test: nothing
# fails on a slow machine.
#
#   bash bench/payroll/run.sh                  # 100,000 employees, 5 rounds
#   TALLYRA_BENCH_EMPLOYEES=20000 TALLYRA_BENCH_ROUNDS=9 bash bench/payroll/run.sh
#   TALLYRA_BENCH_BEFORE=../old/build/payroll/tallyra-payroll bash bench/payroll/run.sh
#
# With TALLYRA_BENCH_BEFORE, another build of the command (an earlier version) runs in the same
# rounds, each round the one then the other, and its output must be byte for byte the same.
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
before=${TALLYRA_BENCH_BEFORE:-}
[[ -z "$before" || -x "$before" ]] || { echo "TALLYRA_BENCH_BEFORE: no program $before"; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
median() { sort -n | awk '{v[NR] = $1} END {print v[int((NR + 1) / 2)]}'; }
load() { cut -d' ' -f1 /proc/loadavg; }

# The median wall time of a shell command over the rounds.
timed() { # command
    rm -f "$work/reference"
    for _ in $(seq "$rounds"); do
        /usr/bin/time -f "%e" -o "$work/time" sh -c "$1"
        cat "$work/time" >>"$work/reference"
    done
    median <"$work/reference"
}

# One run of a program on `cores` with `threads`, its figures appended to a file.
run_once() { # program, cores, threads, results
    /usr/bin/time -f "%e %U %S %M" -o "$work/time" taskset -c "$2" \
        "$1" withhold "$work/payroll.csv" -o "$work/out.csv" --threads "$3" >/dev/null
    cat "$work/time" >>"$4"
}

# The median figures of a results file: sets wall, cpu and rss.
medians() { # results
    wall=$(awk '{print $1}' "$1" | median)
    cpu=$(awk '{printf "%.2f\n", $2 + $3}' "$1" | median)
    rss=$(awk '{print $4}' "$1" | median)
}

# The command over the rounds on `cores`, with `threads` (and the version before in the same
# rounds, where given); the output on the same disk as the input.
run_payroll() { # cores, threads, label, copy, wc
    rm -f "$work/results" "$work/results-before"
    for _ in $(seq "$rounds"); do
        [[ -n "$before" ]] && run_once "$before" "$1" "$2" "$work/results-before"
        run_once "$program" "$1" "$2" "$work/results"
    done
    local earlier=""
    if [[ -n "$before" ]]; then
        medians "$work/results-before"
        earlier=" (before: ${wall} s, CPU ${cpu} s, $((rss / 1024)) MiB)"
    fi
    medians "$work/results"
    echo "  $3: wall ${wall} s (×$(awk -v a="$wall" -v b="$4" 'BEGIN {printf "%.1f", a / b}') copy," \
        "×$(awk -v a="$wall" -v b="$5" 'BEGIN {printf "%.0f", a / b}') wc), CPU ${cpu} s," \
        "peak resident memory $((rss / 1024)) MiB${earlier}; load average $(load)"
}

run_file() { # name, mixed (0 or 1)
    awk -v employees="$employees" -v mixed="$2" -f "$root/bench/payroll/generate.awk" \
        >"$work/payroll.csv"
    lines=$(($(wc -l <"$work/payroll.csv") - 1))
    echo "$1: $lines lines, $(du -m "$work/payroll.csv" | cut -f1) MiB, median of $rounds rounds"
    "$program" withhold "$work/payroll.csv" -o "$work/out.csv" --threads 1 >/dev/null
    size=$(stat -c %s "$work/out.csv")
    echo "  output md5 $(md5sum <"$work/out.csv" | cut -d' ' -f1)"
    if [[ -n "$before" ]]; then
        "$before" withhold "$work/payroll.csv" -o "$work/out-before.csv" --threads 1 >/dev/null
        cmp -s "$work/out.csv" "$work/out-before.csv" ||
            { echo "  the output differs from the version before's"; exit 1; }
        rm "$work/out-before.csv"
    fi
    local wc read write copy
    wc=$(timed "wc -l '$work/payroll.csv' >/dev/null")
    read=$(timed "cat '$work/payroll.csv' >/dev/null")
    write=$(timed "head -c $size /dev/zero >'$work/copy'; sync '$work/copy'; rm '$work/copy'")
    copy=$(awk -v a="$read" -v b="$write" 'BEGIN {printf "%.3f", a + b}')
    echo "  wc -l ${wc} s; cat IN > /dev/null ${read} s; writing $((size >> 20)) MiB and" \
        "flushing it ${write} s; copy (read + write) ${copy} s; load average $(load)"
    run_payroll 0 1 "one core, --threads 1" "$copy" "$wc"
    run_payroll 0,1 2 "two cores, --threads 2" "$copy" "$wc"
}
# How much the two cores slow each other down on this machine (a shared host, memory bandwidth):
# a CPU-bound loop alone, then two copies at once, one per core. Near 1 the second thread is a
# whole core; near 2 it brings nothing.
parallel_cost() {
    local loop="awk 'BEGIN {for (i = 0; i < 20000000; i++) s += i}'"
    local alone both
    alone=$(timed "taskset -c 0 $loop")
    both=$(timed "taskset -c 0 $loop & taskset -c 1 $loop; wait")
    echo "Two cores at once: a CPU-bound loop ${alone} s alone, ${both} s as two copies side by" \
        "side (×$(awk -v a="$both" -v b="$alone" 'BEGIN {printf "%.2f", a / b}')); load" \
        "average $(load)"
}
parallel_cost
run_file "Wages only" 0
run_file "Every kind of income" 1
parallel_cost
echo "Goal: 0.5 s on one core, 0.3 s on two, 32 MiB"
