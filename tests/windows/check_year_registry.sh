#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# shellcheck disable=SC1111 # the planner quotes a profile's name in “”
# The year planner's profiles in the registry: saving one writes HKEY_CURRENT_USER\Software\
# Tallyra\YearPlanner (beside the calculator's Settings, whose JSJS, BT and J3JS stay as they
# were); reg.exe reads the profile back, its inputs as typed; the next start offers it and opens
# it; a value damaged from outside is said so, as on Linux.
#   check_year_registry.sh <year_probe.exe>
# shellcheck source=wine_checks.sh
source "$(dirname "${BASH_SOURCE[0]}")/wine_checks.sh"
probe=$1
key='HKCU\Software\Tallyra\YearPlanner'
name='上海 2026'
# A profile's value is named after its name's UTF-8 bytes in hexadecimal.
value_name()
{
    printf 'Profile-%s' "$(printf '%s' "$1" | xxd -p | tr -d '\n')"
}

reg_delete_key 'HKCU\Software\Tallyra'
reg_set 'HKCU\Software\Tallyra\Settings' JSJS REG_SZ 1500
reg_set 'HKCU\Software\Tallyra\Settings' BT REG_SZ -20
reg_set 'HKCU\Software\Tallyra\Settings' J3JS REG_SZ 2000.5

expect "saving the typed year as a profile" "$(win "$probe" save "$name" | grep '^profiles:\|^status:')" \
"profiles: $name
status: 已保存方案“$name”"

saved=$(reg_export "$key")
profile=$(sed -n "s/^\"$(value_name "$name")\"=\"\(.*\)\"$/\1/p" <<<"$saved")
expect "reg.exe reads the profile, a string value" "${profile:+found}" found
# The data as exported: each quote escaped.
for field in '\"wage\":\"25000' '\"bonus\":\"60000' '\"bonusMonth\":12' '\"children\":2'; do
    expect "the profile holds $field" "$(grep -c -F -- "$field" <<<"$profile" || true)" 1
done
expect "the last profile used" "$(grep '^"LastUsed"=' <<<"$saved")" "\"LastUsed\"=\"$name\""
expect "the calculator's values untouched" "$(reg_export 'HKCU\Software\Tallyra\Settings')" \
'"BT"="-20"
"J3JS"="2000.5"
"JSJS"="1500"'

expect "the next start offers and opens it" "$(win "$probe" open "$name" | grep -v '^status:')" \
"profiles: $name
wage: 25000.00
bonus: 60000.00 in month 12
children: 2"

# Damaged from outside: a profile that is no JSON, one that is a number.
reg_set "$key" "$(value_name 坏的)" REG_SZ '{"wage": '
reg_set "$key" "$(value_name 数字)" REG_DWORD 7
for broken in 坏的 数字; do
    expect "a damaged profile ($broken) is said so" "$(win "$probe" open "$broken" | grep '^hint:')" \
        "hint: 方案“$broken”无法读取"
done

reg_delete_key 'HKCU\Software\Tallyra'
finish
