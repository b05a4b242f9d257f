#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The remembered inputs in the registry: Save All writes HKEY_CURRENT_USER\Software\Tallyra\
# Settings, each value a string exactly as typed; reg.exe reads them back; values put there by
# reg.exe are restored at the next start, and values that are no string or no usable number
# restore nothing.
#   check_settings_registry.sh <windows_probe.exe>
# shellcheck source=wine_checks.sh
source "$(dirname "${BASH_SOURCE[0]}")/wine_checks.sh"
probe=$1
key='HKCU\Software\Tallyra\Settings'
reg_delete_key 'HKCU\Software\Tallyra'

expect "a first start restores nothing" "$(win "$probe" restore)" \
"OptType(1): not chosen
CmbJs: []
TxtAdd: [0]
OptSjType(1): not chosen
TxtInputSJJS: [1200]"

# Typed with a leading blank and a digit-group separator: stored and restored as typed.
expect "Save All says saved once" "$(win "$probe" save ' 1,500' '-20' '2000.5')" \
    "message: 保存成功！"
expect "JSJS as typed" "$(reg_data "$key" JSJS)" "REG_SZ     1,500"
expect "BT as typed (a negative subsidy is stored)" "$(reg_data "$key" BT)" "REG_SZ    -20"
expect "J3JS as typed" "$(reg_data "$key" J3JS)" "REG_SZ    2000.5"
expect "nothing else under Software\\Tallyra" \
    "$(win reg query 'HKCU\Software\Tallyra' /s | grep -c REG_)" 3

expect "the next start restores all three" "$(win "$probe" restore)" \
"OptType(1): chosen
CmbJs: [ 1,500]
TxtAdd: [-20]
OptSjType(1): chosen
TxtInputSJJS: [2000.5]"

# Changed from outside the program: a string value is taken as it stands; a number value, a
# string that is no number and zero restore nothing, and start-up shows no message.
reg_set "$key" BT REG_SZ 250
reg_set "$key" JSJS REG_DWORD 1800
reg_set "$key" J3JS REG_SZ 'abc'
expect "values changed with reg.exe" "$(win "$probe" restore)" \
"OptType(1): not chosen
CmbJs: []
TxtAdd: [250]
OptSjType(1): not chosen
TxtInputSJJS: [1200]"

reg_delete_key "$key"
expect "a deleted key restores nothing" "$(win "$probe" restore)" \
"OptType(1): not chosen
CmbJs: []
TxtAdd: [0]
OptSjType(1): not chosen
TxtInputSJJS: [1200]"

reg_delete_key 'HKCU\Software\Tallyra'
finish
