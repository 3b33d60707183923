// SPDX-License-Identifier: MIT
// doctest's own runner, built once for the core's test programs.
#define DOCTEST_CONFIG_IMPLEMENT_WITH_MAIN
#include <doctest/doctest.h>
