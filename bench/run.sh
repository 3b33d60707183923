#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Start-up benchmark: builds a Release configuration with the benchmark tools and prints, for
# Malvoran and a one-label Qt floor of the same window size: the instructions to the first painted
# frame under callgrind (deterministic: the figure to track), launch to first painted frame
# (alternating, warm), the same from a cold page cache (rough), peak resident memory, click to
# repainted report, and the size of the stripped program. Figures only; nothing here passes or fails.
# Everything runs in a private session like a desktop's: its own session bus, home and X server.
#   bench/run.sh [launches (20)] [clicks (200)] [cold launches (5)]
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
launches=${1:-20}
clicks=${2:-200}
cold=${3:-5}
tools/setup.sh build bench
cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DMALVORAN_BENCH=ON >/dev/null
cmake --build build/bench >/dev/null
program=$PWD/build/bench/qt/malvoran
floor=$PWD/build/bench/bench/malvoran_floor
watch=$PWD/build/bench/bench/frame_watch

session=$PWD/build/bench/session
rm -rf "$session"
mkdir -p "$session"/{home,config,cache,runtime}
chmod 700 "$session/runtime"
# A desktop always has a session bus; the caller's display, bus and locale stay outside.
private() {
    env -i PATH="$PATH" HOME="$session/home" XDG_CONFIG_HOME="$session/config" \
        XDG_CACHE_HOME="$session/cache" XDG_RUNTIME_DIR="$session/runtime" LC_ALL=C.UTF-8 \
        dbus-run-session -- "$PWD/tests/with_xvfb.sh" "$@" 2>/dev/null
}

# Instructions from exec to the first image the program puts on the screen.
instructions() {
    local out
    out=$(mktemp -d)
    private bash -c '
        valgrind --tool=callgrind --callgrind-out-file="$1/run.%p" --dump-before=xcb_shm_put_image \
            --dump-before=xcb_put_image "$2" >/dev/null 2>&1 &
        pid=$!
        for _ in $(seq 1200); do compgen -G "$1/run.*.1" >/dev/null && break; sleep 0.1; done
        kill "$pid"; wait "$pid" 2>/dev/null || true' _ "$out" "$1"
    sed -n 's/^totals: //p' "$out"/run.*.1 2>/dev/null | head -n1
    rm -rf "$out"
}

echo "Malvoran start-up benchmark, $(date -u '+%Y-%m-%d %H:%M UTC')"
echo "machine: $(nproc) cores, $(sed -n 's/^model name\s*: //p' /proc/cpuinfo | head -n1)"
echo "session: private dbus-run-session, Xvfb -noreset, LC_ALL=C.UTF-8, $(lsb_release -ds 2>/dev/null || echo Linux)"
stripped=$(mktemp)
strip -o "$stripped" "$program"
printf 'stripped program: %d KiB\n' "$(($(stat -c %s "$stripped") / 1024))"
rm -f "$stripped"

echo "instructions to the first painted frame (callgrind, two runs each):"
ours=() floors=()
for round in 1 2; do
    ours+=("$(instructions "$program")")
    floors+=("$(instructions "$floor")")
done
printf '  %-34s %s\n' "malvoran" "${ours[*]}" "floor (one QLabel)" "${floors[*]}"
awk -v a="${ours[0]}" -v b="${floors[0]}" 'BEGIN { printf "  %-34s %.3f x\n", "ratio malvoran / floor", a / b }'

# Both programs start warm: one untimed launch each fills the page cache and the font cache.
private "$watch" 1 "$program" "$floor" 1 >/dev/null
private "$watch" "$launches" "$program" "$floor" "$clicks"
private "$watch" --cold "$cold" "$program" "$floor"
