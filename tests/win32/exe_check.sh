#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# malvoran.exe is one file that runs from a USB stick: a GUI program (no console window) with a
# Unicode entry point, importing only DLLs that every Windows brings, and at most 512 KiB stripped.
#   exe_check.sh <malvoran.exe> <objdump> <strip>
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

stripped="${exe%.exe}-stripped.exe"
"$strip" -o "$stripped" "$exe"
size=$(stat -c %s "$stripped")
rm -f "$stripped"
echo "stripped: $((size / 1024)) KiB ($size bytes)"
[ "$size" -le $((512 * 1024)) ] || fail "larger than 512 KiB stripped"
exit $status
