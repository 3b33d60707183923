#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Checks on the real program as a user starts it, in a private session (private_session.sh).
# Usage: program_checks.sh <mode> <program: malvoran or malvoran-practice>
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
#   wayland       on weston (nested in the session's X server, which takes xdotool's input), on Qt's
#                 wayland platform: the window shows with its title at its designed size, stays so
#                 and keeps running when its title bar and the compositor maximize it and make it
#                 full screen, and closes from its title bar with status 0
# Scratch files live in the current directory (CTest's build tree).
set -euo pipefail
mode=$1
program=$2
here=$(cd "$(dirname "$0")" && pwd)
# How each program names itself on standard error and to the student, and its window's fixed size.
command=$(basename "$program")
case "$command" in
malvoran-practice) name="Malvoran — упражнение" size="461 by 401" ;;
*) name=Malvoran size="461 by 298" ;;
esac
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
        grep -Eq -- "^$command: cannot open the window: $expected" "$scratch/stderr" ||
            fail "$start: standard error does not say \"$expected\""
    done <<CASES
-u DISPLAY -u QT_QPA_PLATFORM|no display is set; start $name from a desktop session\.$
-u QT_QPA_PLATFORM DISPLAY=:$free|the display ":$free" does not answer; start $name from a desktop session\.$
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
    grep -q "minimum size: $size" <<<"$hints" && grep -q "maximum size: $size" <<<"$hints" ||
        fail "the window does not tell the window manager its fixed size, $size"
    echo "x11 OK"
    ;;
