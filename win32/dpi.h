// SPDX-License-Identifier: MIT
// Screen density: per monitor where Windows tracks it, the system's where it does not. The functions
// that know a window's own density arrived with Windows 10 1607 (and one with 8.1); the program looks
// them up when it starts, so that it also starts on Windows 7 SP1 and 8.1.
#pragma once

#include <windows.h>

namespace win32 {

class Dpi {
public:
    // The functions this Windows has. A Dpi made with none of them answers as Windows 7 does.
    static Dpi lookUp();

    // The dots per inch of the screen the window is on.
    int ofWindow(HWND window) const;
    // GetSystemMetrics for a window laid out at dpi.
    int systemMetric(int metric, int dpi) const;
    // The window rectangle whose client area is client, with the frame drawn at dpi.
    RECT frameAround(RECT client, DWORD style, int dpi) const;

private:
    using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
    using GetDpiForMonitorFunction = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
    using GetSystemMetricsForDpiFunction = int(WINAPI*)(int, UINT);
    using AdjustWindowRectExForDpiFunction = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);

    GetDpiForWindowFunction m_getDpiForWindow = nullptr;
    GetDpiForMonitorFunction m_getDpiForMonitor = nullptr;
    GetSystemMetricsForDpiFunction m_getSystemMetricsForDpi = nullptr;
    AdjustWindowRectExForDpiFunction m_adjustWindowRectExForDpi = nullptr;
};

} // namespace win32
