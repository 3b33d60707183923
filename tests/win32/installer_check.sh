#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The Windows packages as a school gets them: cpack makes the installer and the portable ZIP; the
# installer, run silently under Wine in a prefix of its own, puts the program and its licence in
# Program Files with a Start-menu shortcut and a registered uninstaller, which removes them again.
#   installer_check.sh <build folder> <version> <cpack> <wine_run.sh>
set -euo pipefail
build=$1
version=$2
cpack=$3
wine_run=$4
export LC_ALL=C.UTF-8
status=0
fail() {
    echo "FAIL: $*"
    status=1
}

name="Malvoran-$version-win64"
work="$build/installer-check"
state="$build/wine"
prefix="$state/installer"
rm -rf "$work"
mkdir -p "$work"
(cd "$build" && "$cpack" -G "NSIS;ZIP" -B "$work") >"$work/cpack.log" 2>&1 || {
    cat "$work/cpack.log"
    exit 1
}
[ -f "$work/$name.exe" ] || fail "no installer $name.exe"
grep -q 'MUI_PAGE_LICENSE ".*/LICENSE.txt"' "$work"/_CPack_Packages/*/NSIS/project.nsi ||
    fail "the installer does not show LICENSE.txt as its licence page"

# The portable ZIP: the program and its licence, in one folder.
zipped=$(7z l -slt "$work/$name.zip" | sed -n 's/^Path = //p' | grep -v "^$work" | sort | tr '\n' ' ')
[ "$zipped" = "$name/LICENSE.txt $name/malvoran.exe " ] || fail "the ZIP holds: $zipped"

# A prefix of its own, fresh if an earlier run left Malvoran installed.
installed="$prefix/drive_c/Program Files/Malvoran"
[ ! -e "$installed" ] || rm -rf "$prefix"
shortcuts() {
    find "$prefix/drive_c" -path '*/Start Menu/*' -name 'Malvoran.lnk' 2>/dev/null || true
}
registered() {
    grep -q 'CurrentVersion\\\\Uninstall\\\\Malvoran\]' "$prefix/system.reg"
}

MALVORAN_WINE_PREFIX=installer "$wine_run" "$state" "$work/$name.exe" /S
for file in malvoran.exe LICENSE.txt Uninstall.exe; do
    [ -f "$installed/$file" ] || fail "not installed: Program Files/Malvoran/$file"
done
shortcut=$(shortcuts)
[ -n "$shortcut" ] || fail "no Start-menu shortcut Malvoran.lnk"
[ -z "$shortcut" ] || grep -aq 'malvoran.exe' "$shortcut" || fail "the shortcut does not start malvoran.exe"
registered || fail "no uninstaller registered"
cmp -s "$installed/LICENSE.txt" "$build/packaging/LICENSE.txt" || fail "LICENSE.txt differs from the licence"

MALVORAN_WINE_PREFIX=installer "$wine_run" "$state" 'C:\Program Files\Malvoran\Uninstall.exe' /S
[ ! -e "$installed/malvoran.exe" ] || fail "the uninstaller left malvoran.exe"
[ -z "$(shortcuts)" ] || fail "the uninstaller left the shortcut"
! registered || fail "the uninstaller left its registration"
[ $status -ne 0 ] || echo "installer: installed, found, uninstalled, gone"
exit $status
