// SPDX-License-Identifier: MIT
// What a screen reader hears of a window through Active Accessibility: its name, description and role.
#pragma once

#include "text.h"

#include <doctest/doctest.h>

#include <oleacc.h>

#include <memory>
#include <string>

struct ReleaseInterface {
    void operator()(IUnknown* object) const { object->Release(); }
};

struct Heard {
    std::string name;
    std::string description;
    LONG role = 0;
};

inline Heard hear(HWND window, LONG object)
{
    IAccessible* raw = nullptr;
    REQUIRE(SUCCEEDED(AccessibleObjectFromWindow(window, static_cast<DWORD>(object), __uuidof(IAccessible),
                                                 reinterpret_cast<void**>(&raw))));
    const std::unique_ptr<IAccessible, ReleaseInterface> accessible(raw);
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    Heard heard;
    BSTR text = nullptr;
    if (SUCCEEDED(accessible->get_accName(self, &text)) && text)
        heard.name = win32::narrow(text);
    SysFreeString(text);
    text = nullptr;
    if (SUCCEEDED(accessible->get_accDescription(self, &text)) && text)
        heard.description = win32::narrow(text);
    SysFreeString(text);
    VARIANT role{};
    if (SUCCEEDED(accessible->get_accRole(self, &role)) && role.vt == VT_I4)
        heard.role = role.lVal;
    return heard;
}
