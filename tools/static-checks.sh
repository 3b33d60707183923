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

mapfile -t sources < <(git ls-files 'forms/*.cpp' 'logic/*.cpp' 'design/*.cpp' 'qt/*.cpp' 'tests/*.cpp' | grep -v logic_without_qt_probe)
status=0
echo "clang-tidy: ${#sources[@]} files"
printf '%s\n' "${sources[@]}" | xargs -P 2 -n 2 clang-tidy -p "$build" --quiet 2>/dev/null || status=1
echo "clazy level1: ${#sources[@]} files"
printf '%s\n' "${sources[@]}" | xargs -P 2 -n 2 clazy-standalone -p "$build/compile_commands.json" \
    -checks=level1 -header-filter='/(forms|logic|design|qt|tests|bench)/' || status=1
[ $status -eq 0 ] && echo "static checks: no findings"
exit $status
