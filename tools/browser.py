# SPDX-License-Identifier: MIT
"""What the page's tests, benchmark and screenshots ask of a browser, the same in each engine: a tab
opened at a URL, JavaScript evaluated in it, trusted keys, clicks and touches, its pixels, and what a
screen reader finds. Each engine answers in its own protocol (chromium.py: DevTools on a pipe;
firefox.py: WebDriver BiDi; webkit.py: W3C WebDriver over HTTP), with Python's standard library.

    with launch("firefox", profile) as browser:
        tab = browser.open("file:///.../malvoran.html", 800, 600)
        tab.evaluate("document.title")
        tab.key("Tab")
        tab.accessible("Resistor")  # {"role": "image", "name": "Резистор", "description": "..."}
        tab.click(x, y)             # on a link that opens a tab
        opened = browser.adopt(800, 600)

A browser's `open(url, width, height, scale, mobile)` opens a new tab; `adopt(...)` takes the tab the
page itself opened (a link, window.open) that the client has not seen yet.
"""
import json
import struct
import subprocess
import time
import zlib

ENGINES = ("chromium", "firefox", "webkit")


class BrowserError(Exception):
    pass


def wait_for_new(known, listing, timeout):
    """The first of listing() not in `known`, within `timeout` seconds: a tab the page opened."""
    deadline = time.monotonic() + timeout
    while True:
        new = [item for item in listing() if item not in known]
        if new:
            return new[0]
        if time.monotonic() > deadline:
            raise BrowserError("no new tab opened in %.0f s" % timeout)
        time.sleep(0.05)


def launch(engine, profile, env=None, **options):
    """A browser of `engine` with its profile in the folder `profile`; closed with all it started."""
    if engine == "chromium":
        from chromium import Chromium
        return Chromium(profile, env=env, **options)
    if engine == "firefox":
        from firefox import Firefox
        return Firefox(profile, env=env, **options)
    if engine == "webkit":
        from webkit import WebKit
        return WebKit(profile, env=env, **options)
    raise ValueError("no engine %r (%s)" % (engine, ", ".join(ENGINES)))


class Tab:
    """One tab with a page in it. Coordinates are the page's CSS pixels from the top left of what the
    tab shows; a screenshot has `scale` device pixels to each."""
    engine = None
    scale = 1
    # The page is shown in a frame of the size asked for, at the top left of the tab, where the
    # browser's window cannot be made that small.
    framed = False

    def go(self, url):
        """Opens `url` and waits until it has loaded."""
        raise NotImplementedError

    def reload(self):
        """Reloads the page as the browser's reload button does, and waits until it has loaded."""
        raise NotImplementedError

    def evaluate(self, expression):
        """The value of a JavaScript expression in the page, awaited where it is a promise."""
        raise NotImplementedError

    def wait_until(self, expression, timeout=10):
        deadline = time.monotonic() + timeout
        while not self.evaluate(expression):
            if time.monotonic() > deadline:
                raise BrowserError("still false after %.0f s: %s" % (timeout, expression))
            time.sleep(0.02)

    def screenshot(self, clip=None):
        """What the tab shows, as rows of (red, green, blue) in device pixels; only the box `clip`
        (x, y, width, height in CSS pixels) where given."""
        raise NotImplementedError

    def click(self, x, y):
        """A trusted click of the mouse's left button at (x, y)."""
        raise NotImplementedError

    def key(self, key, shift=False):
        """A key pressed and released as a keyboard sends it: a named key ("Tab", "ArrowDown") or the
        character a key types ("с", " ")."""
        raise NotImplementedError

    def tap(self, x, y):
        """A finger's tap at (x, y)."""
        raise NotImplementedError

    def swipe(self, x, y, distance, steps=8):
        """A finger put down at (x, y) and moved `distance` pixels up (down where negative)."""
        raise NotImplementedError

    def accessible(self, element_id):
        """What a screen reader finds for the element of that id: its "role" (as ARIA names it:
        "button", "listbox", "option", "textbox", "image"...), "name" and "description"; None where
        the accessibility tree has nothing for it."""
        return self.accessibles([element_id])[element_id]

    def accessibles(self, element_ids):
        """accessible() of each of the elements, by id."""
        return {element_id: self.accessible(element_id) for element_id in element_ids}

    def _read_on_bus(self, reader, element_ids):
        """accessibles() as the accessibility bus gives them: the tab's document is told from another
        showing the same page by a title of its own while it is read."""
        mark = "%s %x" % (self.engine, id(self))
        title = self._retitle(mark)
        try:
            return reader.find(element_ids, mark)
        finally:
            self._retitle(title)

    def _retitle(self, title):
        """Gives the tab's document `title`; its title before."""
        return self.evaluate("(title => { document.title = %s; return title; })(document.title)" % json.dumps(title))

    def run_before_load(self, script):
        """Has `script` run in each page this tab opens from now on, before the page's own scripts;
        False where the engine's driver cannot."""
        return False

    def watch_requests(self):
        """Starts the log of what this tab asks of the network (requests())."""
        raise NotImplementedError

    def requests(self):
        """The URLs this tab asked for since watch_requests(), pages and frames included."""
        raise NotImplementedError

    def close(self):
        raise NotImplementedError


