#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs the Debian packages that the given purposes need (build, test, check, bench, windows),
# and the locales the tests use. Quick when everything is already there.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

purposes=("$@")
[ ${#purposes[@]} -gt 0 ] || purposes=(build)

wanted=()
while read -r tag package; do
    case "$tag" in '#'* | '') continue ;; esac
    for purpose in "${purposes[@]}"; do
        [ "$tag" = "$purpose" ] && wanted+=("$package")
    done
done <"$here/packages.txt"

missing=()
for package in "${wanted[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
    [ "$status" = "install ok installed" ] || missing+=("$package")
done

as_root() {
    if [ "$(id -u)" -eq 0 ]; then
        "$@"
    elif command -v sudo >/dev/null 2>&1; then
        sudo "$@"
    else
        echo "malvoran: these need root; run as root: $*" >&2
        exit 1
    fi
}

if [ ${#missing[@]} -gt 0 ]; then
    if ! command -v apt-get >/dev/null 2>&1; then
        echo "malvoran: apt-get not found; install these packages by hand: ${missing[*]}" >&2
        exit 1
    fi
    echo "malvoran: installing ${missing[*]}"
    # 32-bit packages (Wine for the 32-bit installer) come from the i386 architecture.
    for package in "${missing[@]}"; do
        arch=${package##*:}
        if [ "$arch" != "$package" ] && [ "$arch" != "$(dpkg --print-architecture)" ] &&
            ! dpkg --print-foreign-architectures | grep -qx "$arch"; then
            as_root dpkg --add-architecture "$arch"
        fi
    done
    as_root apt-get update -qq
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# The tests run the program under comma-decimal locales.
if [[ " ${purposes[*]} " == *" test "* ]]; then
    for name in bg_BG de_DE; do
        if ! locale -a 2>/dev/null | grep -qi "^${name}\.utf-\?8$"; then
            as_root localedef -i "$name" -f UTF-8 "$name.UTF-8"
        fi
    done
fi
