# SPDX-License-Identifier: MIT
"""WebKitGTK's MiniBrowser driven by WebKitWebDriver over W3C WebDriver (HTTP on a local port), with
Python's standard library; under an X server (private_session.sh --xvfb). What a screen reader finds
is read from the accessibility bus (atspi.py), since WebDriver gives no description.

Limits of this driver: the browser's window is never narrower than about 447 pixels (a narrower page
is shown in a frame of that width, `Tab.framed`), the device's density is the screen's (`scale`
starts the browser at another), and the browser's console cannot be read."""
import base64
import json
import os
import signal
import socket
import subprocess
import threading
import time
import urllib.error
import urllib.request

import atspi
from browser import (BrowserError, Tab, crop, decode_png, swipe_points, wait_for_new, webdriver_key,
                     webdriver_pointer, x_window)

DRIVER = "/usr/bin/WebKitWebDriver"
MINIBROWSER = "/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser"
# The narrowest window MiniBrowser makes, whatever it is asked.
NARROWEST = 447
ELEMENT = "element-6066-11e4-a52e-4f735466cecf"


class Recorder:
    """A proxy that lets nothing through: it notes each URL the browser asks the network for and
    refuses it."""

    def __init__(self):
        self.server = socket.create_server(("127.0.0.1", 0))
        self.address = "127.0.0.1:%d" % self.server.getsockname()[1]
        self.log = []
        threading.Thread(target=self._serve, daemon=True).start()

    def _serve(self):
        while True:
            try:
                connection, _ = self.server.accept()
            except OSError:
                return
            with connection:
                connection.settimeout(5)
                head = b""
                try:
                    while b"\r\n" not in head:
                        chunk = connection.recv(4096)
                        if not chunk:
                            break
                        head += chunk
                    method, target = head.split(b"\r\n", 1)[0].decode("latin-1").split(" ")[:2]
                    self.log.append("https://" + target if method == "CONNECT" else target)
                    connection.sendall(b"HTTP/1.1 403 Forbidden\r\nContent-Length: 0\r\nConnection: close\r\n\r\n")
                except (OSError, ValueError):
                    continue

    def close(self):
        self.server.close()


def _free_port():
    with socket.socket() as probe:
        probe.bind(("127.0.0.1", 0))
        return probe.getsockname()[1]


