#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package with CPack into a temporary folder and checks its fields and its
# file list: computed library dependencies, the Chinese font, Qt's translations, and only the
# program's own files under /usr.
# Usage: check_deb.sh BUILD_DIR PROJECT_VERSION
set -euo pipefail
build=$1 version=$2

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

if ! cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work" >"$work/cpack.log" 2>&1; then
    cat "$work/cpack.log" >&2
    exit 1
fi
shopt -s nullglob
debs=("$work"/tallyra_"$version"_*.deb)
if ((${#debs[@]} != 1)); then
    fail "expected one tallyra_${version}_<arch>.deb, found: $(ls "$work")"
    exit 1
fi
deb=${debs[0]}

field() { dpkg-deb -f "$deb" "$1"; }
[[ $(field Package) == tallyra ]] || fail "Package is '$(field Package)'"
[[ $(field Version) == "$version" ]] || fail "Version is '$(field Version)', not $version"
[[ $(field Section) == utils ]] || fail "Section is '$(field Section)'"
[[ $(field Architecture) == "$(dpkg --print-architecture)" ]] ||
    fail "Architecture is '$(field Architecture)'"
depends=$(field Depends)
for needed in libqt6widgets6 libqt6gui6 libqt6core6 libstdc++6 'fonts-noto-cjk | fonts-wqy-microhei'; do
    [[ ", $depends," == *", $needed"[\ ,]* ]] || fail "Depends lacks $needed: $depends"
done
[[ $(field Recommends) == *qt6-translations-l10n* ]] ||
    fail "Recommends lacks qt6-translations-l10n: $(field Recommends)"

dpkg-deb -c "$deb" | awk '{print $6}' >"$work/files"
# The calculator's files, and the year planner's where it was built (it needs Qt Charts).
ids=(io.github.tallyra.Tallyra)
expected=(./usr/bin/tallyra ./usr/bin/tallyra-payroll ./usr/share/tallyra/readme.txt
    ./usr/share/doc/tallyra/copyright)
if [[ -e $build/yearapp/tallyra-year ]]; then
    ids+=(io.github.tallyra.TallyraYear)
    expected+=(./usr/bin/tallyra-year)
    for needed in libqt6charts6 libqt6printsupport6; do
        [[ ", $depends," == *", $needed"[\ ,]* ]] || fail "Depends lacks $needed: $depends"
    done
fi
entries=$(grep -c '^\./usr/share/applications/.*\.desktop$' "$work/files" || true)
((entries == ${#ids[@]})) || fail "expected ${#ids[@]} desktop entries in the package, found $entries"
for id in "${ids[@]}"; do
    expected+=(
        "./usr/share/applications/$id.desktop"
        "./usr/share/metainfo/$id.metainfo.xml"
        "./usr/share/icons/hicolor/scalable/apps/$id.svg"
    )
    for size in 16 22 24 32 48 64 128 256; do
        expected+=("./usr/share/icons/hicolor/${size}x${size}/apps/$id.png")
    done
done
for file in "${expected[@]}"; do
    grep -qxF "$file" "$work/files" || fail "the package lacks $file"
done
# Nothing else: no test programs, no build leftovers, nothing outside /usr.
unexpected=$(grep -v '/$' "$work/files" | grep -vxF -f <(printf '%s\n' "${expected[@]}") || true)
[[ -z $unexpected ]] || fail "unexpected files in the package: $unexpected"

((failures == 0)) || exit 1
echo "$(basename "$deb"): Depends: $depends"