wayland)
    [ -n "${DISPLAY:-}" ] || fail "no X server: run this through private_session.sh --xvfb"
    # weston gets a runtime folder and a socket of its own; its X11 backend is a window filling the
    # session's X screen, so that X's pointer is weston's.
    # A socket's path holds at most 107 bytes, fewer than a checkout's folder may take (a Cyrillic
    # name takes two a letter): weston's folder is reached through a descriptor that weston and the
    # program inherit, so that the path is short wherever the folder lies.
    exec 7<"$(mktemp -d "$XDG_RUNTIME_DIR/weston.XXXXXX")"
    socket=/proc/self/fd/7/malvoran-test
    XDG_RUNTIME_DIR=/proc/self/fd/7 weston --no-config --backend=x11-backend.so --use-pixman \
        --socket=malvoran-test --idle-time=0 --width=1024 --height=768 >"$scratch/weston.log" 2>&1 &
    weston=$!
    malvoran=
    trap 'kill $malvoran "$weston" 2>/dev/null; wait "$weston" 2>/dev/null; rm -rf "$scratch"' EXIT
    for _ in $(seq 200); do [ -S "$socket" ] && break; sleep 0.05; done
    [ -S "$socket" ] || fail "weston did not start: $(tail -n 5 "$scratch/weston.log")"

    # The protocol log (WAYLAND_DEBUG) tells what the window asks of the compositor and hears back.
    log=$scratch/protocol
    # Under the sanitizers, leaks are not looked for here: Qt's Wayland plugin, libwayland and
    # libxkbcommon keep some of what they allocate until the process ends. The window tests look for
    # the program's own, offscreen and on X.
    ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0" \
        WAYLAND_DISPLAY=$socket QT_QPA_PLATFORM=wayland WAYLAND_DEBUG=1 "$program" 2>"$log" &
    malvoran=$!
    lines() { wc -l <"$log"; }
    said() { grep -v -e '^\[' -e '^ *$' "$log" || true; }
    still_running() {
        ! grep -q 'wl_display@[0-9]*\.error(' "$log" && kill -0 "$malvoran" 2>/dev/null && return 0
        local status=0
        wait "$malvoran" || status=$?
        fail "$1: the program ended with status $status, saying: $(said)"
    }
    # Waits until the log holds a line matching $2 (grep -E) after line $1.
    wait_in_log() {
        for _ in $(seq 400); do
            tail -n "+$(($1 + 1))" "$log" | grep -Eq -- "$2" && return 0
            still_running "$3"
            sleep 0.05
        done
        fail "$3: not seen in the protocol log"
    }
    # Qt's title bar (qtwayland's bradient decoration) frames the 461 x 298 window with 3 pixels at
    # the sides and bottom and a title 30 pixels high; its buttons are 18 pixels wide, 5 apart, the
    # last 8 from the right edge, centred in the title.
    designed='set_window_geometry(0, 0, 467, 331)'
    maximize_x=427 close_x=450 button_y=15
    # The window is as designed once the last size it gave the compositor is its own, it has
    # answered (ack_configure) the last configure, and the compositor has taken a frame of the
    # window after that (a commit, and an event after it) without ending the program.
    wait_as_designed() {
        local surface acked
        surface=$(grep -m 1 -oE 'get_xdg_surface\(new id xdg_surface@[0-9]+, wl_surface@[0-9]+' "$log")
        surface=${surface##* }
        for _ in $(seq 400); do
            geometry=$(grep -oE 'set_window_geometry\(.*\)' "$log" | tail -n 1)
            acked=$(grep -nE 'xdg_toplevel@[0-9]+\.configure\(|ack_configure\(' "$log" | tail -n 1)
            if [ "$geometry" = "$designed" ] && [[ "$acked" == *ack_configure* ]] &&
                tail -n "+${acked%%:*}" "$log" | grep -A 100000 -F -- "-> $surface.commit()" | grep -q '^\[[ 0-9.]*\] [a-z]'; then
                still_running "$1"
                return 0
            fi
            still_running "$1"
            sleep 0.05
        done
        fail "$1: the window is not back at its designed size ($geometry)"
    }
    wait_in_log 0 'set_title\("Физика - резистори, номинал, точност"\)' "the title"
    wait_in_log 0 'ack_configure\(' "the window shown"
    wait_as_designed "shown"
    echo "shown: $(grep -m 1 -o 'set_title(.*)' "$log"), $geometry"

    # The pointer goes in small steps: weston's X11 backend loses a long jump.
    walk_to() {
        local x y
        eval "$(xdotool getmouselocation --shell)"
        while [ "$X" -ne "$1" ] || [ "$Y" -ne "$2" ]; do
            x=$(($1 - X)) y=$(($2 - Y))
            xdotool mousemove_relative -- $((x > 10 ? 10 : x < -10 ? -10 : x)) $((y > 10 ? 10 : y < -10 ? -10 : y))
            eval "$(xdotool getmouselocation --shell)"
        done
    }
    # Where the window says the pointer is (x y), from the events after line $1.
    pointer_after() {
        tail -n "+$(($1 + 1))" "$log" | grep -oE 'wl_pointer@[0-9]+\.(enter|motion)\(.*\)' | tail -n 1 |
            sed -E 's/.*\(([^,]+, )?([^,]+, )?([-0-9]+)[.0-9]*, ([-0-9]+)[.0-9]*\)$/\3 \4/'
    }
    # Weston places a window where it likes: the pointer sweeps the screen until the window feels
    # it, and the window's corner is where the pointer is less where the window says it is.
    find_window() {
        local row column from point start
        start=$(lines)
        for row in 150 400 650; do
            for column in $(seq 10 20 1010); do
                walk_to "$column" "$row"
                tail -n "+$((start + 1))" "$log" | grep -oE 'wl_pointer@[0-9]+\.(enter|leave)' | tail -n 1 |
                    grep -q enter || continue
                from=$(lines)
                xdotool mousemove_relative -- 1 0
                wait_in_log "$from" 'wl_pointer@[0-9]+\.motion\(' "the pointer over the window"
                point=$(pointer_after "$from")
                eval "$(xdotool getmouselocation --shell)"
                corner_x=$((X - ${point% *})) corner_y=$((Y - ${point#* }))
                return 0
            done
        done
        fail "the pointer never came over the window"
    }
    click_title_button() {
        find_window
        walk_to $((corner_x + $1)) $((corner_y + button_y))
        xdotool click 1
    }

    # Maximized from the title bar and by the compositor (weston's Super+Shift+M), and full screen
    # (Super+Shift+F): the compositor gives the window a size, which it may not refuse.
    for how in title-bar-maximize super+shift+m super+shift+f; do
        from=$(lines)
        if [ "$how" = title-bar-maximize ]; then click_title_button "$maximize_x"; else xdotool key "$how"; fi
        wait_in_log "$from" 'xdg_toplevel@[0-9]+\.configure\([1-9][0-9]*, [1-9][0-9]*,' "$how"
        wait_as_designed "$how"
        echo "$how: $(tail -n "+$((from + 1))" "$log" | grep -m 1 -oE 'configure\([1-9].*\)'), then $geometry"
    done

    click_title_button "$close_x"
    for _ in $(seq 200); do kill -0 "$malvoran" 2>/dev/null || break; sleep 0.05; done
    status=0
    wait "$malvoran" || status=$?
    [ "$status" -eq 0 ] || fail "closed from its title bar, the program ended with status $status: $(said)"
    [ -z "$(said)" ] || fail "the program said on standard error: $(said)"
    echo "closed from its title bar: status 0, nothing on standard error"
    echo "wayland OK"
    ;;
*)
    fail "unknown mode $mode"
    ;;
esac
