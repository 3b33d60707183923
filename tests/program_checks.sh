#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Checks on the real program as a user starts it, in a private session (private_session.sh).
# Usage: program_checks.sh <mode> <malvoran binary>
#   syscalls      on the session's X server and bus (private_session.sh --xvfb) under strace: no file
#                 opened for writing, no network socket, no connection but to that display and that
#                 session bus, no other program started
#   font-fallback on machines with other fonts than Times New Roman's twins (fonts-*.conf): the program
#                 starts, takes Nimbus Roman as a twin, or else a serif with Cyrillic, and says on
#                 standard error which one by its family name alone, never an empty one
#   no-display    started where no window can open: one plain sentence on standard error, status 1
#   x11           on the session's X server, with the WAYLAND_DISPLAY of a Wayland session that is
#                 gone: the window opens on X11, and tells the window manager it has no maximize
#                 (Motif hints) and a fixed size (WM_NORMAL_HINTS)
# Scratch files live in the current directory (CTest's build tree).
set -euo pipefail
mode=$1
program=$2
here=$(cd "$(dirname "$0")" && pwd)
scratch=$(mktemp -d "$PWD/program-checks.XXXXXX")
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
    # fonts-<name>.conf | notices that must be there (grep -E, one per field) | text no notice may hold
    while IFS='|' read -r fonts first second forbidden; do
        sed "s|@FONT_CACHE@|$scratch/fontconfig|" "$here/fonts-$fonts.conf" >"$scratch/fonts.conf"
        FONTCONFIG_FILE="$scratch/fonts.conf" QT_QPA_PLATFORM=offscreen \
            run_briefly timeout 3 "$program" 2>"$scratch/stderr"
        notices=$(grep '^malvoran:' "$scratch/stderr" || true)
        echo "fonts-$fonts.conf:"; sed 's/^/    /' <<<"${notices:-(no notice)}"
        [ -n "$first$second" ] || [ -z "$notices" ] || fail "fonts-$fonts.conf: a notice where none belongs"
        for expected in "$first" "$second"; do
            [ -z "$expected" ] || grep -Eq -- "$expected" <<<"$notices" ||
                fail "fonts-$fonts.conf: standard error does not say \"$expected\""
        done
        [ -z "$forbidden" ] || ! grep -Fq -- "$forbidden" <<<"$notices" ||
            fail "fonts-$fonts.conf: standard error says \"$forbidden\""
    done <<'CASES'
without-times|^malvoran: Times New Roman is not installed; the window uses DejaVu Serif instead|^malvoran: the colour names are set in [0-9.]+ pt instead of 12 pt|
urw-only|||
urw-without-nimbus|^malvoran: Times New Roman is not installed; the window uses C059 instead||[
none|^malvoran: no font is installed||using ,
CASES
    echo "font fallback OK"
    ;;
no-display)
    free=70
    while [ -e "/tmp/.X11-unix/X$free" ]; do free=$((free + 1)); done
    # how the program is started | what its one line must say
    while IFS='|' read -r start expected; do
        read -ra how <<<"$start"
        status=0
        env -u WAYLAND_DISPLAY "${how[@]}" "$program" 2>"$scratch/stderr" || status=$?
        echo "$start:"; sed 's/^/    /' "$scratch/stderr"
        [ "$status" -eq 1 ] || fail "$start: status $status, not 1"
        [ "$(wc -l <"$scratch/stderr")" -eq 1 ] || fail "$start: more than one line on standard error"
        grep -Eq -- "^malvoran: cannot open the window: $expected" "$scratch/stderr" ||
            fail "$start: standard error does not say \"$expected\""
    done <<CASES
-u DISPLAY -u QT_QPA_PLATFORM|no display is set; start Malvoran from a desktop session\.$
-u QT_QPA_PLATFORM DISPLAY=:$free|the display ":$free" does not answer; start Malvoran from a desktop session\.$
QT_QPA_PLATFORM=nosuch|Qt's display plugin "nosuch" did not start\.$
CASES
    echo "no display OK"
    ;;
x11)
    [ -n "${DISPLAY:-}" ] || fail "no X server: run this through private_session.sh --xvfb"
    WAYLAND_DISPLAY=gone "$program" 2>"$scratch/stderr" &
    malvoran=$!
    window=$(timeout 10 xdotool search --sync --onlyvisible --pid "$malvoran" | head -n 1) || true
    hints=$(xprop -id "${window:-none}" _MOTIF_WM_HINTS WM_NORMAL_HINTS 2>&1 || true)
    kill "$malvoran" 2>/dev/null && wait "$malvoran" 2>/dev/null || true
    echo "standard error:"; sed 's/^/    /' "$scratch/stderr"
    [ -n "$window" ] || fail "with a WAYLAND_DISPLAY that is gone, no window opened on X11"
    echo "$hints"
    # The Motif hints' second field holds the window manager functions the window allows.
    functions=$(sed -nE 's/^_MOTIF_WM_HINTS.* = [^,]+, ([^,]+),.*/\1/p' <<<"$hints")
    [ -n "$functions" ] || fail "the window sets no Motif hints"
    (((functions & 0x10) == 0)) || fail "the window lets the window manager maximize it ($functions)"
    grep -q 'minimum size: 461 by 298' <<<"$hints" && grep -q 'maximum size: 461 by 298' <<<"$hints" ||
        fail "the window does not tell the window manager its fixed size, 461 x 298"
    echo "x11 OK"
    ;;
*)
    fail "unknown mode $mode"
    ;;
esac
