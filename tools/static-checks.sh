#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# clang-format, clang-tidy and clazy (level 1) over Malvoran's own sources; the Windows front-end and
# its tests with clang-tidy against MinGW's headers; the page's JavaScript with ESLint and the Python
# of the tools and tests with flake8. Exits non-zero on any finding or formatting difference. Without arguments it sets up, builds the default configuration and checks it; given a
# build directory that is already built (as CTest does), it only checks.
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
if ! listing=$(git ls-files 'forms/*.cpp' 'logic/*.cpp' 'practice/*.cpp' 'design/*.cpp' 'qt/*.cpp' 'tests/*.cpp' \
    ':!tests/win32/*' ':!tests/*_web.cpp' 2>&1); then
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
mapfile -t formatted < <(git ls-files '*.cpp' '*.h')
echo "clang-format: ${#formatted[@]} files"
clang-format --dry-run --Werror "${formatted[@]}" || status=1

echo "clang-tidy: ${#sources[@]} files"
printf '%s\n' "${sources[@]}" | xargs -P 2 -n 2 clang-tidy -p "$build" --quiet 2>/dev/null || status=1
echo "clazy level1: ${#sources[@]} files"
printf '%s\n' "${sources[@]}" | xargs -P 2 -n 2 clazy-standalone -p "$build/compile_commands.json" \
    -checks=level1 -header-filter='/(forms|logic|practice|design|qt|tests|bench)/' || status=1

# The Windows sources, as the windows configuration compiles them. clang reads MinGW's C and C++
# headers but not GCC's own intrinsics headers, so it keeps its own for those.
if command -v x86_64-w64-mingw32-g++-posix >/dev/null 2>&1; then
    [ -f build/windows/compile_commands.json ] || cmake --preset windows >/dev/null
    mingw=()
    while read -r dir; do
        mingw+=("--extra-arg-before=-isystem$dir")
    done < <(x86_64-w64-mingw32-g++-posix -std=c++20 -E -x c++ -v - </dev/null 2>&1 |
        sed -n '/^#include <...> search starts here:/,/^End of search list/s/^ //p' | xargs -n 1 realpath -m |
        grep -Ev '^/usr/lib/gcc/.*/include(-fixed)?$')
    mapfile -t windows_sources < <(git ls-files 'win32/*.cpp' 'tests/win32/*.cpp' 'tests/test_window_contract.cpp' \
        'tests/test_practice_contract.cpp')
    echo "clang-tidy (Windows): ${#windows_sources[@]} files"
    printf '%s\n' "${windows_sources[@]}" | xargs -P 2 -n 2 clang-tidy -p build/windows --quiet \
        --extra-arg=--target=x86_64-w64-mingw32 --extra-arg=-UNDEBUG "${mingw[@]}" 2>/dev/null || status=1
else
    echo "clang-tidy (Windows): skipped, no MinGW-w64 compiler (tools/setup.sh windows installs it)"
fi
# The page's sources, as the web configuration compiles them: clang is told emscripten's target and the
# headers em++ adds by itself.
if command -v em++ >/dev/null 2>&1; then
    [ -f build/web/compile_commands.json ] || cmake --preset web >/dev/null
    sysroot=/usr/share/emscripten/cache/sysroot
    mapfile -t web_sources < <(git ls-files 'web/*.cpp' 'tests/*_web.cpp')
    echo "clang-tidy (web): ${#web_sources[@]} files"
    printf '%s\n' "${web_sources[@]}" | xargs -P 2 -n 2 clang-tidy -p build/web --quiet \
        --extra-arg=--target=wasm32-unknown-emscripten "--extra-arg=--sysroot=$sysroot" \
        "--extra-arg=-isystem$sysroot/include/compat" --extra-arg=-D_LIBCPP_ABI_VERSION=2 2>/dev/null || status=1
else
    echo "clang-tidy (web): skipped, no emscripten (tools/setup.sh web installs it)"
fi

# The page's JavaScript (web/.eslintrc.json) and the tools' and tests' Python (.flake8). Debian's eslint
# finds its own modules through NODE_PATH where node is not Debian's, and its default report needs a
# module Debian does not ship: the plain one serves.
mapfile -t scripts < <(git ls-files 'web/*.js')
echo "eslint: ${#scripts[@]} files"
NODE_PATH=/usr/share/nodejs eslint --format unix "${scripts[@]}" || status=1
mapfile -t pythons < <(git ls-files '*.py')
echo "flake8: ${#pythons[@]} files"
flake8 "${pythons[@]}" || status=1

[ $status -eq 0 ] && echo "static checks: no findings"
exit $status
