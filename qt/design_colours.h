// SPDX-License-Identifier: MIT
// The design's colours as Qt colours, for painting.
#pragma once

#include "design.h"

#include <QColor>

constexpr QColor toColor(design::Rgb rgb)
{
    return {rgb.red, rgb.green, rgb.blue};
}

// The one colour that marks the control holding the keyboard focus, on the buttons and the lists.
inline constexpr QColor kFocusMark = toColor(design::kFocusMark);
