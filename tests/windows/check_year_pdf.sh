#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# shellcheck disable=SC1111 # the planner's message quotes a menu command in “”
# The year planner's PDF on Windows: test_year_files, run under Wine, exports the realistic year
# as a PDF and prints through the print dialog to a PDF; pdfinfo and pdftotext, Linux programs,
# read both here: the pages, and the inputs and the months' figures the Linux test checks (the
# suite leaves each PDF beside the list of what it must hold). And 文件 → 打印 on a Windows without
# a printer (Wine has none): Windows' own print dialog cannot open, and the user is told so and
# where a PDF is made instead.
#   check_year_pdf.sh <test_year_files.exe> <year_probe.exe>
# shellcheck source=wine_checks.sh
source "$(dirname "${BASH_SOURCE[0]}")/wine_checks.sh"
suite=$1
probe=$2
export LC_ALL=C.UTF-8 LANG=C.UTF-8 # as the suite runs elsewhere
kept="$WINEPREFIX/drive_c/tallyra-pdf"
rm -rf "$kept"
mkdir -p "$kept"

TALLYRA_PDF_KEEP='C:\tallyra-pdf' win "$suite" exportsAPdf printsThroughThePrintDialog >/dev/null
for name in year printed; do
    expected="$kept/$name.expected"
    expect "$name.pdf written under Wine" \
        "$([[ -s "$kept/$name.pdf" && -s "$expected" ]] && echo yes || echo no)" yes
    [[ -s "$expected" ]] || continue
    pages=$(pdfinfo "$kept/$name.pdf" | sed -n 's/^Pages: *//p')
    wanted=$(sed -n '1s/^pages: //p' "$expected")
    if [[ "$wanted" == "at least "* ]]; then
        expect "$name.pdf: $wanted pages" "$((pages >= ${wanted#at least }))" 1
    else
        expect "$name.pdf: $wanted pages" "$pages" "$wanted"
    fi
    # Qt's PDF writer maps some ideographs to the Kangxi radicals that share their glyph (月 as
    # ⽉): the text is compared compatibility-normalized, as the suite does on Linux.
    text=$(pdftotext -layout "$kept/$name.pdf" - |
        python3 -c 'import sys, unicodedata; print(unicodedata.normalize("NFKC", sys.stdin.read()))')
    while IFS= read -r part; do
        expect "$name.pdf holds '$part'" "$([[ "$text" == *"$part"* ]] && echo yes || echo no)" yes
    done < <(tail -n +2 "$expected")
done
rm -rf "$kept"

expect "打印 without a printer: said so, nothing printed" "$(win "$probe" print)" \
"no printer chosen
message: 没有安装打印机，无法打开打印对话框。可用“文件 → 导出 PDF”保存后再打印。"
finish
