# SPDX-License-Identifier: MIT
"""Firefox driven over WebDriver BiDi, which it speaks itself on a local WebSocket (no geckodriver),
with Python's standard library. It runs with a window, under an X server (private_session.sh
--xvfb): headless, Firefox puts nothing on the accessibility bus, where what a screen reader finds is
read (atspi.py), since BiDi gives no description."""
import base64
import json
import os
import re
import signal
import socket
import struct
import subprocess
import time
import urllib.parse

import atspi
from browser import (BrowserError, Tab, decode_png, swipe_points, wait_for_new, webdriver_key, webdriver_pointer,
                     x_window)

BINARY = "/usr/bin/firefox-esr"

# The browser's own traffic off (the remote agent turns off most of it by itself), and nothing of a
# first start in the way.
PREFERENCES = {
    "browser.shell.checkDefaultBrowser": False,
    "browser.startup.homepage_override.mstone": "ignore",
    "datareporting.policy.dataSubmissionEnabled": False,
    "toolkit.telemetry.reportingpolicy.firstRun": False,
    "browser.aboutwelcome.enabled": False,
    "browser.tabs.warnOnClose": False,
    "network.connectivity-service.enabled": False,
    "network.captive-portal-service.enabled": False,
    "browser.safebrowsing.update.enabled": False,
    # Touches reach the page as touch events, as on a touch screen.
    "dom.w3c_touch_events.enabled": 1,
}


class WebSocket:
    """A client's end of a WebSocket (text messages only), enough for a local BiDi session."""

    def __init__(self, url, timeout=30):
        parts = urllib.parse.urlsplit(url)
        self.socket = socket.create_connection((parts.hostname, parts.port), timeout=timeout)
        key = base64.b64encode(os.urandom(16)).decode()
        self.socket.sendall(("GET %s HTTP/1.1\r\nHost: %s:%d\r\nUpgrade: websocket\r\nConnection: Upgrade\r\n"
                             "Sec-WebSocket-Key: %s\r\nSec-WebSocket-Version: 13\r\n\r\n"
                             % (parts.path or "/", parts.hostname, parts.port, key)).encode())
        self.buffer = b""
        head = self._until(b"\r\n\r\n")
        if b" 101 " not in head.split(b"\r\n", 1)[0]:
            raise BrowserError("no WebSocket at %s: %r" % (url, head[:80]))

    def _until(self, end):
        while end not in self.buffer:
            self._fill()
        head, self.buffer = self.buffer.split(end, 1)
        return head

    def _fill(self):
        chunk = self.socket.recv(1 << 20)
        if not chunk:
            raise BrowserError("the browser closed its WebSocket")
        self.buffer += chunk

    def _take(self, count):
        while len(self.buffer) < count:
            self._fill()
        taken, self.buffer = self.buffer[:count], self.buffer[count:]
        return taken

    def send(self, text):
        data = text.encode()
        mask = os.urandom(4)
        length = len(data)
        if length < 126:
            head = struct.pack(">BB", 0x81, 0x80 | length)
        elif length < 1 << 16:
            head = struct.pack(">BBH", 0x81, 0xFE, length)
        else:
            head = struct.pack(">BBQ", 0x81, 0xFF, length)
        masked = bytes(b ^ mask[i % 4] for i, b in enumerate(data))
        self.socket.sendall(head + mask + masked)

    def receive(self, timeout):
        self.socket.settimeout(timeout)
        message = b""
        while True:
            first, second = self._take(2)
            length = second & 0x7F
            if length == 126:
                length = struct.unpack(">H", self._take(2))[0]
            elif length == 127:
                length = struct.unpack(">Q", self._take(8))[0]
            payload = self._take(length)
            opcode = first & 0x0F
            if opcode == 8:
                raise BrowserError("the browser closed its WebSocket")
            if opcode in (9, 10):
                continue
            message += payload
            if first & 0x80:
                return message.decode()

    def close(self):
        self.socket.close()


def value_of(remote):
    """A BiDi remote value as Python's: objects as dicts, arrays as lists."""
    kind = remote.get("type")
    value = remote.get("value")
    if kind in ("undefined", "null"):
        return None
    if kind == "number" and isinstance(value, str):
        return {"NaN": float("nan"), "-0": -0.0, "Infinity": float("inf"), "-Infinity": float("-inf")}[value]
    if kind in ("array", "set"):
        return [value_of(item) for item in value]
    if kind in ("object", "map"):
        return {key if isinstance(key, str) else value_of(key): value_of(item) for key, item in value}
    if kind in ("string", "number", "boolean", "bigint"):
        return value
    return {"type": kind}


