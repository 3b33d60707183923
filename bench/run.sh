#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Start-up benchmark: builds a Release configuration with the benchmark tools and prints launch to
# first painted frame (ours and a one-label Qt floor, alternating), peak resident memory, click to
# repainted report, and the size of the stripped program. Figures only; nothing here passes or fails.
#   bench/run.sh [launches (20)] [clicks (200)]
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
launches=${1:-20}
clicks=${2:-200}
tools/setup.sh build bench
cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DMALVORAN_BENCH=ON >/dev/null
cmake --build build/bench >/dev/null

echo "Malvoran start-up benchmark, $(date -u '+%Y-%m-%d %H:%M UTC')"
echo "machine: $(nproc) cores, $(sed -n 's/^model name\s*: //p' /proc/cpuinfo | head -n1), Xvfb -noreset"
stripped=$(mktemp)
strip -o "$stripped" build/bench/qt/malvoran
printf 'stripped program: %d KiB\n' "$(($(stat -c %s "$stripped") / 1024))"
rm -f "$stripped"
# Both programs start warm: one untimed launch each fills the page cache and the font cache.
tests/with_xvfb.sh build/bench/bench/frame_watch 1 build/bench/qt/malvoran build/bench/bench/malvoran_floor 1 >/dev/null 2>&1
tests/with_xvfb.sh build/bench/bench/frame_watch "$launches" build/bench/qt/malvoran build/bench/bench/malvoran_floor \
    "$clicks" 2>/dev/null
