#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Cross-builds the Windows edition (Tallyra.exe, the tests and the Windows checks) with
# mingw-w64 against Qt for Windows, warnings as errors, into build-win/ beside build/ (or
# $TALLYRA_WIN_BUILD_DIR). Extra arguments go to CMake.
# shellcheck source=report-failures.sh
source "$(dirname "${BASH_SOURCE[0]}")/report-failures.sh"
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
build=${TALLYRA_WIN_BUILD_DIR:-${TALLYRA_BUILD_DIR:-$root/build}-win}
"$root/tools/install-deps.sh" --windows
qt=$("$root/tools/windows/qt-prefix.sh") || {
    echo "No Qt for Windows: make one with 'bash tools/windows/build-qt.sh' (about 45 minutes)" >&2
    exit 1
}
mkdir -p "$build"
failure_log=$build/configure.log
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$qt/mingw-w64-x86_64.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DTALLYRA_WERROR=ON \
    -DCMAKE_CROSSCOMPILING_EMULATOR="$root/tools/windows/wine-exec.sh" "$@" >"$failure_log" 2>&1
failure_log=""
cmake --build "$build" --parallel "${TALLYRA_JOBS:-2}"
