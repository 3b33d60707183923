// SPDX-License-Identifier: MIT
// What screen readers hear about a control, through Microsoft Active Accessibility.
#pragma once

#include <windows.h>

#include <string_view>

namespace win32 {

// The answer to WM_GETOBJECT for `control`: for its client area, the system's standard accessible
// object with the given name and description (UTF-8), and role where one is given (ROLE_SYSTEM_...),
// in place of the system's guesses; zero for any other object, which the control's default handling
// then answers.
LRESULT answerGetObject(HWND control, WPARAM flags, LPARAM objectId, std::string_view name,
                        std::string_view description, LONG role = 0);

} // namespace win32
