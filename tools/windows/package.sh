#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Windows edition and packs it: the installer Tallyra-<version>-win64.exe and the
# portable Tallyra-<version>-win64.zip, both in build-win/ (or $TALLYRA_WIN_BUILD_DIR).
# shellcheck source=report-failures.sh
source "$(dirname "${BASH_SOURCE[0]}")/report-failures.sh"
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
build=${TALLYRA_WIN_BUILD_DIR:-${TALLYRA_BUILD_DIR:-$root/build}-win}
TALLYRA_WIN_BUILD_DIR=$build "$root/tools/windows/build.sh" "$@"
cd "$build"
rm -f Tallyra-*-win64.exe Tallyra-*-win64.zip
failure_log=$build/cpack.log
cpack >"$failure_log" 2>&1
ls -l Tallyra-*-win64.exe Tallyra-*-win64.zip
