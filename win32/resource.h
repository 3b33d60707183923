// SPDX-License-Identifier: MIT
// Ids of the resources that the program and its .rc file share.
#pragma once

// The resource compiler reads macros only.
#define IDI_MALVORAN 1 // NOLINT(cppcoreguidelines-macro-usage)
