#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""The page as a student meets it in one browser engine, beyond the window contract: the designed
window at the design's pixels and colours, what a screen reader finds, the keys and the tab order, the
resistor picture, a click before the program runs, a phone's screen, density and zoom, a reload and a
second tab, no request beyond the page, a browser lacking an optional feature or WebAssembly, and a
machine without Times New Roman. The checks are the same in each engine; where an engine's driver
cannot do something, the test says what it checks instead, or that it is not checked there.

Usage: test_page.py <chromium|firefox|webkit> <malvoran.html> <design.json> <folder for browser profiles>
                    <fontconfig file without Times>
"""
import json
import os
import pathlib
import sys
import time

sys.dont_write_bytecode = True
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tools"))
from browser import BrowserError, launch  # noqa: E402

# The reports the page must write, as the window contract's oracle writes them.
PROMPT = "Посочете цветен код!"
YELLOW_VIOLET_RED_GOLD = "Избрана стойност: 47\r\nНоминал:  4.7 k\r\nТочност: 5%\r\n"
CODE = ["жълт", "виолетов", "червен", "златист"]

# An element's box as the screen shows it, in CSS pixels of the tab. WebKit, which has no
# currentCSSZoom, gives a box under CSS zoom in the element's own pixels: its zooms are put back.
BOX = """(e => {
    const r = e.getBoundingClientRect();
    let k = 1;
    if (typeof e.currentCSSZoom !== 'number') {
        for (let a = e; a !== null; a = a.parentElement)
            k *= parseFloat(getComputedStyle(a).zoom) || 1;
    }
    return [r.x * k, r.y * k, r.width * k, r.height * k];
})"""

# What a browser lacking the newer features the page can do without looks like to the page: no
# currentCSSZoom, a ResizeObserver that counts no device pixels (it throws, as WebKit's does), no font
# events, no DecompressionStream (the page inflates its program itself), no Uint8Array.fromBase64.
WITHOUT_OPTIONAL_FEATURES = """
delete Element.prototype.currentCSSZoom;
delete globalThis.DecompressionStream;
delete Uint8Array.fromBase64;
const observe = ResizeObserver.prototype.observe;
ResizeObserver.prototype.observe = function (target, options) {
    if (options && options.box === 'device-pixel-content-box')
        throw new TypeError('device-pixel-content-box');
    return observe.call(this, target, options);
};
Object.defineProperty(Document.prototype, 'fonts', { get: () => undefined });
"""

# A click on "Изчисли" as soon as the page has been read, before the program runs.
CLICK_WHEN_READ = """
document.addEventListener('DOMContentLoaded', () => {
    window.clickedWhileBusy = document.querySelector('.window').hasAttribute('aria-busy');
    document.getElementById('Command1(0)').click();
});
"""

failures = []


def check(condition, what):
    if not condition:
        failures.append(what)
        print("FAIL: " + what, flush=True)
    return condition


def not_checked(engine, what, why):
    print("not checked in %s: %s (%s)" % (engine, what, why), flush=True)


def js(value):
    return json.dumps(value, ensure_ascii=False)


class Window:
    """The page in one tab, with what the test asks of its window."""

    def __init__(self, browser, setup, width=800, height=600, scale=1, mobile=False, before=None, ready=True,
                 tab=None):
        self.design = setup.design
        self.engine = browser.engine
        if tab is not None:
            self.tab = tab
        else:
            self.tab = browser.open(None, width, height, scale, mobile)
            self.ran_before = before is not None and self.tab.run_before_load(before)
            self.tab.go(setup.url)
        if ready:
            self.wait_ready()

    def wait_ready(self):
        """Waits until the window answers, or the page says that it cannot run (a failure)."""
        self.tab.wait_until("!document.querySelector('.window').hasAttribute('aria-busy') || "
                            "document.documentElement.className !== ''")
        said = self.evaluate("document.documentElement.className")
        if said:
            raise BrowserError("the page says that it cannot run (%s)" % said)

    def evaluate(self, expression):
        return self.tab.evaluate(expression)

    def element(self, control):
        return "document.getElementById(%s)" % js(control)

    def chosen(self, band):
        return self.evaluate("Array.prototype.findIndex.call(%s.children, o => o.getAttribute('aria-selected') "
                             "=== 'true')" % self.element("List1(%d)" % band))

    def report(self):
        return self.evaluate("%s.value" % self.element("Text1(0)")).replace("\n", "\r\n")

    def description(self):
        found = self.tab.accessible(self.design["resistor"]["id"])
        return found and found["description"]

    def focused(self):
        return self.evaluate("document.activeElement.id")

    def box(self, control):
        return self.evaluate("%s(%s)" % (BOX, self.element(control)))

    def origin(self):
        return self.evaluate("%s(document.querySelector('.window'))" % BOX)[:2]

    def centre(self, control):
        x, y, width, height = self.box(control)
        return x + width / 2, y + height / 2

    def click(self, control):
        self.tab.click(*self.centre(control))

    def scroll_to(self, band, row):
        """Scrolls the colour into view with the list's wheel, as the student does."""
        list_id = self.element("List1(%d)" % band)
        self.evaluate("(l => { l.scrollTop = l.children[%d].offsetTop; })(%s)" % (row, list_id))
        # Under CSS zoom, WebKit keeps the scroll position in whole screen pixels: within half a colour.
        self.tab.wait_until("(l => Math.abs(l.scrollTop - l.children[%d].offsetTop) < l.children[%d].offsetHeight / 2)"
                            "(%s)" % (row, row, list_id))
        x, y, width, height = self.evaluate("%s(%s.children[%d])" % (BOX, list_id, row))
        return x + width / 3, y + height / 2

    def click_colour(self, band, row):
        self.tab.click(*self.scroll_to(band, row))

    def pixels(self):
        """The window's pixels as the screen shows them."""
        x, y, width, height = self.box(self.design["window"]["id"])
        return Shot(self.tab, (int(x), int(y), int(width) + 2, int(height) + 2))


