// SPDX-License-Identifier: MIT
// The Win32 window in-process, through its real controls and the real dialog keyboard: the window
// contract, then what is its own: layout at the screen's density, colours, text that fits, keyboard
// and mouse. Run under Wine at 96 and at 144 dots per inch (MALVORAN_WINE_DPI).
#define DOCTEST_CONFIG_IMPLEMENT
#include "hear.h"
#include "main_window.h"
#include "owner_draw.h"
#include "text.h"
#include "window_contract.h"

#include <commctrl.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

using design::Array;

// The density the test prefix was made with; the window must be laid out for it.
int screenDpi()
{
    const char* dpi = std::getenv("MALVORAN_WINE_DPI");
    return dpi ? std::atoi(dpi) : design::kStandardDpi;
}

class Win32Harness {
public:
    explicit Win32Harness(win32::Dpi density = win32::Dpi::lookUp())
        : m_window(GetModuleHandleW(nullptr), density)
    {
        m_window.show(SW_SHOWNORMAL);
        pump();
    }

    forms::Window& window() { return m_window; }
    win32::Malvoran& malvoran() { return m_window; }
    HWND control(Array array, int index = 0) const { return m_window.control(array, index); }

    void click(int command) { SendMessageW(control(Array::Command1, command), BM_CLICK, 0, 0); }

    // The student scrolls the colour into view with the list's arrows, then clicks it.
    void clickItem(int band, int row)
    {
        HWND list = control(Array::List1, band);
        SendMessageW(list, LB_SETTOPINDEX, static_cast<WPARAM>(row), 0);
        RECT item{};
        SendMessageW(list, LB_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
        const LPARAM at = MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
        PostMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
        PostMessageW(list, WM_LBUTTONUP, 0, at);
        pump();
    }

    void type(std::string_view keys)
    {
        HWND box = control(Array::Text1);
        SetFocus(box);
        const auto end = static_cast<WPARAM>(GetWindowTextLengthW(box));
        SendMessageW(box, EM_SETSEL, end, static_cast<LPARAM>(end));
        for (const wchar_t key : win32::widen(keys)) {
            if (key == L'\n')
                press(VK_RETURN);
            else
                PostMessageW(box, WM_CHAR, key, 1);
            pump();
        }
    }

    std::string shownReport() const { return win32::narrow(win32::windowText(control(Array::Text1))); }

    // Letters typed quickly into the focused control, as one word: all sent before the first arrives.
    void typeLetters(std::string_view letters)
    {
        for (const wchar_t letter : win32::widen(letters))
            PostMessageW(GetFocus(), WM_CHAR, letter, 1);
        pump();
    }

    // A key pressed and released on the focused control, through the window's event loop; with
    // Shift held if asked (F10 then goes as a system key, as Windows sends it).
    void press(UINT key, bool shift = false)
    {
        std::array<BYTE, 256> keys{};
        GetKeyboardState(keys.data());
        keys[VK_SHIFT] = shift ? 0x80 : 0;
        SetKeyboardState(keys.data());
        const auto scan = static_cast<LPARAM>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC)) << 16;
        const bool system = key == VK_F10;
        PostMessageW(GetFocus(), system ? WM_SYSKEYDOWN : WM_KEYDOWN, key, scan | 1);
        PostMessageW(GetFocus(), system ? WM_SYSKEYUP : WM_KEYUP, key, scan | 1 | (LPARAM{3} << 30));
        pump();
        keys[VK_SHIFT] = 0;
        SetKeyboardState(keys.data());
    }

    // A key pressed and released as if on the keyboard, through Windows' input.
    void pressOnKeyboard(WORD key)
    {
        std::array<INPUT, 2> input{};
        for (INPUT& event : input) {
            event.type = INPUT_KEYBOARD;
            event.ki.wVk = key;
        }
        input[1].ki.dwFlags = KEYEVENTF_KEYUP;
        SendInput(static_cast<UINT>(input.size()), input.data(), sizeof(INPUT));
        Sleep(50);
        pump();
    }

    // A click of the left or right mouse button in the middle of `control`.
    void clickOn(HWND control, bool right = false)
    {
        RECT inside{};
        GetClientRect(control, &inside);
        const LPARAM at = MAKELPARAM(inside.right / 2, inside.bottom / 2);
        PostMessageW(control, right ? WM_RBUTTONDOWN : WM_LBUTTONDOWN, right ? MK_RBUTTON : MK_LBUTTON, at);
        PostMessageW(control, right ? WM_RBUTTONUP : WM_LBUTTONUP, 0, at);
        pump();
    }

    void pump()
    {
        MSG message{};
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
            if (message.message != WM_QUIT) // a window closed by an earlier case asks the loop to end
                win32::dispatchMessage(m_window.hwnd(), message);
    }

    // The designed name of a control, "List1(2)"; empty for anything else.
    std::string nameOf(HWND window) const
    {
        for (const auto& c : design::kControls)
            if (control(c.array, c.index) == window)
                return design::controlName(c);
        return {};
    }

