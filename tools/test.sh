#!/usr/bin/env bash
# Installs what is needed, builds Tallyra with warnings as errors and runs every test; then
# runs the suite again built with AddressSanitizer and UndefinedBehaviorSanitizer, and a short
# fuzz run of each fuzz target (tools/test-sanitized.sh, tools/fuzz.sh).
# GUI tests run on Qt's offscreen platform, so no display is needed.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${TALLYRA_BUILD_DIR:-$root/build}
"$root/tools/install-deps.sh"
TALLYRA_BUILD_DIR=$build "$root/tools/build.sh" -DTALLYRA_WERROR=ON
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$build" --output-on-failure --timeout 300
TALLYRA_BUILD_DIR=$build "$root/tools/test-sanitized.sh"
TALLYRA_BUILD_DIR=$build "$root/tools/fuzz.sh" short
