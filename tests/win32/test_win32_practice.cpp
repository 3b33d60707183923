// SPDX-License-Identifier: MIT
// The Win32 practice window in-process, through its real controls and the real dialog keyboard: the
// practice window contract, then what is its own: layout at the screen's density, texts that fit,
// the keyboard order and Enter, fixed lists, the disabled buttons' look and the screen reader's
// events. Run under Wine at 96 and at 144 dots per inch (MALVORAN_WINE_DPI).
#define DOCTEST_CONFIG_IMPLEMENT
#include "owner_draw.h"
#include "practice_window.h"
#include "text.h"
// GCC 12 warns of an overlap that std::string::replace cannot make, once it is inlined here (GCC's
// bug 105329).
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wrestrict"
#include "practice_contract.h"
#pragma GCC diagnostic pop

#include <commctrl.h>

#include <array>
#include <cstdlib>
#include <cstring>
#include <set>
#include <string>
#include <vector>

namespace {

using design::Array;
using practice::Part;

int screenDpi()
{
    const char* dpi = std::getenv("MALVORAN_WINE_DPI");
    return dpi ? std::atoi(dpi) : design::kStandardDpi;
}

RECT clientOf(HWND window)
{
    RECT r{};
    GetClientRect(window, &r);
    return r;
}

class PracticeHarness {
public:
    explicit PracticeHarness(win32::Dpi density = win32::Dpi::lookUp())
        : m_window(GetModuleHandleW(nullptr), density)
    {
        m_window.show(SW_SHOWNORMAL);
        pump();
    }

    practice::Window& window() { return m_window; }
    const win32::PracticeWindow& practiceWindow() const { return m_window; }
    HWND control(Part part) const { return m_window.control(part); }
    HWND control(const design::Control& c) const { return m_window.control(c); }

    // Windows sends no click to a disabled button.
    void click(practice::Command command)
    {
        if (HWND button = m_window.control(Array::Command1, command); IsWindowEnabled(button))
            clickOn(button);
    }

    void type(Part box, std::string_view keys)
    {
        HWND edit = control(box);
        SetFocus(edit);
        const auto end = static_cast<WPARAM>(GetWindowTextLengthW(edit));
        SendMessageW(edit, EM_SETSEL, end, static_cast<LPARAM>(end));
        for (const wchar_t key : win32::widen(keys)) {
            if (key == L'\n')
                press(VK_RETURN);
            else
                PostMessageW(edit, WM_CHAR, key, 1);
            pump();
        }
    }

    // All of the box's text chosen, then Ctrl+V, or Delete where there is nothing to paste.
    void paste(Part box, std::string_view text)
    {
        HWND edit = control(box);
        SetFocus(edit);
        SendMessageW(edit, EM_SETSEL, 0, -1);
        if (text.empty()) {
            press(VK_DELETE);
            return;
        }
        const std::wstring wide = win32::widen(text);
        OpenClipboard(edit);
        EmptyClipboard();
        HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (wide.size() + 1) * sizeof(wchar_t));
        std::memcpy(GlobalLock(memory), wide.c_str(), (wide.size() + 1) * sizeof(wchar_t));
        GlobalUnlock(memory);
        SetClipboardData(CF_UNICODETEXT, memory);
        CloseClipboard();
        PostMessageW(edit, WM_CHAR, 'V' - '@', 1);
        pump();
    }

    // The student scrolls the colour into view, then clicks it: it fills the list.
    void choose(int list, int row)
    {
        HWND colours = m_window.control(Array::List1, list);
        SendMessageW(colours, LB_SETTOPINDEX, static_cast<WPARAM>(row), 0);
        clickOn(colours);
    }

    std::string shown(Part part) const { return win32::narrow(win32::windowText(control(part))); }

    std::optional<Part> focused() const
    {
        for (const auto& shown : design::kPracticeParts)
            if (control(shown.part) == GetFocus())
                return shown.part;
        return std::nullopt;
    }

    bool enabled(Part part) const { return IsWindowEnabled(control(part)) != FALSE; }

