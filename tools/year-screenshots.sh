#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Takes screenshots of the year planner as a user first sees it: with the default inputs, and
# with the realistic year (wage 25,000, a bonus of 60,000 in December, two children in school, a
# housing loan, Shanghai-like bases) left from an earlier session. Each on its own X server
# without a window manager, at a fixed screen size, so that two builds can be compared pixel by
# pixel (`compare -metric AE a.png b.png null:` prints 0 for identical pictures).
# Usage: tools/year-screenshots.sh [output folder, default build/year-screenshots]
#        TALLYRA_YEAR_PROGRAM=/path/to/tallyra-year picks another build of the planner;
#        TALLYRA_SCREENSHOT_ENV="QT_SCALE_FACTOR=1.5" (or "QT_QPA_PLATFORMTHEME=gtk3
#        GTK_THEME=Adwaita:dark") adds to the planner's environment.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${TALLYRA_BUILD_DIR:-$root/build}
out=${1:-$build/year-screenshots}
program=${TALLYRA_YEAR_PROGRAM:-}
"$root/tools/install-deps.sh" imagemagick x11-utils >/dev/null
if [[ -z "$program" ]]; then
    "$root/tools/build.sh" >/dev/null
    program=$build/yearapp/tallyra-year
fi
mkdir -p "$out"
work=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$work"' EXIT

# The realistic year as the planner keeps the inputs it was left with.
realistic_inputs='{"version":1,"year":2026,"firstMonth":1,"wage":"25000","editedWages":{},'\
'"bonus":"60000","bonusMonth":12,"bonusCombined":false,'\
'"socialBase":{"fixed":null,"floor":"7460","cap":"37302"},'\
'"fundBase":{"fixed":null,"floor":"2690","cap":"37302"},'\
'"special":{"children":2,"housing":"loan"}}'

# shot NAME SIZE [settings file] [keys…]: the planner's window once it has drawn itself, after
# the keys (xdotool's names: "ctrl+8", "Tab", "o") have been pressed in it.
shot() {
    local name=$1 size=$2 settings=${3:-}
    shift $(($# < 3 ? $# : 3))
    local home=$work/$name
    mkdir -p "$home/config" "$home/runtime"
    chmod 700 "$home/runtime"
    [[ -n "$settings" ]] && cp "$settings" "$home/config/Tallyra.conf"
    exec {displayfd}<> <(:)
    Xvfb -displayfd "$displayfd" -screen 0 "${size}x24" -nolisten tcp >"$home/xvfb.log" 2>&1 &
    local xvfb=$!
    local display
    read -r -t 20 display <&"$displayfd"
    exec {displayfd}>&-
    # shellcheck disable=SC2086 # TALLYRA_SCREENSHOT_ENV is split into its variables
    env -i PATH="$PATH" DISPLAY=":$display" HOME="$home" XDG_CONFIG_HOME="$home/config" \
        XDG_RUNTIME_DIR="$home/runtime" LANG=C.UTF-8 QT_QPA_PLATFORM=xcb \
        ${TALLYRA_SCREENSHOT_ENV:-} "$program" >"$home/planner.log" 2>&1 &
    local planner=$!
    export DISPLAY=":$display"
    local window
    window=$(timeout 30 xdotool search --sync --onlyvisible --name "年度个税计算" | head -1)
    for key in "$@"; do
        xdotool windowfocus --sync "$window" key --clearmodifiers "$key"
    done
    # The caret blinks: take the picture once two in a row, a second apart, are the same.
    local previous=""
    for _ in $(seq 20); do
        sleep 1
        import -window "$window" "$home/shot.png"
        if [[ -n "$previous" ]] && compare -metric AE "$previous" "$home/shot.png" null: 2>/dev/null; then
            break
        fi
        cp "$home/shot.png" "$home/previous.png"
        previous=$home/previous.png
    done
    cp "$home/shot.png" "$out/$name.png"
    kill "$planner" "$xvfb"
    wait "$planner" "$xvfb" 2>/dev/null || true
    echo "$out/$name.png"
}

printf '[YearPlanner]\nCurrent="%s"\n' "${realistic_inputs//\"/\\\"}" >"$work/realistic.conf"
shot year-default 1600x1000
shot year-realistic 1600x1000 "$work/realistic.conf"

# Two offers saved beside the realistic year: more pay with the least housing fund, less pay
# with the most.
offer() { # NAME WAGE FUND-RATE-IN-BASIS-POINTS
    local json='{"version":1,"year":2026,"firstMonth":1,"wage":"%s","bonus":"0","bonusMonth":12,'
    json+='"rates":{"housingFund":%s,"employerHousingFund":%s}}'
    # shellcheck disable=SC2059 # the format is the JSON above
    json=$(printf "$json" "$2" "$3" "$3")
    # A profile's key is its name's UTF-8 in hexadecimal.
    printf 'Profile-%s="%s"\n' "$(printf '%s' "$1" | od -An -tx1 | tr -d ' \n')" \
        "${json//\"/\\\"}"
}
{
    cat "$work/realistic.conf"
    offer 甲公司 30000 500
    offer 乙公司 28500 1200
} >"$work/offers.conf"
shot year-best-split 1600x1000 "$work/realistic.conf" ctrl+8
# The third offer's list is the third box Tab reaches on the page; its fourth entry is 乙公司.
shot year-compare 1600x1000 "$work/offers.conf" ctrl+7 Tab Tab Tab Down Down Down
shot year-payslip 1600x1000 "$work/realistic.conf" ctrl+9
shot year-chart 1600x1000 "$work/realistic.conf" ctrl+2

# A wage of 30,000 with a supplementary housing fund (5 % each side) and an enterprise annuity
# (8 % each side) in a city whose average monthly wage is 8,000: the fund above its tax-free
# limit and the annuity above its deductible part, explained under January.
annuity_inputs='{"version":1,"year":2026,"firstMonth":1,"wage":"30000","editedWages":{},'\
'"bonus":"0","bonusMonth":12,"contributionAverageWage":"8000","rates":{"supplementaryFund":500,'\
'"employerSupplementaryFund":500,"annuity":800,"employerAnnuity":800}}'
printf '[YearPlanner]\nCurrent="%s"\n' "${annuity_inputs//\"/\\\"}" >"$work/annuity.conf"
shot year-annuity 1600x1000 "$work/annuity.conf"
