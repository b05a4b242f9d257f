#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Prints the folder of Qt 6.4.2 for Windows to build against, unpacking a shared copy into the
# cache first where that is what there is. In this order:
#   1. $TALLYRA_QT_WIN_PREFIX, when set;
#   2. the cache, ~/.cache/tallyra/qt-6.4.2-mingw64 (made by build-qt.sh, or unpacked before);
#   3. a shared copy, qt-6.4.2-mingw64-charts-print.tar.xz (Qt with Print Support and Qt Charts,
#      which the year planner needs) in ../shared/windows beside the checkout or in
#      /work/shared/windows ($TALLYRA_QT_WIN_ARCHIVE names another), unpacked into the cache.
# A Qt without Print Support or Qt Charts (an earlier build) is not used: it is unpacked or built
# again.
# Exits with status 3, printing nothing, when there is none of them.
# shellcheck source=report-failures.sh
source "$(dirname "${BASH_SOURCE[0]}")/report-failures.sh"
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
name=qt-6.4.2-mingw64 # the folder the archive unpacks to
archive_name=$name-charts-print.tar.xz
cache=${TALLYRA_CACHE_DIR:-$HOME/.cache/tallyra}
prefix=$cache/$name

usable()
{
    local dll
    [[ -f "$1/mingw-w64-x86_64.cmake" ]] || return 1
    for dll in Qt6Widgets Qt6PrintSupport Qt6Charts; do
        [[ -f "$1/bin/$dll.dll" ]] || return 1
    done
}

if [[ -n "${TALLYRA_QT_WIN_PREFIX:-}" ]]; then
    usable "$TALLYRA_QT_WIN_PREFIX" || {
        echo "TALLYRA_QT_WIN_PREFIX=$TALLYRA_QT_WIN_PREFIX holds no Qt for Windows with Print" \
             "Support and Qt Charts" >&2
        exit 1
    }
    echo "$TALLYRA_QT_WIN_PREFIX"
    exit 0
fi

archive=""
for candidate in "${TALLYRA_QT_WIN_ARCHIVE:-}" "$root/../shared/windows/$archive_name" \
                 "/work/shared/windows/$archive_name"; do
    if [[ -n "$candidate" && -f "$candidate" ]]; then
        archive=$candidate
        break
    fi
done

# The cache is complete once its marker is there: build-qt.sh writes it last, and an unpacked
# copy names its archive and that archive's checksum, so a changed archive is unpacked again.
marker=$prefix/.tallyra-complete
if [[ -f "$marker" ]] && usable "$prefix"; then
    if [[ -z "$archive" ]] || ! grep -q '^unpacked ' "$marker" ||
        [[ "$(cat "$marker")" == "unpacked $(sha256sum <"$archive" | cut -d' ' -f1)" ]]; then
        echo "$prefix"
        exit 0
    fi
fi

[[ -n "$archive" ]] || exit 3
echo "Unpacking $archive into $cache" >&2
mkdir -p "$cache"
staging=$(mktemp -d "$cache/.unpacking.XXXXXX")
trap 'rm -rf "$staging"' EXIT
tar -xJf "$archive" -C "$staging"
usable "$staging/$name" || {
    echo "$archive holds no Qt for Windows with Print Support and Qt Charts" >&2
    exit 1
}
echo "unpacked $(sha256sum <"$archive" | cut -d' ' -f1)" >"$staging/$name/.tallyra-complete"
rm -rf "$prefix"
mv "$staging/$name" "$prefix"
echo "$prefix"
