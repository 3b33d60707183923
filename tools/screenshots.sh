#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Makes the screenshots that the README and the software-centre metadata show, as a student sees
# each window: yellow, violet, red and gold chosen with the keys, then "Изчисли" pressed; and the
# practice in the middle of round 42, its second task judged. Each window runs in a private session on
# its own X server; the Windows edition under Wine at 96 dpi; the page in headless Chromium at a
# desktop's width and at a phone's.
#   tools/screenshots.sh [shots...]  writes the shots named, or all of them: malvoran (malvoran.png),
#                                    windows (malvoran-windows.png), web (malvoran-web.png and
#                                    malvoran-web-phone.png) and practice (malvoran-practice.png)
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
shots=("$@")
[ ${#shots[@]} -gt 0 ] || shots=(malvoran windows web practice)
wanted() { [[ " ${shots[*]} " == *" $1 "* ]]; }
purposes=(build test icons)
wanted windows && purposes+=(windows)
wanted web && purposes+=(web)
tools/setup.sh "${purposes[@]}"
if wanted malvoran || wanted practice; then
    cmake --preset default >/dev/null && cmake --build --preset default --target malvoran malvoran-practice >/dev/null
fi
if wanted windows; then
    cmake --preset windows >/dev/null && cmake --build --preset windows --target malvoran >/dev/null
fi
if wanted web; then
    cmake --preset web >/dev/null && cmake --build --preset web --target malvoran_page >/dev/null
fi
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

# The practice, keyed in as a student would: round 42 asked for in its box; the first task's colours
# chosen in the four lists (yellow, violet, red, silver: 4,7 kΩ ±10%) and "Провери" pressed with Enter;
# then "Следваща", and the second resistor read as 75 kΩ, Enter in the answer box judging it.
shoot_practice() {
    cat <<'SCRIPT'
set -euo pipefail
out=$1
shift
"$@" &
for _ in $(seq 100); do
    window=$(xdotool search --name 'Malvoran — упражнение' 2>/dev/null | head -n1) && [ -n "$window" ] && break
    sleep 0.2
done
[ -n "${window:-}" ] || { echo "screenshots: the practice window did not open" >&2; exit 1; }
sleep 1
xdotool windowfocus --sync "$window"
# The round's box, at its designed place (Text1(2): 285, 368, 54 x 25 pixels).
xdotool mousemove --window "$window" 312 380 click 1
xdotool key ctrl+a
xdotool type --delay 50 42
xdotool key Return
sleep 0.5
for presses in 5 8 3; do
    for _ in $(seq "$presses"); do xdotool key Down; done
    xdotool key Tab
done
xdotool key End Tab Return
sleep 0.5
xdotool key Return
sleep 0.5
xdotool type --delay 50 75k
xdotool key Return
sleep 1
import -window "$window" "$out"
kill %1 2>/dev/null || true
SCRIPT
}

if wanted malvoran; then
    tests/private_session.sh "$PWD/build/default/sessions" --xvfb QT_QPA_PLATFORM=xcb \
        bash -c "$(shoot)" _ "$PWD/screenshots/malvoran.png" "$PWD/build/default/qt/malvoran"
fi
if wanted practice; then
    tests/private_session.sh "$PWD/build/default/sessions" --xvfb QT_QPA_PLATFORM=xcb \
        bash -c "$(shoot_practice)" _ "$PWD/screenshots/malvoran-practice.png" "$PWD/build/default/qt/malvoran-practice"
fi
if wanted windows; then
    MALVORAN_WINE_PREFIX=screenshots tests/win32/wine_run.sh "$PWD/build/windows/wine" --unix \
        bash -c "$(shoot)" _ "$PWD/screenshots/malvoran-windows.png" wine "$PWD/build/windows/win32/malvoran.exe"
fi
if wanted web; then
    tests/private_session.sh "$PWD/build/web/sessions" /usr/bin/python3 -B tools/page_screenshots.py \
        "$PWD/build/web/web/malvoran.html" "$PWD/build/web/web/parts/design.json" "$PWD/build/web/screenshots" \
        "$PWD/screenshots/malvoran-web.png" "$PWD/screenshots/malvoran-web-phone.png" 2>/dev/null
fi
# Smaller files, the same pixels.
made=()
wanted malvoran && made+=(screenshots/malvoran.png)
wanted windows && made+=(screenshots/malvoran-windows.png)
wanted web && made+=(screenshots/malvoran-web.png screenshots/malvoran-web-phone.png)
wanted practice && made+=(screenshots/malvoran-practice.png)
for shot in "${made[@]}"; do
    convert "$shot" -strip -define png:compression-level=9 "$shot"
done
ls -l screenshots
