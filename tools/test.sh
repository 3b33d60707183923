#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Sets up what the tests need, then builds and runs the whole suite with CTest four times: in the
# default configuration (with valgrind and the static checks), under AddressSanitizer and
# UndefinedBehaviorSanitizer, as the Windows edition cross-built with MinGW-w64 and run under Wine, and
# as the page in WebAssembly, under node and in Chromium, Firefox and WebKitGTK.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
tools/setup.sh build test check windows web

extra=()
if [ "${CI:-}" = "true" ]; then
    extra+=(-DCMAKE_COMPILE_WARNING_AS_ERROR=ON)
fi

status=0
for preset in default asan windows web; do
    echo "== $preset =="
    cmake --preset "$preset" "${extra[@]}" >/dev/null
    cmake --build --preset "$preset"
    ctest --preset "$preset" || status=1
done
exit $status
