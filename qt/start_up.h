// SPDX-License-Identifier: MIT
// Start-up shared by the programs: one window in its designed state, then the event loop until the
// window is closed; where no window can open, one sentence that says why.
#pragma once

#include <functional>
#include <memory>

class FormWindow;

struct Program {
    // How standard error names the program ("malvoran"), and how the student knows it ("Malvoran").
    const char* command;
    const char* shownName;
    // The application's name, for the window system and screen readers.
    const char* applicationName;
    // The desktop entry's name, without ".desktop", which Wayland desktops match the window to.
    const char* appId;
};

// Runs `program` with the window `makeWindow` builds, once the application is set up.
int runProgram(int argc, char** argv, const Program& program,
               const std::function<std::unique_ptr<FormWindow>()>& makeWindow);
