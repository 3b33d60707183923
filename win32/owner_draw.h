// SPDX-License-Identifier: MIT
// The owner-drawn controls: colour-list items with their swatches, the coloured Command1 buttons and
// the resistor picture. The look matches the Qt window's.
#pragma once

#include "bands.h"
#include "design.h"
#include "resistor.h"

#include <windows.h>

namespace win32 {

// A length in pixels at 96 dots per inch, at `dpi`.
int scaled(int pixels, int dpi);

COLORREF toColorRef(design::Rgb rgb);

// How many pixels a colour name has in a list this wide beside a swatch of this side (at 96 dpi).
int nameRoom(int listWidth, int swatchSide, int dpi);

// Where the swatch of an item stands: a square at the left, in the middle of the item's height.
RECT swatchRect(const RECT& item, int dpi, int swatchSide = design::kSwatchSide);

// Paints one item of a colour list: the swatch of the colour in the item's data, then the item's own
// text (the colour name) in the list's font, highlighted when chosen.
void drawColourItem(const DRAWITEMSTRUCT& item, int dpi, int swatchSide);

// The ring that marks the focused colour list, as in the Qt window: dark blue, just outside the
// list's own frame (`list`, in the window's coordinates), so that it shows alike whether a colour is
// chosen, in view or not. focusRingAround is all it covers.
RECT focusRingAround(const RECT& list, int dpi);
void drawFocusRing(HDC dc, const RECT& list, int dpi);

// Paints a Command1 button on the window's background: its face in the designed colour (darker while
// pressed), its caption, and a dark blue edge and focus rectangle when Space would press it; greyed,
// as design::disabledFace has it, while the student cannot press it.
void drawColourButton(const DRAWITEMSTRUCT& item, design::Rgb face, int dpi, design::Rgb window);

// Paints the resistor picture, an owner-drawn static control at drawing.area, on the window's
// background.
void drawResistor(const DRAWITEMSTRUCT& item, const design::ResistorDrawing& drawing, design::Rgb window);

} // namespace win32