private:
    win32::Malvoran m_window;
};

RECT rectIn(HWND parent, HWND child)
{
    RECT r{};
    GetWindowRect(child, &r);
    MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

RECT clientOf(HWND window)
{
    RECT r{};
    GetClientRect(window, &r);
    return r;
}

// The colour painted at a point of a window, as 0x00bbggrr.
COLORREF pixelAt(HWND window, int x, int y)
{
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    const win32::WindowDc dc(window);
    return GetPixel(dc.get(), x, y);
}

SIZE textExtent(HWND control, HFONT font, const std::wstring& text)
{
    const win32::WindowDc dc(control);
    const win32::Selected selected(dc.get(), font);
    SIZE size{};
    GetTextExtentPoint32W(dc.get(), text.c_str(), static_cast<int>(text.size()), &size);
    return size;
}

std::wstring itemText(HWND list, int row)
{
    std::wstring text(static_cast<std::size_t>(SendMessageW(list, LB_GETTEXTLEN, row, 0)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(text.data()))));
    return text;
}

// Every control where the design puts it, in the window's font, at `dpi`.
void checkLayout(const win32::Malvoran& window, int dpi)
{
    CAPTURE(dpi);
    const RECT client = clientOf(window.hwnd());
    CHECK(client.right == design::toPixels(design::kClientWidth, dpi));
    CHECK(client.bottom == design::toPixels(design::kClientHeight, dpi));

    LOGFONTW font{};
    REQUIRE(GetObjectW(window.font(), sizeof font, &font) == sizeof font);
    CHECK(font.lfHeight == -MulDiv(design::kFontPointSize, dpi, 72));
    CHECK(font.lfWeight == FW_NORMAL);
    CHECK(font.lfCharSet == RUSSIAN_CHARSET);
    CHECK((!font.lfItalic && !font.lfUnderline && !font.lfStrikeOut));
    CHECK(win32::narrow(font.lfFaceName) == design::kFontFamily);

    for (const auto& c : design::kControls) {
        CAPTURE(design::controlName(c));
        HWND control = window.control(c.array, c.index);
        REQUIRE(control);
        const RECT r = rectIn(window.hwnd(), control);
        const auto expected = design::toPixels(c, dpi);
        CHECK(std::abs(r.left - expected.x) <= 1);
        CHECK(std::abs(r.top - expected.y) <= 1);
        CHECK(std::abs(r.right - r.left - expected.width) <= 1);
        CHECK(std::abs(r.bottom - r.top - expected.height) <= 1);
        // A colour list whose names would not fit (squeezed by scroll bars of another density) sets
        // them smaller, as the Qt window does.
        CHECK(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)) ==
              (c.array == Array::List1 ? window.nameFont(c.index) : window.font()));
        if (c.array == Array::List1) // exactly one colour in view
            CHECK(SendMessageW(control, LB_GETITEMHEIGHT, 0, 0) == clientOf(control).bottom);
    }
}

// The clipboard's text; `text` put on it first unless null (an empty text empties it).
std::wstring clipboard(HWND owner, const std::wstring* text = nullptr)
{
    OpenClipboard(owner);
    if (text) {
        EmptyClipboard();
        if (!text->empty()) {
            const std::size_t bytes = (text->size() + 1) * sizeof(wchar_t);
            HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
            std::memcpy(GlobalLock(memory), text->c_str(), bytes);
            GlobalUnlock(memory);
            SetClipboardData(CF_UNICODETEXT, memory);
        }
    }
    std::wstring held;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        held = static_cast<const wchar_t*>(GlobalLock(data));
        GlobalUnlock(data);
    }
    CloseClipboard();
    return held;
}

std::pair<DWORD, DWORD> selectionOf(HWND box)
{
    DWORD start = 0;
    DWORD end = 0;
    SendMessageW(box, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return {start, end};
}

} // namespace

TEST_CASE_TEMPLATE_INVOKE(window_contract, Win32Harness);

