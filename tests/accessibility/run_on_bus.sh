#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Runs Malvoran on a private X server with the AT-SPI accessibility bus, and drives it from a Python
# client the way a screen reader does. Usage: run_on_bus.sh <malvoran binary> <driver.py>
set -euo pipefail
if [ "${1:-}" != "--inside" ]; then
    exec dbus-run-session -- "$(dirname "$0")/../with_xvfb.sh" "$0" --inside "$@"
fi
shift
program=$1
driver=$2
pids=()
cleanup() { for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done; }
trap cleanup EXIT

/usr/libexec/at-spi-bus-launcher --launch-immediately &
pids+=($!)
for _ in $(seq 100); do
    dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress >/dev/null 2>&1 && break
    sleep 0.05
done
dbus-send --session --type=method_call --dest=org.a11y.Bus /org/a11y/bus \
    org.freedesktop.DBus.Properties.Set string:org.a11y.Status string:IsEnabled variant:boolean:true

QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$program" &
pids+=($!)

# There is no window manager to give the new window the keyboard: do what one would.
for _ in $(seq 100); do
    window=$(xdotool search --name 'Физика' 2>/dev/null | head -n1) && [ -n "$window" ] && break
    sleep 0.05
done
[ -n "${window:-}" ] || { echo "FAIL: the window did not appear" >&2; exit 1; }
xdotool windowfocus --sync "$window"

# pyatspi comes with Debian's own Python.
timeout 60 /usr/bin/python3 "$driver"
