#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""The page as a student meets it in Chromium, beyond the window contract: the designed window at
the design's pixels and colours, what a screen reader finds, the keys and the tab order, the resistor
picture, a phone's screen, the browser's themes, zoom and language, a paste far past the report box's
limit, a reload, a browser without WebAssembly or without Times New Roman, and no request beyond the
page itself.

Usage: test_page.py <malvoran.html> <design.json> <folder for browser profiles> <fontconfig file without Times>
"""
import json
import os
import pathlib
import sys
import time

sys.dont_write_bytecode = True
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tools"))
from chromium import Chromium  # noqa: E402

# The reports the page must write, as the window contract's oracle writes them.
PROMPT = "Посочете цветен код!"
YELLOW_VIOLET_RED_GOLD = "Избрана стойност: 47\r\nНоминал:  4.7 k\r\nТочност: 5%\r\n"

failures = []


def check(condition, what):
    if not condition:
        failures.append(what)
        print("FAIL: " + what, flush=True)
    return condition


def js(value):
    return json.dumps(value, ensure_ascii=False)


class Window:
    """The page in one tab, with what the test asks of its window."""

    def __init__(self, browser, setup, width=800, height=600, scale=1, mobile=False, before=None):
        self.design = setup.design
        self.page = browser.open(None, width, height, scale, mobile)
        if before:
            before(self.page)
        self.page.go(setup.url)
        self.wait_ready()

    def wait_ready(self):
        self.page.wait_until("!document.querySelector('.window').hasAttribute('aria-busy')")

    def evaluate(self, expression):
        return self.page.evaluate(expression)

    def element(self, control):
        return "document.getElementById(%s)" % js(control)

    def chosen(self, band):
        return self.evaluate("Array.prototype.findIndex.call(%s.children, o => o.getAttribute('aria-selected') "
                             "=== 'true')" % self.element("List1(%d)" % band))

    def report(self):
        return self.evaluate("%s.value" % self.element("Text1(0)")).replace("\n", "\r\n")

    def description(self):
        return self.evaluate("%s.getAttribute('aria-description')" % self.element(self.design["resistor"]["id"]))

    def focused(self):
        return self.evaluate("document.activeElement.id")

    def origin(self):
        box = self.evaluate("(r => [r.x, r.y])(document.querySelector('.window').getBoundingClientRect())")
        return box

    def centre(self, control):
        return self.evaluate("(r => [r.x + r.width / 2, r.y + r.height / 2])(%s.getBoundingClientRect())"
                             % self.element(control))

    def click(self, control):
        x, y = self.centre(control)
        self.page.click(x, y)

    def click_colour(self, band, row):
        """Scrolls the colour into view with the list's wheel, as the student does, and clicks it."""
        list_id = "List1(%d)" % band
        self.evaluate("(l => { l.scrollTop = l.children[%d].offsetTop; })(%s)" % (row, self.element(list_id)))
        self.page.wait_until("(l => Math.abs(l.scrollTop - l.children[%d].offsetTop) < 1)(%s)"
                             % (row, self.element(list_id)))
        x, y = self.evaluate("(r => [r.x + r.width / 3, r.y + r.height / 2])(%s.children[%d]"
                             ".getBoundingClientRect())" % (self.element(list_id), row))
        self.page.click(x, y)

    def pixels(self):
        return self.page.screenshot()


def pixel(rows, x, y):
    return list(rows[int(round(y))][int(round(x))])


