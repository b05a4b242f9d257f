#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Start-up benchmark: the calculator against the reference window (bench/reference/, the same
# controls as plain widgets, no logic), as root on Debian 12. Installs what it needs, builds a
# Release build into build-bench/ (or $TALLYRA_BENCH_BUILD_DIR) and prints, as medians of one
# interleaved run, the time to the first complete frame, the resident memory one second later
# and the instructions executed before the first frame, each with the ratio tallyra / reference;
# then the same for the year planner tallyra-year against the calculator and against its own
# reference window (bench/year_reference/: its first screen as plain widgets), where it is built.
#
#   bash bench/run.sh            # 3 warm-up rounds, then 15 counted rounds
#   TALLYRA_BENCH_ROUNDS=31 bash bench/run.sh
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${TALLYRA_BENCH_BUILD_DIR:-$root/build-bench}
rounds=${TALLYRA_BENCH_ROUNDS:-15}
warmups=3

"$root/tools/install-deps.sh" valgrind libxcb1-dev libxcb-damage0-dev

echo "Building into $build ..."
mkdir -p "$build"
log=$build/bench-build.log
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DTALLYRA_BUILD_TESTS=OFF \
    -DTALLYRA_BUILD_BENCH=ON >"$log" 2>&1 || { cat "$log"; exit 1; }
cmake --build "$build" --parallel "$(nproc)" --target tallyra tallyra_reference frame_watch \
    >>"$log" 2>&1 || { cat "$log"; exit 1; }
reference=$build/bench/tallyra_reference
tallyra=$build/app/tallyra
watch=$build/bench/frame_watch
# The year planner, where Qt Charts and Print Support are there to build it.
year=""
if cmake --build "$build" --parallel "$(nproc)" --target tallyra-year tallyra_year_reference \
    >>"$log" 2>&1; then
    year=$build/yearapp/tallyra-year
    year_reference=$build/bench/tallyra_year_reference
fi

work=$(mktemp -d)
xvfb_pid=""
cleanup()
{
    [[ -n "$xvfb_pid" ]] && kill "$xvfb_pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

# A display of our own; Xvfb writes its number once it accepts clients.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do
    [[ -s "$work/display" ]] && break
    sleep 0.1
done
[[ -s "$work/display" ]] || { echo "Xvfb did not start"; cat "$work/xvfb.log"; exit 1; }
display=:$(head -n1 "$work/display")

# Runs a command with a fresh home and XDG folders, and nothing of the caller's environment but
# the path (so no saved settings, caches or desktop variables carry over from run to run).
fresh()
{
    local home
    home=$(mktemp -d "$work/home.XXXXXX")
    mkdir -m 700 "$home/run"
    exec env -i PATH="$PATH" HOME="$home" XDG_CONFIG_HOME="$home/.config" \
        XDG_CACHE_HOME="$home/.cache" XDG_DATA_HOME="$home/.local/share" \
        XDG_RUNTIME_DIR="$home/run" LANG=C.UTF-8 "$@"
}

# One run under the watcher: appends "name frame_ms rss_kib" to the results.
measure()
{
    local name=$1 program=$2 line
    line=$(fresh DISPLAY="$display" "$watch" --rss-after-ms 1000 -- "$program")
    [[ "$line" =~ frame_ms=([0-9.]+)\ rss_kib=([0-9]+) ]] || { echo "bad run: $line"; exit 1; }
    echo "$name ${BASH_REMATCH[1]} ${BASH_REMATCH[2]}" >>"$work/results"
}

median()
{
    sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

# Instructions from the program's first one to the first flush of a painted window to the
# screen (Qt's QWidgetRepaintManager::flush, entered once the whole first frame is painted), on
# the offscreen platform under callgrind; the program is stopped after that first dump.
instructions()
{
    local program=$1 out=$work/callgrind.$RANDOM pid
    fresh QT_QPA_PLATFORM=offscreen valgrind --tool=callgrind \
        --dump-before='QWidgetRepaintManager::flush(QWidget*' \
        --callgrind-out-file="$out.%p" "$program" >"$out.log" 2>&1 &
    pid=$!
    for _ in $(seq 600); do
        grep -qs '^totals:' "$out".*.1 && break
        sleep 0.5
    done
    kill "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null || true
    grep -hs '^totals:' "$out".*.1 | awk '{ print $2 }' | grep . || { cat "$out.log" >&2; exit 1; }
}

load_before=$(cut -d' ' -f1-3 /proc/loadavg)
echo "Timing on display $display: $warmups warm-up and $rounds counted rounds, alternating ..."
for ((round = 1; round <= warmups + rounds; ++round)); do
    if ((round == warmups + 1)); then
        rm -f "$work/results"
    fi
    # Each round alternates which program goes first.
    if ((round % 2)); then
        measure reference "$reference"
        measure tallyra "$tallyra"
        [[ -z $year ]] || measure year "$year"
        [[ -z $year ]] || measure year_reference "$year_reference"
    else
        [[ -z $year ]] || measure year_reference "$year_reference"
        [[ -z $year ]] || measure year "$year"
        measure tallyra "$tallyra"
        measure reference "$reference"
    fi
done
load_after=$(cut -d' ' -f1-3 /proc/loadavg)

echo "Counting instructions to the first frame under callgrind (offscreen) ..."
instr_reference=$(instructions "$reference")
instr_tallyra=$(instructions "$tallyra")
if [[ -n $year ]]; then
    instr_year=$(instructions "$year")
    instr_year_reference=$(instructions "$year_reference")
fi

pick()
{
    awk -v name="$1" -v column="$2" '$1 == name { print $column }' "$work/results" | median
}
frame_reference=$(pick reference 2)
frame_tallyra=$(pick tallyra 2)
rss_reference=$(pick reference 3)
rss_tallyra=$(pick tallyra 3)

ratio()
{
    awk -v a="$1" -v b="$2" 'BEGIN { printf "%.3f", a / b }'
}
# One line of a table: the two figures and the ratio of the second to the first.
row()
{
    printf '%-36s %12s %12s %8s %8s\n' "$1" "$2" "$3" "$(ratio "$3" "$2")" "<= $4"
}
# One table: compare FIRST SECOND, the frame, memory and instructions of each as pairs, then
# the three targets.
compare()
{
    printf '%-36s %12s %12s %8s %8s\n' "" "$1" "$2" ratio target
    row "first complete frame (ms)" "$3" "$4" "$9"
    row "resident memory 1 s later (KiB)" "$5" "$6" "${10}"
    row "instructions to first frame" "$7" "$8" "${11}"
}
echo
echo "Medians of $rounds interleaved rounds (fresh HOME each run)"
compare reference tallyra "$frame_reference" "$frame_tallyra" "$rss_reference" "$rss_tallyra" \
    "$instr_reference" "$instr_tallyra" 1.15 1.10 1.15
if [[ -n $year ]]; then
    frame_year=$(pick year 2)
    rss_year=$(pick year 3)
    frame_year_reference=$(pick year_reference 2)
    rss_year_reference=$(pick year_reference 3)
    echo
    echo "The year planner against the calculator, same rounds"
    compare tallyra year "$frame_tallyra" "$frame_year" "$rss_tallyra" "$rss_year" \
        "$instr_tallyra" "$instr_year" 1.30 1.20 1.50
    echo
    echo "The year planner against its reference window (its first screen as plain widgets)"
    compare reference year "$frame_year_reference" "$frame_year" "$rss_year_reference" "$rss_year" \
        "$instr_year_reference" "$instr_year" 1.10 1.10 1.10
fi
echo "load average (1, 5, 15 min): $load_before before, $load_after after the timed rounds"