TEST_CASE("the designed window, laid out at the screen's density and again when it changes")
{
    Win32Harness ui;
    HWND window = ui.malvoran().hwnd();
    REQUIRE(ui.malvoran().dpi() == screenDpi());
    checkLayout(ui.malvoran(), screenDpi());
    for (int band = 0; band < bands::kBandCount; ++band) // the names fit as designed
        CHECK(ui.malvoran().nameFont(band) == ui.malvoran().font());

    CHECK(win32::narrow(win32::windowText(window)) == design::kTitle);
    const auto style = GetWindowLongPtrW(window, GWL_STYLE);
    CHECK((style & (WS_THICKFRAME | WS_MAXIMIZEBOX)) == 0); // neither resized nor maximised
    CHECK((style & WS_MINIMIZEBOX) != 0);
    CHECK(SendMessageW(window, WM_GETICON, ICON_BIG, 0) != 0);
    CHECK(SendMessageW(window, WM_GETICON, ICON_SMALL, 0) != 0);
    CHECK(GetFocus() == ui.control(Array::Text1));

    struct Kind {
        Array array;
        const wchar_t* windowClass;
    };
    for (const Kind kind : {Kind{Array::Label1, L"Static"}, Kind{Array::List1, L"ListBox"},
                            Kind{Array::Command1, L"Button"}, Kind{Array::Text1, L"Edit"}})
        for (const auto& c : design::kControls)
            if (c.array == kind.array) {
                CAPTURE(design::controlName(c));
                std::array<wchar_t, 32> name{};
                GetClassNameW(ui.control(c.array, c.index), name.data(), static_cast<int>(name.size()));
                CHECK(lstrcmpiW(name.data(), kind.windowClass) == 0);
            }

    for (int band = 0; band < bands::kBandCount; ++band) {
        CAPTURE(band);
        HWND list = ui.control(Array::List1, band);
        const auto& colours = bands::kColourLists.at(static_cast<std::size_t>(band));
        REQUIRE(SendMessageW(list, LB_GETCOUNT, 0, 0) == static_cast<LRESULT>(colours.size()));
        for (std::size_t row = 0; row < colours.size(); ++row)
            CHECK(win32::narrow(itemText(list, static_cast<int>(row))) == bands::colourName(colours[row]));
        CHECK(SendMessageW(list, LB_GETCURSEL, 0, 0) == LB_ERR);
    }

    HWND report = ui.control(Array::Text1);
    CHECK(ui.shownReport() == design::kIntroduction);
    // The design's limit counts a line break once; the edit box's own, which counts CR LF as two,
    // holds any report within it.
    CHECK(SendMessageW(report, EM_GETLIMITTEXT, 0, 0) == 2 * design::kReportLimit);
    const auto reportStyle = GetWindowLongPtrW(report, GWL_STYLE);
    CHECK((reportStyle & (ES_MULTILINE | WS_VSCROLL)) == (ES_MULTILINE | WS_VSCROLL));
    CHECK((reportStyle & (ES_AUTOHSCROLL | WS_HSCROLL)) == 0); // long lines wrap

    // Every character the window shows has a glyph in the font in use (line breaks need none).
    std::wstring shown = win32::widen(design::shownCharacters());
    std::erase_if(shown, [](wchar_t c) { return c < L' '; });
    std::vector<WORD> glyphs(shown.size());
    {
        const win32::WindowDc dc(report);
        const win32::Selected font(dc.get(), ui.malvoran().font());
        GetGlyphIndicesW(dc.get(), shown.c_str(), static_cast<int>(shown.size()), glyphs.data(),
                         GGI_MARK_NONEXISTING_GLYPHS);
    }
    for (std::size_t i = 0; i < shown.size(); ++i) {
        CAPTURE(win32::narrow(shown.substr(i, 1)));
        CHECK(glyphs[i] != 0xFFFF);
    }

    // A move to a screen of another density lays everything out for it, and back.
    const int other = screenDpi() == 144 ? 96 : 144;
    for (const int dpi : {other, screenDpi()}) {
        RECT suggested{};
        GetWindowRect(window, &suggested);
        SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
        checkLayout(ui.malvoran(), dpi);
    }
}

TEST_CASE("laid out at the system's density where Windows lacks the per-window density functions")
{
    // As on Windows 7 and 8.1: none of the functions that arrived with Windows 10 1607 is there.
    Win32Harness ui{win32::Dpi{}};
    REQUIRE(ui.malvoran().dpi() == screenDpi());
    checkLayout(ui.malvoran(), screenDpi());
    CHECK(SendMessageW(ui.malvoran().hwnd(), WM_GETICON, ICON_BIG, 0) != 0);
    CHECK(SendMessageW(ui.malvoran().hwnd(), WM_GETICON, ICON_SMALL, 0) != 0);

    // Windows 8.1 still tells a per-monitor program when it moves to a screen of another density.
    const int other = screenDpi() == 144 ? 96 : 144;
    RECT suggested{};
    GetWindowRect(ui.malvoran().hwnd(), &suggested);
    SendMessageW(ui.malvoran().hwnd(), WM_DPICHANGED, MAKEWPARAM(other, other),
                 reinterpret_cast<LPARAM>(&suggested));
    checkLayout(ui.malvoran(), other);
}

