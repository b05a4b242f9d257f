#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the whole test suite a second time with AddressSanitizer and UndefinedBehaviorSanitizer
# and runs it. The first report of either (leaks included) stops the test that made it, and so
# fails the run. The build goes to $TALLYRA_ASAN_BUILD_DIR, else beside the normal one:
# build-asan/ (or $TALLYRA_BUILD_DIR-asan). Called by tools/test.sh; extra arguments go to CMake.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${TALLYRA_ASAN_BUILD_DIR:-${TALLYRA_BUILD_DIR:-$root/build}-asan}

# A Debug build: unoptimised code keeps every access the sanitizers should see, and Qt's own
# assertions in its inline code are on.
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Debug -DTALLYRA_SANITIZE=ON -DTALLYRA_WERROR=ON \
    "$@" >/dev/null
cmake --build "$build" --parallel "$(nproc)"

export ASAN_OPTIONS=halt_on_error=1:detect_leaks=1:detect_stack_use_after_return=1:check_initialization_order=1:strict_init_order=1:strict_string_checks=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
export QT_QPA_PLATFORM=offscreen
echo "Sanitized test suite ($build)"
# The Debian package check runs none of the program's code, and a package of an instrumented
# build means nothing; it is left to the normal run.
ctest --test-dir "$build" --output-on-failure --timeout 6000 --exclude-regex '^debian_package$'
