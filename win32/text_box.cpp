// SPDX-License-Identifier: MIT
// The text boxes' limit, their paste in pieces and their Bulgarian right-click menu.
#include "text_box.h"

#include "text.h"

#include <algorithm>
#include <string>
#include <string_view>

namespace win32 {
namespace {

// A paragraph is wrapped a piece at a time; a few lines' worth is as quick as a single line.
constexpr std::size_t kPastePiece = 1024;

std::wstring clipboardText(HWND owner)
{
    std::wstring text;
    if (!IsClipboardFormatAvailable(CF_UNICODETEXT) || !OpenClipboard(owner))
        return text;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) {
            const std::size_t most = GlobalSize(data) / sizeof(wchar_t);
            text.assign(chars, std::find(chars, chars + most, L'\0'));
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

// Whether `text` ends a part at `at` between the halves of a line break or of a character beyond
// the 16-bit range.
bool splitsAPair(const std::wstring& text, std::size_t at)
{
    return at > 0 && at < text.size() && (text[at - 1] == L'\r' || IS_HIGH_SURROGATE(text[at - 1]));
}

// Where a piece of `text` meant to end at `end` ends: never inside a pair.
std::size_t pieceEnd(const std::wstring& text, std::size_t end)
{
    if (splitsAPair(text, end))
        ++end;
    return std::min(end, text.size());
}

DWORD selectionOf(HWND box, DWORD& end)
{
    DWORD start = 0;
    SendMessageW(box, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return start;
}

// The box's text without its selection, which what comes in takes the place of.
std::wstring textBesideSelection(HWND box, DWORD start, DWORD end)
{
    std::wstring text = windowText(box);
    text.erase(std::min<std::size_t>(start, text.size()), end - start);
    return text;
}

// How much of `limit` the box's text leaves beside its selection, a line break (CR LF) counting
// once, as the student sees it.
std::size_t roomBeside(std::wstring_view kept, std::size_t limit)
{
    const std::size_t taken = design::reportLength(kept);
    return taken < limit ? limit - taken : 0;
}

// The box is full: it tells its window as the edit box does at its own limit, and the student with
// a beep.
void tellFull(HWND box)
{
    MessageBeep(MB_OK);
    SendMessageW(GetParent(box), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(box), EN_MAXTEXT),
                 reinterpret_cast<LPARAM>(box));
}

LONG_PTR styleOf(HWND box)
{
    return GetWindowLongPtrW(box, GWL_STYLE);
}

} // namespace

void pasteInPieces(HWND box, std::size_t limit)
{
    std::wstring text = clipboardText(box);
    if ((styleOf(box) & ES_READONLY) != 0 || text.empty())
        return;
    if ((styleOf(box) & ES_MULTILINE) == 0)
        text.resize(std::min(text.find_first_of(L"\r\n"), text.size()));
    DWORD end = 0;
    const DWORD start = selectionOf(box, end);
    // Never cut inside a line break or a character.
    const std::size_t fits = design::fittingLength(std::wstring_view(text),
                                                   roomBeside(textBesideSelection(box, start, end), limit));
    if (fits < text.size()) {
        text.resize(fits);
        tellFull(box);
    }
    if (text.empty() && start == end)
        return;

    // Drawn once at the end, not piece by piece.
    SendMessageW(box, WM_SETREDRAW, FALSE, 0);
    std::size_t from = 0;
    do {
        const std::size_t to = pieceEnd(text, from + kPastePiece);
        const std::wstring piece = text.substr(from, to - from);
        // Each piece continues the last where the caret left it, so Undo takes back the whole paste.
        SendMessageW(box, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(piece.c_str()));
        from = to;
    } while (from < text.size());
    SendMessageW(box, WM_SETREDRAW, TRUE, 0);
    RedrawWindow(box, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
    SendMessageW(box, EM_SCROLLCARET, 0, 0);
}

bool refusesTyped(HWND box, wchar_t typed, std::size_t limit)
{
    // A printable character, a line break (Enter, or LF from Ctrl+Enter) or a tab types; other control
    // characters edit (Backspace) or give commands (Ctrl+V).
    const bool types = typed == L'\r' || typed == L'\n' || typed == L'\t' || (typed >= L' ' && typed != 0x7F);
    if (!types || (styleOf(box) & ES_READONLY) != 0)
        return false;
    DWORD end = 0;
    const DWORD start = selectionOf(box, end);
    // Room for two characters even were each line break to count twice: no need to read the text.
    if (static_cast<std::size_t>(GetWindowTextLengthW(box)) - (end - start) + 2 <= limit)
        return false;
    const std::wstring kept = textBesideSelection(box, start, end);
    // A character beyond 16 bits comes as two halves; the first takes the room of both.
    const bool secondHalf = IS_LOW_SURROGATE(typed) && start > 0 && IS_HIGH_SURROGATE(kept[start - 1]);
    const bool half = IS_HIGH_SURROGATE(typed) || IS_LOW_SURROGATE(typed);
    if (roomBeside(kept, limit) >= (half && !secondHalf ? 2 : 1))
        return false;
    tellFull(box);
    return true;
}

bool editEnabled(HWND box, design::ReportEdit edit)
{
    const LONG_PTR style = styleOf(box);
    const bool writable = (style & ES_READONLY) == 0;
    const bool hidden = (style & ES_PASSWORD) != 0;
    DWORD end = 0;
    const DWORD start = selectionOf(box, end);
    const bool selected = start != end;
    switch (edit) {
    case design::ReportEdit::Undo:
        return writable && SendMessageW(box, EM_CANUNDO, 0, 0) != 0;
    case design::ReportEdit::Cut:
        return writable && selected && !hidden;
    case design::ReportEdit::Copy:
        return selected && !hidden;
    case design::ReportEdit::Paste:
        return writable && IsClipboardFormatAvailable(CF_UNICODETEXT) != 0;
    case design::ReportEdit::Delete:
        return writable && selected;
    case design::ReportEdit::SelectAll:
        return start != 0 || end != static_cast<DWORD>(GetWindowTextLengthW(box));
    }
    return false;
}

void showEditMenu(HWND box, POINT at)
{
    if (GetFocus() != box)
        SetFocus(box);
    HMENU menu = CreatePopupMenu();
    for (const auto& item : design::kReportMenu) {
        if (item.separatorBefore)
            AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
        const UINT state = editEnabled(box, item.edit) ? MF_ENABLED : MF_GRAYED;
        AppendMenuW(menu, MF_STRING | state, static_cast<UINT_PTR>(item.edit) + 1, widen(item.text).c_str());
    }
    if (at.x == -1 && at.y == -1) {
        RECT inside{};
        GetClientRect(box, &inside);
        at = {(inside.left + inside.right) / 2, (inside.top + inside.bottom) / 2};
        ClientToScreen(box, &at);
    }
    const auto chosen = static_cast<UINT>(TrackPopupMenu(
        menu, TPM_LEFTALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY, at.x, at.y, 0, box, nullptr));
    DestroyMenu(menu);
    if (chosen == 0)
        return;
    switch (static_cast<design::ReportEdit>(chosen - 1)) {
    case design::ReportEdit::Undo:
        SendMessageW(box, WM_UNDO, 0, 0);
        break;
    case design::ReportEdit::Cut:
        SendMessageW(box, WM_CUT, 0, 0);
        break;
    case design::ReportEdit::Copy:
        SendMessageW(box, WM_COPY, 0, 0);
        break;
    case design::ReportEdit::Paste:
        SendMessageW(box, WM_PASTE, 0, 0);
        break;
    case design::ReportEdit::Delete:
        SendMessageW(box, WM_CLEAR, 0, 0);
        break;
    case design::ReportEdit::SelectAll:
        SendMessageW(box, EM_SETSEL, 0, -1);
        break;
    }
}

} // namespace win32
