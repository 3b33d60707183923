#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Sets up what Malvoran needs, builds it and opens its window.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
tools/setup.sh build
cmake --preset release >/dev/null
cmake --build --preset release
exec build/release/qt/malvoran
