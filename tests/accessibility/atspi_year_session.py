#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Uses the year planner as a screen reader does, over AT-SPI: finds the wage box by its
accessible name, types a wage, and reads months' tax from the year table by the cells' names.

Run by check_atspi.sh, which starts the program on its own X server and D-Bus session."""
import sys
import time

import pyatspi

from atspi_session import application, by_name, text_of, type_keys, wait_for

WAGE_BOX = "月工资"


def cell_starting(root, prefix):
    return pyatspi.findDescendant(
        root, lambda a: a.getRole() == pyatspi.ROLE_TABLE_CELL and a.name.startswith(prefix))


def main(wage, expected):
    app = wait_for("the year planner on the accessibility bus", lambda: application("tallyra-year"))
    print(f"application: {app.name}, {app.childCount} window(s)")
    table = wait_for("the table named 全年逐月明细",
                     lambda: by_name(app, "全年逐月明细", pyatspi.ROLE_TABLE))
    print(f"found {table.getRoleName()} named {table.name!r}: {table.description}")
    box = wait_for(f"a text box named {WAGE_BOX}", lambda: by_name(app, WAGE_BOX))
    print(f"found {box.getRoleName()} named {box.name!r}, value {text_of(box)!r}")
    box.queryComponent().grabFocus()
    wait_for("the focus in the wage box",
             lambda: box if box.getState().contains(pyatspi.STATE_FOCUSED) else None)
    box.queryEditableText().setTextContents("")
    type_keys(wage)
    print(f"typed {wage!r} into {box.name!r} ({text_of(box)!r})")

    def named(prefix, name):
        cell = cell_starting(table, prefix)
        return cell if cell is not None and cell.name == name else None

    for prefix, name in expected.items():
        cell = wait_for(f"a cell named {name!r}", lambda: named(prefix, name), 10)
        print(f"{prefix}: {cell.name!r} ok")
    return 0


# 25,000 a month with the default contributions of 17.5 % (4,375): 15,625 taxable a month. March
# passes 36,000 (46,875 in all) and steps up to 10 %: 46,875 × 10 % − 2,520 = 2,167.50 due, less
# the 937.50 of January and February, so March withholds 1,230.00. The year's 187,500 lies in
# the 20 % row: 37,500 − 16,920 = 20,580 withheld in all.
EXPECTED = {
    "1月 本月预扣税": "1月 本月预扣税 468.75 元",
    "3月 本月预扣税": "3月 本月预扣税 1,230.00 元",
    "3月 税率": "3月 税率 10%，本月税率上升",
    "全年合计 本月预扣税": "全年合计 本月预扣税 20,580.00 元",
}

if __name__ == "__main__":
    sys.exit(main("25000", EXPECTED))
