// SPDX-License-Identifier: MIT
// Start-up of malvoran.exe: one window in its designed state, then the event loop until the window is
// closed.
#include "main_window.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show)
{
    return win32::runProgram<win32::Malvoran>(instance, show);
}
