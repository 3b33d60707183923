# SPDX-License-Identifier: MIT
# The browser edition: the core compiled to WebAssembly with Debian's emscripten. Its programs run
# under node (the core's test suites) or in headless Chromium (the page and its window).
include(/usr/share/emscripten/cmake/Modules/Platform/Emscripten.cmake)

# Debian's emscripten runs its JavaScript optimiser on node, which finds Debian's own modules (acorn)
# only where NODE_PATH names them; and each compile or link keeps its temporary files in the build
# tree, not in the machine's /tmp.
set(_malvoran_emscripten_env env NODE_PATH=/usr/share/nodejs TMPDIR=${CMAKE_BINARY_DIR}/tmp)
set(CMAKE_CXX_COMPILER_LAUNCHER ${_malvoran_emscripten_env})
set(CMAKE_CXX_LINKER_LAUNCHER ${_malvoran_emscripten_env})
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/tmp)

# node 20 would fetch a program's .wasm with its own fetch, which cannot read a file path.
set(CMAKE_CROSSCOMPILING_EMULATOR node --no-experimental-fetch)
