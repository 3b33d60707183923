// SPDX-License-Identifier: MIT
// Start-up of malvoran-practice.exe: the practice window at the first task of a fresh round, then the
// event loop until the window is closed.
#include "practice_window.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show)
{
    return win32::runProgram<win32::PracticeWindow>(instance, show);
}
