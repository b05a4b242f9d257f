#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is needed, builds Tallyra with warnings as errors and runs every test; then
# runs the suite again built with AddressSanitizer and UndefinedBehaviorSanitizer, and a short
# fuzz run of each fuzz target (tools/test-sanitized.sh, tools/fuzz.sh); last, the Windows
# edition: cross-built, packed and tested under Wine (tools/windows/test.sh).
# GUI tests run on Qt's offscreen platform, so no display is needed.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${TALLYRA_BUILD_DIR:-$root/build}

# Runs one stage and says how long it took.
stage()
{
    local name=$1 start=$SECONDS
    shift
    "$@"
    echo "== stage '$name': $((SECONDS - start)) s"
}

linux_suite()
{
    "$root/tools/install-deps.sh"
    TALLYRA_BUILD_DIR=$build "$root/tools/build.sh" -DTALLYRA_WERROR=ON
    ctest --test-dir "$build" --output-on-failure --timeout 300
}

export QT_QPA_PLATFORM=offscreen

stage "build and test" linux_suite
stage "sanitized suite" env TALLYRA_BUILD_DIR="$build" "$root/tools/test-sanitized.sh"
stage "fuzzing" env TALLYRA_BUILD_DIR="$build" "$root/tools/fuzz.sh" short
stage "Windows edition under Wine" env TALLYRA_BUILD_DIR="$build" "$root/tools/windows/test.sh"