def designed_state_and_screen_reader(browser, setup):
    d = setup.design
    w = Window(browser, setup)
    check(w.evaluate("document.title") == d["title"], "the title is the design's")
    check(w.evaluate("document.documentElement.lang") == "bg", "the page is in Bulgarian")
    check(w.evaluate("document.querySelector('link[rel=icon]').href.startsWith('data:image/png;base64,')"),
          "the icon is inside the page")
    check(w.focused() == "Text1(0)", "the focus starts in the report box")
    check(w.report() == d["introduction"].replace("\n", "\r\n"), "the report box shows the introduction")
    check(all(w.chosen(band) == -1 for band in range(4)), "no colour is chosen at the start")
    check(w.description() == d["resistor"]["description"], "the picture's description names no colour")
    for control in d["controls"]:
        if control["text"]:
            shown = w.evaluate("%s.textContent" % w.element(control["id"]))
            check(shown == control["text"], "%s shows %r, not %r" % (control["id"], control["text"], shown))

    tree = w.page.send("Accessibility.getFullAXTree")["nodes"]
    found = {}
    for node in tree:
        role = node.get("role", {}).get("value")
        name = node.get("name", {}).get("value")
        found.setdefault((role, name), node.get("description", {}).get("value"))
    for control in d["controls"]:
        role = {"List1": "listbox", "Command1": "button", "Text1": "textbox"}.get(control["id"].split("(")[0])
        if role:
            check((role, control["name"]) in found, "a screen reader finds the %s %r" % (role, control["name"]))
            check(found.get((role, control["name"])) == control["description"],
                  "the %s %r is described" % (role, control["name"]))
    for names in d["lists"]:
        for name in names:
            check(("option", name) in found, "a screen reader finds the colour %r" % name)
    check(found.get(("image", d["resistor"]["name"])) == d["resistor"]["description"],
          "a screen reader finds the picture %r with its description" % d["resistor"]["name"])
    return w