TEST_CASE("captions, button texts and colour names fit their controls")
{
    Win32Harness ui;
    const int dpi = ui.malvoran().dpi();
    HFONT font = ui.malvoran().font();
    for (const auto& c : design::kControls) {
        CAPTURE(design::controlName(c));
        HWND control = ui.control(c.array, c.index);
        const RECT inside = clientOf(control);
        if (c.array == Array::Label1 || c.array == Array::Command1) {
            const SIZE text = textExtent(control, font, win32::widen(c.text));
            const int margin = c.array == Array::Command1 ? win32::scaled(8, dpi) : 0;
            CHECK(text.cx + margin <= inside.right);
            CHECK(text.cy <= inside.bottom);
        }
        if (c.array == Array::List1)
            for (int row = 0; row < SendMessageW(control, LB_GETCOUNT, 0, 0); ++row) {
                RECT item{};
                SendMessageW(control, LB_GETITEMRECT, static_cast<WPARAM>(row),
                             reinterpret_cast<LPARAM>(&item));
                OffsetRect(&item, 0, -item.top);
                const SIZE text = textExtent(control, font, itemText(control, row));
                CAPTURE(win32::narrow(itemText(control, row)));
                CHECK(item.bottom <= inside.bottom);
                CHECK(text.cy <= item.bottom);
                CHECK(win32::swatchRect(item, dpi).right + win32::scaled(5, dpi) + text.cx <= inside.right);
            }
    }
}

TEST_CASE("the painted window shows the designed colours and swatches")
{
    Win32Harness ui;
    HWND window = ui.malvoran().hwnd();
    const int dpi = ui.malvoran().dpi();
    const COLORREF background = win32::toColorRef(design::kWindowBackground);
    CHECK(pixelAt(window, win32::scaled(4, dpi), win32::scaled(4, dpi)) == background);
    CHECK(pixelAt(window, win32::scaled(200, dpi), win32::scaled(126, dpi)) == background);
    for (const auto& c : design::kControls)
        if (c.background) {
            CAPTURE(design::controlName(c));
            HWND control = ui.control(c.array, c.index);
            // Just inside the left edge, clear of the border and of the centred caption.
            const int x = win32::scaled(6, dpi);
            const int y = clientOf(control).bottom / 2;
            CHECK(pixelAt(control, x, y) == win32::toColorRef(*c.background));
            if (c.array == Array::Command1) { // pressed, the face darkens
                SendMessageW(control, BM_SETSTATE, TRUE, 0);
                const COLORREF pressed = pixelAt(control, x, y);
                SendMessageW(control, BM_SETSTATE, FALSE, 0);
                CHECK(GetRValue(pressed) + GetGValue(pressed) + GetBValue(pressed) <
                      c.background->red + c.background->green + c.background->blue);
            }
        }

    // Beside each colour name, a swatch of its tone: outlined dark on the usual white list, and light
    // where a dark theme makes the list dark, so that black stays visible.
    const int listColour = COLOR_WINDOW;
    const COLORREF usual = GetSysColor(listColour);
    REQUIRE(usual == RGB(255, 255, 255));
    for (const auto& theme :
         {std::pair{usual, RGB(48, 48, 48)}, std::pair{RGB(27, 30, 32), RGB(208, 208, 208)}}) {
        const COLORREF listBackground = theme.first; // named, not bound, for the checks to report it
        const COLORREF outline = theme.second;
        SetSysColors(1, &listColour, &listBackground);
        for (int band = 0; band < bands::kBandCount; ++band) {
            HWND list = ui.control(Array::List1, band);
            const auto& colours = bands::kColourLists.at(static_cast<std::size_t>(band));
            for (std::size_t row = 0; row < colours.size(); ++row) {
                CAPTURE(listBackground);
                CAPTURE(band);
                CAPTURE(row);
                ui.window().setSelectedPosition(static_cast<forms::Index>(band),
                                                static_cast<forms::Index>(row));
                RECT item{};
                SendMessageW(list, LB_GETITEMRECT, row, reinterpret_cast<LPARAM>(&item));
                const RECT swatch = win32::swatchRect(item, dpi);
                const int middle = (swatch.top + swatch.bottom) / 2;
                const auto& tone = bands::colourInfo(colours[row]).tone;
                CHECK(pixelAt(list, (swatch.left + swatch.right) / 2, middle) ==
                      RGB(tone.red, tone.green, tone.blue));
                CHECK(pixelAt(list, swatch.left, middle) == outline);
            }
        }
    }
    SetSysColors(1, &listColour, &usual);
}

