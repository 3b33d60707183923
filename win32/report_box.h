// SPDX-License-Identifier: MIT
// What the report box does beyond Windows' edit box: a long paste that does not freeze the window.
#pragma once

#include <windows.h>

namespace win32 {

// Pastes the clipboard's text over the report box's selection, as WM_PASTE does (one step to undo,
// cut at the box's limit), but in pieces: the edit box wraps a paragraph at a cost that grows with
// the square of what it wraps at once, and a piece at a time keeps that small.
void pasteInPieces(HWND box);

} // namespace win32