class Shot:
    """A screenshot of a box of the tab, read in the tab's CSS pixels."""

    def __init__(self, tab, box):
        self.rows = tab.screenshot(box)
        self.scale = tab.scale
        self.x, self.y = box[:2]

    def at(self, x, y):
        """The colour at (x, y)."""
        return list(self.rows[int(round((y - self.y) * self.scale))][int(round((x - self.x) * self.scale))])

    def line(self, y, left, right):
        """The colours of the device pixels from `left` to `right` at `y`."""
        row = self.rows[int((y - self.y) * self.scale)]
        return row[int((left - self.x) * self.scale):int((right - self.x) * self.scale)]


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
    for control in d["controls"]:
        if control["text"]:
            shown = w.evaluate("%s.textContent" % w.element(control["id"]))
            check(shown == control["text"], "%s shows %r, not %r" % (control["id"], control["text"], shown))

    roles = {"List1": "listbox", "Command1": "button", "Text1": "textbox"}
    controls = [c for c in d["controls"] if c["id"].split("(")[0] in roles]
    options = {"List1(%d).%d" % (band, row): name for band, names in enumerate(d["lists"])
               for row, name in enumerate(names)}
    found = w.tab.accessibles([c["id"] for c in controls] + list(options) + [d["resistor"]["id"]])
    for control in controls:
        role = roles[control["id"].split("(")[0]]
        met = found[control["id"]] or {}
        check(met.get("role") == role and met.get("name") == control["name"],
              "a screen reader finds the %s %r: %r" % (role, control["name"], met))
        check(met.get("description") == control["description"],
              "the %s %r is described: %r" % (role, control["name"], met.get("description")))
    for element_id, name in options.items():
        met = found[element_id] or {}
        check(met.get("role") == "option" and met.get("name") == name,
              "a screen reader finds the colour %r: %r" % (name, met))
    met = found[d["resistor"]["id"]] or {}
    check(met.get("role") == "image" and met.get("name") == d["resistor"]["name"] and
          met.get("description") == d["resistor"]["description"],
          "a screen reader finds the picture %r with its description: %r" % (d["resistor"]["name"], met))
    return w