TEST_CASE("the keyboard: tab order, Enter and Esc press nothing, Space presses, arrows choose")
{
    Win32Harness ui;
    std::string visited;
    for (int i = 0; i < 8; ++i) {
        ui.press(VK_TAB);
        visited.append(ui.nameOf(GetFocus())).append(" ");
    }
    CHECK(visited == "List1(0) List1(1) List1(2) List1(3) Command1(0) Command1(1) Text1(0) List1(0) ");
    CHECK(ui.shownReport() == design::kIntroduction); // Tab never types into the report box

    ui.window().setSelectedPosition(bands::FirstDigit, 4);
    struct Focus {
        Array array;
        int index;
        std::vector<UINT> keys;
    };
    for (const Focus& focus :
         {Focus{Array::List1, 0, {VK_RETURN, VK_ESCAPE}}, Focus{Array::Command1, 0, {VK_RETURN, VK_ESCAPE}},
          Focus{Array::Command1, 1, {VK_RETURN, VK_ESCAPE}},
          Focus{Array::Text1, 0, {VK_ESCAPE}}}) { // Enter types a line break there
        CAPTURE(design::controlName(focus.array, focus.index));
        SetFocus(ui.control(focus.array, focus.index));
        for (const UINT key : focus.keys)
            ui.press(key);
        CHECK(IsWindowVisible(ui.malvoran().hwnd()));
        CHECK(ui.shownReport() == design::kIntroduction);
        CHECK(ui.window().selectedPosition(bands::FirstDigit) == 4);
    }

    SetFocus(ui.control(Array::Command1, 0));
    ui.press(VK_SPACE);
    CHECK(ui.shownReport() == oracle::report({4, -1, -1, -1}));
    SetFocus(ui.control(Array::Command1, 1));
    ui.press(VK_SPACE);
    CHECK(ui.shownReport() == oracle::kPrompt);

    // With nothing chosen, Home and End choose the first and the last colour and every other key that
    // moves chooses the colour in view (one colour is a page); then the keys move on from the choice.
    HWND multiplier = ui.control(Array::List1, bands::Multiplier);
    SetFocus(multiplier);
    // clang-format off
    const std::array<std::pair<UINT, int>, 9> firsts = {{
        {VK_HOME, 0}, {VK_END, 7}, {VK_DOWN, 3}, {VK_UP, 3}, {VK_RIGHT, 3}, {VK_LEFT, 3}, {VK_NEXT, 3},
        {VK_PRIOR, 3}, {VK_SPACE, 3}}};
    // clang-format on
    for (const auto& press : firsts) {
        const UINT first = press.first;
        const int position = press.second;
        CAPTURE(first);
        ui.window().setSelectedPosition(bands::Multiplier, forms::kNoSelection);
        SendMessageW(multiplier, LB_SETTOPINDEX, 3, 0);
        ui.press(first);
        CHECK(ui.window().selectedPosition(bands::Multiplier) == position);
    }
    const std::array<std::pair<UINT, int>, 7> moves = {
        {{VK_DOWN, 4}, {VK_DOWN, 5}, {VK_UP, 4}, {VK_NEXT, 5}, {VK_PRIOR, 4}, {VK_END, 7}, {VK_NEXT, 7}}};
    for (const auto& [key, position] : moves) {
        ui.press(key);
        CHECK(ui.window().selectedPosition(bands::Multiplier) == position);
    }
    // Scrolled away from the choice, Space chooses the colour in view.
    SendMessageW(multiplier, LB_SETTOPINDEX, 2, 0);
    ui.press(VK_SPACE);
    CHECK(ui.window().selectedPosition(bands::Multiplier) == 2);

    // A letter chooses the next colour it begins, after the chosen one or, with nothing chosen, after
    // the one in view; another letter quickly after it spells more of the name.
    HWND tolerance = ui.control(Array::List1, bands::Tolerance);
    SetFocus(tolerance);
    ui.press(VK_HOME);
    ui.typeLetters("ср");
    CHECK(ui.window().selectedPosition(bands::Tolerance) == 7); // сребрист
    ui.clickItem(bands::FirstDigit, 7);
    ui.click(colour_code::Clear);
    SetFocus(ui.control(Array::Text1));
    ui.press(VK_TAB);
    REQUIRE(GetFocus() == ui.control(Array::List1, bands::FirstDigit));
    ui.typeLetters("с");
    CHECK(ui.window().selectedPosition(bands::FirstDigit) == 6); // син, the first after черен in view
    CHECK(SendMessageW(ui.control(Array::List1, bands::FirstDigit), LB_GETTOPINDEX, 0, 0) == 6);
}

