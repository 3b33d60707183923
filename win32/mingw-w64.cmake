# SPDX-License-Identifier: MIT
# Cross-building the Windows edition on Debian with MinGW-w64 (g++-mingw-w64-x86-64-posix); its
# programs run under Wine through tests/win32/wine_run.sh, with Wine's state kept in the build tree.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

# Headers and libraries come from MinGW alone, never from the build machine's /usr.
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_CROSSCOMPILING_EMULATOR "${CMAKE_CURRENT_LIST_DIR}/../tests/win32/wine_run.sh;${CMAKE_BINARY_DIR}/wine")

# Every program carries its C++ runtime and threads library inside: it needs Windows' own DLLs only.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -Wl,--gc-sections")
