#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Makes the screenshots that the README and the software-centre metadata show, as a student sees
# each window: yellow, violet, red and gold chosen with the keys, then "Изчисли" pressed. Each window
# runs in a private session on its own X server; the Windows edition under Wine at 96 dpi; the page
# in headless Chromium at a desktop's width and at a phone's.
#   tools/screenshots.sh        writes screenshots/malvoran.png, malvoran-windows.png, malvoran-web.png
#                               and malvoran-web-phone.png
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
tools/setup.sh build test windows web icons
cmake --preset default >/dev/null && cmake --build --preset default --target malvoran >/dev/null
cmake --preset windows >/dev/null && cmake --build --preset windows --target malvoran >/dev/null
cmake --preset web >/dev/null && cmake --build --preset web --target malvoran_page >/dev/null
mkdir -p screenshots

# Run inside the session: starts the program, waits for its window, keys in the code and takes the
# window with its frame where the system draws one.
shoot() {
    cat <<'SCRIPT'
set -euo pipefail
out=$1
shift
"$@" &
for _ in $(seq 100); do
    window=$(xdotool search --name 'Физика - резистори' 2>/dev/null | head -n1) && [ -n "$window" ] && break
    sleep 0.2
done
[ -n "${window:-}" ] || { echo "screenshots: the window did not open" >&2; exit 1; }
sleep 1
# No window manager gives the window the keyboard: it takes it itself.
xdotool windowfocus --sync "$window"
for presses in 5 8 3 7; do
    xdotool key Tab
    for _ in $(seq "$presses"); do xdotool key Down; done
done
xdotool key Tab space
sleep 1
import -window "$window" "$out"
kill %1 2>/dev/null || true
SCRIPT
}

tests/private_session.sh "$PWD/build/default/sessions" --xvfb QT_QPA_PLATFORM=xcb \
    bash -c "$(shoot)" _ "$PWD/screenshots/malvoran.png" "$PWD/build/default/qt/malvoran"
MALVORAN_WINE_PREFIX=screenshots tests/win32/wine_run.sh "$PWD/build/windows/wine" --unix \
    bash -c "$(shoot)" _ "$PWD/screenshots/malvoran-windows.png" wine "$PWD/build/windows/win32/malvoran.exe"
tests/private_session.sh "$PWD/build/web/sessions" /usr/bin/python3 -B tools/page_screenshots.py \
    "$PWD/build/web/web/malvoran.html" "$PWD/build/web/web/parts/design.json" "$PWD/build/web/screenshots" \
    "$PWD/screenshots/malvoran-web.png" "$PWD/screenshots/malvoran-web-phone.png" 2>/dev/null
# Smaller files, the same pixels.
for shot in screenshots/malvoran*.png; do
    convert "$shot" -strip -define png:compression-level=9 "$shot"
done
ls -l screenshots
