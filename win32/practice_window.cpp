// SPDX-License-Identifier: MIT
// The practice window: its form built by the window builder, its buttons handed to the practice.
#include "practice_window.h"

#include "resource.h"

namespace win32 {

PracticeWindow::PracticeWindow(HINSTANCE instance, Dpi density)
    : FormWindow(instance, design::kPractice, IDI_PRACTICE, density)
{
    if (hwnd())
        m_practice.start(*this);
}

} // namespace win32
