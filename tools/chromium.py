# SPDX-License-Identifier: MIT
"""Headless Chromium driven over its own DevTools protocol, on a pipe (no port, no display), with
Python's standard library alone, so it always speaks the protocol of the Chromium installed beside it.
Its tabs answer what browser.py asks of every engine; the protocol's own commands (`send`) reach what
only Chromium can do (emulated phones, themes and languages, the clipboard, the network's log).

    with Chromium(profile) as browser:
        page = browser.open("file:///.../malvoran.html")
        page.evaluate("document.title")
"""
import base64
import json
import os
import select
import shutil
import subprocess
import tempfile
import time

from browser import BrowserError, Tab, decode_png, wait_for_new

BINARY = "/usr/lib/chromium/chromium"

# Headless, as root in a container, with none of the browser's own traffic (updates, sync, the
# network prediction), which a closed network answers by refusing, and colours as the page gives them.
FLAGS = [
    "--headless", "--no-sandbox", "--disable-gpu", "--no-first-run", "--no-default-browser-check",
    "--disable-background-networking", "--disable-component-update", "--disable-sync",
    "--disable-default-apps", "--disable-extensions", "--disable-breakpad", "--disable-crash-reporter",
    "--password-store=basic", "--use-mock-keychain", "--force-color-profile=srgb",
    "--disable-features=Translate,MediaRouter,OptimizationHints,AutofillServerCommunication",
    "--remote-debugging-pipe",
]


class ProtocolError(BrowserError):
    pass


class Chromium:
    """One browser, in a profile folder of the caller's, with the pages' JavaScript on or off; closed
    with everything it started."""

    engine = "chromium"

    def __init__(self, profile, flags=(), env=None, javascript=True):
        os.makedirs(profile, exist_ok=True)
        # Chromium keeps a socket in a folder of its TMPDIR, and a socket's path may not exceed 107
        # bytes: where the session's TMPDIR is too deep (a build tree in a long or Cyrillic path), a
        # folder in /tmp serves instead. Either way it is removed when the browser closes.
        scratch = (env or os.environ).get("TMPDIR", "/tmp")
        socket = "/chromium.XXXXXXXX/org.chromium.Chromium.XXXXXX/SingletonSocket"
        if len(os.fsencode(scratch + socket)) > 107:
            scratch = "/tmp"
        self.scratch = tempfile.mkdtemp(prefix="chromium.", dir=scratch)
        env = dict(env or os.environ, TMPDIR=self.scratch)
        to_browser = os.pipe()
        from_browser = os.pipe()
        # The browser reads commands on descriptor 3 and writes answers on 4.
        keep = (os.dup(to_browser[0]), os.dup(from_browser[1]))

        def descriptors():
            os.dup2(keep[0], 3)
            os.dup2(keep[1], 4)

        if not javascript:
            flags = list(flags) + ["--blink-settings=scriptEnabled=false"]
        self.process = subprocess.Popen(
            [BINARY] + FLAGS + ["--user-data-dir=" + profile] + list(flags) + ["about:blank"],
            stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
            pass_fds=(3, 4) + keep, preexec_fn=descriptors, env=env, start_new_session=True)
        for fd in keep + (to_browser[0], from_browser[1]):
            os.close(fd)
        self.writer = to_browser[1]
        self.reader = from_browser[0]
        self.buffer = b""
        self.next_id = 0
        self.events = []
        # The tabs the client knows: those it opened or adopted, and the browser's first.
        self.seen = set()

    @property
    def version(self):
        return self.send("Browser.getVersion")["product"].split("/")[-1]

    def __enter__(self):
        return self

    def __exit__(self, *exception):
        self.close()

    def close(self):
        try:
            self.send("Browser.close")
        except (ProtocolError, OSError):
            pass
        try:
            self.process.wait(timeout=10)
        except subprocess.TimeoutExpired:
            os.killpg(self.process.pid, 9)
            self.process.wait()
        for fd in (self.writer, self.reader):
            try:
                os.close(fd)
            except OSError:
                pass
        shutil.rmtree(self.scratch, ignore_errors=True)

    def _receive(self, timeout):
        deadline = time.monotonic() + timeout
        while b"\0" not in self.buffer:
            left = deadline - time.monotonic()
            if left <= 0 or not select.select([self.reader], [], [], left)[0]:
                raise ProtocolError("the browser did not answer in %.0f s" % timeout)
            chunk = os.read(self.reader, 1 << 20)
            if not chunk:
                raise ProtocolError("the browser closed its pipe")
            self.buffer += chunk
        message, self.buffer = self.buffer.split(b"\0", 1)
        return json.loads(message)

    def send(self, method, params=None, session=None, timeout=30):
        self.next_id += 1
        command = {"id": self.next_id, "method": method, "params": params or {}}
        if session:
            command["sessionId"] = session
        os.write(self.writer, json.dumps(command).encode() + b"\0")
        while True:
            message = self._receive(timeout)
            if message.get("id") == self.next_id:
                if "error" in message:
                    raise ProtocolError("%s: %s" % (method, message["error"].get("message")))
                return message.get("result", {})
            self.events.append(message)

    def wait_for(self, method, session=None, timeout=30, where=lambda params: True):
        """The first event `method` (or one of several) of the page `session` that satisfies `where`,
        taken off the queue: its parameters, and its method where several were named."""
        methods = (method,) if isinstance(method, str) else method
        deadline = time.monotonic() + timeout
        while True:
            for event in self.events:
                if event.get("method") in methods and event.get("sessionId") == session and where(
                        event.get("params", {})):
                    self.events.remove(event)
                    return event["params"] if isinstance(method, str) else (event["method"], event["params"])
            self.events.append(self._receive(max(0.01, deadline - time.monotonic())))

    def _pages(self):
        return [target["targetId"] for target in self.send("Target.getTargets")["targetInfos"]
                if target["type"] == "page"]

    def open(self, url=None, width=600, height=400, scale=1, mobile=False):
        """A new tab of `width` x `height` pixels at `scale` device pixels each, at `url` once loaded."""
        page = self._attach(self.send("Target.createTarget", {"url": "about:blank"})["targetId"], width, height,
                            scale, mobile)
        if url:
            page.go(url)
        return page

    def adopt(self, width=600, height=400, scale=1, mobile=False, timeout=10):
        """The tab the page opened, once its page has loaded."""
        page = self._attach(wait_for_new(self.seen, self._pages, timeout), width, height, scale, mobile)
        page.wait_until("document.readyState === 'complete'")
        return page

    def _attach(self, target, width, height, scale, mobile):
        self.seen.update(self._pages())
        session = self.send("Target.attachToTarget", {"targetId": target, "flatten": True})["sessionId"]
        page = Page(self, session, target)
        for domain in ("Page", "Runtime"):
            page.send(domain + ".enable")
        page.resize(width, height, scale, mobile)
        page.scale = scale
        return page


