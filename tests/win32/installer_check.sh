#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The Windows packages as a school gets them, made by cpack and run under 64-bit Wine in a prefix of
# their own: the NSIS installer (with the portable ZIP) or the MSI. Each refuses a Windows older than
# Windows 7, installs both programs silently into Program Files with a Start-menu shortcut for each
# and an entry in the installed programs, is replaced by a newer build of itself (one entry remains),
# and is removed again without a trace.
#   installer_check.sh nsis|msi <build folder> <version> <cpack> <wine_run.sh>
set -euo pipefail
kind=$1
build=$2
version=$3
cpack=$4
wine_run=$5
export LC_ALL=C.UTF-8
status=0
fail() {
    echo "FAIL: $*"
    status=1
}

# This build, and one with the next version that should replace it.
newer=${version%.*}.$((${version##*.} + 1))
work="$build/$kind-check"
rm -rf "$work"
mkdir -p "$work"
for v in "$version" "$newer"; do
    (cd "$build" && "$cpack" -G "NSIS;ZIP" -B "$work/$v" -D CPACK_PACKAGE_VERSION="$v" \
        -D CPACK_PACKAGE_FILE_NAME="Malvoran-$v-win64") >"$work/cpack-$v.log" 2>&1 || {
        cat "$work/cpack-$v.log"
        exit 1
    }
done
name="Malvoran-$version-win64"
package="$work/$version/$name"
staged="$work/$version/_CPack_Packages/win64/NSIS/$name"

state="$build/wine"
prefix="$state/$kind"
rm -rf "$prefix" # a fresh Windows each time, as a classroom's computers are
wine() { MALVORAN_WINE_PREFIX=$kind "$wine_run" "$state" "$@"; }
installed="$prefix/drive_c/Program Files/Malvoran"

# The installed programs' entries named Malvoran, in the 64-bit view, as "version|publisher".
entries() {
    awk -F'"="' '
        function flush() { if (name == "Malvoran") print version "|" publisher; name = version = publisher = "" }
        /^\[/ { flush(); ours = index($0, "[Software\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\Uninstall\\\\") == 1; next }
        ours && /^"DisplayName"="/ { name = substr($2, 1, length($2) - 1) }
        ours && /^"DisplayVersion"="/ { version = substr($2, 1, length($2) - 1) }
        ours && /^"Publisher"="/ { publisher = substr($2, 1, length($2) - 1) }
        END { flush() }' "$prefix/system.reg"
}
# The lines of standard input with no Cyrillic letter, or with a name in brackets.
not_bulgarian() { grep -vP '\p{Cyrillic}|^$' || [ $? -eq 1 ]; }
bracketed() { grep -F '[' || [ $? -eq 1 ]; }
# Each program, and the name of its Start-menu shortcut.
programs=("malvoran.exe|Malvoran" "malvoran-practice.exe|Malvoran — упражнение")
shortcut() {
    find "$prefix/drive_c" -path "*/Start Menu/Programs/$1.lnk" 2>/dev/null
}

install() {
    case "$kind" in
    nsis) wine "$work/$1/Malvoran-$1-win64.exe" /S ;;
    msi) wine msiexec /i "$(winepath "$work/$1/Malvoran-$1-win64.msi")" /qn ;;
    esac
}
winepath() { echo "Z:${1//\//\\}"; }
uninstall() {
    case "$kind" in
    nsis) wine 'C:\Program Files\Malvoran\Uninstall.exe' /S ;;
    msi) wine msiexec /x "$(winepath "$work/$newer/Malvoran-$newer-win64.msi")" /qn ;;
    esac
}

if [ "$kind" = nsis ]; then
    file -b "$package.exe" | grep -q '^PE32+ executable (GUI) x86-64' || fail "the installer is not a 64-bit program"
    # Everything the installer can say is Bulgarian: each message, and the pages of the one language.
    script="$work/$version/_CPack_Packages/win64/NSIS/project.nsi"
    grep -q '^!insertmacro MUI_LANGUAGE "Bulgarian"$' "$script" || fail "the installer does not speak Bulgarian"
    [ "$(grep -c '^!insertmacro MUI_LANGUAGE' "$script")" -eq 1 ] || fail "the installer has other languages"
    grep -q 'MUI_PAGE_LICENSE ".*/LICENSE.txt"' "$script" || fail "the installer does not show LICENSE.txt"
    english=$(grep 'MessageBox' "$script" | not_bulgarian)
    [ -z "$english" ] || fail "not in Bulgarian: $english"
    zipped=$(7z l -slt "$package.zip" | sed -n 's/^Path = //p' | grep -v "^$work" | sort | tr '\n' ' ')
    [ "$zipped" = "$name/LICENSE.txt $name/malvoran-practice.exe $name/malvoran.exe " ] ||
        fail "the ZIP holds: $zipped"
