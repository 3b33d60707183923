// SPDX-License-Identifier: MIT
// The one colour that marks the control holding the keyboard focus, on the buttons and the lists.
#pragma once

#include <QColor>

// Dark blue: it stands out on the window's light lavender and on every designed background colour.
inline constexpr QColor kFocusMark{32, 32, 128};
