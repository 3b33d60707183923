#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Checks on the real program as a user starts it, in a private session (private_session.sh --xvfb).
# Usage: program_checks.sh <mode> <malvoran binary>
#   syscalls      on the session's X server and bus under strace: no file opened for writing, no
#                 network socket, no connection but to that display and that session bus, no other
#                 program started
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
    # As on a desktop, a session bus is there (none gets autolaunched) and the display is the session's.
    [ -n "${DISPLAY:-}" ] && [[ "${DBUS_SESSION_BUS_ADDRESS:-}" == unix:* ]] ||
        fail "no display or no session bus: run this through private_session.sh --xvfb"
    run_briefly strace -f -qq -o "$scratch/trace" -e trace=execve,openat,socket,connect \
        -- timeout 3 "$program" 2>"$scratch/stderr"
    # The sockets it may reach, as strace shows them: the display's (abstract or not) and the bus's.
    bus=${DBUS_SESSION_BUS_ADDRESS#unix:}
    [[ "$bus" == abstract=* ]] && at=@ || at=
    bus=${bus#*=}
    allowed=$(printf '%s\n' "sun_path=@\"/tmp/.X11-unix/X${DISPLAY#:}\"" "sun_path=\"/tmp/.X11-unix/X${DISPLAY#:}\"" \
        "sun_path=$at\"${bus%%,*}\"")
    succeeded() { grep -E "^[0-9]+ +$1\(" "$scratch/trace" | grep -v ' = -1 ' || true; }
    writes=$(succeeded openat | grep -E 'O_(WRONLY|RDWR|CREAT)' || true)
    sockets=$(succeeded socket)
    connects=$(succeeded connect)
    # timeout starts the program; anything started after that is the program's doing.
    started=$(succeeded execve | tail -n +3)
    echo "opened for writing:"; sed 's/^/    /' <<<"${writes:-(nothing)}"
    echo "sockets:"; sed 's/^/    /' <<<"${sockets:-(none)}"
    echo "connections (allowed: $(tr '\n' ' ' <<<"$allowed")):"; sed 's/^/    /' <<<"${connects:-(none)}"
    [ -z "$started" ] || fail "the program started another program: $started"
    [ -z "$writes" ] || fail "a file was opened for writing"
    grep -v 'socket(AF_UNIX' <<<"$sockets" | grep -q . && fail "a socket other than a local one was made"
    grep -vF "$allowed" <<<"$connects" | grep -q . && fail "a connection to neither the display nor the session bus"
    grep -qF '/tmp/.X11-unix/X' <<<"$connects" || fail "no connection to the display was seen"
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
