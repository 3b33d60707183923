#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Report box paste benchmark: cross-builds bench/paste_win32.cpp (the real window, Release) and runs
# it under Wine at 96 and at 144 dots per inch, each in a prefix of its own on a private X server.
# Figures only; nothing passes or fails.
#   bench/paste-windows.sh
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
tools/setup.sh build bench windows
bench=$PWD/build/bench-windows
cmake -S . -B "$bench" -G Ninja --no-warn-unused-cli --toolchain win32/mingw-w64.cmake -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
    -DMALVORAN_BENCH=ON >/dev/null
cmake --build "$bench" --target malvoran_paste_win32 >/dev/null

echo "Malvoran for Windows report box paste benchmark, $(date -u '+%Y-%m-%d %H:%M UTC')"
echo "machine: $(nproc) cores, $(WINEDEBUG=-all wine --version), Xvfb; one paragraph of Cyrillic words, twice the limit on the clipboard"
for dpi in 96 144; do
    MALVORAN_WINE_DPI=$dpi tests/win32/wine_run.sh "$bench/wine" "$bench/bench/malvoran_paste_win32.exe" 2>/dev/null
done
