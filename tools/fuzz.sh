#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the libFuzzer targets of fuzz/ with clang (and AddressSanitizer and
# UndefinedBehaviorSanitizer) and runs each one for a while:
#   bash tools/fuzz.sh           the short run of the test command: 60 s per target, or
#                                $TALLYRA_FUZZ_SECONDS
#   bash tools/fuzz.sh 3600      a long run: an hour per target
# Any finding (a failed check, a sanitizer report, a leak, an input running over 10 s) fails
# the run; the input is kept under artifacts/ in the build directory, and running the target
# on that file repeats it. The corpus grown by earlier runs is kept there too, beside the seeds
# in fuzz/corpus/. Build directory: $TALLYRA_FUZZ_BUILD_DIR, else build-fuzz/ (or
# $TALLYRA_BUILD_DIR-fuzz). Compiler: $TALLYRA_FUZZ_CXX, else clang++-14.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${TALLYRA_FUZZ_BUILD_DIR:-${TALLYRA_BUILD_DIR:-$root/build}-fuzz}

case "${1:-short}" in
short) seconds=${TALLYRA_FUZZ_SECONDS:-60} ;;
*[!0-9]*)
    echo "usage: $0 [short | SECONDS per target]" >&2
    exit 2
    ;;
*) seconds=$1 ;;
esac

cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER="${TALLYRA_FUZZ_CXX:-clang++-14}" \
    -DTALLYRA_FUZZ=ON -DTALLYRA_BUILD_TESTS=OFF -DTALLYRA_WERROR=ON >/dev/null
cmake --build "$build" --target tallyra_fuzz --parallel "$(nproc)"

export ASAN_OPTIONS=halt_on_error=1:detect_leaks=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
mkdir -p "$build/artifacts"
failed=()
for target in fuzz_number_reading fuzz_number_text fuzz_tax_core fuzz_payroll; do
    corpus=$build/corpus/$target
    log=$build/$target.log
    mkdir -p "$corpus"
    options=(-max_total_time="$seconds" -timeout=10 -print_final_stats=1
             -artifact_prefix="$build/artifacts/$target-")
    [[ -f $root/fuzz/$target.dict ]] && options+=(-dict="$root/fuzz/$target.dict")
    if "$build/fuzz/$target" "${options[@]}" "$corpus" "$root/fuzz/corpus/$target" >"$log" 2>&1
    then
        runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
        echo "$target: ${runs:-?} executions in $seconds s, no finding"
    else
        tail -n 60 "$log"
        echo "$target: FINDING (log $log, input under $build/artifacts/)"
        failed+=("$target")
    fi
done
((${#failed[@]} == 0)) || {
    echo "Fuzzing found faults in: ${failed[*]}"
    exit 1
}