fi

if [ "$kind" = msi ]; then
    # What Windows Installer shows from the package: Bulgarian, in codepage 1251 (msiinfo prints it
    # as UTF-8), and no name left in brackets from the package's source.
    msiinfo export "$package.msi" _ForceCodepage | grep -q '^1251'$'\t''_ForceCodepage' ||
        fail "the MSI's codepage is not 1251"
    for table in LaunchCondition Shortcut; do
        texts=$(msiinfo export "$package.msi" "$table" | tr -d '\r' | awk -F'\t' '
            NR == 1 { for (i = 1; i <= NF; i++) if ($i == "Description") column = i; next }
            NR > 3 { print $column }')
        [ -n "$texts" ] || fail "the MSI's $table table has no texts"
        wrong=$(not_bulgarian <<<"$texts"; bracketed <<<"$texts")
        [ -z "$wrong" ] || fail "the MSI's $table says: $wrong"
    done
    shortcuts=$(msiinfo export "$package.msi" Shortcut | tr -d '\r' | awk -F'\t' 'NR > 3 { print $3 }' | sort |
        tr '\n' '/')
    [ "$shortcuts" = "MALVOR~1|Malvoran — упражнение/Malvoran/" ] || fail "the MSI's shortcuts are named $shortcuts"
fi

# Too old a Windows: refused, and nothing is written.
wine reg add 'HKCU\Software\Wine' /v Version /t REG_SZ /d vista /f >/dev/null
refused=0
install "$version" || refused=$?
[ $refused -ne 0 ] || fail "installed on Windows Vista, which the program does not run on"
[ ! -e "$installed" ] || fail "Program Files/Malvoran was made on Windows Vista"
wine reg delete 'HKCU\Software\Wine' /v Version /f >/dev/null

install "$version" || fail "the installer failed (status $?)"
for file in malvoran.exe malvoran-practice.exe LICENSE.txt; do
    cmp -s "$installed/$file" "$staged/$file" || fail "Program Files/Malvoran/$file is not the packaged one"
done
for entry in "${programs[@]}"; do
    program=${entry%%|*}
    link=$(shortcut "${entry#*|}")
    [ -n "$link" ] || fail "no Start-menu shortcut ${entry#*|}.lnk"
    [ -z "$link" ] || grep -aqF "$program" "$link" || fail "the shortcut ${entry#*|}.lnk does not start $program"
done
[ "$(entries)" = "$version|Malvoran developers" ] || fail "installed programs list: $(entries)"
case "$kind" in
nsis)
    file -b "$installed/Uninstall.exe" | grep -q '^PE32+' || fail "the uninstaller is not a 64-bit program"
    grep -q '^"DisplayIcon"="C:\\\\Program Files\\\\Malvoran\\\\malvoran.exe"$' "$prefix/system.reg" ||
        fail "the entry does not show the program's icon"
    ;;
msi)
    grep -q '^"ProductIcon"="C:\\\\windows\\\\Installer\\\\{.*}\\\\malvoran.ico"$' "$prefix/system.reg" ||
        fail "the entry does not show the program's icon"
    ;;
esac

install "$newer" || fail "the newer build did not install over the older (status $?)"
[ "$(entries)" = "$newer|Malvoran developers" ] || fail "after the newer build, installed programs list: $(entries)"
for file in malvoran.exe malvoran-practice.exe; do
    [ -f "$installed/$file" ] || fail "after the newer build, $file is missing"
done

uninstall || fail "the uninstall failed (status $?)"
[ ! -e "$installed" ] || fail "left behind: $(ls -A "$installed" | tr '\n' ' ')"
for entry in "${programs[@]}"; do
    [ -z "$(shortcut "${entry#*|}")" ] || fail "left behind: the Start-menu shortcut ${entry#*|}.lnk"
done
if grep -qi malvoran "$prefix/system.reg" "$prefix/user.reg"; then
    fail "left behind in the registry: $(grep -hi malvoran "$prefix/system.reg" "$prefix/user.reg" | head -n 3)"
fi
[ $status -ne 0 ] || echo "$kind: refused on Vista; both programs installed, found, replaced by $newer, removed, gone"
exit $status
