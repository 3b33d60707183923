#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# clang-tidy and clazy (level 1) over Malvoran's own sources. Exits non-zero on any finding.
# Without arguments it sets up, builds the default configuration and checks it; given a build
# directory that is already built (as CTest does), it only checks.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
if [ $# -eq 0 ]; then
    tools/setup.sh build check
    cmake --preset default >/dev/null
    cmake --build --preset default >/dev/null
fi
build=${1:-build/default}

# The sources are what git tracks; when git cannot say (not a checkout, or a checkout owned by another
# user, which git refuses as "dubious ownership"), stop and say why rather than check nothing.
if ! listing=$(git ls-files 'forms/*.cpp' 'logic/*.cpp' 'design/*.cpp' 'qt/*.cpp' 'tests/*.cpp' 2>&1); then
    echo "static checks: cannot list the sources with git in $PWD:" >&2
    sed 's/^/    /' <<<"$listing" >&2
    exit 1
fi
mapfile -t sources < <(grep -v logic_without_qt_probe <<<"$listing")
if [ ${#sources[@]} -eq 0 ]; then
    echo "static checks: git lists no sources in $PWD; is this a checkout of Malvoran?" >&2
    exit 1
fi
status=0
echo "clang-tidy: ${#sources[@]} files"
printf '%s\n' "${sources[@]}" | xargs -P 2 -n 2 clang-tidy -p "$build" --quiet 2>/dev/null || status=1
echo "clazy level1: ${#sources[@]} files"
printf '%s\n' "${sources[@]}" | xargs -P 2 -n 2 clazy-standalone -p "$build/compile_commands.json" \
    -checks=level1 -header-filter='/(forms|logic|design|qt|tests|bench)/' || status=1
[ $status -eq 0 ] && echo "static checks: no findings"
exit $status