TEST_CASE("the mouse: a click on a colour chooses it, scrolling alone does not, Clear undoes all")
{
    Win32Harness ui;
    struct Click {
        int band;
        int row;
    };
    for (const Click click : {Click{0, 0}, Click{0, 9}, Click{1, 4}, Click{2, 7}, Click{3, 6}, Click{3, 2}}) {
        CAPTURE(click.band);
        CAPTURE(click.row);
        HWND list = ui.control(Array::List1, click.band);
        ui.clickItem(click.band, click.row);
        CHECK(ui.window().selectedPosition(static_cast<forms::Index>(click.band)) == click.row);
        CHECK(GetFocus() == list);
    }

    HWND tolerance = ui.control(Array::List1, bands::Tolerance);
    ui.window().setSelectedPosition(bands::Tolerance, forms::kNoSelection);
    SendMessageW(tolerance, WM_VSCROLL, SB_LINEDOWN, 0);
    SendMessageW(tolerance, WM_VSCROLL, SB_LINEDOWN, 0);
    ui.pump();
    CHECK(SendMessageW(tolerance, LB_GETTOPINDEX, 0, 0) == 2);
    CHECK(ui.window().selectedPosition(bands::Tolerance) == forms::kNoSelection);

    ui.window().setSelectedPosition(bands::Tolerance, 5);
    ui.click(colour_code::Clear);
    for (int band = 0; band < bands::kBandCount; ++band) {
        HWND list = ui.control(Array::List1, band);
        CHECK(SendMessageW(list, LB_GETCURSEL, 0, 0) == LB_ERR);
        CHECK(SendMessageW(list, LB_GETTOPINDEX, 0, 0) == 0);
    }
    CHECK(ui.shownReport() == oracle::kPrompt);
}

