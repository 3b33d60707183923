#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Runs a command against a private Xvfb server (started with -noreset, on a free display number) and
# stops the server afterwards. Usage: with_xvfb.sh <command> [arguments...]
set -euo pipefail
displayfile=$(mktemp)
Xvfb -displayfd 3 -screen 0 1024x768x24 -noreset -nolisten tcp 3>"$displayfile" 2>/dev/null &
server=$!
trap 'kill $server 2>/dev/null && wait $server 2>/dev/null; rm -f "$displayfile"' EXIT
for _ in $(seq 200); do [ -s "$displayfile" ] && break; sleep 0.05; done
[ -s "$displayfile" ] || { echo "FAIL: Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$(head -n1 "$displayfile")"
# What the session bus starts by itself (the accessibility bus) uses this display too, as on a desktop.
[ -z "${DBUS_SESSION_BUS_ADDRESS:-}" ] || dbus-update-activation-environment DISPLAY
"$@"
