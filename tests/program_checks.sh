#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Checks on the real program as a user starts it. Usage: program_checks.sh <mode> <malvoran binary>
#   syscalls      on a private X server under strace: no file opened for writing, no network socket,
#                 no connection but the display's
#   font-fallback with neither Times New Roman nor its Liberation twin installed: the program still
#                 starts, picks a serif with Cyrillic and says on standard error which one
set -euo pipefail
mode=$1
program=$2
here=$(cd "$(dirname "$0")" && pwd)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# Runs the program for a few seconds; it must still be running when time is up (exit status 124).
run_briefly() {
    local status=0
    "$@" || status=$?
    [ "$status" -eq 124 ] || fail "the program ended with status $status before it was closed"
}

case "$mode" in
syscalls)
    # Without a session bus libdbus would try to start one; a school desktop always has one.
    export -n DBUS_SESSION_BUS_ADDRESS 2>/dev/null || true
    run_briefly "$here/with_xvfb.sh" strace -f -qq -o "$scratch/trace" -e trace=openat,socket,connect \
        -- timeout 3 "$program" 2>"$scratch/stderr"
    writes=$(grep -E 'openat\(.*O_(WRONLY|RDWR|CREAT)' "$scratch/trace" | grep -v ' = -1 ' || true)
    sockets=$(grep -E 'socket\(' "$scratch/trace" | grep -v ' = -1 ' || true)
    connects=$(grep -E 'connect\(' "$scratch/trace" | grep -v ' = -1 ' || true)
    echo "opened for writing:"; sed 's/^/    /' <<<"${writes:-(nothing)}"
    echo "sockets:"; sed 's/^/    /' <<<"${sockets:-(none)}"
    echo "connections:"; sed 's/^/    /' <<<"${connects:-(none)}"
    # /dev/null is opened read-write by libdbus when it looks for a session bus; nothing is stored.
    grep -v '"/dev/null", O_RDWR' <<<"$writes" | grep -q . && fail "a file was opened for writing"
    grep -v 'socket(AF_UNIX' <<<"$sockets" | grep -q . && fail "a socket other than a local one was made"
    grep -v '/tmp/.X11-unix/X' <<<"$connects" | grep -q . && fail "a connection other than the display's"
    grep -q '/tmp/.X11-unix/X' <<<"$connects" || fail "no connection to the display was seen"
    echo "syscalls OK"
    ;;
font-fallback)
    sed "s|@CACHE@|$scratch/cache|" "$here/fonts-without-times.conf" >"$scratch/fonts.conf"
    FONTCONFIG_FILE="$scratch/fonts.conf" QT_QPA_PLATFORM=offscreen \
        run_briefly timeout 3 "$program" 2>"$scratch/stderr"
    cat "$scratch/stderr"
    grep -q 'malvoran: Times New Roman is not installed; the window uses .*Serif' "$scratch/stderr" ||
        fail "standard error does not say which serif replaced Times New Roman"
    echo "font fallback OK"
    ;;
*)
    fail "unknown mode $mode"
    ;;
esac
