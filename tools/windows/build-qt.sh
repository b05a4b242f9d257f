#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds Qt 6.4.2 for 64-bit Windows from Debian's own source package, with Debian's mingw-w64
# compilers (posix threads), into a prefix the Windows build uses (tools/windows/qt-prefix.sh
# finds it): Core, Gui, Widgets, Test and Print Support, then Qt Charts 6.4.2 (for the year
# planner) from its source tarball qtcharts-everywhere-src-6.4.2.tar.xz in ../shared/windows or
# /work/shared/windows (Debian's source package of Qt Charts is not always to be had). Debian's
# qt6-base-dev is the same version, so its moc, rcc and uic are the host tools. About 1,300
# build steps, some an hour on 2 cores.
#
#   bash tools/windows/build-qt.sh [--configure-only]
#
# TALLYRA_QT_WIN_PREFIX    where Qt goes (default ~/.cache/tallyra/qt-6.4.2-mingw64)
# TALLYRA_QT_WIN_WORK      where the source and the build lie meanwhile (default <prefix>-work)
# TALLYRA_QTCHARTS_SOURCE  the Qt Charts source tarball, when it lies elsewhere
#
# Idempotent: a finished prefix is left alone, a fetched source is not fetched again, and an
# interrupted build goes on where it stopped. The machine's apt sources are not touched: the
# source package comes through a private apt configuration with a deb-src entry for the same
# mirror.
# shellcheck source=report-failures.sh
source "$(dirname "${BASH_SOURCE[0]}")/report-failures.sh"
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
version=6.4.2
prefix=${TALLYRA_QT_WIN_PREFIX:-${TALLYRA_CACHE_DIR:-$HOME/.cache/tallyra}/qt-$version-mingw64}
work=${TALLYRA_QT_WIN_WORK:-$prefix-work}
configure_only=false
[[ "${1:-}" == "--configure-only" ]] && configure_only=true

# A prefix finished by an earlier version of this script has no Qt Charts: it is built again.
if [[ -f "$prefix/.tallyra-complete" && -f "$prefix/bin/Qt6Charts.dll" ]]; then
    echo "Qt $version for Windows is already in $prefix"
    exit 0
fi

"$root/tools/install-deps.sh" --windows
mkdir -p "$work"
cd "$work"

# Debian's source package, through apt with its own source list and its own package lists.
fetch_source()
{
    [[ -f qt6-base_$version+dfsg.orig.tar.xz ]] && return
    local list=$work/src.sources system_sources=/etc/apt/sources.list.d/debian.sources
    if [[ -f "$system_sources" ]]; then
        sed 's/^Types: deb$/Types: deb-src/' "$system_sources" >"$list"
    else # the one-line format of /etc/apt/sources.list
        list=$work/src.list
        sed -n 's/^deb /deb-src /p' /etc/apt/sources.list >"$list"
    fi
    mkdir -p lists/partial
    local apt_src=(-o Dir::Etc::sourcelist="$list" -o Dir::Etc::sourceparts=/dev/null
                   -o Dir::State::Lists="$work/lists")
    apt-get "${apt_src[@]}" update
    apt-get "${apt_src[@]}" source --download-only "qt6-base=$(qt_debian_version)"
}

# The version of Debian's installed Qt, whose source is wanted.
qt_debian_version()
{
    dpkg-query -W -f='${source:Version}' qt6-base-dev
}

# Debian's source leaves out the Wintab header: the Windows platform plugins are built without
# tablet input. And Qt 6.4.2's Windows plugin makes one OpenGL call under dynamicgl even when
# OpenGL is off. Both edits are made once, on a freshly unpacked tree.
unpack_source()
{
    src=$work/qtbase-everywhere-src-$version
    [[ -f "$src/.tallyra-patched" ]] && return
    rm -rf "$src"
    tar xf qt6-base_$version+dfsg.orig.tar.xz
    local windows=$src/src/plugins/platforms/windows
    for f in qwindowscontext.cpp qwindowspointerhandler.cpp qwindowspointerhandler.h; do
        sed -i 's/QT_CONFIG(tabletevent)/(QT_CONFIG(tabletevent) \&\& __has_include(<wintab.h>))/' \
            "$windows/$f"
    done
    for plugin in windows direct2d; do
        sed -i 's/CONDITION QT_FEATURE_tabletevent$/CONDITION QT_FEATURE_tabletevent AND EXISTS "${QtBase_SOURCE_DIR}\/src\/3rdparty\/wintab"/' \
            "$src/src/plugins/platforms/$plugin/CMakeLists.txt"
    done
    sed -i 's/^#if QT_CONFIG(dynamicgl)$/#if QT_CONFIG(dynamicgl) \&\& QT_CONFIG(opengl)/' \
        "$windows/qwindowswindow.cpp"
    grep -q '__has_include(<wintab.h>)' "$windows/qwindowscontext.cpp"
    grep -q 'QT_CONFIG(dynamicgl) && QT_CONFIG(opengl)' "$windows/qwindowswindow.cpp"
    touch "$src/.tallyra-patched"
}

