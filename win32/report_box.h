// SPDX-License-Identifier: MIT
// What the report box does beyond Windows' edit box: a long paste that does not freeze the window,
// and its right-click menu in Bulgarian whatever the language of Windows.
#pragma once

#include "design.h"

#include <windows.h>

namespace win32 {

// Pastes the clipboard's text over the report box's selection, as WM_PASTE does (one step to undo,
// cut at the design's limit, a line break counting once), but in pieces: the edit box wraps a
// paragraph at a cost that grows with the square of what it wraps at once, and a piece at a time
// keeps that small.
void pasteInPieces(HWND box);

// Whether the report box refuses the character `typed` (WM_CHAR) because it is full: a character or
// a line break that would take it beyond the design's limit, a line break counting once. The box
// then beeps and tells its window, as the edit box does at its own limit. Keys that edit
// (Backspace) and typing over a selection that makes room are never refused.
bool refusesTyped(HWND box, wchar_t typed);

// Whether the edit box's own menu would offer `edit` now: as Windows' edit box decides it.
bool reportEditEnabled(HWND box, design::ReportEdit edit);

// Opens the report box's menu at `at` (screen coordinates), or, asked from the keyboard (at is
// -1, -1), in the middle of the box; the chosen item then does what the edit box's own would.
void showReportMenu(HWND box, POINT at);

} // namespace win32
