// SPDX-License-Identifier: MIT
// What the page names and paints beyond the design: shared by the page's parts, written when the page
// is built, and by its window, which finds them when it runs.
#pragma once

#include "bands.h"

#include <string_view>

namespace web {

// The element of the window, and of the resistor picture in it. The controls carry their names in
// the design, "List1(2)".
inline constexpr std::string_view kWindowId = "Malvoran";
inline constexpr std::string_view kResistorId = "Resistor";
// A control's description for screen readers is held by a hidden element of its id and this ending.
inline constexpr std::string_view kDescriptionSuffix = ".description";

// The family the page gives its own copy of the window's font, used where Times New Roman is missing.
// Its own name, not the original's: the original's licence reserves that for the font as published.
inline constexpr std::string_view kEmbeddedFontFamily = "Malvoran Serif";

// A list's background: a page has no desktop theme to take it from, and its colours are the same in
// a light and a dark browser.
inline constexpr bands::Rgb kListBackground{255, 255, 255};

} // namespace web
