// SPDX-License-Identifier: MIT
// GDI and icon handles that free themselves, so no brush, font, pen or icon outlives its use.
#pragma once

#include <windows.h>

#include <memory>
#include <type_traits>

namespace win32 {

struct DeleteGdiObject {
    void operator()(void* object) const { DeleteObject(static_cast<HGDIOBJ>(object)); }
};
struct DestroyIconHandle {
    void operator()(HICON icon) const { DestroyIcon(icon); }
};

template <typename Handle> using GdiObject = std::unique_ptr<std::remove_pointer_t<Handle>, DeleteGdiObject>;
using Brush = GdiObject<HBRUSH>;
using Font = GdiObject<HFONT>;
using Pen = GdiObject<HPEN>;
using Icon = std::unique_ptr<std::remove_pointer_t<HICON>, DestroyIconHandle>;

// An object selected into a device context for one scope; the previous one comes back at its end.
class Selected {
public:
    Selected(HDC dc, HGDIOBJ object) : m_dc(dc), m_previous(SelectObject(dc, object)) {}
    ~Selected() { SelectObject(m_dc, m_previous); }
    Selected(const Selected&) = delete;
    Selected& operator=(const Selected&) = delete;
    Selected(Selected&&) = delete;
    Selected& operator=(Selected&&) = delete;

private:
    HDC m_dc;
    HGDIOBJ m_previous;
};

// A window's device context outside painting, released at the end of the scope.
class WindowDc {
public:
    explicit WindowDc(HWND window) : m_window(window), m_dc(GetDC(window)) {}
    ~WindowDc() { ReleaseDC(m_window, m_dc); }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    WindowDc(WindowDc&&) = delete;
    WindowDc& operator=(WindowDc&&) = delete;
    HDC get() const { return m_dc; }

private:
    HWND m_window;
    HDC m_dc;
};

} // namespace win32
