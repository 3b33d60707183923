#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The page's benchmark: builds malvoran.html and prints its size, then loads it and a floor page (one
# label in a window of the design's size and colour, plain HTML) alternately in one headless Chromium,
# each load in a new tab (as a student opens the file), then one after another in the same tab, and
# prints, as pairwise medians: the first contentful paint, and the window answering a click on
# "Изчисли" with its report, each against the floor's first paint. Figures only; nothing here passes
# or fails. The browser runs in a private session, its profile in the build tree.
#   bench/run-web.sh [loads of each (20)]
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
loads=${1:-20}
tools/setup.sh web
cmake --preset web >/dev/null
cmake --build --preset web --target malvoran_page >/dev/null
exec tests/private_session.sh "$PWD/build/web/sessions" /usr/bin/python3 -B bench/web_bench.py \
    "$PWD/build/web/web/malvoran.html" "$PWD/build/web/web/parts/design.json" "$PWD/build/web/bench" "$loads" \
    2> >(grep -v '^dbus-daemon' >&2)