class WebKit:
    """One MiniBrowser, with its data in the folder `profile`, at `scale` device pixels to a CSS pixel,
    with the pages' JavaScript on or off.
    Whatever it asks of the network goes to a proxy that notes it and refuses it (`Tab.requests`)."""

    engine = "webkit"

    def __init__(self, profile, env=None, scale=1, javascript=True):
        if not os.environ.get("DISPLAY") and not (env or {}).get("DISPLAY"):
            raise BrowserError("WebKitGTK needs an X server: run through private_session.sh --xvfb")
        os.makedirs(profile, exist_ok=True)
        self.profile = profile
        self.scale = scale
        environment = dict(env or os.environ)
        # The browser's caches and data in the profile, and the screen's density as asked.
        environment.update(XDG_CACHE_HOME=os.path.join(profile, "cache"), XDG_DATA_HOME=os.path.join(profile, "data"),
                           XDG_CONFIG_HOME=os.path.join(profile, "config"), GDK_SCALE=str(scale))
        atspi.switch_on()
        self.proxy = Recorder()
        self.port = _free_port()
        self.process = subprocess.Popen([DRIVER, "--host=127.0.0.1", "--port=%d" % self.port],
                                        stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                                        stderr=subprocess.DEVNULL, env=environment, start_new_session=True)
        self.session = None
        self.current = None
        self.tabs = []
        try:
            self._wait_for_driver()
            capabilities = {"webkitgtk:browserOptions": {"binary": MINIBROWSER,
                                                         "args": ["--automation", "--enable-javascript=%s"
                                                                  % str(javascript).lower()]}}
            capabilities["proxy"] = {"proxyType": "manual", "httpProxy": self.proxy.address,
                                     "sslProxy": self.proxy.address}
            answer = self._call("POST", "/session", {"capabilities": {"alwaysMatch": capabilities}})
            self.session = answer["sessionId"]
            self.version = answer["capabilities"].get("browserVersion")
            self.current = self._call("GET", self._path("/window"))
            self.first = self.current
            self.reader = atspi.Reader(self._pids)
            x_window()
        except Exception:
            self.close()
            raise

    def __enter__(self):
        return self

    def __exit__(self, *exception):
        self.close()

    def _pids(self):
        """The driver's processes: MiniBrowser and the web processes under it."""
        found = {self.process.pid}
        grown = True
        while grown:
            grown = False
            for entry in os.listdir("/proc"):
                if not entry.isdigit():
                    continue
                try:
                    with open("/proc/%s/stat" % entry) as stat:
                        parent = int(stat.read().rsplit(")", 1)[1].split()[1])
                except (OSError, ValueError, IndexError):
                    continue
                if parent in found and int(entry) not in found:
                    found.add(int(entry))
                    grown = True
        return found

    def _wait_for_driver(self):
        deadline = time.monotonic() + 10
        while True:
            try:
                socket.create_connection(("127.0.0.1", self.port), timeout=1).close()
                return
            except OSError:
                if self.process.poll() is not None or time.monotonic() > deadline:
                    raise BrowserError("WebKitWebDriver did not start")
                time.sleep(0.05)

    def _path(self, path):
        return "/session/%s%s" % (self.session, path)

    def _call(self, method, path, body=None, timeout=60):
        data = json.dumps(body).encode() if body is not None else None
        request = urllib.request.Request("http://127.0.0.1:%d%s" % (self.port, path), data=data, method=method,
                                         headers={"Content-Type": "application/json; charset=utf-8"})
        try:
            with urllib.request.urlopen(request, timeout=timeout) as answer:
                return json.loads(answer.read())["value"]
        except urllib.error.HTTPError as error:
            value = json.loads(error.read() or b"{}").get("value", {})
            raise BrowserError("%s %s: %s: %s" % (method, path.split("/")[-1], value.get("error"),
                                                  value.get("message")))

    def call(self, method, path, body=None, timeout=60):
        """A command of the session (`path` after /session/<id>) in the window shown now."""
        return self._call(method, self._path(path), body, timeout)

    def switch(self, handle):
        if self.current != handle:
            self.call("POST", "/window", {"handle": handle})
            self.current = handle

    def open(self, url=None, width=600, height=400, scale=None, mobile=False):
        """A new window of the browser (a new tab would stay hidden behind the first, where it takes
        no clicks) showing `width` x `height` pixels of the page, at `url` once loaded. Narrower than
        the browser can make its window, the page is shown in a frame of that size (the tab is
        `framed`). The density is the browser's own (`scale` must agree)."""
        if scale not in (None, self.scale):
            raise BrowserError("this WebKit shows %g device pixels to a pixel, not %g: start another" %
                               (self.scale, scale))
        if self.tabs or self.current != self.first:
            handle = self.call("POST", "/window/new", {"type": "window"})["handle"]
        else:
            handle = self.first
        tab = self._take(handle, width, height)
        if url:
            tab.go(url)
        return tab

    def adopt(self, width=600, height=400, scale=None, mobile=False, timeout=10):
        """The window the page opened (its tab), once its page has loaded."""
        known = {self.first} | {tab.handle for tab in self.tabs}
        tab = self._take(wait_for_new(known, lambda: self.call("GET", "/window/handles"), timeout), width, height)
        tab.wait_until("document.readyState === 'complete'")
        return tab

    def _take(self, handle, width, height):
        tab = WebKitTab(self, handle, width, height)
        self.tabs.append(tab)
        tab.resize(width, height)
        return tab

    def close(self):
        if self.session:
            try:
                self._call("DELETE", self._path(""), timeout=20)
            except (BrowserError, OSError):
                pass
            self.session = None
        if self.process.poll() is None:
            self.process.send_signal(signal.SIGTERM)
            try:
                self.process.wait(timeout=10)
            except subprocess.TimeoutExpired:
                pass
        try:
            os.killpg(self.process.pid, signal.SIGKILL)
        except ProcessLookupError:
            pass
        self.process.wait()
        self.proxy.close()


