#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Each of Malvoran's programs is one file that runs from a USB stick: a GUI program (no console
# window) with a Unicode entry point, importing only DLLs that every Windows brings and no function
# newer than Windows 7 (Windows refuses to start a program that imports a function it lacks), with a
# manifest for Windows 7 to 11, and at most 560 KiB stripped.
#   exe_check.sh <malvoran.exe or malvoran-practice.exe> <objdump> <strip>
set -euo pipefail
exe=$1
objdump=$2
strip=$3
export LC_ALL=C
status=0
fail() {
    echo "FAIL: $*"
    status=1
}

headers=$("$objdump" -p "$exe")
grep -q 'Subsystem.*(Windows GUI)' <<<"$headers" || fail "not a GUI-subsystem program"
symbols=$("$objdump" -t "$exe")
grep -q ' wWinMain$' <<<"$symbols" || fail "no Unicode entry point wWinMain"

mapfile -t imports < <(sed -n 's/^\s*DLL Name: //p' <<<"$headers" | tr '[:upper:]' '[:lower:]' | sort -u)
echo "imports: ${imports[*]}"
[ ${#imports[@]} -gt 0 ] || fail "no import list"
windows_own=" kernel32.dll user32.dll gdi32.dll comctl32.dll ole32.dll oleaut32.dll oleacc.dll msvcrt.dll "
for dll in "${imports[@]}"; do
    [[ $windows_own == *" $dll "* ]] || fail "imports $dll, which Windows does not bring"
done

# Functions newer than Windows 7 that a program like this one could come to import: the density
# functions (the window looks them up at run time instead) and what newer C and C++ runtimes and
# threads libraries reach for. From Microsoft's documentation of each function: the DLL, and the
# Windows that brought it.
newer_than_windows_7="
user32.dll GetDpiForWindow                     Windows 10 1607
user32.dll GetSystemMetricsForDpi              Windows 10 1607
user32.dll AdjustWindowRectExForDpi            Windows 10 1607
user32.dll GetDpiForSystem                     Windows 10 1607
user32.dll EnableNonClientDpiScaling           Windows 10 1607
user32.dll SystemParametersInfoForDpi          Windows 10 1607
user32.dll SetThreadDpiAwarenessContext        Windows 10 1607
user32.dll GetThreadDpiAwarenessContext        Windows 10 1607
user32.dll GetWindowDpiAwarenessContext        Windows 10 1607
user32.dll GetAwarenessFromDpiAwarenessContext Windows 10 1607
user32.dll AreDpiAwarenessContextsEqual        Windows 10 1607
user32.dll SetProcessDpiAwarenessContext       Windows 10 1703
user32.dll GetDpiFromDpiAwarenessContext       Windows 10 1803
user32.dll GetSystemDpiForProcess              Windows 10 1803
user32.dll EnableMouseInPointer                Windows 8
user32.dll GetPointerType                      Windows 8
shcore.dll GetDpiForMonitor                    Windows 8.1
shcore.dll SetProcessDpiAwareness              Windows 8.1
shcore.dll GetProcessDpiAwareness              Windows 8.1
kernel32.dll GetSystemTimePreciseAsFileTime    Windows 8
kernel32.dll CreateFile2                       Windows 8
kernel32.dll CopyFile2                         Windows 8
kernel32.dll GetCurrentThreadStackLimits       Windows 8
kernel32.dll GetOverlappedResultEx             Windows 8
kernel32.dll InitializeSynchronizationBarrier  Windows 8
kernel32.dll EnterSynchronizationBarrier       Windows 8
kernel32.dll WaitOnAddress                     Windows 8
kernel32.dll WakeByAddressSingle               Windows 8
kernel32.dll WakeByAddressAll                  Windows 8
kernel32.dll SetDefaultDllDirectories          Windows 8
kernel32.dll AddDllDirectory                   Windows 8
kernel32.dll PrefetchVirtualMemory             Windows 8
kernel32.dll DiscardVirtualMemory              Windows 8.1
kernel32.dll OfferVirtualMemory                Windows 8.1
kernel32.dll GetCurrentPackageId               Windows 8
kernel32.dll SetThreadDescription              Windows 10 1607
kernel32.dll GetThreadDescription              Windows 10 1607
kernel32.dll VirtualAlloc2                     Windows 10 1803
kernel32.dll MapViewOfFile3                    Windows 10 1803
"
# Each imported function as "dll function", from the import tables objdump prints.
mapfile -t functions < <(awk '/DLL Name:/ { dll = tolower($3); next }
    dll && /^\t[0-9a-f]+\t +[0-9]+  [A-Za-z_]/ { print dll, $3 }' <<<"$headers")
echo "imported functions: ${#functions[@]}"
[ ${#functions[@]} -gt 0 ] || fail "no imported functions read"
for imported in "${functions[@]}"; do
    read -r dll function <<<"$imported"
    since=$(awk -v dll="$dll" -v f="$function" '$1 == dll && $2 == f { $1 = $2 = ""; sub(/^ +/, ""); print }' \
        <<<"$newer_than_windows_7")
    [ -z "$since" ] || fail "imports $function from $dll, which arrived with $since"
done

# Windows 7 and 8.1 run it knowing that it was made for them, and ask it for its density.
manifest=$(tr -d '\r\n' <"$exe" | grep -ao '<assembly .*</assembly>' || true)
grep -q '{35138b9a-5d96-4fbd-8e2d-a2440225f93a}' <<<"$manifest" || fail "the manifest does not name Windows 7"
grep -q '<dpiAware [^>]*>true/pm</dpiAware>' <<<"$manifest" || fail "the manifest has no dpiAware for Windows 7 to 8.1"

stripped="${exe%.exe}-stripped.exe"
"$strip" -o "$stripped" "$exe"
size=$(stat -c %s "$stripped")
rm -f "$stripped"
echo "stripped: $((size / 1024)) KiB ($size bytes)"
[ "$size" -le $((560 * 1024)) ] || fail "larger than 560 KiB stripped"
exit $status
