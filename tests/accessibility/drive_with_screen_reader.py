# SPDX-License-Identifier: MIT
"""Drives Malvoran through the accessibility bus as a screen reader user would: find the colour lists
by their names, choose colours with the arrow keys, hear the resistor picture name them, press
"Изчисли" through its action and read the report back."""
import sys
import time

import pyatspi

EXAMPLES = [
    # (first digit, second digit, multiplier, tolerance) as positions, and the report expected
    ((4, 7, 2, 6), ["Избрана стойност: 47", "Номинал:  4.7 k", "Точност: 5%"]),
    ((1, 0, 5, 0), ["Избрана стойност: 10", "Номинал:  1 m", "Точност: 1%"]),
    ((2, 2, 0, None), ["Избрана стойност: 22", "Номинал:  22", "Точност: не е посочена!"]),
]
LISTS = ["Първа цифра", "Втора цифра", "Множител", "Точност"]
failures = []


def fail(message):
    print("FAIL: " + message, flush=True)
    failures.append(message)


def wait_for(what, find, seconds=20):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        found = find()
        if found is not None:
            return found
        time.sleep(0.1)
    sys.exit(f"FAIL: {what} not found on the accessibility bus")


def application():
    desktop = pyatspi.Registry.getDesktop(0)
    for i in range(desktop.childCount):
        app = desktop.getChildAtIndex(i)
        if app is not None and app.name == "Malvoran":
            return app
    return None


def named(root, role, name):
    return pyatspi.findDescendant(root, lambda a: a.getRole() == role and a.name == name)


XK_DOWN = 0xFF54
XK_TAB = 0xFF09


def press(keysym, times=1):
    for _ in range(times):
        pyatspi.Registry.generateKeyboardEvent(keysym, None, pyatspi.KEY_SYM)
        time.sleep(0.05)


def focused(accessible):
    return accessible.getState().contains(pyatspi.STATE_FOCUSED)


def move_focus_to(accessible):
    # As a keyboard user does: Tab round the window until the control has the focus.
    for _ in range(8):
        if settle(lambda: focused(accessible), 0.5):
            return True
        press(XK_TAB)
    return focused(accessible)


def selected_name(accessible):
    # What a screen reader announces as chosen: the item whose state says "selected".
    for i in range(accessible.childCount):
        item = accessible.getChildAtIndex(i)
        if item is not None and item.getState().contains(pyatspi.STATE_SELECTED):
            return item.name
    return None


def settle(check, seconds=5):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        if check():
            return True
        time.sleep(0.05)
    return False


app = wait_for("the Malvoran application", application)
lists = [wait_for(f"list '{n}'", lambda n=n: named(app, pyatspi.ROLE_LIST, n)) for n in LISTS]
calculate = wait_for("button 'Изчисли'", lambda: named(app, pyatspi.ROLE_PUSH_BUTTON, "Изчисли"))
clear = wait_for("button 'Изтрий'", lambda: named(app, pyatspi.ROLE_PUSH_BUTTON, "Изтрий"))
report = wait_for("the report box 'Резултат'", lambda: named(app, pyatspi.ROLE_TEXT, "Резултат"))
resistor = wait_for("the picture 'Резистор'", lambda: named(app, pyatspi.ROLE_IMAGE, "Резистор"))

text = report.queryText()
intro = text.getText(0, -1)
if not intro.startswith("Резисторът е пасивен електронен компонент"):
    fail(f"report box starts with {intro[:40]!r}")

for positions, expected in EXAMPLES:
    clear.queryAction().doAction(0)
    if not settle(lambda: all(selected_name(colours) is None for colours in lists)):
        fail("'Изтрий' left a colour chosen")
    if not settle(lambda: resistor.description == "няма, няма, няма, няма"):
        fail(f"after 'Изтрий' the picture says {resistor.description!r}")
    for accessible, position in zip(lists, positions):
        if position is None:
            continue
        if not move_focus_to(accessible):
            fail(f"{accessible.name}: Tab never reached it")
        # The first Down chooses the first colour; each further Down the next one.
        press(XK_DOWN, position + 1)
        want = accessible.getChildAtIndex(position).name
        if not settle(lambda: selected_name(accessible) == want):
            fail(f"{accessible.name}: chose {selected_name(accessible)!r}, wanted {want!r}")
    # The picture names the chosen colours in band order as soon as they are chosen.
    bands = [colours.getChildAtIndex(p).name if p is not None else "няма" for colours, p in zip(lists, positions)]
    if not settle(lambda: resistor.description == ", ".join(bands)):
        fail(f"{positions}: the picture says {resistor.description!r}, wanted {', '.join(bands)!r}")
    action = calculate.queryAction()
    names = [action.getName(i) for i in range(action.nActions)]
    if "Press" not in names:
        sys.exit(f"FAIL: 'Изчисли' offers no Press action, only {names}")
    action.doAction(names.index("Press"))
    want_text = "\n".join(expected) + "\n"
    if not settle(lambda: report.queryText().getText(0, -1) == want_text):
        fail(f"{positions}: report {report.queryText().getText(0, -1)!r}, wanted {want_text!r}")
    else:
        print(f"OK {positions}: {expected}")

if failures:
    sys.exit(1)
print(f"accessibility bus: {len(EXAMPLES)} reports read back")