def layout_and_colours(browser, setup, w):
    d = setup.design
    ox, oy = w.origin()
    size = w.evaluate("(r => [r.width, r.height])(document.querySelector('.window').getBoundingClientRect())")
    check(size == d["window"]["rect"][2:], "the window is %r pixels, not %r" % (d["window"]["rect"][2:], size))
    for control in d["controls"] + [{"id": d["resistor"]["id"], "rect": d["resistor"]["area"], "background": None}]:
        box = w.evaluate("(r => [r.x, r.y, r.width, r.height])(%s.getBoundingClientRect())" % w.element(control["id"]))
        placed = [box[0] - ox, box[1] - oy, box[2], box[3]]
        check(all(abs(a - b) <= 1 for a, b in zip(placed, control["rect"])),
              "%s stands at %r, within a pixel of %r" % (control["id"], placed, control["rect"]))
    rows = w.pixels()
    check(pixel(rows, ox + 2, oy + 2) == d["window"]["background"], "the window's background is the design's")
    for control in d["controls"]:
        x, y, width, height = control["rect"]
        if control["background"]:
            # A corner of the control, clear of its caption and of a button's rounded edge.
            check(pixel(rows, ox + x + 5, oy + y + 5) == control["background"],
                  "%s's background is %r" % (control["id"], control["background"]))
    # The report box wears the focus ring just outside its frame.
    x, y, width, height = next(c["rect"] for c in d["controls"] if c["id"] == "Text1(0)")
    check(pixel(rows, ox + x - 1, oy + y + height // 2) == d["focusMark"], "the focused report box has its ring")
    area = d["resistor"]["area"]
    between = d["resistor"]["bands"][2]
    check(pixel(rows, ox + between[0] + between[2] + 20, oy + area[1] + area[3] // 2) == d["resistor"]["body"],
          "the resistor's body has its colour")


def keys_and_tab_order(browser, setup, w):
    d = setup.design
    order = d["focusOrder"]
    w.evaluate("%s.focus()" % w.element(order[0]))
    visited = []
    for _ in order[1:]:
        w.page.key("Tab")
        visited.append(w.focused())
    check(visited == order[1:], "Tab visits %r, not %r" % (order[1:], visited))
    back = []
    for _ in order[1:]:
        w.page.key("Tab", shift=True)
        back.append(w.focused())
    check(back == list(reversed(order[:-1])), "Shift+Tab goes back through %r" % back)

    # The tolerance list: кафяв, червен, зелен, син, виолетов, сив, златист, сребрист.
    tolerance = d["lists"][3]
    w.evaluate("%s.focus()" % w.element("List1(3)"))
    rows = [("Home", tolerance.index("кафяв")), ("End", tolerance.index("сребрист")),
            ("ArrowUp", tolerance.index("златист")), ("PageUp", tolerance.index("сив")),
            ("Home", 0), ("с", tolerance.index("син")), ("с", tolerance.index("сив"))]
    for key, expected in rows:
        w.page.key(key)
        check(w.chosen(3) == expected, "%s in the tolerance list chooses %s" % (key, tolerance[expected]))
    in_view = w.evaluate("(l => Math.round(l.scrollTop / l.clientHeight))(%s)" % w.element("List1(3)"))
    check(in_view == w.chosen(3), "the colour chosen by a key comes into view")

    # Right after "Изтрий" a letter searches from the colour in view, the first.
    digits = d["lists"][0]
    w.click_colour(0, digits.index("виолетов"))
    check(w.chosen(0) == digits.index("виолетов"), "a click chooses виолетов")
    w.click("Command1(1)")
    check(w.report() == PROMPT and w.chosen(0) == -1, "Изтрий clears the choices and asks for a colour code")
    w.evaluate("%s.focus()" % w.element("List1(0)"))
    w.page.key("с")
    check(w.chosen(0) == digits.index("син"), "after Изтрий, с chooses син, not %s" % digits[w.chosen(0)])
    w.page.key("Escape")
    w.page.key("Enter")
    check(w.report() == PROMPT, "Enter and Esc in a list press nothing")
    w.evaluate("%s.focus()" % w.element("Command1(0)"))
    w.page.key("Enter")
    check(w.report() == PROMPT, "Enter on a focused button presses nothing")
    w.page.key(" ")
    check(w.report().startswith("Избрана стойност: не е посочена!"), "Space presses the focused button")


def picture_report_and_language(browser, setup):
    """Under a Bulgarian browser, whose numbers take a comma, the report keeps its point."""
    d = setup.design
    w = Window(browser, setup, before=lambda page: page.send("Emulation.setLocaleOverride", {"locale": "bg-BG"}))
    check(w.evaluate("(1.5).toLocaleString()") == "1,5", "the browser speaks Bulgarian")
    colours = ["жълт", "виолетов", "червен", "златист"]
    for band, colour in enumerate(colours):
        w.click_colour(band, d["lists"][band].index(colour))
    check(w.description() == ", ".join(colours), "the picture's description names the chosen colours")
    rows = w.pixels()
    ox, oy = w.origin()
    area = d["resistor"]["area"]
    for band, colour in enumerate(colours):
        x, y, width, height = d["resistor"]["bands"][band]
        # Halfway down, a metal's sheen is its base tone.
        shown = pixel(rows, ox + x + width // 2, oy + y + height // 2)
        check(shown == d["tones"][colour], "band %d shows %s %r, not %r" % (band, colour, d["tones"][colour], shown))
    w.click("Command1(0)")
    check(w.report() == YELLOW_VIOLET_RED_GOLD, "Изчисли writes the report: %r" % w.report())
    w.click("Command1(1)")
    check(w.description() == d["resistor"]["description"], "after Изтрий the picture names no colour")
    rows = w.pixels()
    for band, (x, y, width, height) in enumerate(d["resistor"]["bands"]):
        check(pixel(rows, ox + x + width // 2, oy + y + height // 2) == d["resistor"]["body"],
              "after Изтрий band %d shows the body" % band)
    check(area[2] > 0, "the picture has room")
    return w


def phone(browser, setup):
    d = setup.design
    w = Window(browser, setup, 360, 740, 3, mobile=True)
    width = w.evaluate("document.querySelector('.window').getBoundingClientRect().width")
    check(abs(width - 360) <= 1, "on a phone the window takes the screen's width, not %r" % width)
    backing = w.evaluate("%s.width" % w.element(d["resistor"]["id"]))
    expected = d["resistor"]["area"][2] * 360 / d["window"]["rect"][2] * 3
    check(abs(backing - expected) <= 1, "the picture has a pixel for each of the phone's (%r, %r)"
          % (backing, expected))
    x, y = w.centre("List1(0)")
    w.page.send("Input.dispatchTouchEvent", {"type": "touchStart", "touchPoints": [{"x": x - 10, "y": y}]})
    w.page.send("Input.dispatchTouchEvent", {"type": "touchEnd", "touchPoints": []})
    w.page.wait_until("%s.children[0].getAttribute('aria-selected') === 'true'" % w.element("List1(0)"))
    x, y = w.centre("List1(1)")
    w.page.send("Input.dispatchTouchEvent", {"type": "touchStart", "touchPoints": [{"x": x - 10, "y": y}]})
    for step in range(1, 9):
        w.page.send("Input.dispatchTouchEvent", {"type": "touchMove",
                                                 "touchPoints": [{"x": x - 10, "y": y - 4 * step}]})
        time.sleep(0.016)
    w.page.send("Input.dispatchTouchEvent", {"type": "touchEnd", "touchPoints": []})
    # The swipe comes to rest on a colour, not between two.
    w.page.wait_until("(l => l.scrollTop > 0 && Array.from(l.children).some(o => Math.abs(o.offsetTop - l.scrollTop)"
                      " < 1))(%s)" % w.element("List1(1)"))
    check(w.chosen(1) == -1, "a swipe scrolls a list and chooses nothing")


def themes_and_zoom(browser, setup, w):
    d = setup.design
    x, y, width, height = d["window"]["rect"]
    ox, oy = w.origin()
    clip = {"x": ox, "y": oy, "width": width, "height": height, "scale": 1}
    # The report box's caret blinks: the two pictures are taken with the focus elsewhere.
    w.evaluate("document.activeElement.blur()")
    light = w.page.send("Page.captureScreenshot", {"format": "png", "clip": clip})["data"]
    w.page.send("Emulation.setEmulatedMedia", {"features": [{"name": "prefers-color-scheme", "value": "dark"}]})
    dark = w.page.send("Page.captureScreenshot", {"format": "png", "clip": clip})["data"]
    w.page.send("Emulation.setEmulatedMedia", {"features": []})
    check(light == dark, "the window is painted the same in a dark browser theme")

    zoomed = Window(browser, setup, 1000, 700, 2)
    colours = ["жълт", "виолетов", "червен", "златист"]
    for band, colour in enumerate(colours):
        zoomed.click_colour(band, d["lists"][band].index(colour))
    rows = zoomed.pixels()
    ox, oy = zoomed.origin()
    area = d["resistor"]["area"]
    palette = {tuple(d["tones"][c]) for c in colours[:3]}
    palette |= {tuple(d["resistor"]["body"]), tuple(d["resistor"]["outline"])}
    middle = int((oy + area[1] + area[3] / 2) * 2)
    line = [rows[middle][x] for x in range(int((ox + d["resistor"]["bands"][0][0] - 3) * 2),
                                           int((ox + d["resistor"]["bands"][2][0] + 19) * 2))]
    check(set(line) <= palette, "at 200 %% the bands stay sharp, with no blended pixel: %r"
          % sorted(set(line) - palette))


def paste_reload_and_twice(browser, setup, w):
    d = setup.design
    browser.send("Browser.grantPermissions", {"permissions": ["clipboardReadWrite", "clipboardSanitizedWrite"]})
    copied = w.page.send("Runtime.evaluate", {
        "expression": "navigator.clipboard.writeText('а'.repeat(1000000)).then(() => true)",
        "awaitPromise": True, "userGesture": True, "returnByValue": True})["result"].get("value")
    check(copied is True, "a megabyte of one paragraph is on the clipboard")
    w.evaluate("%s.focus(); %s.select()" % (w.element("Text1(0)"), w.element("Text1(0)")))
    start = time.monotonic()
    w.page.send("Input.dispatchKeyEvent", {"type": "rawKeyDown", "key": "v", "code": "KeyV",
                                           "windowsVirtualKeyCode": 86, "modifiers": 2, "commands": ["paste"]})
    w.page.send("Input.dispatchKeyEvent", {"type": "keyUp", "key": "v", "code": "KeyV",
                                           "windowsVirtualKeyCode": 86, "modifiers": 2})
    length = w.evaluate("%s.value.length" % w.element("Text1(0)"))
    check(length == d["reportLimit"], "the paste is cut at the limit (%d, not %d)" % (d["reportLimit"], length))
    w.click("Command1(0)")
    check(w.report().startswith("Избрана стойност:"), "the page answers after the paste")
    check(time.monotonic() - start < 20, "the paste and the click took %.1f s" % (time.monotonic() - start))

    w.click_colour(2, 3)
    w.evaluate("%s.focus()" % w.element("Text1(0)"))
    w.page.key("ж")
    other = Window(browser, setup)
    check(other.chosen(2) == -1 and other.report() == d["introduction"].replace("\n", "\r\n"),
          "the page opened a second time starts in the designed state")
    check(w.chosen(2) == 3, "and the first keeps its choice")
    w.page.reload()
    w.wait_ready()
    check(w.chosen(2) == -1 and w.report() == d["introduction"].replace("\n", "\r\n"),
          "reloaded mid-choice, the page starts in the designed state")


def nothing_beyond_the_page(browser, setup):
    requests = []
    w = Window(browser, setup, before=lambda page: (
        page.send("Network.enable"),
        page.send("Page.addScriptToEvaluateOnNewDocument", {"source": (
            "window.violations = []; addEventListener('securitypolicyviolation', "
            "e => window.violations.push(e.violatedDirective));")})))
    for band in range(4):
        w.click_colour(band, 1)
    w.click("Command1(0)")
    while True:
        try:
            requests.append(w.page.wait_for("Network.requestWillBeSent", timeout=0.2)["request"]["url"])
        except Exception:
            break
    beyond = [url for url in requests if url != setup.url and not url.startswith("data:")]
    check(not beyond, "the page asks for nothing beyond itself: %r" % beyond)
    check(w.evaluate("window.violations") == [], "nothing in the page breaks its own security policy")
    refused = w.evaluate("fetch('data:text/plain,x').then(() => 'fetched', () => 'refused')")
    check(refused == "refused", "the page's policy refuses any connection")


def without_webassembly(browser, setup):
    # A browser without WebAssembly: the page's scripts find none.
    page = browser.open(None, 800, 600)
    page.send("Page.addScriptToEvaluateOnNewDocument", {"source": "delete globalThis.WebAssembly;"})
    page.go(setup.url)
    shown = page.evaluate("(m => [getComputedStyle(m).display, m.textContent, getComputedStyle("
                          "document.querySelector('.window')).display])(document.getElementById("
                          "'without-webassembly'))")
    check(shown[0] == "block" and "WebAssembly" in shown[1] and shown[2] == "none",
          "without WebAssembly the page says so in one sentence: %r" % shown)


def without_times_new_roman(setup, fonts):
    environment = dict(os.environ, FONTCONFIG_FILE=fonts)
    with Chromium(os.path.join(setup.profiles, "without-times"), env=environment) as browser:
        w = Window(browser, setup)
        w.page.send("DOM.enable")
        w.page.send("CSS.enable")
        root = w.page.send("DOM.getDocument")["root"]["nodeId"]
        for selector in (".label", "[role=option]"):
            node = w.page.send("DOM.querySelector", {"nodeId": root, "selector": selector})["nodeId"]
            used = w.page.send("CSS.getPlatformFontsForNode", {"nodeId": node})["fonts"]
            check([f["familyName"] for f in used] == [setup.design["fontFamily"]] and used[0]["isCustomFont"],
                  "without Times New Roman, %s is set in the page's own font: %r" % (selector, used))
        overflowing = w.evaluate("Array.from(document.querySelectorAll('[role=option]'))"
                                 ".filter(o => o.scrollWidth > o.clientWidth).map(o => o.textContent)")
        check(overflowing == [], "every colour name shows whole: %r" % overflowing)


class Setup:
    def __init__(self, page_file, design_file, profiles):
        self.url = pathlib.Path(page_file).resolve().as_uri()
        with open(design_file, encoding="utf-8") as file:
            self.design = json.load(file)
        self.profiles = profiles


def main():
    setup = Setup(*sys.argv[1:4])
    fonts = sys.argv[4]
    with Chromium(os.path.join(setup.profiles, "page")) as browser:
        w = designed_state_and_screen_reader(browser, setup)
        layout_and_colours(browser, setup, w)
        themes_and_zoom(browser, setup, w)
        keys_and_tab_order(browser, setup, w)
        picture_report_and_language(browser, setup)
        phone(browser, setup)
        paste_reload_and_twice(browser, setup, w)
        nothing_beyond_the_page(browser, setup)
        without_webassembly(browser, setup)
    without_times_new_roman(setup, fonts)
    print("%d failed" % len(failures) if failures else "all checks passed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
