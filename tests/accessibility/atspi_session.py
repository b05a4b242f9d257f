#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Uses Tallyra as a screen reader does, over AT-SPI: finds the salary box by its accessible
name, types a salary, presses Enter, reads the results back by name.

Run by check_atspi.sh, which starts the program on its own X server and D-Bus session."""
import sys
import time

import pyatspi

SALARY_BOX = "税前薪水（输入）"
RESULTS = ["税前薪水", "所得税", "税后薪资", "实际现金", "个人总计", "个人公积金"]


def wait_for(what, find, seconds=20.0):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        found = find()
        if found is not None:
            return found
        time.sleep(0.2)
    sys.exit(f"not found within {seconds:.0f} s: {what}")


def application(name):
    desktop = pyatspi.Registry.getDesktop(0)
    for app in desktop:
        if app is not None and app.name.lower() == name.lower():
            return app
    return None


def by_name(root, name, role=pyatspi.ROLE_TEXT):
    return pyatspi.findDescendant(root, lambda a: a.name == name and a.getRole() == role)


def text_of(accessible):
    text = accessible.queryText()
    return text.getText(0, text.characterCount)


def type_keys(text):
    for char in text:
        pyatspi.Registry.generateKeyboardEvent(ord(char), None, pyatspi.KEY_SYM)
        time.sleep(0.05)


def main(salary, expected):
    app = wait_for("the Tallyra application on the accessibility bus", lambda: application("Tallyra"))
    print(f"application: {app.name}, {app.childCount} window(s)")
    box = wait_for(f"a text box named {SALARY_BOX}", lambda: by_name(app, SALARY_BOX))
    print(f"found {box.getRoleName()} named {box.name!r}, value {text_of(box)!r}")
    box.queryComponent().grabFocus()
    wait_for("the focus in the salary box", lambda: box if box.getState().contains(pyatspi.STATE_FOCUSED) else None)
    box.queryEditableText().setTextContents("")
    type_keys(salary)
    pyatspi.Registry.generateKeyboardEvent(0xFF0D, None, pyatspi.KEY_SYM)  # Return
    print(f"typed {salary!r} into {box.name!r} ({text_of(box)!r}) and pressed Enter")

    pre_tax = by_name(app, "税前薪水")
    wait_for("the result in the box named 税前薪水", lambda: pre_tax if text_of(pre_tax) != "0" else None, 10)
    failures = 0
    for name in RESULTS:
        result = by_name(app, name)
        value = text_of(result)
        mark = "ok" if value == expected[name] else f"expected {expected[name]!r}"
        failures += value != expected[name]
        print(f"{name}: {value!r} ({result.description}) {mark}")
    switch_direction(app)
    return 1 if failures else 0


def switch_direction(app):
    """Shift+Tab from the salary box reaches the direction list, Down there chooses 税后; the
    salary box is then called by that name."""
    # On Linux a list box is announced by its chosen entry, its purpose by its description.
    direction = by_name(app, "税前", pyatspi.ROLE_COMBO_BOX)
    print(f"direction list {direction.name!r}: {direction.description}")
    pyatspi.Registry.generateKeyboardEvent(0xFE20, None, pyatspi.KEY_SYM)  # Shift+Tab
    wait_for("the focus in the direction list",
             lambda: direction if direction.getState().contains(pyatspi.STATE_FOCUSED) else None)
    pyatspi.Registry.generateKeyboardEvent(0xFF54, None, pyatspi.KEY_SYM)  # Down
    after_tax = wait_for("a text box named 税后薪水（输入）", lambda: by_name(app, "税后薪水（输入）"), 10)
    print(f"direction list now {direction.name!r}, the salary box is called {after_tax.name!r}")


# 8000 before tax with the four funds at their standard rates, 7 + 8 + 2 + 1 % = 18 %: the
# housing fund is 560 (its box greyed out, yet readable), the employee's total 1440. 8000 - 1000
# lies in the 20 % row (deduction 375), so the tax is (8000 - 1440 - 1000) * 20 % - 375 = 737,
# leaving 7263 after tax and 7263 - 1440 = 5823 in cash.
EXPECTED = {
    "税前薪水": "8000",
    "所得税": "737",
    "税后薪资": "7263",
    "实际现金": "5823",
    "个人总计": "1440",
    "个人公积金": "560",
}

if __name__ == "__main__":
    sys.exit(main("8000", EXPECTED))
