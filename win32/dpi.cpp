// SPDX-License-Identifier: MIT
// Screen density with the newer functions where Windows has them, and the system density otherwise.
#include "dpi.h"

#include "design.h"

namespace win32 {
namespace {

// GetProcAddress hands every function out under one type; each is called only through the type of
// the function it names.
template <typename Function> Function find(HMODULE module, const char* name)
{
    return module ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)))
                  : nullptr;
}

int systemDpi()
{
    HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 0;
    if (screen)
        ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : design::kStandardDpi;
}

} // namespace

Dpi Dpi::lookUp()
{
    Dpi dpi;
    HMODULE user32 = GetModuleHandleW(L"user32.dll");
    dpi.m_getDpiForWindow = find<GetDpiForWindowFunction>(user32, "GetDpiForWindow");
    dpi.m_getSystemMetricsForDpi = find<GetSystemMetricsForDpiFunction>(user32, "GetSystemMetricsForDpi");
    dpi.m_adjustWindowRectExForDpi =
        find<AdjustWindowRectExForDpiFunction>(user32, "AdjustWindowRectExForDpi");
    // Windows 8.1 knows each monitor's density, but only through shcore.dll, which Windows 7 lacks.
    // The library stays loaded for the life of the program, as the window asks for the density
    // again whenever it moves.
    if (!dpi.m_getDpiForWindow)
        dpi.m_getDpiForMonitor =
            find<GetDpiForMonitorFunction>(LoadLibraryW(L"shcore.dll"), "GetDpiForMonitor");
    return dpi;
}

int Dpi::ofWindow(HWND window) const
{
    if (m_getDpiForWindow) {
        if (const UINT dpi = m_getDpiForWindow(window))
            return static_cast<int>(dpi);
    }
    if (m_getDpiForMonitor) {
        constexpr int kEffectiveDpi = 0; // MDT_EFFECTIVE_DPI
        UINT x = 0;
        UINT y = 0;
        HMONITOR monitor = MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST);
        if (SUCCEEDED(m_getDpiForMonitor(monitor, kEffectiveDpi, &x, &y)) && y > 0)
            return static_cast<int>(y);
    }
    return systemDpi();
}

int Dpi::systemMetric(int metric, int dpi) const
{
    if (m_getSystemMetricsForDpi)
        return m_getSystemMetricsForDpi(metric, static_cast<UINT>(dpi));
    // Without it, Windows gives the metric at the system density: scale it to the window's.
    return MulDiv(GetSystemMetrics(metric), dpi, systemDpi());
}

RECT Dpi::frameAround(RECT client, DWORD style, int dpi) const
{
    if (!m_adjustWindowRectExForDpi ||
        !m_adjustWindowRectExForDpi(&client, style, FALSE, 0, static_cast<UINT>(dpi)))
        AdjustWindowRectEx(&client, style, FALSE, 0);
    return client;
}

} // namespace win32