    // A key pressed and released on the focused control, through the window's event loop.
    void press(UINT key, bool shift = false)
    {
        std::array<BYTE, 256> keys{};
        GetKeyboardState(keys.data());
        keys[VK_SHIFT] = shift ? 0x80 : 0;
        SetKeyboardState(keys.data());
        const auto scan = static_cast<LPARAM>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC)) << 16;
        PostMessageW(GetFocus(), WM_KEYDOWN, key, scan | 1);
        PostMessageW(GetFocus(), WM_KEYUP, key, scan | 1 | (LPARAM{3} << 30));
        pump();
        keys[VK_SHIFT] = 0;
        SetKeyboardState(keys.data());
    }

    void clickOn(HWND control)
    {
        const RECT inside = clientOf(control);
        const LPARAM at = MAKELPARAM(inside.right / 2, inside.bottom / 2);
        PostMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, at);
        PostMessageW(control, WM_LBUTTONUP, 0, at);
        pump();
    }

    void pump()
    {
        MSG message{};
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
            if (message.message != WM_QUIT)
                win32::dispatchMessage(m_window.hwnd(), message);
    }

private:
    win32::PracticeWindow m_window;
};

// Every control and the resistor where the design puts them, inside the client area, at `dpi`.
void checkLayout(const win32::PracticeWindow& window, int dpi)
{
    CAPTURE(dpi);
    const RECT client = clientOf(window.hwnd());
    CHECK(client.right == design::toPixels(design::kPractice.clientWidth, dpi));
    CHECK(client.bottom == design::toPixels(design::kPractice.clientHeight, dpi));
    std::vector<std::pair<HWND, design::PixelRect>> placed{
        {window.resistor(), design::toPixels(design::kPractice.picture, dpi)}};
    for (const auto& c : design::kPracticeControls)
        placed.emplace_back(window.control(c), design::toPixels(c, dpi));
    for (const auto& place : placed) {
        const design::PixelRect& designed = place.second;
        CAPTURE(designed.x);
        CAPTURE(designed.y);
        RECT r{};
        GetWindowRect(place.first, &r);
        MapWindowPoints(HWND_DESKTOP, window.hwnd(), reinterpret_cast<POINT*>(&r), 2);
        CHECK(r.left == designed.x);
        CHECK(r.top == designed.y);
        CHECK(r.right - r.left == designed.width);
        CHECK(r.bottom - r.top == designed.height);
        CHECK((r.left >= 0 && r.top >= 0 && r.right <= client.right && r.bottom <= client.bottom));
    }
}

// The size `text` takes in `control` in `font`, wrapped to the control's width where `wrap`.
SIZE textSize(HWND control, HFONT font, const std::string& text, bool wrap)
{
    const std::wstring wide = win32::widen(text);
    RECT room = clientOf(control);
    const win32::WindowDc dc(control);
    const win32::Selected selected(dc.get(), font);
    DrawTextW(dc.get(), wide.c_str(), static_cast<int>(wide.size()), &room,
              DT_CALCRECT | DT_NOPREFIX | (wrap ? DT_WORDBREAK : DT_SINGLELINE));
    return {room.right, room.bottom};
}

// How many pixels of `window` are painted in `colour`.
int pixelsOf(HWND window, design::Rgb colour)
{
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    const win32::WindowDc dc(window);
    const RECT inside = clientOf(window);
    int count = 0;
    for (int y = 0; y < inside.bottom; ++y)
        for (int x = 0; x < inside.right; ++x)
            count += GetPixel(dc.get(), x, y) == win32::toColorRef(colour) ? 1 : 0;
    return count;
}

} // namespace

TEST_CASE_TEMPLATE_INVOKE(practice_contract, PracticeHarness);

TEST_CASE("the practice window, laid out at the screen's density, with or without the newer functions")
{
    // As on Windows 10 and 11, and as on Windows 7 and 8.1, which lack the per-window functions.
    for (const bool newer : {true, false}) {
        CAPTURE(newer);
        const PracticeHarness ui{newer ? win32::Dpi::lookUp() : win32::Dpi{}};
        HWND window = ui.practiceWindow().hwnd();
        REQUIRE(ui.practiceWindow().dpi() == screenDpi());
        checkLayout(ui.practiceWindow(), screenDpi());
        std::array<wchar_t, 32> windowClass{};
        GetClassNameW(window, windowClass.data(), static_cast<int>(windowClass.size()));
        CHECK(win32::narrow(windowClass.data()) == design::kPractice.name);
        CHECK(win32::narrow(win32::windowText(window)) == design::kPracticeTitle);
        CHECK(SendMessageW(window, WM_GETICON, ICON_SMALL, 0) != 0);
        // A move to a screen of another density lays everything out for it, and back.
        for (const int dpi : {screenDpi() == 144 ? 96 : 144, screenDpi()}) {
            RECT suggested{};
            GetWindowRect(window, &suggested);
            SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
            checkLayout(ui.practiceWindow(), dpi);
        }
    }
}

