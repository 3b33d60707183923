# SPDX-License-Identifier: MIT
"""Plays a round of "Malvoran — упражнение" through the accessibility bus as a screen reader user
would: the keyboard alone, and only what the bus tells. Each new task and each judgement must reach
the bus as soon as it is written; the answers are worked out from the picture's colours and the
task's words, and every one of round 4821's ten must be judged right."""
import re
import sys
import time
from fractions import Fraction

import pyatspi
from gi.repository import GLib

ROUND = "4821"
LISTS = ["Първа цифра", "Втора цифра", "Множител", "Точност"]
# The tolerance each tolerance colour stands for, in per cent.
TOLERANCES = {"кафяв": Fraction(1), "червен": Fraction(2), "зелен": Fraction(1, 2), "син": Fraction(1, 4),
              "виолетов": Fraction(1, 10), "сив": Fraction(1, 20), "златист": Fraction(5),
              "сребрист": Fraction(10)}
PREFIXES = {"": 1, "k": 1000, "M": 1000000}
XK = {"Tab": 0xFF09, "Return": 0xFF0D, "Home": 0xFF50, "Down": 0xFF54}
failures = []
heard = []


def fail(message):
    print("FAIL: " + message, flush=True)
    failures.append(message)


def pump(seconds):
    # Events from the bus arrive through GLib's main loop, which only runs while it is turned.
    context = GLib.MainContext.default()
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        if not context.iteration(False):
            time.sleep(0.01)


def settle(check, seconds=5):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        if check():
            return True
        pump(0.05)
    return False


def wait_for(what, find, seconds=20):
    found = []
    settle(lambda: found.append(find()) or found[-1] is not None, seconds)
    if not found or found[-1] is None:
        sys.exit(f"FAIL: {what} not found on the accessibility bus")
    return found[-1]


def application():
    desktop = pyatspi.Registry.getDesktop(0)
    for i in range(desktop.childCount):
        app = desktop.getChildAtIndex(i)
        if app is not None and app.name == "Malvoran — упражнение":
            return app
    return None


def named(root, role, name):
    return pyatspi.findDescendant(root, lambda a: a.getRole() == role and name(a.name))


def press(key, times=1):
    for _ in range(times):
        pyatspi.Registry.generateKeyboardEvent(XK.get(key, ord(key[0])), None, pyatspi.KEY_SYM)
        pump(0.05)


def type_text(text):
    for character in text:
        press(character)


def focused(accessible):
    return accessible.getState().contains(pyatspi.STATE_FOCUSED)


def move_focus_to(accessible):
    for _ in range(12):
        if settle(lambda: focused(accessible), 0.3):
            return True
        press("Tab")
    return False


def on_event(event):
    try:
        heard.append((event.type, event.source.getRoleName(), event.source.name, event.any_data))
    except Exception:  # an object gone by the time its event is read
        pass


def tasks_heard(since):
    """The statements the bus was told of after event `since`: the task label's new names."""
    return [name for kind, role, name, _ in heard[since:]
            if kind.startswith("object:property-change:accessible-name") and role == "label"
            and name.startswith("Задача ")]


def inserted(box, since):
    """The texts written into `box` that the bus was told of after event `since`."""
    return [data for kind, _, name, data in heard[since:] if kind.startswith("object:text-changed:insert")
            and name == box]


def focus_went_to(since):
    return {name for kind, _, name, _ in heard[since:] if kind.startswith("focus:")}


def text_of(box):
    return box.queryText().getText(0, -1)


def positions(lists):
    return [{lists[band].getChildAtIndex(i).name: i for i in range(lists[band].childCount)} for band in range(4)]


def value_of(colours, lists):
    """The nominal value in ohms and the tolerance in per cent of the resistor of `colours`."""
    where = positions(lists)
    first, second, multiplier = (where[band][colours[band]] for band in range(3))
    return (first * 10 + second) * 10 ** multiplier, TOLERANCES[colours[3]]


def decimal(value):
    """`value` as a student types it: a decimal comma, no exponent."""
    whole, rest = divmod(value, 1)
    digits = ""
    while rest:
        rest *= 10
        digit, rest = divmod(rest, 1)
        digits += str(digit)
    return str(whole) + ("," + digits if digits else "")


