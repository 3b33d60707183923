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

# A mirror in the middle of a sync can serve an index of the wrong size, and apt-get update then fails
# as a whole although most lists were read. So update a few times, and if it still fails, install
# from the lists apt has: only when the packages cannot be had from those either is it a failure.
update_lists() {
    local attempt
    for attempt in 1 2 3; do
        if update_output=$(as_root apt-get update -qq 2>&1); then
            return 0
        fi
        [ $attempt -eq 3 ] || sleep 10
    done
    return 1
}

if [ ${#missing[@]} -gt 0 ]; then
    if ! command -v apt-get >/dev/null 2>&1; then
        echo "malvoran: apt-get not found; install these packages by hand: ${missing[*]}" >&2
        exit 1
    fi
    echo "malvoran: installing ${missing[*]}"
    update_output=
    if ! update_lists; then
        echo "malvoran: apt-get update failed three times; installing from the package lists apt has:" >&2
        grep -m 1 -E '^(E|W):' <<<"$update_output" | sed 's/^/    /' >&2 || true
    fi
    if ! install_output=$(as_root env DEBIAN_FRONTEND=noninteractive \
        apt-get install -y -qq --no-install-recommends "${missing[@]}" 2>&1 >/dev/null); then
        reason=$(grep -m 1 '^E:' <<<"$install_output" || tail -n 1 <<<"$install_output")
        echo "malvoran: cannot install ${missing[*]}: $reason" >&2
        exit 1
    fi
fi

# The tests run the program under comma-decimal locales.
if [[ " ${purposes[*]} " == *" test "* ]]; then
    for name in bg_BG de_DE; do
        if ! locale -a 2>/dev/null | grep -qi "^${name}\.utf-\?8$"; then
            as_root localedef -i "$name" -f UTF-8 "$name.UTF-8"
        fi
    done
fi
