#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The interface font on Windows' own font system: Microsoft YaHei at 9 pt (12 pixels at 96 dpi)
# where it is installed, as on Chinese Windows; else the same fallbacks as elsewhere, here the
# Noto CJK font that Wine finds on this machine. Wine's font replacements stand in for an
# installed Microsoft YaHei.
# The year planner, laid out with layouts, keeps the size Windows gives and puts the same face
# first.
#   check_interface_font.sh <windows_probe.exe> [<year_probe.exe>]
# shellcheck source=wine_checks.sh
source "$(dirname "${BASH_SOURCE[0]}")/wine_checks.sh"
probe=$1
year_probe=${2:-}
replacements='HKCU\Software\Wine\Fonts\Replacements'
export QT_QPA_PLATFORM=windows

tolerate win reg delete "$replacements" /v 'Microsoft YaHei' /f >/dev/null 2>&1
expect "without Microsoft YaHei: the Noto CJK face" "$(win "$probe" font)" \
"family: Noto Sans CJK SC
matched: Noto Sans CJK SC
pixel size: 12"

reg_set "$replacements" 'Microsoft YaHei' REG_SZ 'Noto Sans CJK SC'
expect "with Microsoft YaHei installed: Microsoft YaHei" "$(win "$probe" font)" \
"family: Microsoft YaHei
matched: Microsoft YaHei
pixel size: 12"
if [[ -n "$year_probe" ]]; then
    expect "the year planner: Microsoft YaHei first" "$(win "$year_probe" font)" \
"first face: Microsoft YaHei
matched: Microsoft YaHei"
fi
win reg delete "$replacements" /v 'Microsoft YaHei' /f >/dev/null
finish