TEST_CASE("every statement of every round, the captions and the longest score fit their controls")
{
    const PracticeHarness ui;
    HFONT font = ui.practiceWindow().font();
    std::set<std::string> statements;
    for (int number = practice::kFirstRound; number <= practice::kLastRound; ++number) {
        const practice::Round round = practice::makeRound(number);
        for (std::size_t task = 0; task < round.size(); ++task)
            statements.insert(practice::statement(round.at(task), static_cast<int>(task) + 1));
    }
    // Wrapped as the task's label wraps it; the rest in one line each, a button's with room for its
    // edge.
    std::vector<std::pair<const design::Control*, std::string>> texts{
        {&design::practiceControl(Part::Score), practice::score(10, 10)},
        {&design::practiceControl(Part::RoundNumber), std::to_string(practice::kLastRound)}};
    for (const std::string& statement : statements)
        texts.emplace_back(&design::practiceControl(Part::Statement), statement);
    for (const auto& c : design::kPracticeControls)
        if (!c.text.empty())
            texts.emplace_back(&c, c.text);
    for (const auto& shown : texts) {
        const design::Control* c = shown.first;
        const std::string& text = shown.second;
        CAPTURE(text);
        const RECT room = clientOf(ui.control(*c));
        const int margin = c->array == Array::Command1 ? win32::scaled(8, ui.practiceWindow().dpi()) : 0;
        const SIZE size = textSize(ui.control(*c), font, text, c->wraps);
        CHECK(size.cx + margin <= room.right);
        CHECK(size.cy <= room.bottom);
    }
}

TEST_CASE("Tab visits the controls in the designed order; Enter presses as the design says, Esc nothing")
{
    PracticeHarness ui;
    for (const Part part : {Part::Answer, Part::Next})
        ui.window().setEnabled(part, true);
    std::vector<HWND> order;
    for (const std::size_t row : design::kPractice.focusOrder)
        order.push_back(ui.control(design::kPracticeControls.at(row)));
    SetFocus(order.back());
    for (HWND next : order) {
        ui.press(VK_TAB);
        CHECK(GetFocus() == next);
    }
    for (std::size_t back = 1; back <= order.size(); ++back) {
        ui.press(VK_TAB, true);
        CHECK(GetFocus() == order.at((2 * order.size() - 1 - back) % order.size()));
    }

    // What each key does where the focus is: what the round's box then says ("" a fresh round's
    // number, nullptr the same as before), and whether feedback shows.
    struct Row {
        Part focused;
        UINT key;
        const char* round;
        bool feedback;
    };
    ui.paste(Part::RoundNumber, "12");
    for (const Row& row :
         {Row{Part::RoundNumber, VK_RETURN, "12", false}, Row{Part::NewRound, VK_ESCAPE, "12", false},
          Row{Part::NewRound, VK_RETURN, "", false}, Row{Part::Check, VK_ESCAPE, nullptr, false},
          Row{Part::Check, VK_RETURN, nullptr, true}}) {
        CAPTURE(static_cast<int>(row.focused));
        CAPTURE(row.key);
        const std::string before = ui.shown(Part::RoundNumber);
        SetFocus(ui.control(row.focused));
        ui.press(row.key);
        CHECK(IsWindowVisible(ui.practiceWindow().hwnd()));
        if (!row.round)
            CHECK(ui.shown(Part::RoundNumber) == before);
        else if (*row.round != '\0')
            CHECK(ui.shown(Part::RoundNumber) == row.round);
        else
            CHECK(ui.shown(Part::RoundNumber) != before);
        CHECK(ui.shown(Part::Feedback).empty() == !row.feedback);
    }
}

