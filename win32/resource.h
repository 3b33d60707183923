// SPDX-License-Identifier: MIT
// Ids of the resources that the programs and their .rc files share.
#pragma once

// The resource compiler reads macros only.
#define IDI_MALVORAN 1 // NOLINT(cppcoreguidelines-macro-usage)
#define IDI_PRACTICE 2 // NOLINT(cppcoreguidelines-macro-usage)
