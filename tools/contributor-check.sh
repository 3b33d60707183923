#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Runs the test command as a new contributor's desktop would: from a fresh clone of the committed tree
# in a folder whose path has a space and Cyrillic letters, inside a session bus, under the Bulgarian
# locale, with an empty folder as home. Then checks that this home is still empty, that no process the
# suite started is left running and that the user's own dconf settings are untouched.
# Usage: tools/contributor-check.sh
set -euo pipefail
source=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
say() { echo "contributor check: $*" >&2; }

[ -z "$(git -C "$source" status --porcelain)" ] || say "note: uncommitted changes are not part of this check"
scratch=$(mktemp -d "/tmp/моят проект.XXXXXX")
clone="$scratch/malvoran"
home="$scratch/празен дом"
mkdir -p "$home"
git clone -q "$source" "$clone"
git -C "$clone" checkout -q --detach "$(git -C "$source" rev-parse HEAD)"
say "clone of $(git -C "$clone" rev-parse --short HEAD) in $clone"

dconf=${HOME:-/nonexistent}/.config/dconf/user
dconf_before=$(sha256sum "$dconf" 2>/dev/null || echo none)
locale_vars=()
for name in $(compgen -e | grep -E '^(LC_|LANGUAGE$)' || true); do locale_vars+=(-u "$name"); done
status=0
(cd "$clone" && env "${locale_vars[@]}" LANG=bg_BG.UTF-8 HOME="$home" MALVORAN_CONTRIBUTOR_CHECK="$scratch" \
    dbus-run-session -- tools/test.sh) || status=$?
[ $status -eq 0 ] || say "FAIL: the test command failed (status $status)"

# Every process the suite started carries the check's marker, even inside the tests' private sessions.
mapfile -t pids < <(grep -lzxF "MALVORAN_CONTRIBUTOR_CHECK=$scratch" /proc/[0-9]*/environ 2>/dev/null | cut -d/ -f3)
if [ ${#pids[@]} -gt 0 ]; then
    say "FAIL: left running:"
    ps -o pid=,args= -p "${pids[*]}" >&2 || true
    kill "${pids[@]}" 2>/dev/null || true
    status=1
fi
written=$(find "$home" -mindepth 1)
if [ -n "$written" ]; then
    say "FAIL: written into the home folder:"
    echo "$written" >&2
    status=1
fi
if [ "$(sha256sum "$dconf" 2>/dev/null || echo none)" != "$dconf_before" ]; then
    say "FAIL: $dconf changed"
    status=1
fi

if [ $status -eq 0 ]; then
    rm -rf "$scratch"
    say "passed: the suite passed, the home folder stayed empty, nothing was left running"
else
    say "the clone and its build stay in $scratch"
fi
exit $status