# Only what Tallyra uses: Core, Gui, Widgets, Test and Print Support (which holds Windows
# printing itself in Qt 6: no plugin); the Windows and offscreen platforms and the Windows
# styles; Qt's own copies of zlib, libpng, FreeType, HarfBuzz and PCRE2.
configure_qt()
{
    # A build configured by an earlier version of this script, without Print Support, is
    # configured again.
    [[ -f build/build.ninja ]] && grep -q '^FEATURE_printsupport:BOOL=ON' build/CMakeCache.txt &&
        return
    cmake -G Ninja -S "$src" -B build \
        -DCMAKE_TOOLCHAIN_FILE="$root/cmake/windows/mingw-w64-bootstrap.cmake" \
        -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
        -DCMAKE_INSTALL_PREFIX="$prefix" -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=ON \
        -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_opengl=OFF -DFEATURE_dbus=OFF \
        -DFEATURE_testlib=ON -DFEATURE_printsupport=ON -DFEATURE_concurrent=OFF \
        -DFEATURE_xml=OFF -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF \
        -DFEATURE_system_zlib=OFF -DFEATURE_system_pcre2=OFF -DFEATURE_system_harfbuzz=OFF \
        -DFEATURE_system_freetype=OFF -DFEATURE_system_png=OFF -DFEATURE_system_jpeg=OFF \
        -DFEATURE_system_doubleconversion=OFF
}

# Qt Charts' source, from the tarball beside the shared Qt for Windows.
charts_tarball()
{
    local candidate
    for candidate in "${TALLYRA_QTCHARTS_SOURCE:-}" \
        "$root/../shared/windows/qtcharts-everywhere-src-$version.tar.xz" \
        "/work/shared/windows/qtcharts-everywhere-src-$version.tar.xz"; do
        if [[ -n "$candidate" && -f "$candidate" ]]; then
            echo "$candidate"
            return 0
        fi
    done
    echo "No qtcharts-everywhere-src-$version.tar.xz in ../shared/windows or" \
         "/work/shared/windows: name it with TALLYRA_QTCHARTS_SOURCE" >&2
    return 1
}

# Qt Charts against the Qt just installed into the prefix; without OpenGL it draws without
# OpenGL acceleration.
build_charts()
{
    local charts_src=$work/qtcharts-everywhere-src-$version
    [[ -d "$charts_src" ]] || tar xf "$(charts_tarball)"
    cmake -G Ninja -S "$charts_src" -B build-charts \
        -DCMAKE_TOOLCHAIN_FILE="$prefix/lib/cmake/Qt6/qt.toolchain.cmake" \
        -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
        -DCMAKE_INSTALL_PREFIX="$prefix" -DCMAKE_BUILD_TYPE=Release \
        -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF
    cmake --build build-charts --parallel "${TALLYRA_JOBS:-2}"
    cmake --install build-charts
}

charts_tarball >/dev/null # before an hour's build, not after it
fetch_source
unpack_source
configure_qt
if $configure_only; then
    echo "Qt $version for Windows is configured in $work/build; run again without" \
         "--configure-only to build it"
    exit 0
fi
cmake --build build --parallel "${TALLYRA_JOBS:-2}"
rm -rf "$prefix"
cmake --install build
build_charts
cp "$root/cmake/windows/mingw-w64-bootstrap.cmake" "$root/cmake/windows/mingw-w64-x86_64.cmake" \
    "$prefix/"
touch "$prefix/.tallyra-complete"
echo "Qt $version for Windows is in $prefix"
