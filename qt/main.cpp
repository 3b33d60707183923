// SPDX-License-Identifier: MIT
// Malvoran: the colour-code window, then the event loop until the window is closed.
#include "main_window.h"
#include "start_up.h"

int main(int argc, char* argv[])
{
    const Program malvoran = {.command = "malvoran",
                              .shownName = "Malvoran",
                              .applicationName = "Malvoran",
                              .appId = MALVORAN_APP_ID};
    return runProgram(argc, argv, malvoran, [] { return std::make_unique<Malvoran>(); });
}
