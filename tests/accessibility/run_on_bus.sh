#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Runs one of Malvoran's programs with the AT-SPI accessibility bus, and drives it from a Python client
# the way a screen reader does. Runs in a private session with its own X server (private_session.sh --xvfb), where
# GSETTINGS_BACKEND=memory keeps the switched-on accessibility out of the user's settings.
# Usage: run_on_bus.sh <program> <driver.py>
set -euo pipefail
program=$1
driver=$2
fail() { echo "FAIL: $*" >&2; exit 1; }
[ -n "${DISPLAY:-}" ] && [ -n "${DBUS_SESSION_BUS_ADDRESS:-}" ] ||
    fail "no display or no session bus: run this through private_session.sh --xvfb"
pid=
trap '[ -z "$pid" ] || kill "$pid" 2>/dev/null || true' EXIT

# One accessibility bus, started by D-Bus activation as on a desktop; the call waits for it.
a11y() { dbus-send --session --print-reply --reply-timeout=20000 --dest=org.a11y.Bus /org/a11y/bus "$@" 2>&1; }
reply=$(a11y org.a11y.Bus.GetAddress) || fail "the accessibility bus did not start: $reply"
reply=$(a11y org.freedesktop.DBus.Properties.Set string:org.a11y.Status string:IsEnabled variant:boolean:true) ||
    fail "the accessibility bus could not be switched on: $reply"

QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$program" &
pid=$!

# There is no window manager to give the new window the keyboard: do what one would. The window is
# the program's own, found by its process id.
window=
for _ in $(seq 200); do
    window=$(xdotool search --onlyvisible --pid "$pid" 2>/dev/null | head -n1) && [ -n "$window" ] && break
    kill -0 "$pid" 2>/dev/null || fail "the program ended before its window appeared"
    sleep 0.05
done
[ -n "$window" ] || fail "no window of the program (process $pid) appeared within 10 s"
xdotool windowfocus --sync "$window"

# pyatspi comes with Debian's own Python.
timeout 60 /usr/bin/python3 "$driver"
