#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Sets up what Malvoran needs, builds it and opens its window, or with "practice" the practice's.
#   tools/run.sh [practice]
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
case "${1:-}" in
'') program=malvoran ;;
practice) program=malvoran-practice ;;
*)
    echo "usage: tools/run.sh [practice]" >&2
    exit 2
    ;;
esac
tools/setup.sh build
cmake --preset release >/dev/null
cmake --build --preset release
exec "build/release/qt/$program"
