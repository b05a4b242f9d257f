#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is needed, builds Tallyra and starts the calculator.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
"$root/tools/install-deps.sh"
"$root/tools/build.sh"
program=${TALLYRA_BUILD_DIR:-$root/build}/app/tallyra
if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
    echo "No display found: starting the calculator on a virtual X display (xvfb-run)."
    exec xvfb-run -a "$program"
fi
exec "$program"
