#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the build into a temporary prefix and checks the tree a desktop needs: each program
# (the calculator, and the year planner where it was built), its desktop entry and AppStream
# metainfo (both validated), its icon at every size and as SVG, and the readme in the data
# folder beside bin/, where the installed program looks for it (that lookup is tested by
# test_program_files).
# Usage: check_install.sh BUILD_DIR SOURCE_DIR PROJECT_VERSION
set -euo pipefail
build=$1 source=$2 version=$3

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/usr
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

cmake --install "$build" --prefix "$prefix" >"$work/install.log"

[[ -x $prefix/bin/tallyra ]] || fail "bin/tallyra is missing or not executable"
[[ -x $prefix/bin/tallyra-payroll ]] || fail "bin/tallyra-payroll is missing or not executable"
[[ $("$prefix/bin/tallyra-payroll" --version) == "tallyra-payroll $version" ]] ||
    fail "tallyra-payroll --version does not say $version"

shopt -s nullglob
entries=("$prefix"/share/applications/*.desktop)
# The calculator, and the year planner where it was built (it needs Qt Charts).
programs=(tallyra)
[[ -e $build/yearapp/tallyra-year ]] && programs+=(tallyra-year)
if ((${#entries[@]} != ${#programs[@]})); then
    fail "expected ${#programs[@]} desktop entries, found ${#entries[@]}"
    exit 1
fi

# Every PNG size lies in its own hicolor folder and really has that size.
png_size() { od -An -tu1 -j16 -N8 "$1" | awk '{print $3*256+$4 "x" $7*256+$8}'; }

# Checks one program's desktop entry, icon and metainfo: check_entry PROGRAM NAME[zh_CN].
check_entry()
{
    local program=$1 name=$2 entry id report size png svg metainfo
    entry=$(grep -lx "Exec=$program" "${entries[@]}" | head -n1)
    if [[ -z $entry ]]; then
        fail "no desktop entry starts $program"
        return
    fi
    id=$(basename "$entry" .desktop)
    [[ $id =~ ^[a-z]+(\.[A-Za-z0-9_-]+){2,}$ ]] || fail "desktop id $id is not a reverse-DNS name"
    key() { sed -n "s/^$1=//p" "$entry"; }
    [[ -x $prefix/bin/$program ]] || fail "bin/$program is missing or not executable"
    [[ $(key Icon) == "$id" ]] || fail "$id: Icon is '$(key Icon)', not $id"
    [[ $(key 'Name\[zh_CN\]') == "$name" ]] || fail "$id: Name[zh_CN] is '$(key 'Name\[zh_CN\]')'"
    [[ -n $(key Name) && -n $(key Comment) && -n $(key 'Comment\[zh_CN\]') ]] ||
        fail "$id: Name, Comment or Comment[zh_CN] is empty"
    [[ ";$(key Categories)" == *";Office;"* && ";$(key Categories)" == *";Finance;"* ]] ||
        fail "$id: Categories '$(key Categories)' lack Office or Finance"
    # Hints are fine; errors and warnings are not.
    if ! report=$(desktop-file-validate "$entry" 2>&1) || grep -qE 'error:|warning:' <<<"$report"; then
        fail "desktop-file-validate: $report"
    fi

    for size in 16 22 24 32 48 64 128 256; do
        png=$prefix/share/icons/hicolor/${size}x${size}/apps/$id.png
        if [[ ! -f $png ]]; then
            fail "$id: icon ${size}x${size} is missing"
        elif [[ $(png_size "$png") != "${size}x${size}" ]]; then
            fail "$id: icon ${size}x${size} is $(png_size "$png") pixels"
        fi
    done
    svg=$prefix/share/icons/hicolor/scalable/apps/$id.svg
    grep -q '<svg' "$svg" 2>/dev/null || fail "scalable icon $svg is missing or not SVG"

    metainfo=$prefix/share/metainfo/$id.metainfo.xml
    if [[ ! -f $metainfo ]]; then
        fail "metainfo $metainfo is missing"
    else
        appstreamcli validate --no-net --strict "$metainfo" || fail "appstreamcli rejected $metainfo"
        grep -q "<id>$id</id>" "$metainfo" || fail "metainfo id differs from the desktop id $id"
        grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" ||
            fail "metainfo does not launch $id.desktop"
        grep -q "<project_license>GPL-3.0-or-later</project_license>" "$metainfo" ||
            fail "metainfo does not name the project's licence"
        grep -q "<release version=\"$version\"" "$metainfo" ||
            fail "metainfo has no release $version"
        grep -q '<summary xml:lang="zh_CN">' "$metainfo" || fail "metainfo has no Chinese summary"
        grep -q "<binary>$program</binary>" "$metainfo" || fail "metainfo does not provide $program"
    fi
    echo "install tree of $id is complete"
}

check_entry tallyra 个人所得税计算器
if [[ " ${programs[*]} " == *" tallyra-year "* ]]; then
    check_entry tallyra-year 年度个税计算
    # The two programs look alike in a menu only by name: their icons differ.
    if cmp -s "$prefix/share/icons/hicolor/48x48/apps/io.github.tallyra.Tallyra.png" \
        "$prefix/share/icons/hicolor/48x48/apps/io.github.tallyra.TallyraYear.png"; then
        fail "the year planner has the calculator's icon"
    fi
fi

cmp -s "$prefix/share/doc/tallyra/copyright" "$source/packaging/copyright" ||
    fail "share/doc/tallyra/copyright differs or is missing"
readme=$prefix/share/tallyra/readme.txt
cmp -s "$readme" "$source/resources/readme.txt" || fail "share/tallyra/readme.txt differs or is missing"
[[ ! -e $prefix/bin/readme.txt ]] || fail "bin/readme.txt would hide the installed readme"

((failures == 0)) || exit 1
