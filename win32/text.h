// SPDX-License-Identifier: MIT
// Text at the Windows boundary: the program speaks UTF-8, Windows' W functions UTF-16.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace win32 {

std::wstring widen(std::string_view utf8);
std::string narrow(std::wstring_view utf16);

// The whole text of a window or control, as it holds it.
std::wstring windowText(HWND window);

} // namespace win32
