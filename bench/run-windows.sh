#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Windows start-up benchmark: cross-builds malvoran.exe, malvoran-practice.exe and a one-label Win32
# floor (Release), then prints the size of both stripped programs and, under Wine on a private X
# server, launch to first painted frame and peak memory of Malvoran and the floor, launched
# alternately. Figures only; nothing passes or fails.
#   bench/run-windows.sh [launches (20)]
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
launches=${1:-20}
tools/setup.sh build bench windows
# The watcher of bench/run.sh, a Linux program, watches Wine's windows on the X server just as well.
cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DMALVORAN_BENCH=ON >/dev/null
cmake --build build/bench --target frame_watch >/dev/null
bench=$PWD/build/bench-windows
cmake -S . -B "$bench" -G Ninja --no-warn-unused-cli --toolchain win32/mingw-w64.cmake -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
    -DMALVORAN_BENCH=ON >/dev/null
cmake --build "$bench" >/dev/null

echo "Malvoran for Windows start-up benchmark, $(date -u '+%Y-%m-%d %H:%M UTC')"
echo "machine: $(nproc) cores, $(sed -n 's/^model name\s*: //p' /proc/cpuinfo | head -n1), $(WINEDEBUG=-all wine --version)," \
    "Xvfb, no window manager"
for program in malvoran malvoran-practice; do
    x86_64-w64-mingw32-strip -o "$bench/$program-stripped.exe" "$bench/win32/$program.exe"
    size=$(stat -c %s "$bench/$program-stripped.exe")
    printf 'stripped %s.exe: %d KiB (%d bytes)\n' "$program" "$((size / 1024))" "$size"
    rm -f "$bench/$program-stripped.exe"
done

# Each program starts through a one-line launcher. Debian's wine command would start a 64-bit
# program from its 32-bit loader, as a child of start.exe; the 64-bit loader makes the program itself
# the process the watcher measures and ends.
loader=wine
[ ! -x /usr/lib/wine/wine64 ] || loader=/usr/lib/wine/wine64
printf '#!/bin/sh\nexec %s "%s"\n' "$loader" "$bench/win32/malvoran.exe" >"$bench/launch-malvoran"
printf '#!/bin/sh\nexec %s "%s"\n' "$loader" "$bench/bench/malvoran_floor_win32.exe" >"$bench/launch-floor"
chmod +x "$bench/launch-malvoran" "$bench/launch-floor"
# One Wine server for all launches, as on a running Windows; one untimed launch each warms the caches.
tests/win32/wine_run.sh "$bench/wine" --unix bash -c '
    wineserver -p
    "$1" 1 "$2" "$3" 0 "$4" >/dev/null 2>&1
    "$1" "$5" "$2" "$3" 0 "$4" 2>/dev/null
    status=$?
    wineserver -k
    exit $status' bench "$PWD/build/bench/bench/frame_watch" "$bench/launch-malvoran" "$bench/launch-floor" \
    "floor (one Win32 label)" "$launches"
