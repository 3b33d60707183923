#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs Malvoran into a scratch prefix and checks it as a desktop would see it: both programs,
# Malvoran and its practice "Malvoran — упражнение", each with a valid menu entry under Education,
# valid software-centre metadata, and every icon it declares. With --deb, also builds the Debian
# package, checks that its dependencies come from the libraries the programs link, that it recommends
# the font and Qt's Wayland plugin, that lintian finds nothing to report, neither error nor warning,
# and that what it unpacks gives a new user both programs in the menu, side by side.
set -euo pipefail
build=$1
mode=${2:-install}
scratch=$(mktemp -d)
pool=$scratch
trap 'rm -rf "$scratch" "$pool"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# The programs: command | menu entry's id (also the icon's and the metadata's) | name in the menu
programs="malvoran|bg.malvoran.Malvoran|Malvoran
malvoran-practice|bg.malvoran.Practice|Malvoran — упражнение"

# Checks the programs installed under <prefix> (bin/, share/) as a desktop finds them.
check_programs() {
    local prefix=$1 command id name desktop metainfo size png
    [ "$(ls "$prefix/share/applications")" = "$(cut -d'|' -f2 <<<"$programs" | sed 's/$/.desktop/' | sort)" ] ||
        fail "the menu entries are not those of the two programs: $(ls "$prefix/share/applications")"
    while IFS='|' read -r command id name; do
        [ -x "$prefix/bin/$command" ] || fail "no program $command in bin/"
        desktop=$prefix/share/applications/$id.desktop
        desktop-file-validate "$desktop" || fail "desktop-file-validate: $desktop"
        for key in Name 'Name\[bg\]'; do
            grep -qx "$key=$name" "$desktop" || fail "$id.desktop: the menu does not call it \"$name\""
        done
        grep -qx "Exec=$command" "$desktop" || fail "$id.desktop does not start $command"
        grep -qE '^Categories=(.*;)?Education;' "$desktop" || fail "$id.desktop is not under Education"

        metainfo=$prefix/share/metainfo/$id.metainfo.xml
        appstreamcli validate --no-net "$metainfo" || fail "appstreamcli validate: $metainfo"
        grep -qF "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" ||
            fail "$id.metainfo.xml does not launch $id.desktop"
        grep -qF "<binary>$command</binary>" "$metainfo" || fail "$id.metainfo.xml does not provide $command"

        grep -qx "Icon=$id" "$desktop" || fail "$id.desktop does not show the icon $id"
        for size in 16 24 32 48 64 128 256; do
            png="$prefix/share/icons/hicolor/${size}x${size}/apps/$id.png"
            [ -f "$png" ] || fail "missing icon $png"
            file "$png" | grep -q "$size x $size" || fail "$png is not $size x $size"
        done
        [ -f "$prefix/share/icons/hicolor/scalable/apps/$id.svg" ] || fail "missing scalable icon of $id"
        echo "$name: $command, $id.desktop, its metadata and icons"
    done <<<"$programs"
}

if [ "$mode" = "--deb" ]; then
    (cd "$scratch" && cpack -G DEB --config "$build/CPackConfig.cmake" -B "$scratch" >/dev/null)
    deb=$(ls "$scratch"/*.deb) || fail "cpack made no package"
    depends=$(dpkg-deb -f "$deb" Depends)
    echo "Depends: $depends"
    for library in libqt6widgets6 libqt6gui6 libqt6core6 libc6 qt6-translations-l10n; do
        [[ "$depends" == *"$library"* ]] || fail "the package does not depend on $library"
    done
    recommends=$(dpkg-deb -f "$deb" Recommends)
    echo "Recommends: $recommends"
    for package in fonts-liberation2 qt6-wayland; do
        [[ ", $recommends," == *", $package,"* ]] || fail "the package does not recommend $package"
    done
    contents=$(dpkg-deb -c "$deb")
    for path in ./usr/bin/malvoran ./usr/bin/malvoran-practice ./usr/share/applications/ ./usr/share/metainfo/ \
        ./usr/share/icons/hicolor/ ./usr/share/doc/malvoran/copyright ./usr/share/doc/malvoran/changelog.gz \
        ./usr/share/man/man1/malvoran.1.gz ./usr/share/man/bg/man1/malvoran.1.gz \
        ./usr/share/man/man1/malvoran-practice.1.gz ./usr/share/man/bg/man1/malvoran-practice.1.gz; do
        grep -qF "$path" <<<"$contents" || fail "the package lacks $path"
    done
    # What a new user gets from installing it: both programs in the menu.
    dpkg-deb -x "$deb" "$scratch/root"
    check_programs "$scratch/root/usr"
    status=0
    # lintian garbles the non-ASCII path of the folder it unpacks into (TMPDIR): give it one in /tmp then.
    if LC_ALL=C grep -q '[^ -~]' <<<"$scratch"; then pool=$(mktemp -d /tmp/malvoran-lintian.XXXXXX); fi
    TMPDIR=$pool LC_ALL=C.UTF-8 lintian --fail-on error,warning "$deb" >"$scratch/lintian" 2>&1 || status=$?
    grep -v 'running with root privileges' "$scratch/lintian" || true
    [ "$status" -eq 0 ] || fail "lintian reports errors or warnings for $(basename "$deb")"
    echo "deb package OK: $(basename "$deb")"
    exit 0
fi

prefix=$scratch/prefix
cmake --install "$build" --prefix "$prefix" >/dev/null
check_programs "$prefix"
echo "install OK: $(find "$prefix" -type f | wc -l) files"
