#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The Windows stage: cross-builds the Windows edition with warnings as errors, packs the
# installer and the portable .zip, and runs the whole CTest suite of that build under Wine -
# the same tests as on Linux (Qt's offscreen platform), the Windows checks of tests/windows/
# (registry, the year planner's profiles and PDFs, system information, Readme, font, program
# files, windows on Windows' own platform) and the installer round trip, which saves
# build-win/screenshot-windows.png and build-win/year-planner-windows.png.
#
# Wine runs in a throwaway prefix, with a home folder of its own, in a temporary folder, on an X
# server of its own (Wine makes windows only on an X display, even for the offscreen platform);
# all of it, Wine's processes included, is gone afterwards. Where there is no Qt for Windows
# (tools/windows/qt-prefix.sh), the stage says so and is skipped, except in CI, which builds it.
# Arguments go to CTest: 'bash tools/windows/test.sh -R check_readme' runs one test.
# shellcheck source=report-failures.sh
source "$(dirname "${BASH_SOURCE[0]}")/report-failures.sh"
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
build=${TALLYRA_WIN_BUILD_DIR:-${TALLYRA_BUILD_DIR:-$root/build}-win}

status=0
"$root/tools/windows/qt-prefix.sh" >/dev/null || status=$?
if ((status == 3)); then
    if [[ "${CI:-}" != true ]]; then
        cat <<EOF
Skipped the Windows stage: there is no Qt for Windows here (no shared copy
qt-6.4.2-mingw64-charts-print.tar.xz in ../shared/windows or /work/shared/windows, and none
built into ~/.cache/tallyra). 'bash tools/windows/build-qt.sh' builds it (about an hour on 2 cores);
after that 'bash tools/test.sh' runs this stage, or 'bash tools/windows/test.sh' alone.
EOF
        exit 0
    fi
    echo "CI: no shared Qt for Windows; building it (tools/windows/build-qt.sh)"
    "$root/tools/windows/build-qt.sh"
elif ((status)); then
    exit "$status"
fi

SECONDS=0
TALLYRA_WIN_BUILD_DIR=$build "$root/tools/windows/package.sh"
echo "Windows build and packages: ${SECONDS}s"

qt=$("$root/tools/windows/qt-prefix.sh")

# --- Wine, in a temporary folder of its own --------------------------------------------------
work=$(mktemp -d /tmp/tallyra-wine.XXXXXX)
export WINEPREFIX=$work/prefix
xvfb_pid=""
cleanup()
{
    # Wine's server runs on after its last program; its socket folder lies under /tmp, named
    # after the prefix's device and inode.
    local server_dir=""
    if [[ -d "$WINEPREFIX" ]]; then
        server_dir=$(printf 'server-%x-%x' "$(stat -c %d "$WINEPREFIX")" "$(stat -c %i "$WINEPREFIX")")
        wineserver -k 2>/dev/null || true
        wineserver -w 2>/dev/null || true
    fi
    if [[ -n "$xvfb_pid" ]]; then
        kill "$xvfb_pid" 2>/dev/null || true
        wait "$xvfb_pid" 2>/dev/null || true
    fi
    if [[ -n "$server_dir" ]]; then
        for dir in /tmp/wine-*/"$server_dir" /tmp/.wine-"$(id -u)"/"$server_dir"; do
            [[ -d "$dir" ]] || continue
            rm -rf "$dir"
            rmdir "$(dirname "$dir")" 2>/dev/null || true
        done
    fi
    rm -rf "$work"
}
trap cleanup EXIT

# Wine's home, menus and desktop links stay inside the temporary folder, and Wine neither
# offers to download Mono and Gecko nor writes menu entries for the desktop.
export HOME=$work/home XDG_CONFIG_HOME=$work/home/.config XDG_DATA_HOME=$work/home/.local/share
export XDG_CACHE_HOME=$work/home/.cache
mkdir -p "$HOME"
export WINEDEBUG=-all WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree,mshtml="

exec {displayfd}<> <(:)
Xvfb -displayfd "$displayfd" -screen 0 1600x1200x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
read -r -t 120 display <&"$displayfd"
export DISPLAY=":$display"

SECONDS=0
failure_log=$work/wine.log
timeout 600 wineboot --init >"$failure_log" 2>&1
# Fonts as on Chinese Windows, from the Chinese face Wine finds on this machine: Wine's own
# interface faces (window captions, Notepad) linked to it, SimSun (the installer's dialogs)
# standing for it; and Wine's Marlett for the title-bar buttons.
cjk_face='Noto Sans CJK SC'
for face in Tahoma 'MS Shell Dlg' 'MS Shell Dlg 2' 'Courier New' 'Lucida Console'; do
    wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' \
        /v "$face" /t REG_MULTI_SZ /d "NotoSansCJK-Regular.ttc,$cjk_face" /f >>"$work/wine.log" 2>&1
done
for face in SimSun 宋体; do
    wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "$face" /t REG_SZ /d "$cjk_face" /f \
        >>"$work/wine.log" 2>&1
done
cp /usr/share/wine/fonts/marlett.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
failure_log=""
echo "Wine prefix: ${SECONDS}s"

# The tests find Qt's and MinGW's libraries through Wine's PATH; the offscreen platform finds the
# CJK font through QT_QPA_FONTDIR (on Windows it has no font folder of its own); Qt Test writes
# to the pipe CTest reads rather than to the debugger.
winpath()
{
    winepath -w "$1"
}
mingw_runtime=$(dirname "$(x86_64-w64-mingw32-g++-posix -print-file-name=libstdc++-6.dll)")
WINEPATH="$(winpath "$qt/bin");$(winpath "$mingw_runtime");$(winpath /usr/x86_64-w64-mingw32/lib)"
QT_QPA_FONTDIR=$(winpath /usr/share/fonts/opentype/noto)
export WINEPATH QT_QPA_FONTDIR QT_FORCE_STDERR_LOGGING=1

SECONDS=0
ctest_status=0
ctest --test-dir "$build" --output-on-failure --timeout 600 "$@" || ctest_status=$?
log=$build/Testing/Temporary/LastTest.log
echo "Tests under Wine: ${SECONDS}s; Qt Test functions and rows:" \
    "$(awk '/^Totals:/ {p += $2; f += $4; s += $6} END {print p+0 " passed, " f+0 " failed, " s+0 " skipped"}' "$log")"
echo "Not run under Wine, as they check the Linux desktop: atspi_session and" \
     "atspi_year_session (AT-SPI), install_tree and debian_package (the Linux install tree and" \
     "the .deb), test_start_without_display and test_year_start_without_display (no X or" \
     "Wayland display)."
echo "Skipped inside the suites:"
grep -h '^SKIP   :' "$log" | sed 's/^/  /' || echo "  none"
for shot in screenshot-windows.png year-planner-windows.png; do
    [[ -f "$build/$shot" ]] && echo "An installed program on Windows: $build/$shot"
done
exit "$ctest_status"
