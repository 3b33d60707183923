// SPDX-License-Identifier: MIT
// The practice window contract against the in-memory practice window: the practice alone, no toolkit.
// clazy:excludeall=non-pod-global-static (doctest registers its test cases in static objects)
#define DOCTEST_CONFIG_IMPLEMENT_WITH_MAIN
#include "fake_practice_window.h"
#include "practice_contract.h"

TEST_CASE_TEMPLATE_INVOKE(practice_contract, FakePracticeHarness);
