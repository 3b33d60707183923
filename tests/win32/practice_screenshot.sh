#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Makes the screenshot of the practice window that docs/windows.md shows, as a student meets it
# mid-round: under Wine at 96 dpi on a private X server (wine_run.sh), round 1 asked for by its
# number, its first task's colours chosen with the keys and checked with Enter, then a wrong value
# typed for the second task, its feedback shown. A picture for reading, not a test.
#   tests/win32/practice_screenshot.sh    writes screenshots/malvoran-practice-windows.png
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/../.."
tools/setup.sh build test windows icons
cmake --preset windows >/dev/null && cmake --build --preset windows --target malvoran-practice >/dev/null
mkdir -p screenshots

# Run inside the session: starts the program, waits for its window, plays and takes the window with
# the frame Wine draws.
shoot() {
    cat <<'SCRIPT'
set -euo pipefail
out=$1
shift
"$@" &
for _ in $(seq 100); do
    window=$(xdotool search --onlyvisible --name 'Malvoran — упражнение' 2>/dev/null | head -n1) &&
        [ -n "$window" ] && break
    sleep 0.2
done
[ -n "${window:-}" ] || { echo "practice_screenshot: the window did not open" >&2; exit 1; }
sleep 1
# No window manager gives the window the keyboard: it takes it itself.
xdotool windowfocus --sync "$window"
# The client area is the design's 461 x 401 pixels at 96 dpi, inside the frame Wine draws: the round's
# box stands at 285, 320, 54 x 25 in it.
eval "$(xdotool getwindowgeometry --shell "$window")"
side=$(((WIDTH - 461) / 2))
top=$((HEIGHT - 401 - side))
xdotool mousemove --window "$window" $((side + 312)) $((top + 332)) click 1
xdotool key End shift+Home
xdotool type 1
xdotool key Return
sleep 0.5
# Round 1 opens with 4,7 MΩ ±5% to choose: yellow, violet, green and gold, counted from each list's
# first colour.
for presses in 4 7 5 6; do
    xdotool key Home
    for _ in $(seq "$presses"); do xdotool key Down; done
    xdotool key Tab
done
# The answer box is off for choosing, so Tab came to "Провери"; then on to the second task.
xdotool key Return
sleep 0.5
xdotool key Return
sleep 0.5
xdotool type '2,7 k'
xdotool key Return
sleep 1
import -window "$window" "$out"
wineserver -k
SCRIPT
}

MALVORAN_WINE_PREFIX=screenshots tests/win32/wine_run.sh "$PWD/build/windows/wine" --unix \
    bash -c "$(shoot)" _ "$PWD/screenshots/malvoran-practice-windows.png" wine \
    "$PWD/build/windows/win32/malvoran-practice.exe"
# A smaller file, the same pixels.
convert screenshots/malvoran-practice-windows.png -strip -define png:compression-level=9 \
    screenshots/malvoran-practice-windows.png
ls -l screenshots/malvoran-practice-windows.png