class Page(Tab):
    engine = "chromium"

    def __init__(self, browser, session, target):
        self.browser = browser
        self.session = session
        self.target = target
        self.loader = None
        self.touch = False

    def send(self, method, params=None, timeout=30):
        return self.browser.send(method, params, self.session, timeout)

    def wait_for(self, method, timeout=30, where=lambda params: True):
        return self.browser.wait_for(method, self.session, timeout, where)

    def forget(self, method):
        """Drops the events `method` of this page that are still queued."""
        self.browser.events = [event for event in self.browser.events
                               if event.get("method") != method or event.get("sessionId") != self.session]

    def resize(self, width, height, scale=1, mobile=False):
        self.send("Emulation.setDeviceMetricsOverride", {
            "width": width, "height": height, "deviceScaleFactor": scale, "mobile": mobile,
            "screenWidth": width, "screenHeight": height})
        if mobile:
            self._touch_screen()

    def _touch_screen(self):
        if not self.touch:
            self.send("Emulation.setTouchEmulationEnabled", {"enabled": True, "maxTouchPoints": 5})
            self.touch = True

    def go(self, url, timeout=30):
        """Opens `url` and waits until it has loaded (not an earlier page's load, still queued)."""
        self.send("Page.setLifecycleEventsEnabled", {"enabled": True})
        loader = self.send("Page.navigate", {"url": url}).get("loaderId")
        # Another fragment of the same page loads nothing.
        if loader is None:
            return
        self.loader = loader
        self.wait_for("Page.lifecycleEvent", timeout,
                      lambda params: params["name"] == "load" and params["loaderId"] == self.loader)

    def reload(self, timeout=30):
        """Reloads the page as the browser's reload button does, and waits until it has loaded."""
        before = self.loader
        self.forget("Page.lifecycleEvent")
        self.send("Page.reload")
        loaded = self.wait_for("Page.lifecycleEvent", timeout,
                               lambda params: params["name"] == "load" and params["loaderId"] != before)
        self.loader = loaded["loaderId"]

    def evaluate(self, expression, timeout=30):
        """The value of a JavaScript expression in the page, awaited where it is a promise."""
        result = self.send("Runtime.evaluate", {"expression": expression, "returnByValue": True,
                                                "awaitPromise": True}, timeout)
        if "exceptionDetails" in result:
            details = result["exceptionDetails"]
            raise ProtocolError("in the page: %s" % details.get("exception", {}).get("description",
                                                                                     details.get("text")))
        return result["result"].get("value")

    def screenshot(self, clip=None):
        params = {"format": "png"}
        if clip is not None:
            x, y, width, height = clip
            params["clip"] = {"x": x, "y": y, "width": width, "height": height, "scale": 1}
        return decode_png(base64.b64decode(self.send("Page.captureScreenshot", params)["data"]))

    def click(self, x, y, button="left"):
        for kind in ("mousePressed", "mouseReleased"):
            self.send("Input.dispatchMouseEvent", {"type": kind, "x": x, "y": y, "button": button,
                                                   "clickCount": 1})

    # Named keys: what the browser calls them, the key's code and its Windows key code.
    KEYS = {
        "Tab": ("Tab", 9), "Enter": ("Enter", 13), "Escape": ("Escape", 27), "Home": ("Home", 36),
        "End": ("End", 35), "PageUp": ("PageUp", 33), "PageDown": ("PageDown", 34),
        "ArrowUp": ("ArrowUp", 38), "ArrowDown": ("ArrowDown", 40), "ArrowLeft": ("ArrowLeft", 37),
        "ArrowRight": ("ArrowRight", 39),
    }

    def key(self, key, shift=False):
        """A key pressed and released as a keyboard sends it: a named key ("Tab", "ArrowDown") or the
        character a key types ("с", " "), trusted by the page like a real one."""
        modifiers = 8 if shift else 0
        if key in self.KEYS:
            code, key_code = self.KEYS[key]
            down = {"type": "rawKeyDown", "key": key, "code": code}
        else:
            code = "Space" if key == " " else ""
            key_code = 32 if key == " " else ord(key.upper()) if key.isascii() else 0
            down = {"type": "keyDown", "key": key, "code": code, "text": key, "unmodifiedText": key}
        down.update({"windowsVirtualKeyCode": key_code, "modifiers": modifiers})
        self.send("Input.dispatchKeyEvent", down)
        self.send("Input.dispatchKeyEvent", {"type": "keyUp", "key": key, "code": code,
                                             "windowsVirtualKeyCode": key_code, "modifiers": modifiers})

    def tap(self, x, y):
        self._touch_screen()
        self.send("Input.dispatchTouchEvent", {"type": "touchStart", "touchPoints": [{"x": x, "y": y}]})
        self.send("Input.dispatchTouchEvent", {"type": "touchEnd", "touchPoints": []})

    def swipe(self, x, y, distance, steps=8):
        self._touch_screen()
        self.send("Input.dispatchTouchEvent", {"type": "touchStart", "touchPoints": [{"x": x, "y": y}]})
        for step in range(1, steps + 1):
            self.send("Input.dispatchTouchEvent", {"type": "touchMove",
                                                   "touchPoints": [{"x": x, "y": y - distance * step / steps}]})
            time.sleep(0.016)
        self.send("Input.dispatchTouchEvent", {"type": "touchEnd", "touchPoints": []})

    def run_before_load(self, script):
        self.send("Page.addScriptToEvaluateOnNewDocument", {"source": script})
        return True

    def watch_requests(self):
        self.send("Network.enable")
        self.forget("Network.requestWillBeSent")

    def requests(self):
        found = []
        while True:
            try:
                found.append(self.wait_for("Network.requestWillBeSent", timeout=0.2)["request"]["url"])
            except ProtocolError:
                return found

    def accessible(self, element_id):
        found = self.send("Runtime.evaluate", {"expression": "document.getElementById(%s)" % json.dumps(element_id)})
        if "objectId" not in found["result"]:
            return None
        node = self.send("DOM.describeNode", {"objectId": found["result"]["objectId"]})["node"]
        tree = self.send("Accessibility.getPartialAXTree",
                         {"backendNodeId": node["backendNodeId"], "fetchRelatives": False})["nodes"]
        if not tree or tree[0].get("ignored"):
            return None
        return {key: tree[0].get(key, {}).get("value", "") for key in ("role", "name", "description")}

    def close(self):
        self.browser.send("Target.closeTarget", {"targetId": self.target})
