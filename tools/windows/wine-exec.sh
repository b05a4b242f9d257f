#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs a Windows program under Wine: CTest's emulator for the cross-built tests.
# Wine keeps variables named QT_* from Windows programs (they are meant for a Qt on the host)
# unless they are given prefixed with WINE; the tests' QT_QPA_PLATFORM and the like are passed
# on that way.
# shellcheck source=report-failures.sh
source "$(dirname "${BASH_SOURCE[0]}")/report-failures.sh"
for name in $(compgen -e); do
    [[ "$name" == QT_* ]] && export "WINE$name=${!name}"
done
exec wine "$@"