class Firefox:
    """One Firefox with its profile in the folder `profile`, with the pages' JavaScript on or off;
    closed with everything it started."""

    engine = "firefox"

    def __init__(self, profile, env=None, javascript=True, preferences=None):
        if not os.environ.get("DISPLAY") and not (env or {}).get("DISPLAY"):
            raise BrowserError("Firefox is tested with a window: run through private_session.sh --xvfb")
        os.makedirs(profile, exist_ok=True)
        with open(os.path.join(profile, "user.js"), "w", encoding="utf-8") as file:
            for name, value in dict(PREFERENCES, **{"javascript.enabled": javascript}, **(preferences or {})).items():
                file.write("user_pref(%s, %s);\n" % (json.dumps(name), json.dumps(value)))
        atspi.switch_on()
        log = os.path.join(profile, "browser.log")
        environment = dict(env or os.environ, MOZ_CRASHREPORTER_DISABLE="1", GNOME_ACCESSIBILITY="1")
        with open(log, "wb") as output:
            self.process = subprocess.Popen(
                [BINARY, "--remote-debugging-port=0", "--no-remote", "--profile", profile, "about:blank"],
                stdin=subprocess.DEVNULL, stdout=output, stderr=output, env=environment, start_new_session=True)
        self.socket = None
        self.next_id = 0
        self.events = []
        try:
            self.socket = WebSocket(self._address(log) + "/session")
            answer = self.send("session.new", {"capabilities": {}})
            self.version = answer["capabilities"].get("browserVersion")
            # The first tab stays blank: its document never gets the keyboard's focus, which stays in
            # the address bar, while a tab opened later has it.
            self.first = self.send("browsingContext.getTree", {"maxDepth": 0})["contexts"][0]["context"]
            self.active = self.first
            self.tabs = []
            self.reader = atspi.Reader(self._pids)
            x_window(self.process.pid, focus=True)
        except Exception:
            self.close()
            raise

    def _address(self, log):
        """The browser's BiDi address, which it writes once it listens."""
        deadline = time.monotonic() + 60
        while time.monotonic() < deadline:
            with open(log, encoding="utf-8", errors="replace") as file:
                found = re.search(r"WebDriver BiDi listening on (ws://\S+)", file.read())
            if found:
                return found.group(1)
            if self.process.poll() is not None:
                break
            time.sleep(0.05)
        raise BrowserError("Firefox did not start its BiDi server (see %s)" % log)

    def _pids(self):
        found = {self.process.pid}
        for entry in os.listdir("/proc"):
            if entry.isdigit():
                try:
                    if os.getpgid(int(entry)) == self.process.pid:
                        found.add(int(entry))
                except OSError:
                    continue
        return found

    def __enter__(self):
        return self

    def __exit__(self, *exception):
        self.close()

    def send(self, method, params=None, timeout=60):
        self.next_id += 1
        self.socket.send(json.dumps({"id": self.next_id, "method": method, "params": params or {}}))
        deadline = time.monotonic() + timeout
        while True:
            message = json.loads(self.socket.receive(max(0.01, deadline - time.monotonic())))
            if message.get("id") == self.next_id:
                if message.get("type") == "error":
                    raise BrowserError("%s: %s: %s" % (method, message.get("error"), message.get("message")))
                return message.get("result", {})
            if message.get("type") == "event":
                self.events.append(message)

    def wait_for(self, method, timeout=30, where=lambda params: True):
        """The first event `method` that satisfies `where`, taken off the queue."""
        deadline = time.monotonic() + timeout
        while True:
            for event in self.events:
                if event["method"] == method and where(event["params"]):
                    self.events.remove(event)
                    return event["params"]
            if time.monotonic() > deadline:
                raise BrowserError("no %s in %.0f s" % (method, timeout))
            self.socket.socket.settimeout(max(0.01, deadline - time.monotonic()))
            try:
                message = json.loads(self.socket.receive(max(0.01, deadline - time.monotonic())))
            except (socket.timeout, TimeoutError):
                continue
            if message.get("type") == "event":
                self.events.append(message)

    def open(self, url=None, width=600, height=400, scale=1, mobile=False):
        """A new tab showing `width` x `height` pixels of the page at `scale` device pixels each, at
        `url` once loaded. Firefox has no phone's mode: `mobile` changes nothing but the size."""
        tab = self._take(self.send("browsingContext.create", {"type": "tab"})["context"], width, height, scale)
        if url:
            tab.go(url)
        return tab

    def _contexts(self):
        return [context["context"] for context in self.send("browsingContext.getTree", {"maxDepth": 0})["contexts"]]

    def adopt(self, width=600, height=400, scale=1, mobile=False, timeout=10):
        """The tab the page opened, once its page has loaded."""
        known = {self.first} | {tab.context for tab in self.tabs}
        tab = self._take(wait_for_new(known, self._contexts, timeout), width, height, scale)
        tab.wait_until("document.readyState === 'complete'")
        return tab

    def _take(self, context, width, height, scale):
        self.active = context
        tab = FirefoxTab(self, context)
        self.tabs.append(tab)
        tab.resize(width, height, scale)
        return tab

    def close(self):
        if self.socket is not None:
            try:
                self.send("browser.close", timeout=20)
            except (BrowserError, OSError):
                pass
            self.socket.close()
            self.socket = None
        try:
            self.process.wait(timeout=20)
        except subprocess.TimeoutExpired:
            pass
        try:
            os.killpg(self.process.pid, signal.SIGKILL)
        except ProcessLookupError:
            pass
        self.process.wait()


