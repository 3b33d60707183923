#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Runs a command in a private session like a desktop's, and leaves nothing behind: its own session
# bus (dbus-run-session), home, XDG folders, runtime folder and temporary folder, all in a fresh folder
# under <sessions folder>, and the C.UTF-8 locale. Nothing of the caller's environment comes in but
# PATH, LD_LIBRARY_PATH, USER, LOGNAME, the sanitizers' options and MALVORAN_* settings: not its
# display, bus, locale, home or toolkit settings. Afterwards every process the session started is
# stopped and the folder removed.
#   private_session.sh <sessions folder> [--xvfb] [NAME=value...] <command> [arguments...]
#     --xvfb      also a private Xvfb server (with_xvfb.sh); DISPLAY names it
#     NAME=value  set after the session's own settings, e.g. LC_ALL=de_DE.UTF-8 or QT_QPA_PLATFORM=offscreen
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

if [ "${1:-}" = "--inside" ]; then
    # Now on the session bus: start the X server if asked, then the command with the test's settings.
    shift
    xvfb=$1
    shift
    assignments=()
    while [[ "${1:-}" =~ ^[A-Za-z_][A-Za-z0-9_]*= ]]; do
        assignments+=("$1")
        shift
    done
    if [ "$xvfb" = yes ]; then
        exec env "${assignments[@]}" "$here/with_xvfb.sh" "$@"
    fi
    exec env "${assignments[@]}" "$@"
fi

[ $# -ge 2 ] || { echo "usage: private_session.sh <sessions folder> [--xvfb] [NAME=value...] <command> [arguments...]" >&2; exit 2; }
mkdir -p "$1"
root=$(mktemp -d "$(cd "$1" && pwd)/XXXXXX")
shift
xvfb=no
if [ "$1" = "--xvfb" ]; then
    xvfb=yes
    shift
fi
# Sockets live in the runtime folder (the accessibility bus's is <runtime>/at-spi/bus), and a socket's
# path may not exceed 107 bytes: when the build tree is too deep, a private folder in /tmp serves
# instead, removed with the rest.
runtime=$root/run
if [ "$(printf %s "$runtime" | wc -c)" -gt 90 ]; then
    runtime=$(mktemp -d /tmp/malvoran-run.XXXXXX)
fi
mkdir -p "$root"/home/.config "$root"/home/.cache "$root"/home/.local/share "$root"/home/.local/state \
    "$root"/tmp "$runtime"
chmod 700 "$root" "$runtime"

# Everything started in the session carries its marker, even what the bus started by itself.
cleanup() {
    local pids round
    # What is shutting down with the bus gets a moment, then TERM, then KILL.
    for round in $(seq 30); do
        mapfile -t pids < <(grep -lzxF "MALVORAN_SESSION=$root" /proc/[0-9]*/environ 2>/dev/null | cut -d/ -f3)
        [ ${#pids[@]} -gt 0 ] || break
        if [ "$round" -eq 6 ]; then
            echo "private session: stopping what was left running: $(ps -o comm= -p "${pids[*]}" | tr '\n' ' ')" >&2
        fi
        if [ "$round" -gt 20 ]; then
            kill -KILL "${pids[@]}" 2>/dev/null || true
        elif [ "$round" -gt 5 ]; then
            kill -TERM "${pids[@]}" 2>/dev/null || true
        fi
        sleep 0.05
    done
    rm -rf "$root"
    [ "$runtime" = "$root/run" ] || rm -rf "$runtime"
}
trap cleanup EXIT

keep=()
for name in PATH LD_LIBRARY_PATH USER LOGNAME ASAN_OPTIONS UBSAN_OPTIONS LSAN_OPTIONS $(compgen -e | grep '^MALVORAN_' || true); do
    if [ -n "${!name+set}" ]; then keep+=("$name=${!name}"); fi
done
status=0
env -i "${keep[@]}" MALVORAN_SESSION="$root" \
    HOME="$root/home" XDG_CONFIG_HOME="$root/home/.config" XDG_CACHE_HOME="$root/home/.cache" \
    XDG_DATA_HOME="$root/home/.local/share" XDG_STATE_HOME="$root/home/.local/state" \
    XDG_RUNTIME_DIR="$runtime" TMPDIR="$root/tmp" LC_ALL=C.UTF-8 GSETTINGS_BACKEND=memory \
    dbus-run-session -- "$here/private_session.sh" --inside "$xvfb" "$@" || status=$?
exit $status