TEST_CASE(
    "a fixed list refuses the student's keys, letters, clicks and scrolling, and keeps its colour in view")
{
    PracticeHarness ui;
    ui.window().setListsFixed(true);
    for (int band = 0; band < bands::kBandCount; ++band) {
        CAPTURE(band);
        const auto list = static_cast<forms::Index>(band);
        HWND colours = ui.practiceWindow().control(Array::List1, band);
        ui.window().setSelectedPosition(list, 3);
        ui.clickOn(colours);
        CHECK(GetFocus() == colours);
        for (const UINT key :
             {VK_UP, VK_DOWN, VK_LEFT, VK_RIGHT, VK_PRIOR, VK_NEXT, VK_HOME, VK_END, VK_SPACE})
            ui.press(key);
        for (const wchar_t letter : std::wstring(L"сзкЧ"))
            PostMessageW(colours, WM_CHAR, letter, 1);
        SendMessageW(colours, WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), 0);
        SendMessageW(colours, WM_VSCROLL, SB_LINEDOWN, 0);
        ui.pump();
        CHECK(ui.window().selectedPosition(list) == 3);
        CHECK(SendMessageW(colours, LB_GETTOPINDEX, 0, 0) == 3);
        ui.choose(band, 6);
        CHECK(ui.window().selectedPosition(list) == 3);
    }
    ui.window().setListsFixed(false);
    ui.press(VK_DOWN);
    CHECK(ui.window().selectedPosition(bands::Tolerance) == 4);
}

TEST_CASE("a button the student cannot press is greyed as designed, and presses nothing")
{
    PracticeHarness ui;
    // No button has the focus, and so no focus rectangle.
    SetFocus(ui.practiceWindow().control(Array::List1, 0));
    for (const Part part : {Part::Check, Part::Next, Part::NewRound}) {
        const design::Control& designed = design::practiceControl(part);
        CAPTURE(design::controlName(designed));
        HWND button = ui.control(part);
        const RECT inside = clientOf(button);
        const std::string round = ui.shown(Part::RoundNumber);
        for (const bool enabled : {false, true}) {
            CAPTURE(enabled);
            ui.window().setEnabled(part, enabled);
            const design::Rgb face =
                enabled ? *designed.background : design::disabledFace(*designed.background);
            const design::Rgb caption = enabled ? design::Rgb{0, 0, 0} : design::kDisabledCaption;
            const design::Rgb other = enabled ? design::kDisabledCaption : design::Rgb{0, 0, 0};
            CHECK(pixelsOf(button, face) > inside.right * inside.bottom / 2);
            CHECK(pixelsOf(button, caption) > 0);
            CHECK(pixelsOf(button, other) == 0);
        }
        ui.window().setEnabled(part, false);
        SendMessageW(button, BM_CLICK, 0, 0);
        ui.pump();
        CHECK(ui.shown(Part::RoundNumber) == round);
        CHECK(ui.shown(Part::Feedback).empty());
        ui.window().setEnabled(part, true);
    }
}

TEST_CASE("a new task and each feedback reach a screen reader at once, and nothing else does")
{
    static std::vector<std::pair<DWORD, HWND>> events;
    events.clear();
    HWINEVENTHOOK hook = SetWinEventHook(
        EVENT_OBJECT_NAMECHANGE, win32::kLiveRegionChanged, nullptr,
        [](HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG child, DWORD, DWORD) {
            if (object == OBJID_CLIENT && child == CHILDID_SELF)
                events.emplace_back(event, window);
        },
        GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
    REQUIRE(hook);
    PracticeHarness ui;
    ui.paste(Part::RoundNumber, "1");
    ui.type(Part::RoundNumber, "\n");
    // Round 1 opens with the colours of 4,7 MΩ ±5% to choose: yellow, violet, green, gold.
    for (const auto& [band, row] : {std::pair{0, 4}, {1, 7}, {2, 5}, {3, 6}})
        ui.choose(band, row);
    ui.click(practice::Check);
    UnhookWinEvent(hook);
    CHECK(ui.shown(Part::Feedback).starts_with(practice::kRight));
    const auto heard = [](DWORD event, HWND window) {
        return std::ranges::count(events, std::pair{event, window});
    };
    for (const auto& shown : design::kPracticeParts) {
        CAPTURE(static_cast<int>(shown.part));
        HWND control = ui.control(shown.part);
        const bool live = design::practiceControl(shown.part).live;
        CHECK((heard(win32::kLiveRegionChanged, control) > 0) == live);
        if (live)
            CHECK(heard(shown.part == Part::Statement ? EVENT_OBJECT_NAMECHANGE : EVENT_OBJECT_VALUECHANGE,
                        control) > 0);
    }
}

int main(int argc, char* argv[])
{
    const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    const int status = doctest::Context(argc, argv).run();
    CoUninitialize();
    return status;
}