class FirefoxTab(Tab):
    engine = "firefox"

    def __init__(self, browser, context):
        self.browser = browser
        self.context = context
        self.scale = 1

    def send(self, method, params=None, timeout=60):
        return self.browser.send(method, dict(params or {}, context=self.context), timeout)

    def resize(self, width, height, scale=1):
        self.scale = scale
        self.send("browsingContext.setViewport",
                  {"viewport": {"width": width, "height": height}, "devicePixelRatio": scale})

    def go(self, url):
        self.activate()
        self.send("browsingContext.navigate", {"url": url, "wait": "complete"})

    def reload(self):
        self.activate()
        self.send("browsingContext.reload", {"wait": "complete"})

    def evaluate(self, expression, timeout=60):
        answer = self.browser.send("script.evaluate", {"expression": expression, "target": {"context": self.context},
                                                       "awaitPromise": True, "userActivation": True}, timeout)
        if answer.get("type") == "exception":
            raise BrowserError("in the page: %s" % answer["exceptionDetails"].get("text"))
        return value_of(answer["result"])

    def screenshot(self, clip=None):
        params = {"origin": "viewport"}
        if clip is not None:
            x, y, width, height = clip
            params["clip"] = {"type": "box", "x": x, "y": y, "width": width, "height": height}
        self.activate()
        return decode_png(base64.b64decode(self.send("browsingContext.captureScreenshot", params)["data"]))

    def _act(self, sources):
        self.activate()
        self.send("input.performActions", {"actions": sources})
        self.send("input.releaseActions")

    def click(self, x, y):
        self._act(webdriver_pointer("mouse", [(x, y)]))

    def key(self, key, shift=False):
        self._act(webdriver_key(key, shift))

    def tap(self, x, y):
        self._act(webdriver_pointer("touch", [(x, y)]))

    def swipe(self, x, y, distance, steps=8):
        self._act(webdriver_pointer("touch", swipe_points(x, y, distance, steps)))

    def accessibles(self, element_ids):
        # The tab in front is the one whose document the accessibility bus shows.
        self.activate()
        return self._read_on_bus(self.browser.reader, element_ids)

    def run_before_load(self, script):
        self.browser.send("script.addPreloadScript", {"functionDeclaration": "() => {\n%s\n}" % script,
                                                      "contexts": [self.context]})
        return True

    def watch_requests(self):
        self.browser.send("session.subscribe", {"events": ["network.beforeRequestSent"], "contexts": [self.context]})
        self.browser.events = [event for event in self.browser.events if event["method"] != "network.beforeRequestSent"]

    def requests(self):
        found = []
        while True:
            try:
                found.append(self.browser.wait_for("network.beforeRequestSent", 0.2,
                                                   lambda params: params["context"] == self.context)["request"]["url"])
            except BrowserError:
                return found

    def activate(self):
        """Brings the tab to the front, where it takes keys, clicks and pictures."""
        if self.browser.active != self.context:
            self.send("browsingContext.activate")
            self.browser.active = self.context

    def close(self):
        self.send("browsingContext.close")
        self.browser.tabs.remove(self)
        if self.browser.active == self.context:
            self.browser.active = None
