#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Runs one program of the Windows build under Wine, sealed off from the user's own Wine and desktop:
# a Wine prefix made once in the build tree, inside a private session (private_session.sh: its own
# session bus, home and XDG folders, private X server, fixed locale), and no Wine process left
# behind. CMake uses it as the emulator.
#
#   wine_run.sh <state folder> <program> [arguments...]
#   wine_run.sh <state folder> --unix <command> [arguments...]
#
# The second form runs a Linux command in the same surroundings instead (the benchmark's watcher),
# which starts Wine programs itself.
#
# MALVORAN_WINE_DPI (96 or 144; 96 unless set) picks the screen density of the prefix;
# MALVORAN_WINE_PREFIX names a prefix of its own instead (the installer test installs into one).
# A prefix is made with wineboot, with Liberation Serif standing in for Times New Roman, so text is
# measured with Times New Roman's real metrics. Runs on one prefix wait for each other.
set -euo pipefail

# Everything here runs in the private session, on its X server; the prefix's wineserver leaves
# before the server does.
inside() {
    if [ ! -f "$WINEPREFIX/.made" ]; then
        rm -rf "$WINEPREFIX"
        wine wineboot --init
        wineserver -w # wineboot finishes its set-up after it returns; settings made earlier are lost
        wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'Times New Roman' /t REG_SZ \
            /d 'Liberation Serif' /f >/dev/null
        wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$MALVORAN_WINE_DPI" /f >/dev/null
        # No window manager runs on the private server: Wine would wait for one whenever a window
        # closes, two seconds each time.
        wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null
        wineserver -w
        touch "$WINEPREFIX/.made"
    fi
    status=0
    if [ "$1" = --unix ]; then
        shift
        "$@" || status=$?
    else
        # The server leaves as soon as the last program has ended, so waiting for it also waits for
        # programs that outlive the one started here (an uninstaller copies itself and goes on).
        wineserver -p0
        wine "$@" || status=$?
    fi
    timeout 120 wineserver -w || wineserver -k
    return $status
}
if [ "${1:-}" = --inside ]; then
    shift
    inside "$@"
    exit
fi

[ $# -ge 2 ] || { echo "usage: wine_run.sh <state folder> <program> [arguments...]" >&2; exit 2; }
state=$1
shift
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
export MALVORAN_WINE_DPI=${MALVORAN_WINE_DPI:-96}
name=${MALVORAN_WINE_PREFIX:-dpi-$MALVORAN_WINE_DPI}
mkdir -p "$state"
exec 9>"$state/$name.lock"
flock 9
# A 64-bit prefix, which wine64 runs alone: every program and installer tested is 64-bit. No Mono or
# Gecko download prompts, no menu entries written for the programs run, and no debugger waiting for
# someone to attach when a program crashes. Wine maps Unix file names through the
# locale: UTF-8, so build trees with Cyrillic names work.
exec "$here/../private_session.sh" "$state/sessions" --xvfb WINEPREFIX="$state/$name" WINEARCH=win64 WINEDEBUG=-all \
    WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d;winedbg.exe=d" LC_ALL=C.UTF-8 LANG=C.UTF-8 \
    "$here/wine_run.sh" --inside "$@"