// The colours painted along the middle of the resistor's body, from the left: each band's tone once,
// by name, and nothing for the body, its leads and the window around it.
std::vector<std::string> tonesAcrossResistor(const win32::Malvoran& window)
{
    HWND picture = window.resistor();
    RedrawWindow(picture, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    const auto drawing = design::resistorDrawing({}, window.dpi());
    const win32::WindowDc dc(picture);
    const int y = drawing.body.y + drawing.body.height / 2 - drawing.area.y;
    std::vector<std::string> seen;
    COLORREF previous = CLR_INVALID;
    for (int x = 0; x < drawing.area.width; ++x) {
        const COLORREF colour = GetPixel(dc.get(), x, y);
        if (colour == previous)
            continue;
        previous = colour;
        for (const auto& info : bands::kColours)
            if (colour == win32::toColorRef(info.tone))
                seen.emplace_back(info.name);
    }
    return seen;
}

TEST_CASE("the resistor shows each band's colour as it is chosen, and none after Clear")
{
    Win32Harness ui;
    HWND picture = ui.malvoran().resistor();
    const auto area = design::toPixels(design::kResistor.area, ui.malvoran().dpi());
    const RECT placed = rectIn(ui.malvoran().hwnd(), picture);
    CHECK(placed.left == area.x);
    CHECK(placed.top == area.y);
    CHECK(placed.right - placed.left == area.width);
    CHECK(placed.bottom - placed.top == area.height);
    CHECK((GetWindowLongW(picture, GWL_STYLE) & WS_TABSTOP) == 0);
    CHECK(hear(picture, OBJID_CLIENT).description == "няма, няма, няма, няма");
    CHECK(tonesAcrossResistor(ui.malvoran()).empty());

    // Yellow and red with the mouse, violet and gold with the keys: the picture follows each choice
    // at once, the report box only the buttons.
    ui.clickItem(bands::FirstDigit, 4);
    CHECK(hear(picture, OBJID_CLIENT).description == "жълт, няма, няма, няма");
    SetFocus(ui.control(Array::List1, bands::SecondDigit));
    for (int i = 0; i <= 7; ++i)
        ui.press(VK_DOWN);
    ui.clickItem(bands::Multiplier, 2);
    SetFocus(ui.control(Array::List1, bands::Tolerance));
    ui.press(VK_END);
    ui.press(VK_UP);
    CHECK(hear(picture, OBJID_CLIENT).description == "жълт, виолетов, червен, златист");
    const std::vector<std::string> chosen = {"жълт", "виолетов", "червен", "златист"};
    CHECK(tonesAcrossResistor(ui.malvoran()) == chosen);
    CHECK(ui.shownReport() == design::kIntroduction);

    // Scrolling a list without choosing leaves its band as it is.
    SendMessageW(ui.control(Array::List1, bands::Multiplier), WM_VSCROLL, SB_LINEDOWN, 0);
    ui.pump();
    CHECK(tonesAcrossResistor(ui.malvoran()) == chosen);

    ui.click(colour_code::Clear);
    CHECK(hear(picture, OBJID_CLIENT).description == "няма, няма, няма, няма");
    CHECK(tonesAcrossResistor(ui.malvoran()).empty());
}

TEST_CASE("a long paste of one paragraph is cut at the report box's limit and undone in one step")
{
    Win32Harness ui;
    HWND box = ui.control(Array::Text1);
    // A pasted web page: one paragraph of words, twice as long as the box holds.
    std::wstring page;
    while (page.size() < std::size_t{2} * design::kReportLimit)
        page += L"Резисторът е пасивен компонент. ";
    const std::wstring introduction = win32::widen(design::kIntroduction);
    SetFocus(box);
    SendMessageW(box, EM_SETSEL, 10, 20); // the paste takes the place of the selection
    const std::wstring nothing;
    clipboard(box, &nothing); // with nothing to paste, it leaves the selection be
    SendMessageW(box, WM_PASTE, 0, 0);
    CHECK(ui.shownReport() == design::kIntroduction);
    clipboard(box, &page);
    SendMessageW(box, WM_PASTE, 0, 0);
    ui.pump();
    const std::wstring shown = win32::windowText(box);
    // Each of the introduction's line breaks kept beside the paste, CR LF in the box, counts once.
    const auto breaks = static_cast<std::size_t>(std::ranges::count(introduction.substr(20), L'\n'));
    REQUIRE(breaks > 0);
    const std::size_t room = design::kReportLimit - (introduction.size() - 10 - breaks);
    CHECK(shown.size() == design::kReportLimit + breaks);
    CHECK((shown == introduction.substr(0, 10) + page.substr(0, room) + introduction.substr(20)));
    CHECK(selectionOf(box) ==
          std::pair<DWORD, DWORD>(static_cast<DWORD>(10 + room), static_cast<DWORD>(10 + room)));
    SendMessageW(box, WM_UNDO, 0, 0);
    CHECK(ui.shownReport() == design::kIntroduction);

    // Full, the box takes no more typing, though the edit box's own limit would; Enter in the place
    // of one character puts a line break there, CR LF.
    SendMessageW(box, EM_SETSEL, 0, -1);
    SendMessageW(box, WM_PASTE, 0, 0);
    const std::wstring full = page.substr(0, design::kReportLimit);
    CHECK(win32::windowText(box) == full);
    ui.type("x\n");
    CHECK(win32::windowText(box) == full);
    ui.press(VK_BACK);
    ui.type("\nx");
    CHECK(win32::windowText(box) == full.substr(0, full.size() - 1) + L"\r\n");
}

TEST_CASE("after the focus goes round and a button is clicked, the report box shows only its own paint")
{
    // Each of the window's colours outside the box; none may turn up inside it.
    std::vector<COLORREF> elsewhere{win32::toColorRef(design::kWindowBackground)};
    for (const auto& c : design::kControls)
        if (c.background)
            elsewhere.push_back(win32::toColorRef(*c.background));
    for (const int command : {colour_code::Calculate, colour_code::Clear}) {
        CAPTURE(command);
        Win32Harness ui;
        // Into the box from the buttons selects its whole text, which scrolls it to the end; the new
        // report scrolls it back to the top.
        ui.press(VK_TAB, true);
        ui.press(VK_TAB);
        ui.press(VK_TAB);
        ui.clickOn(ui.control(Array::Command1, command));
        HWND box = ui.control(Array::Text1);
        const RECT inside = clientOf(box);
        const win32::WindowDc dc(box);
        int foreign = 0;
        for (int y = 0; y < inside.bottom; ++y)
            for (int x = 0; x < inside.right; ++x)
                foreign += std::ranges::count(elsewhere, GetPixel(dc.get(), x, y)) > 0;
        CHECK(foreign == 0);
    }
}

TEST_CASE("a focused colour list has the dark blue ring, chosen or not, in view or not")
{
    Win32Harness ui;
    HWND window = ui.malvoran().hwnd();
    const int width = win32::scaled(design::kFocusEdgeWidth, ui.malvoran().dpi());
    const COLORREF mark = win32::toColorRef(design::kFocusMark);
    const COLORREF background = win32::toColorRef(design::kWindowBackground);
    struct State {
        std::string name;
        forms::Index chosen;
        int inView;
    };
    for (const State& state : {State{"nothing chosen", forms::kNoSelection, 0}, State{"choice in view", 2, 2},
                               State{"choice scrolled away", 2, 5}})
        for (int band = 0; band < bands::kBandCount; ++band) {
            CAPTURE(state.name);
            CAPTURE(band);
            HWND list = ui.control(Array::List1, band);
            ui.window().setSelectedPosition(static_cast<forms::Index>(band), state.chosen);
            SendMessageW(list, LB_SETTOPINDEX, static_cast<WPARAM>(state.inView), 0);
            SetFocus(list);
            ui.pump();
            const RECT r = rectIn(window, list);
            const int middleX = (r.left + r.right) / 2;
            const int middleY = (r.top + r.bottom) / 2;
            // Each side of the ring, all its width, and the window's own colour just beyond it.
            for (int out = 1; out <= width; ++out) {
                CAPTURE(out);
                CHECK(pixelAt(window, r.left - out, middleY) == mark);
                CHECK(pixelAt(window, r.right - 1 + out, middleY) == mark);
                CHECK(pixelAt(window, middleX, r.top - out) == mark);
                CHECK(pixelAt(window, middleX, r.bottom - 1 + out) == mark);
            }
            CHECK(pixelAt(window, r.left - width - 1, middleY) == background);
            CHECK(pixelAt(window, middleX, r.bottom + width) == background);
            // The list that had the focus before has none left.
            HWND other = ui.control(Array::List1, (band + 1) % bands::kBandCount);
            const RECT o = rectIn(window, other);
            CHECK(pixelAt(window, o.left - 1, (o.top + o.bottom) / 2) == background);
        }
}

TEST_CASE("the report box's own menu, in Bulgarian, offers what the edit box would and does it")
{
    Win32Harness ui;
    HWND box = ui.control(Array::Text1);
    const std::wstring none;
    const std::wstring some = L"жз";
    // What a row does before the menu opens, how it opens, which items it offers (in the design's
    // order: Undo, Cut, Copy, Paste, Delete, Select all), the one chosen by its letter, and the text and
    // clipboard after it.
    struct Row {
        std::string name;
        DWORD selectionStart;
        DWORD selectionEnd;
        const std::wstring* clipboard;
        bool typeFirst;
        UINT opens; // 0 for a right click, else the key
        std::array<bool, 6> offered;
        wchar_t letter;
        const wchar_t* text;
        const wchar_t* clipboardAfter;
    };
    // clang-format off
    const std::array<Row, 6> rows = {{
        {"nothing chosen, nothing to paste", 0, 0, &none, false, 0,
         {false, false, false, false, false, true}, L'в', L"абв где", L""},
        {"a word chosen", 0, 3, &none, false, VK_F10,
         {false, true, true, false, true, true}, L'к', L"абв где", L"абв"},
        {"a word chosen, cut", 0, 3, &none, false, VK_APPS,
         {false, true, true, false, true, true}, L'и', L" где", L"абв"},
        {"text on the clipboard", 0, 0, &some, false, 0,
         {false, false, false, true, false, true}, L'п', L"жзабв где", L"жз"},
        {"a word chosen, deleted", 4, 7, &none, false, VK_APPS,
         {false, true, true, false, true, true}, L'т', L"абв ", L""},
        {"typed, then all chosen", 0, static_cast<DWORD>(-1), &none, true, 0,
         {true, true, true, false, true, false}, L'о', L"абв гд", L""},
    }};
    // clang-format on
    for (const Row& row : rows) {
        CAPTURE(row.name);
        SetWindowTextW(box, L"абв гд");
        SetFocus(box);
        SendMessageW(box, EM_SETSEL, 6, 6);
        if (row.typeFirst)
            SendMessageW(box, WM_CHAR, L'е', 1);
        else
            SetWindowTextW(box, L"абв где");
        clipboard(box, row.clipboard);
        SendMessageW(box, EM_SETSEL, row.selectionStart, static_cast<LPARAM>(row.selectionEnd));

        // While the menu is open, its modal loop runs this: it reads the menu, then chooses by letter.
        static std::vector<std::pair<std::wstring, bool>> shown;
        static wchar_t letter = 0;
        shown.clear();
        letter = row.letter;
        const UINT_PTR timer = SetTimer(nullptr, 0, 50, [](HWND, UINT, UINT_PTR id, DWORD) {
            HWND popup = FindWindowW(L"#32768", nullptr);
            if (!popup || !IsWindowVisible(popup))
                return;
            KillTimer(nullptr, id);
            auto* menu = reinterpret_cast<HMENU>(SendMessageW(popup, MN_GETHMENU, 0, 0));
            for (int i = 0; i < GetMenuItemCount(menu); ++i) {
                std::array<wchar_t, 64> text{};
                if (GetMenuStringW(menu, static_cast<UINT>(i), text.data(), static_cast<int>(text.size()),
                                   MF_BYPOSITION) > 0)
                    shown.emplace_back(text.data(), (GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION) &
                                                     MF_GRAYED) == 0);
            }
            // The letter chooses its item; where none has it, Esc closes the menu all the same.
            PostMessageW(popup, WM_CHAR, letter, 1);
            PostMessageW(popup, WM_KEYDOWN, VK_ESCAPE, 1);
        });
        if (row.opens == 0)
            ui.clickOn(box, true);
        else if (row.opens == VK_APPS)
            ui.pressOnKeyboard(VK_APPS); // Windows makes the menu key's WM_CONTEXTMENU from input
        else
            ui.press(row.opens, row.opens == VK_F10);
        KillTimer(nullptr, timer);

        REQUIRE(shown.size() == design::kReportMenu.size());
        for (std::size_t i = 0; i < shown.size(); ++i) {
            CAPTURE(i);
            CHECK(win32::narrow(shown[i].first) == design::kReportMenu.at(i).text);
            CHECK(shown[i].second == row.offered.at(i));
        }
        CHECK(win32::windowText(box) == row.text);
        CHECK(clipboard(box) == row.clipboardAfter);
        if (row.letter == L'в')
            CHECK(selectionOf(box) == std::pair<DWORD, DWORD>(0, 7));
    }
}

int main(int argc, char* argv[])
{
    const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    return doctest::Context(argc, argv).run();
}
