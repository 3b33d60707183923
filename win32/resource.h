// SPDX-License-Identifier: MIT
// Ids of the resources that the program and its .rc file share.
#pragma once

#define IDI_MALVORAN 1
