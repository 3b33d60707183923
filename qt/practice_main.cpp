// SPDX-License-Identifier: MIT
// Malvoran — упражнение: the practice window, then the event loop until the window is closed.
#include "practice_window.h"
#include "start_up.h"

int main(int argc, char* argv[])
{
    const Program practice = {.command = "malvoran-practice",
                              .shownName = "Malvoran — упражнение",
                              .applicationName = "Malvoran — упражнение",
                              .appId = MALVORAN_PRACTICE_APP_ID};
    return runProgram(argc, argv, practice, [] { return std::make_unique<PracticeWindow>(); });
}