def x_window(pid=None, focus=False):
    """On the X server of the session, with xdotool: parks the mouse in the screen's top left corner,
    away from any page (the server starts it in the middle of the screen, where it would hover over
    a control), and gives the keyboard's focus to the window of process `pid` where asked, as a
    window manager would."""
    if focus:
        found = subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--pid", str(pid)],
                               capture_output=True, text=True, timeout=30).stdout.split()
        if not found:
            raise BrowserError("no window of process %d on the X server" % pid)
        subprocess.run(["xdotool", "windowfocus", "--sync", found[-1]], check=True, timeout=30)
    subprocess.run(["xdotool", "mousemove", "--sync", "0", "0"], check=True, timeout=30)


# Named keys as WebDriver sends them (its private-use characters), for the engines driven over it.
WEBDRIVER_KEYS = {
    "Tab": "\ue004", "Enter": "\ue006", "Escape": "\ue00c", "Home": "\ue011", "End": "\ue010",
    "PageUp": "\ue00e", "PageDown": "\ue00f", "ArrowLeft": "\ue012", "ArrowUp": "\ue013",
    "ArrowRight": "\ue014", "ArrowDown": "\ue015", "Shift": "\ue008", "Control": "\ue009",
}


def webdriver_key(key, shift=False):
    """The input source of a key pressed and released, Shift held where asked."""
    value = WEBDRIVER_KEYS.get(key, key)
    actions = [{"type": "keyDown", "value": value}, {"type": "keyUp", "value": value}]
    if shift:
        actions = ([{"type": "keyDown", "value": WEBDRIVER_KEYS["Shift"]}] + actions +
                   [{"type": "keyUp", "value": WEBDRIVER_KEYS["Shift"]}])
    return [{"type": "key", "id": "keyboard", "actions": actions}]


def webdriver_pointer(kind, moves):
    """The input source of one pointer ("mouse" or "touch") put down at the first point of `moves`,
    moved through the rest and lifted."""
    (x, y), rest = moves[0], moves[1:]
    actions = [{"type": "pointerMove", "x": round(x), "y": round(y), "duration": 0, "origin": "viewport"},
               {"type": "pointerDown", "button": 0}]
    for x, y in rest:
        actions.append({"type": "pointerMove", "x": round(x), "y": round(y), "duration": 16, "origin": "viewport"})
    actions.append({"type": "pointerUp", "button": 0})
    return [{"type": "pointer", "id": kind, "parameters": {"pointerType": kind}, "actions": actions}]


def crop(rows, clip, scale):
    """The box `clip` (CSS pixels) of a screenshot of the whole tab, at `scale` device pixels each."""
    if clip is None:
        return rows
    x, y, width, height = (round(value * scale) for value in clip)
    return [row[x:x + width] for row in rows[y:y + height]]


def swipe_points(x, y, distance, steps):
    return [(x, y)] + [(x, y - distance * step / steps) for step in range(1, steps + 1)]


def decode_png(data):
    """Rows of (red, green, blue) from an 8-bit RGB or RGBA PNG, as the browsers write them."""
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise ValueError("not a PNG")
    position = 8
    compressed = b""
    while position < len(data):
        length, kind = struct.unpack(">I4s", data[position:position + 8])
        body = data[position + 8:position + 8 + length]
        if kind == b"IHDR":
            width, height, depth, colour, _, _, interlace = struct.unpack(">IIBBBBB", body[:13])
            if depth != 8 or colour not in (2, 6) or interlace:
                raise ValueError("PNG of depth %d, colour type %d, interlace %d" % (depth, colour, interlace))
        elif kind == b"IDAT":
            compressed += body
        position += 12 + length
    channels = 3 if colour == 2 else 4
    stride = width * channels
    raw = zlib.decompress(compressed)
    rows = []
    previous = bytearray(stride)
    for y in range(height):
        start = y * (stride + 1)
        kind = raw[start]
        row = bytearray(raw[start + 1:start + 1 + stride])
        for i in range(stride):
            left = row[i - channels] if i >= channels else 0
            up = previous[i]
            corner = previous[i - channels] if i >= channels else 0
            if kind == 1:
                row[i] = (row[i] + left) & 0xFF
            elif kind == 2:
                row[i] = (row[i] + up) & 0xFF
            elif kind == 3:
                row[i] = (row[i] + (left + up) // 2) & 0xFF
            elif kind == 4:
                p = left + up - corner
                pa, pb, pc = abs(p - left), abs(p - up), abs(p - corner)
                row[i] = (row[i] + (left if pa <= pb and pa <= pc else up if pb <= pc else corner)) & 0xFF
        rows.append([tuple(row[x * channels:x * channels + 3]) for x in range(width)])
        previous = row
    return rows
