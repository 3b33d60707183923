#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs Malvoran into a scratch prefix and checks it as a desktop would see it: a valid menu entry,
# valid software-centre metadata, and every icon it declares. With --deb, also builds the Debian
# package, checks that its dependencies come from the libraries the program links, that it recommends
# the font and Qt's Wayland plugin, and that lintian finds nothing to report, neither error nor warning.
set -euo pipefail
build=$1
mode=${2:-install}
scratch=$(mktemp -d)
pool=$scratch
trap 'rm -rf "$scratch" "$pool"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

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
    for path in ./usr/bin/malvoran ./usr/share/applications/ ./usr/share/metainfo/ ./usr/share/icons/hicolor/ \
        ./usr/share/doc/malvoran/copyright ./usr/share/doc/malvoran/changelog.gz \
        ./usr/share/man/man1/malvoran.1.gz ./usr/share/man/bg/man1/malvoran.1.gz; do
        grep -qF "$path" <<<"$contents" || fail "the package lacks $path"
    done
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
[ -x "$prefix/bin/malvoran" ] || fail "no program in bin/"

desktop=$(ls "$prefix"/share/applications/*.desktop) || fail "no .desktop file"
desktop-file-validate "$desktop" || fail "desktop-file-validate: $desktop"
grep -q '^Name\[bg\]=' "$desktop" || fail "no Bulgarian name in $desktop"

metainfo=$(ls "$prefix"/share/metainfo/*.metainfo.xml) || fail "no metainfo file"
appstreamcli validate --no-net "$metainfo" || fail "appstreamcli validate: $metainfo"
launchable=$(sed -n 's:.*<launchable type="desktop-id">\(.*\)</launchable>.*:\1:p' "$metainfo")
[ "$launchable" = "$(basename "$desktop")" ] || fail "metainfo launches '$launchable', not $(basename "$desktop")"

icon=$(sed -n 's/^Icon=//p' "$desktop")
for size in 16 24 32 48 64 128 256; do
    png="$prefix/share/icons/hicolor/${size}x${size}/apps/$icon.png"
    [ -f "$png" ] || fail "missing icon $png"
    file "$png" | grep -q "$size x $size" || fail "$png is not $size x $size"
done
[ -f "$prefix/share/icons/hicolor/scalable/apps/$icon.svg" ] || fail "missing scalable icon"
echo "install OK: $(find "$prefix" -type f | wc -l) files"
