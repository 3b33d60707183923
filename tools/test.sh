#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Sets up what the tests need, then builds and runs the whole suite with CTest three times: in the
# default configuration (with valgrind and the static checks), under AddressSanitizer and
# UndefinedBehaviorSanitizer, and as the Windows edition cross-built with MinGW-w64 and run under Wine.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
tools/setup.sh build test check windows

extra=()
if [ "${CI:-}" = "true" ]; then
    extra+=(-DCMAKE_COMPILE_WARNING_AS_ERROR=ON)
fi

status=0
for preset in default asan windows; do
    echo "== $preset =="
    cmake --preset "$preset" "${extra[@]}" >/dev/null
    cmake --build --preset "$preset"
    ctest --preset "$preset" || status=1
done
exit $status
