# SPDX-License-Identifier: MIT
"""What a screen reader on Linux reads of a browser's page: the AT-SPI accessibility bus, for the
engines whose drivers give no description (Firefox, WebKitGTK). Needs a session bus and Debian's
python3-pyatspi; the bus is switched on before the browser starts, as a screen reader does."""
import subprocess
import time

from browser import BrowserError

# AT-SPI's role names as ARIA (and Chromium's tree) name them.
ROLES = {
    "image": "image", "list box": "listbox", "list item": "option", "push button": "button",
    "entry": "textbox", "heading": "heading", "landmark": "main", "section": "generic",
    "paragraph": "paragraph", "document web": "document",
}


def switch_on():
    """Starts the session's accessibility bus (by D-Bus activation, as on a desktop) and says that a
    screen reader listens, so that the browser started next speaks on it."""
    for arguments in (["org.a11y.Bus.GetAddress"],
                      ["org.freedesktop.DBus.Properties.Set", "string:org.a11y.Status", "string:IsEnabled",
                       "variant:boolean:true"]):
        subprocess.run(["dbus-send", "--session", "--print-reply", "--reply-timeout=20000", "--dest=org.a11y.Bus",
                        "/org/a11y/bus"] + arguments, check=True, stdout=subprocess.DEVNULL)


def _attributes(accessible):
    try:
        return dict(item.split(":", 1) for item in accessible.getAttributes() if ":" in item)
    except Exception:
        return {}


def _states(accessible):
    import pyatspi
    state = accessible.getState()
    return {name for name, value in (("showing", pyatspi.STATE_SHOWING), ("visible", pyatspi.STATE_VISIBLE))
            if state.contains(value)}


class Reader:
    """The accessible objects of the browser whose process is `pid`, or of its child processes."""

    def __init__(self, pids):
        self.pids = pids

    def _applications(self):
        import pyatspi
        desktop = pyatspi.Registry.getDesktop(0)
        for i in range(desktop.childCount):
            application = desktop.getChildAtIndex(i)
            try:
                if application is not None and application.get_process_id() in self.pids():
                    yield application
            except Exception:
                continue

    def documents(self, name=None):
        """The web documents the browser shows now (of that name, where given), deepest first (a
        frame's document before the page that holds it)."""
        found = []

        def walk(accessible, depth):
            if accessible is None or depth > 60:
                return
            try:
                role = accessible.getRoleName()
                count = accessible.childCount
            except Exception:
                return
            if role == "document web" and "showing" in _states(accessible) and name in (None, accessible.name):
                found.append((depth, accessible))
            for i in range(count):
                walk(accessible.getChildAtIndex(i), depth + 1)

        for application in self._applications():
            walk(application, 0)
        return [accessible for _, accessible in sorted(found, key=lambda item: -item[0])]

    def find(self, element_ids, document=None, timeout=5):
        """What a screen reader finds for each shown element of those ids (in the document of that
        name, where given): its role, name and description, by id; None for one that does not appear
        within `timeout` seconds."""
        deadline = time.monotonic() + timeout
        while True:
            found = {}
            for document in self.documents(document):
                here = {}
                self._search(document, set(element_ids), here)
                # Where two tabs show the page, neither is taken for the other.
                if set(here) & set(found):
                    raise BrowserError("more than one document shows %s" % sorted(set(here) & set(found)))
                found.update(here)
            if len(found) == len(set(element_ids)) or time.monotonic() > deadline:
                return {element_id: self._describe(found[element_id]) if element_id in found else None
                        for element_id in element_ids}
            time.sleep(0.1)

    @staticmethod
    def _describe(accessible):
        return {"role": ROLES.get(accessible.getRoleName(), accessible.getRoleName()), "name": accessible.name,
                "description": accessible.description}

    def _search(self, accessible, wanted, found, depth=0):
        if accessible is None or depth > 60 or not wanted:
            return
        try:
            element_id = _attributes(accessible).get("id")
            count = accessible.childCount
        except Exception:
            return
        if element_id in wanted:
            found[element_id] = accessible
            wanted.discard(element_id)
        for i in range(count):
            self._search(accessible.getChildAtIndex(i), wanted, found, depth + 1)
