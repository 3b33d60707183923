// SPDX-License-Identifier: MIT
// What screen readers hear about a control, through Microsoft Active Accessibility.
#pragma once

#include <windows.h>

#include <oleacc.h>

#include <memory>
#include <string_view>
#include <vector>

namespace win32 {

// The answer to WM_GETOBJECT for `control`: for its client area, the system's standard accessible
// object with the given name and description (UTF-8), and role where one is given (ROLE_SYSTEM_...),
// in place of the system's guesses; zero for any other object, which the control's default handling
// then answers.
LRESULT answerGetObject(HWND control, WPARAM flags, LPARAM objectId, std::string_view name,
                        std::string_view description, LONG role = 0);

// EVENT_OBJECT_LIVEREGIONCHANGED, which Windows 8 brought: the headers at Windows 7's level lack it.
inline constexpr DWORD kLiveRegionChanged = 0x8019;

// The controls of a window whose new text a screen reader reads out as soon as it is written, the
// focus staying where it is: live regions, in UI Automation's words.
class LiveRegions {
public:
    LiveRegions() = default;
    ~LiveRegions() { clear(); }
    LiveRegions(const LiveRegions&) = delete;
    LiveRegions& operator=(const LiveRegions&) = delete;
    LiveRegions(LiveRegions&&) = delete;
    LiveRegions& operator=(LiveRegions&&) = delete;

    // Makes `control` a polite live region: a screen reader finishes what it is saying first.
    void add(HWND control);
    // Tells screen readers that the text of `control` changed: a label's name, a text box's value.
    static void announce(HWND control, bool label);
    // Forgets every control; called before they go.
    void clear();

private:
    struct Release {
        void operator()(IUnknown* object) const { object->Release(); }
    };
    std::unique_ptr<IAccPropServices, Release> m_services;
    std::vector<HWND> m_controls;
};

} // namespace win32
