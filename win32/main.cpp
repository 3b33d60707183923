// SPDX-License-Identifier: MIT
// Start-up: one window in its designed state, then the event loop until the window is closed.
#include "main_window.h"

#include <commctrl.h>
#include <objbase.h>

#include <cstdlib>

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show)
{
    // Screen readers reach the controls' accessible objects through COM.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);

    int status = EXIT_FAILURE; // where the window cannot be made, the program does not report success
    {
        win32::Malvoran window(instance);
        if (window.hwnd()) {
            window.show(show);
            status = win32::runEventLoop(window.hwnd());
        }
    }
    if (SUCCEEDED(com))
        CoUninitialize();
    return status;
}
