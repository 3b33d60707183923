// SPDX-License-Identifier: MIT
// How long the report box of the real window takes to take a long paste of one paragraph, and to
// take one more typed character at the end of it, at the screen's density. Prints figures only.
#include "design.h"
#include "main_window.h"

#include <commctrl.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// One paragraph of Cyrillic words, without a line break, as a web page pasted whole often is.
std::wstring paragraph(std::size_t length)
{
    const std::wstring words = L"Резисторът е пасивен електронен компонент със съпротивление ";
    std::wstring text;
    text.reserve(length);
    while (text.size() < length)
        text += words;
    text.resize(length);
    return text;
}

void putOnClipboard(HWND owner, const std::wstring& text)
{
    OpenClipboard(owner);
    EmptyClipboard();
    const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    std::memcpy(GlobalLock(memory), text.c_str(), bytes);
    GlobalUnlock(memory);
    SetClipboardData(CF_UNICODETEXT, memory);
    CloseClipboard();
}

// A message sent to the box, and the repaint it asks for, as the student waits for both.
double timed(HWND box, UINT message, WPARAM wParam)
{
    const auto start = Clock::now();
    SendMessageW(box, message, wParam, 0);
    UpdateWindow(box);
    return secondsSince(start);
}

} // namespace

int wmain()
{
    const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    win32::Malvoran window(GetModuleHandleW(nullptr));
    window.show(SW_SHOWNORMAL);
    HWND box = window.control(design::Array::Text1, 0);
    SetFocus(box);

    std::printf("dpi %d\n", window.dpi());
    {
        const auto limit = static_cast<std::size_t>(design::kReportLimit);
        // Twice the limit on the clipboard: the box keeps what fits.
        putOnClipboard(window.hwnd(), paragraph(2 * limit));
        SendMessageW(box, EM_SETSEL, 0, -1);
        const double paste = timed(box, WM_PASTE, 0);
        const auto kept = static_cast<std::size_t>(GetWindowTextLengthW(box));
        SendMessageW(box, EM_SETSEL, kept, static_cast<LPARAM>(kept));
        const double full = timed(box, WM_CHAR, L'x');
        SendMessageW(box, EM_SETSEL, kept - 1, static_cast<LPARAM>(kept));
        SendMessageW(box, WM_CLEAR, 0, 0);
        UpdateWindow(box);
        const double last = timed(box, WM_CHAR, L'x');
        // What the edit box still does in one go: wrap the whole box again for a new font (a move to a
        // screen of another density), and put back a deleted box with Undo.
        const auto font = static_cast<WPARAM>(SendMessageW(box, WM_GETFONT, 0, 0));
        const auto rewrapStart = Clock::now();
        SendMessageW(box, WM_SETFONT, font, TRUE);
        UpdateWindow(box);
        const double rewrap = secondsSince(rewrapStart);
        SendMessageW(box, EM_SETSEL, 0, -1);
        SendMessageW(box, WM_CLEAR, 0, 0);
        const double undo = timed(box, WM_UNDO, 0);
        std::printf("limit %7zu: paste kept %7zu characters in %6.3f s; a character typed at the end "
                    "of the full box %6.3f s, as the last one %6.3f s; all wrapped again %6.3f s, "
                    "a deleted box undone %6.3f s\n",
                    limit, kept, paste, full, last, rewrap, undo);
        std::fflush(stdout);
        SetWindowTextW(box, L"");
    }
    return 0;
}
