// SPDX-License-Identifier: MIT
// What the window's text boxes do beyond Windows' edit box: a limit that counts a line break once, a
// long paste that does not freeze the window, and a right-click menu in Bulgarian whatever the
// language of Windows.
#pragma once

#include "design.h"

#include <windows.h>

#include <cstddef>

namespace win32 {

// Pastes the clipboard's text over the box's selection, as WM_PASTE does (one step to undo), but cut
// at `limit` characters, a line break counting once, and in pieces: the edit box wraps a paragraph
// at a cost that grows with the square of what it wraps at once, and a piece at a time keeps that
// small. A one-line box takes the first line of the text, as Windows' own one-line boxes do.
void pasteInPieces(HWND box, std::size_t limit);

// Whether the box refuses the character `typed` (WM_CHAR) because it is full: a character or a line
// break that would take it beyond `limit`, a line break counting once. The box then beeps and tells
// its window, as the edit box does at its own limit. Keys that edit (Backspace) and typing over a
// selection that makes room are never refused.
bool refusesTyped(HWND box, wchar_t typed, std::size_t limit);

// Whether the edit box's own menu would offer `edit` now: as Windows' edit box decides it.
bool editEnabled(HWND box, design::ReportEdit edit);

// Opens the box's menu (design::kReportMenu) at `at` (screen coordinates), or, asked from the
// keyboard (at is -1, -1), in the middle of the box; the chosen item then does what the edit box's
// own would.
void showEditMenu(HWND box, POINT at);

} // namespace win32