def choose_bands(statement, lists):
    """Chooses the colours of the resistor that `statement` asks for, list after list."""
    match = re.search(r"резистор ([0-9,]+)\u00a0(k|M)?Ω ±([0-9,]+)%", statement)
    if match is None:
        fail(f"no value in {statement!r}")
        return
    ohms = Fraction(match.group(1).replace(",", ".")) * PREFIXES[match.group(2) or ""]
    tolerance = Fraction(match.group(3).replace(",", "."))
    multiplier = 0
    while ohms >= 100:
        ohms /= 10
        multiplier += 1
    where = positions(lists)
    tolerance_colour = next(name for name, percent in TOLERANCES.items() if percent == tolerance)
    wanted = [int(ohms) // 10, int(ohms) % 10, multiplier, where[3][tolerance_colour]]
    for band, position in enumerate(wanted):
        if not move_focus_to(lists[band]):
            fail(f"{LISTS[band]}: Tab never reached it")
        # Home chooses the first colour, each Down the next.
        press("Home")
        press("Down", position)
    return ", ".join(lists[band].getChildAtIndex(position).name for band, position in enumerate(wanted))


app = wait_for("the application 'Malvoran — упражнение'", application)
statement = wait_for("the task", lambda: named(app, pyatspi.ROLE_LABEL, lambda n: n.startswith("Задача ")))
picture = wait_for("the picture 'Резистор'", lambda: named(app, pyatspi.ROLE_IMAGE, lambda n: n == "Резистор"))
lists = [wait_for(f"list '{n}'", lambda n=n: named(app, pyatspi.ROLE_LIST, lambda m: m == n)) for n in LISTS]
answer = wait_for("the box 'Отговор'", lambda: named(app, pyatspi.ROLE_TEXT, lambda n: n == "Отговор"))
feedback = wait_for("the box 'Оценка'", lambda: named(app, pyatspi.ROLE_TEXT, lambda n: n == "Оценка"))
round_box = wait_for("the box 'Кръг'", lambda: named(app, pyatspi.ROLE_TEXT, lambda n: n == "Кръг"))
buttons = {n: wait_for(f"button '{n}'", lambda n=n: named(app, pyatspi.ROLE_PUSH_BUTTON, lambda m: m == n))
           for n in ["Провери", "Следваща", "Нов кръг"]}
score = wait_for("the score", lambda: named(app, pyatspi.ROLE_LABEL, lambda n: n.startswith("Верни: ")))
if score.name != "Верни: 0 от 0":
    fail(f"the score starts as {score.name!r}")
if feedback.getState().contains(pyatspi.STATE_EDITABLE) or not answer.getState().contains(pyatspi.STATE_EDITABLE):
    fail("the feedback should be read-only and the answer box editable")

for kind in ["object:property-change:accessible-name", "object:text-changed:insert", "focus:"]:
    pyatspi.Registry.registerEventListener(on_event, kind)

# Round 4821, typed into its box, which Tab reaches with its old number selected.
if not move_focus_to(round_box):
    sys.exit("FAIL: Tab never reached the box 'Кръг'")
since = len(heard)
type_text(ROUND)
press("Return")
if not settle(lambda: any(n.startswith("Задача 1 от 10.") for n in tasks_heard(since))):
    fail(f"the first task of round {ROUND} was not announced: {tasks_heard(since)}")

for number in range(1, 11):
    task = statement.name
    if not task.startswith(f"Задача {number} от 10."):
        fail(f"task {number}: the statement says {task!r}")
        break
    since = len(heard)
    if "Изберете цветовете" in task:
        if not focused(lists[0]):
            fail(f"task {number}: the focus is not on the first list")
        given = choose_bands(task, lists)
        if not move_focus_to(buttons["Провери"]):
            fail(f"task {number}: Tab never reached 'Провери'")
        press("Return")
    else:
        if not focused(answer):
            fail(f"task {number}: the focus is not on the answer box")
        colours = picture.description.split(", ")
        ohms, tolerance = value_of(colours, lists)
        if "най-малката" in task:
            ohms = ohms * (100 - tolerance) / 100
        elif "най-голямата" in task:
            ohms = ohms * (100 + tolerance) / 100
        given = decimal(ohms)
        type_text(given)
        press("Return")
    last = number == 10
    wanted_score = f"Верни: {number} от {number}"
    if not settle(lambda: score.name == wanted_score and text_of(feedback)):
        fail(f"task {number} ({given}): the score is {score.name!r}, the feedback {text_of(feedback)!r}")
        break
    judged = text_of(feedback)
    if not judged.startswith("Вярно!\n"):
        fail(f"task {number} ({given}): {judged!r}")
    # The judgement reaches the bus whole as it is written, line breaks as the box's paragraphs.
    told = [t.replace("\u2029", "\n") for t in inserted("Оценка", since)]
    if told != [judged]:
        fail(f"task {number}: the bus heard {told!r}, the box holds {judged!r}")
    if not settle(lambda: focused(buttons["Нов кръг" if last else "Следваща"])):
        fail(f"task {number}: the focus did not go on after the judgement")
    print(f"OK task {number}: {task} -> {given}", flush=True)
    if last:
        if not judged.endswith("Край на кръга. Верни отговори: 10 от 10.\n"):
            fail(f"the last judgement ends {judged[-60:]!r}")
        break
    # "Следваща" has the focus: Enter presses it, and the focus goes straight to the next task's
    # first control, by no other on the way.
    since = len(heard)
    press("Return")
    if not settle(lambda: any(n.startswith(f"Задача {number + 1} от 10.") for n in tasks_heard(since))):
        fail(f"task {number + 1} was not announced: {tasks_heard(since)}")
    settle(lambda: focused(answer) or focused(lists[0]))
    visited = focus_went_to(since)
    allowed = {"Следваща", "Отговор", LISTS[0]} | set(positions(lists)[0])
    if not visited <= allowed:
        fail(f"task {number + 1}: the focus went by {sorted(visited - allowed)}")

# The same round asked for twice (with a leading zero, since the number the box already shows asks for
# a fresh round): its first task, the same words as just before, is announced again.
for time_asked in (1, 2):
    if not move_focus_to(round_box):
        fail("Tab never reached the box 'Кръг'")
    since = len(heard)
    type_text("0" + ROUND)
    press("Return")
    if not settle(lambda: tasks_heard(since) == [statement.name] and statement.name.startswith("Задача 1 от 10.")):
        fail(f"round {ROUND} asked for {time_asked}: the bus heard {tasks_heard(since)}")

if failures:
    sys.exit(1)
print(f"accessibility bus: round {ROUND} played from the keyboard, ten of ten judged right")