class WebKitTab(Tab):
    engine = "webkit"

    def __init__(self, browser, handle, width, height):
        self.browser = browser
        self.handle = handle
        self.scale = browser.scale
        self.width = width
        self.height = height
        self.framed = width < NARROWEST
        self.url = None
        self.watched = 0

    def call(self, method, path, body=None, timeout=60):
        self.browser.switch(self.handle)
        return self.browser.call(method, path, body, timeout)

    def resize(self, width, height):
        """The window made to show `width` x `height` pixels of the page (at least its narrowest)."""
        self.width, self.height = width, height
        self.framed = width < NARROWEST
        self.call("POST", "/frame", {"id": None})
        rect = self.call("GET", "/window/rect")
        inner = self.call("POST", "/execute/sync", {"script": "return [innerWidth, innerHeight]", "args": []})
        wanted = max(width, NARROWEST)
        self.call("POST", "/window/rect", {"width": rect["width"] - inner[0] + wanted,
                                           "height": rect["height"] - inner[1] + height})

    def go(self, url):
        self.url = url
        if not self.framed:
            self.call("POST", "/url", {"url": url})
            return
        # A page of one frame, at the top left, of the size asked; what the tab does then is done in it.
        holder = os.path.join(self.browser.profile, "frame-%s.html" % self.handle)
        with open(holder, "w", encoding="utf-8") as file:
            file.write('<!DOCTYPE html><html><head><meta charset="utf-8"><style>html, body { margin: 0; } '
                       'iframe { display: block; border: 0; width: %dpx; height: %dpx; }</style></head>'
                       '<body><iframe src="%s"></iframe></body></html>\n' % (self.width, self.height, url))
        self.call("POST", "/url", {"url": "file://" + os.path.abspath(holder)})
        self._enter_frame()

    def _enter_frame(self):
        self.call("POST", "/frame", {"id": None})
        frame = self.call("POST", "/element", {"using": "css selector", "value": "iframe"})
        self.call("POST", "/frame", {"id": frame})
        deadline = time.monotonic() + 30
        while self.call("POST", "/execute/sync", {"script": "return document.readyState", "args": []}) != "complete":
            if time.monotonic() > deadline:
                raise BrowserError("the framed page did not load")
            time.sleep(0.02)

    def reload(self):
        if self.framed:
            self.go(self.url)
        else:
            self.call("POST", "/refresh", {})

    def evaluate(self, expression):
        # The expression is part of the script itself: the page's policy lets it evaluate no string.
        script = ("const done = arguments[arguments.length - 1];\n"
                  "Promise.resolve().then(() => (\n%s\n)).then(value => done([true, value === undefined ? null : "
                  "value]), error => done([false, String(error && error.stack || error)]));" % expression)
        ok, value = self.call("POST", "/execute/async", {"script": script, "args": []})
        if not ok:
            raise BrowserError("in the page: %s" % value)
        return value

    def screenshot(self, clip=None):
        # WebKit takes the picture the screen shows, which the page's last changes reach a frame or two
        # later.
        self.evaluate("new Promise(done => requestAnimationFrame(() => requestAnimationFrame(done)))")
        rows = decode_png(base64.b64decode(self.call("GET", "/screenshot")))
        if self.framed:
            rows = crop(rows, (0, 0, self.width, self.height), self.scale)
        return crop(rows, clip, self.scale)

    def _act(self, sources):
        self.call("POST", "/actions", {"actions": sources})
        self.call("DELETE", "/actions")

    def click(self, x, y):
        self._act(webdriver_pointer("mouse", [(x, y)]))

    def key(self, key, shift=False):
        self._act(webdriver_key(key, shift))

    def tap(self, x, y):
        self._act(webdriver_pointer("touch", [(x, y)]))

    def swipe(self, x, y, distance, steps=8):
        self._act(webdriver_pointer("touch", swipe_points(x, y, distance, steps)))

    def accessibles(self, element_ids):
        return self._read_on_bus(self.browser.reader, element_ids)

    def _retitle(self, title):
        # A frame's document is named on the bus by its frame: the page that holds it is retitled.
        if not self.framed:
            return super()._retitle(title)
        self.call("POST", "/frame", {"id": None})
        try:
            return self.call("POST", "/execute/sync", {"script": "const title = document.title; document.title = "
                                                                 "arguments[0]; return title;", "args": [title]})
        finally:
            self._enter_frame()

    def watch_requests(self):
        self.watched = len(self.browser.proxy.log)

    def requests(self):
        return self.browser.proxy.log[self.watched:]

    def close(self):
        if self.handle == self.browser.first:
            self.call("POST", "/url", {"url": "about:blank"})
        else:
            self.call("DELETE", "/window")
            self.browser.current = None
            self.browser.switch(self.browser.first)
        self.browser.tabs.remove(self)