def layout_and_colours(browser, setup, w):
    d = setup.design
    ox, oy = w.origin()
    size = w.box(d["window"]["id"])[2:]
    check(size == d["window"]["rect"][2:], "the window is %r pixels, not %r" % (d["window"]["rect"][2:], size))
    for control in d["controls"] + [{"id": d["resistor"]["id"], "rect": d["resistor"]["area"], "background": None}]:
        box = w.box(control["id"])
        placed = [box[0] - ox, box[1] - oy, box[2], box[3]]
        check(all(abs(a - b) <= 1 for a, b in zip(placed, control["rect"])),
              "%s stands at %r, within a pixel of %r" % (control["id"], placed, control["rect"]))
    rows = w.pixels()
    check(rows.at(ox + 2, oy + 2) == d["window"]["background"], "the window's background is the design's")
    for control in d["controls"]:
        x, y, width, height = control["rect"]
        if control["background"]:
            # A corner of the control, clear of its caption and of a button's rounded edge.
            shown = rows.at(ox + x + 5, oy + y + 5)
            check(shown == control["background"],
                  "%s's background is %r, not %r" % (control["id"], control["background"], shown))
    # The report box wears the focus ring just outside its frame.
    x, y, width, height = next(c["rect"] for c in d["controls"] if c["id"] == "Text1(0)")
    ring = rows.at(ox + x - 1, oy + y + height // 2)
    if w.evaluate("document.hasFocus()"):
        check(ring == d["focusMark"], "the focused report box has its ring: %r" % ring)
    else:
        not_checked(w.engine, "the focus ring's colour", "the browser's window has no keyboard focus here")
    area = d["resistor"]["area"]
    between = d["resistor"]["bands"][2]
    check(rows.at(ox + between[0] + between[2] + 20, oy + area[1] + area[3] // 2) == d["resistor"]["body"],
          "the resistor's body has its colour")


def keys_and_tab_order(browser, setup, w):
    d = setup.design
    order = d["focusOrder"]
    w.evaluate("%s.focus()" % w.element(order[0]))
    visited = []
    for _ in order[1:]:
        w.tab.key("Tab")
        visited.append(w.focused())
    check(visited == order[1:], "Tab visits %r, not %r" % (order[1:], visited))
    back = []
    for _ in order[1:]:
        w.tab.key("Tab", shift=True)
        back.append(w.focused())
    check(back == list(reversed(order[:-1])), "Shift+Tab goes back through %r" % back)

    # The tolerance list: кафяв, червен, зелен, син, виолетов, сив, златист, сребрист.
    tolerance = d["lists"][3]
    w.evaluate("%s.focus()" % w.element("List1(3)"))
    rows = [("Home", tolerance.index("кафяв")), ("End", tolerance.index("сребрист")),
            ("ArrowUp", tolerance.index("златист")), ("PageUp", tolerance.index("сив")),
            ("Home", 0), ("ArrowDown", 1), ("ArrowRight", 2), ("ArrowLeft", 1), ("PageDown", 2), ("Home", 0),
            ("с", tolerance.index("син")), ("с", tolerance.index("сив"))]
    for key, expected in rows:
        w.tab.key(key)
        check(w.chosen(3) == expected, "%s in the tolerance list chooses %s" % (key, tolerance[expected]))
    in_view = w.evaluate("(l => Math.round(l.scrollTop / l.clientHeight))(%s)" % w.element("List1(3)"))
    check(in_view == w.chosen(3), "the colour chosen by a key comes into view")
    time.sleep(1.1)
    for key in ("с", "р"):
        w.tab.key(key)
    check(w.chosen(3) == tolerance.index("сребрист"), "с р typed together spell сребрист")

    # Right after "Изтрий" a letter searches from the colour in view, the first.
    digits = d["lists"][0]
    w.click_colour(0, digits.index("виолетов"))
    check(w.chosen(0) == digits.index("виолетов"), "a click chooses виолетов")
    w.click("Command1(1)")
    check(w.report() == PROMPT and w.chosen(0) == -1, "Изтрий clears the choices and asks for a colour code")
    w.evaluate("%s.focus()" % w.element("List1(0)"))
    w.tab.key("с")
    check(w.chosen(0) == digits.index("син"), "after Изтрий, с chooses син, not %s" % digits[w.chosen(0)])
    # Each key is counted as it reaches the page, so that "nothing" is what a key did, not a key lost.
    w.evaluate("window.keys = [], addEventListener('keydown', e => keys.push(e.key), true)")
    w.tab.key("Escape")
    w.tab.key("Enter")
    check(w.report() == PROMPT and w.evaluate("keys") == ["Escape", "Enter"], "Enter and Esc in a list press nothing")
    w.evaluate("%s.focus()" % w.element("Command1(0)"))
    w.tab.key("Enter")
    check(w.report() == PROMPT and w.evaluate("keys").count("Enter") == 2, "Enter on a focused button presses nothing")
    w.tab.key(" ")
    check(w.report().startswith("Избрана стойност: не е посочена!"), "Space presses the focused button")


def crisp_bands(w, colours, what):
    """Checks that a line across the first three bands holds only the picture's own colours, where the
    screen has a whole number of device pixels to the page's pixel (elsewhere an edge may blend)."""
    d = w.design
    rows = w.pixels()
    ox, oy = w.origin()
    area = d["resistor"]["area"]
    palette = {tuple(d["tones"][c]) for c in colours[:3]}
    palette |= {tuple(d["resistor"]["body"]), tuple(d["resistor"]["outline"])}
    line = rows.line(oy + area[1] + area[3] / 2, ox + d["resistor"]["bands"][0][0] - 3,
                     ox + d["resistor"]["bands"][2][0] + 19)
    check(line and set(line) <= palette, "%s the bands stay sharp, with no blended pixel: %r"
          % (what, sorted(set(line) - palette)))


def picture_and_report(browser, setup):
    d = setup.design
    w = Window(browser, setup)
    for band, colour in enumerate(CODE):
        w.click_colour(band, d["lists"][band].index(colour))
        check(w.description() == ", ".join(CODE[:band + 1] + ["няма"] * (3 - band)),
              "the picture's description follows the choice of %s: %r" % (colour, w.description()))
    rows = w.pixels()
    ox, oy = w.origin()
    for band, colour in enumerate(CODE):
        x, y, width, height = d["resistor"]["bands"][band]
        # Halfway down, a metal's sheen is its base tone.
        shown = rows.at(ox + x + width // 2, oy + y + height // 2)
        check(shown == d["tones"][colour], "band %d shows %s %r, not %r" % (band, colour, d["tones"][colour], shown))
    w.click("Command1(0)")
    check(w.report() == YELLOW_VIOLET_RED_GOLD, "Изчисли writes the report: %r" % w.report())
    w.click("Command1(1)")
    check(w.description() == d["resistor"]["description"], "after Изтрий the picture names no colour")
    rows = w.pixels()
    for band, (x, y, width, height) in enumerate(d["resistor"]["bands"]):
        check(rows.at(ox + x + width // 2, oy + y + height // 2) == d["resistor"]["body"],
              "after Изтрий band %d shows the body" % band)
    w.tab.close()


def bulgarian_browser(browser, setup):
    """Under a Bulgarian browser, whose numbers take a comma, the report keeps its point."""
    w = Window(browser, setup, ready=False)
    w.tab.send("Emulation.setLocaleOverride", {"locale": "bg-BG"})
    w.tab.reload()
    w.wait_ready()
    check(w.evaluate("(1.5).toLocaleString()") == "1,5", "the browser speaks Bulgarian")
    for band, colour in enumerate(CODE):
        w.click_colour(band, setup.design["lists"][band].index(colour))
    w.click("Command1(0)")
    check(w.report() == YELLOW_VIOLET_RED_GOLD, "in Bulgarian, Изчисли writes the report with its point")
    w.tab.close()


def early_click(browser, setup):
    """A click on "Изчисли" made while the program starts is answered once it runs."""
    w = Window(browser, setup, before=CLICK_WHEN_READ, ready=False)
    if not w.ran_before:
        # Without a script before the page's own, the click is made at once, in the same turn as the
        # look at whether the window is still busy.
        w.evaluate("window.clickedWhileBusy = document.querySelector('.window').hasAttribute('aria-busy'), "
                   "document.getElementById('Command1(0)').click()")
    w.wait_ready()
    if w.evaluate("window.clickedWhileBusy"):
        w.tab.wait_until("%s.value.startsWith('Избрана стойност')" % w.element("Text1(0)"))
        check(w.report().startswith("Избрана стойност: не е посочена!"),
              "a click made while the program started is answered: %r" % w.report()[:40])
    else:
        not_checked(w.engine, "a click made while the program starts", "the program ran before the click")
    w.tab.close()


def phone(browser, setup):
    d = setup.design
    width, height, scale = 360, 740, (3 if browser.engine != "webkit" else browser.scale)
    w = Window(browser, setup, width, height, scale, mobile=True)
    if w.tab.framed:
        print("in %s the phone's screen is a frame of %d x %d pixels in a wider window" % (w.engine, width, height))
    shown = w.box(d["window"]["id"])[2]
    check(abs(shown - width) <= 1, "on a phone the window takes the screen's width, not %r" % shown)
    shown = w.evaluate("document.documentElement.clientWidth")
    check(shown == width, "the phone's screen is %d pixels wide, not %r" % (width, shown))
    backing = w.evaluate("%s.width" % w.element(d["resistor"]["id"]))
    expected = d["resistor"]["area"][2] * width / d["window"]["rect"][2] * scale
    check(abs(backing - expected) <= 1,
          "the picture has a pixel for each of the screen's (%r, %r)" % (backing, expected))
    overflowing = w.evaluate("Array.from(document.querySelectorAll('[role=option]'))"
                             ".filter(o => o.scrollWidth > o.clientWidth).map(o => o.textContent)")
    check(overflowing == [], "on a phone every colour name shows whole: %r" % overflowing)

    x, y = w.scroll_to(0, 0)
    w.tab.tap(x, y)
    w.tab.wait_until("%s.children[0].getAttribute('aria-selected') === 'true'" % w.element("List1(0)"))
    if w.engine == "chromium":
        x, y = w.centre("List1(1)")
        w.tab.swipe(x - 10, y, 32)
        # The swipe comes to rest on a colour, not between two.
        w.tab.wait_until("(l => l.scrollTop > 0 && Array.from(l.children).some(o => Math.abs(o.offsetTop - "
                         "l.scrollTop) < 1))(%s)" % w.element("List1(1)"))
        check(w.chosen(1) == -1, "a swipe scrolls a list and chooses nothing")
    else:
        not_checked(w.engine, "a swipe scrolling a list", "its driver's touches do not scroll")
    for band, colour in enumerate(CODE):
        w.click_colour(band, d["lists"][band].index(colour))
    check(w.description() == ", ".join(CODE), "on a phone the picture names the chosen colours")
    w.click("Command1(0)")
    check(w.report() == YELLOW_VIOLET_RED_GOLD, "on a phone Изчисли writes the report")
    w.tab.close()


def density(browser, setup):
    """At twice the density (a zoomed page, a sharper screen) the bands are painted in the screen's pixels."""
    d = setup.design
    w = Window(browser, setup, 1000, 700, 2)
    for band, colour in enumerate(CODE):
        w.click_colour(band, d["lists"][band].index(colour))
    crisp_bands(w, CODE, "at 200 %")
    w.tab.close()


def dark_theme(browser, setup, w):
    d = setup.design
    x, y, width, height = d["window"]["rect"]
    ox, oy = w.origin()
    clip = {"x": ox, "y": oy, "width": width, "height": height, "scale": 1}
    # The report box's caret blinks: the two pictures are taken with the focus elsewhere.
    w.evaluate("document.activeElement.blur()")
    light = w.tab.send("Page.captureScreenshot", {"format": "png", "clip": clip})["data"]
    w.tab.send("Emulation.setEmulatedMedia", {"features": [{"name": "prefers-color-scheme", "value": "dark"}]})
    dark = w.tab.send("Page.captureScreenshot", {"format": "png", "clip": clip})["data"]
    w.tab.send("Emulation.setEmulatedMedia", {"features": []})
    check(light == dark, "the window is painted the same in a dark browser theme")


def paste(browser, setup, w):
    d = setup.design
    # The clipboard is the tab's in front only.
    w.tab.send("Page.bringToFront")
    browser.send("Browser.grantPermissions", {"permissions": ["clipboardReadWrite", "clipboardSanitizedWrite"]})
    copied = w.tab.send("Runtime.evaluate", {
        "expression": "navigator.clipboard.writeText('а'.repeat(1000000)).then(() => true)",
        "awaitPromise": True, "userGesture": True, "returnByValue": True})["result"].get("value")
    check(copied is True, "a megabyte of one paragraph is on the clipboard")
    w.evaluate("%s.focus(); %s.select()" % (w.element("Text1(0)"), w.element("Text1(0)")))
    start = time.monotonic()
    w.tab.send("Input.dispatchKeyEvent", {"type": "rawKeyDown", "key": "v", "code": "KeyV",
                                          "windowsVirtualKeyCode": 86, "modifiers": 2, "commands": ["paste"]})
    w.tab.send("Input.dispatchKeyEvent", {"type": "keyUp", "key": "v", "code": "KeyV",
                                          "windowsVirtualKeyCode": 86, "modifiers": 2})
    length = w.evaluate("%s.value.length" % w.element("Text1(0)"))
    check(length == d["reportLimit"], "the paste is cut at the limit (%d, not %d)" % (d["reportLimit"], length))
    w.click("Command1(0)")
    check(w.report().startswith("Избрана стойност:"), "the page answers after the paste")
    check(time.monotonic() - start < 20, "the paste and the click took %.1f s" % (time.monotonic() - start))


def reload_and_twice(browser, setup, w):
    d = setup.design
    w.click_colour(2, 3)
    w.evaluate("%s.focus()" % w.element("Text1(0)"))
    w.tab.key("ж")
    # The page opened a second time by a link from the first, as a student opens a second window.
    w.evaluate("(a => { a.href = location.href; a.target = '_blank'; a.id = 'again'; a.textContent = 'Malvoran'; "
               "a.style.position = 'fixed'; a.style.left = '0'; a.style.top = '0'; document.body.append(a); })"
               "(document.createElement('a'))")
    w.click("again")
    other = Window(browser, setup, tab=browser.adopt(800, 600))
    w.evaluate("document.getElementById('again').remove()")
    check(other.chosen(2) == -1 and other.report() == d["introduction"].replace("\n", "\r\n"),
          "the page opened a second time starts in the designed state")
    other.tab.close()
    check(w.chosen(2) == 3, "and the first keeps its choice")
    w.tab.reload()
    w.wait_ready()
    check(w.chosen(2) == -1 and w.report() == d["introduction"].replace("\n", "\r\n"),
          "reloaded mid-choice, the page starts in the designed state")


def nothing_beyond_the_page(browser, setup):
    watch = ("window.violations = []; addEventListener('securitypolicyviolation', "
             "e => window.violations.push(e.violatedDirective));")
    w = Window(browser, setup, ready=False, before=watch)
    w.tab.watch_requests()
    w.tab.reload()
    w.wait_ready()
    if not w.ran_before:
        not_checked(w.engine, "a breach of the page's policy while it loads", "its driver runs no script before the "
                    "page's own; breaches are watched from the load on")
        w.evaluate("(() => { %s })()" % watch)
    for band in range(4):
        w.click_colour(band, 1)
    w.click("Command1(0)")
    if w.engine == "webkit":
        print("in webkit the requests seen are those that reach the network (a proxy that refuses them)")
    beyond = [url for url in w.tab.requests() if url != setup.url and not url.startswith("data:")]
    check(not beyond, "the page asks for nothing beyond itself: %r" % beyond)
    loaded = w.evaluate("performance.getEntriesByType('resource').map(e => e.name)")
    check(loaded == [], "the page loads nothing beyond itself: %r" % loaded)
    check(w.evaluate("window.violations") == [], "nothing in the page breaks its own security policy")
    refused = w.evaluate("fetch('data:text/plain,x').then(() => 'fetched', () => 'refused')")
    check(refused == "refused", "the page's policy refuses any connection")
    # The watches see what they watch for: the refusal is a breach, and a page beyond is a request.
    w.tab.wait_until("window.violations.length > 0")
    check(w.evaluate("window.violations") == ["connect-src"], "a refused connection is a breach of the policy")
    beyond = "http://malvoran.invalid/"
    w.evaluate("setTimeout(() => { location.href = %s; }, 0)" % js(beyond))
    deadline = time.monotonic() + 10
    seen = []
    while beyond not in seen and time.monotonic() < deadline:
        seen += w.tab.requests()
    check(beyond in seen, "a request beyond the page would have been seen: %r" % seen)
    w.tab.close()


def without_optional_features(browser, setup):
    """A browser without the newer features the page can do without still gets the whole window, its
    picture sharp, and answers an early click."""
    d = setup.design
    scale = browser.scale if browser.engine == "webkit" else 2
    w = Window(browser, setup, 1000, 700, scale, before=WITHOUT_OPTIONAL_FEATURES + CLICK_WHEN_READ, ready=False)
    if not w.ran_before:
        not_checked(w.engine, "the page without its optional features", "its driver runs no script before the "
                    "page's own; the engine itself lacks two (currentCSSZoom, device pixels in ResizeObserver)")
        w.tab.close()
        return
    w.wait_ready()
    check(w.evaluate("typeof Element.prototype.currentCSSZoom === 'undefined' && document.fonts === undefined && "
                     "typeof DecompressionStream === 'undefined' && typeof Uint8Array.fromBase64 === 'undefined'"),
          "the browser lacks currentCSSZoom, font events, DecompressionStream and Uint8Array.fromBase64")
    check(w.report().startswith("Избрана стойност: не е посочена!"),
          "without them a click made while the program started is answered: %r" % w.report()[:40])
    backing = w.evaluate("%s.width" % w.element(d["resistor"]["id"]))
    check(backing == d["resistor"]["area"][2] * 2, "without them the picture has a pixel for each of the screen's: %r"
          % backing)
    for band, colour in enumerate(CODE):
        w.click_colour(band, d["lists"][band].index(colour))
    crisp_bands(w, CODE, "without them, at 200 %")
    w.tab.close()


SENTENCES = ("Array.from(document.querySelectorAll('.missing, .window')).filter(m => getComputedStyle(m).display "
             "!== 'none').map(m => m.id + ': ' + m.textContent)")


def cannot_run(browser, setup):
    """A browser without WebAssembly, and one where the program's script breaks as it starts, get one
    sentence in place of the window."""
    rows = [("delete globalThis.WebAssembly;", "without-webassembly", "without WebAssembly"),
            ("TextDecoder.prototype.decode = () => 'malvoranStart(';", "cannot-run",
             "whose program's script breaks as it starts")]
    for script, sentence, what in rows:
        page = browser.open(None, 800, 600)
        if not page.run_before_load(script):
            not_checked(browser.engine, "a browser %s" % what, "its driver runs no script before the page's own")
            page.close()
            continue
        page.go(setup.url)
        page.wait_until("document.documentElement.className !== ''")
        shown = page.evaluate(SENTENCES)
        check(len(shown) == 1 and shown[0].startswith(sentence + ": Malvoran не може да работи"),
              "%s: the page says so in one sentence: %r" % (what, shown))
        page.close()


def without_javascript(setup, engine):
    with launch(engine, os.path.join(setup.profiles, engine, "without-javascript"), javascript=False) as browser:
        page = browser.open(setup.url, 800, 600)
        shown = page.evaluate(SENTENCES)
        check(len(shown) == 1 and shown[0].startswith("without-javascript: Malvoran не може да работи"),
              "without JavaScript the page says so in one sentence: %r" % shown)


def without_times_new_roman(setup, engine, fonts):
    environment = dict(os.environ, FONTCONFIG_FILE=fonts)
    with launch(engine, os.path.join(setup.profiles, engine, "without-times"), env=environment) as browser:
        w = Window(browser, setup)
        # The page's own font is fetched only where the computer has none of the window's first choice.
        embedded = w.evaluate("Array.from(document.fonts).filter(f => f.family.replace(/\"/g, '') === %s)"
                              ".map(f => f.status)" % js(setup.design["fontFamily"]))
        check(embedded == ["loaded"], "without Times New Roman the page's own font is used: %r" % embedded)
        if engine == "chromium":
            w.tab.send("DOM.enable")
            w.tab.send("CSS.enable")
            root = w.tab.send("DOM.getDocument")["root"]["nodeId"]
            for selector in (".label", "[role=option]"):
                node = w.tab.send("DOM.querySelector", {"nodeId": root, "selector": selector})["nodeId"]
                used = w.tab.send("CSS.getPlatformFontsForNode", {"nodeId": node})["fonts"]
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
    engine = sys.argv[1]
    setup = Setup(*sys.argv[2:5])
    fonts = sys.argv[5]
    with launch(engine, os.path.join(setup.profiles, engine, "page")) as browser:
        print("%s %s" % (engine, browser.version), flush=True)
        w = designed_state_and_screen_reader(browser, setup)
        layout_and_colours(browser, setup, w)
        if engine == "chromium":
            dark_theme(browser, setup, w)
        keys_and_tab_order(browser, setup, w)
        picture_and_report(browser, setup)
        early_click(browser, setup)
        phone(browser, setup)
        if engine == "webkit":
            not_checked(engine, "twice the density in this browser", "WebKitGTK takes it from the screen: checked in "
                        "a second browser, on a screen of twice the density")
        else:
            density(browser, setup)
        if engine == "chromium":
            bulgarian_browser(browser, setup)
            paste(browser, setup, w)
        else:
            not_checked(engine, "a Bulgarian browser's numbers and a megabyte's paste", "only Chromium's driver "
                        "sets the language and the clipboard")
        reload_and_twice(browser, setup, w)
        nothing_beyond_the_page(browser, setup)
        without_optional_features(browser, setup)
        cannot_run(browser, setup)
    if engine == "webkit":
        with launch(engine, os.path.join(setup.profiles, engine, "density"), scale=2) as browser:
            density(browser, setup)
            phone(browser, setup)
    without_javascript(setup, engine)
    without_times_new_roman(setup, engine, fonts)
    print("%d failed" % len(failures) if failures else "all checks passed")
    return 1 if failures else 0


if __name__ == "__main__":
    try:
        sys.exit(main())
    except BrowserError as error:
        print("FAIL: %s" % error)
        sys.exit(1)
