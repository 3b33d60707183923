// SPDX-License-Identifier: MIT
// The floor for the Windows start-up benchmark: the least a Win32 program can do, one label in a
// window, built and linked like malvoran.exe.
#include <windows.h>

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show)
{
    HWND window = CreateWindowExW(0, L"STATIC", L"Malvoran", WS_OVERLAPPEDWINDOW | SS_CENTER, CW_USEDEFAULT,
                                  CW_USEDEFAULT, 200, 60, nullptr, nullptr, instance, nullptr);
    ShowWindow(window, show);
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0)
        DispatchMessageW(&message);
    return 0;
}
