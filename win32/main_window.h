// SPDX-License-Identifier: MIT
// The Malvoran window on Win32's standard controls: built from the design table at the density of
// its screen, it answers the window operations of the logic.
#pragma once

#include "bands.h"
#include "design.h"
#include "dpi.h"
#include "forms.h"
#include "gdi.h"
#include "list_keys.h"
#include "resistor.h"

#include <windows.h>

#include <algorithm>
#include <array>
#include <string>

namespace win32 {

// The control id of a designed control, List1(2) being controlId(Array::List1, 2). None is IDOK or
// IDCANCEL, which the dialog keyboard sends for Enter and Esc, so those two press nothing.
constexpr int controlId(design::Array array, int index)
{
    return 100 * (static_cast<int>(array) + 1) + index;
}

// The designed control that `id` names, decoded from controlId; nullptr for any other id.
constexpr const design::Control* designOf(int id)
{
    const int array = id / 100 - 1;
    return array >= 0 && array <= static_cast<int>(design::Array::Text1)
               ? design::designOf(static_cast<design::Array>(array), id % 100)
               : nullptr;
}
static_assert(std::ranges::all_of(design::kControls,
                                  [](const design::Control& c) {
                                      return designOf(controlId(c.array, c.index)) == &c;
                                  }),
              "every control's id names its own row");

// The control id of the resistor picture, which is no designed control.
inline constexpr int kResistorId = 900;
static_assert(designOf(kResistorId) == nullptr);

// The window class: the form's name, as tools that look for the window expect.
inline constexpr const wchar_t* kWindowClass = L"Malvoran";

class Malvoran final : public forms::Window {
public:
    // Creates the window in its designed state, hidden: no colour chosen, the introduction in the
    // report box, laid out at the density of the screen it opens on, as the given functions tell it.
    explicit Malvoran(HINSTANCE instance, Dpi density = Dpi::lookUp());
    ~Malvoran() override;
    Malvoran(const Malvoran&) = delete;
    Malvoran& operator=(const Malvoran&) = delete;
    Malvoran(Malvoran&&) = delete;
    Malvoran& operator=(Malvoran&&) = delete;

    void show(int how);
    HWND hwnd() const { return m_window; }
    HWND control(design::Array array, int index) const
    {
        return GetDlgItem(m_window, controlId(array, index));
    }
    // The resistor under the colour lists, in the colours chosen so far.
    HWND resistor() const { return GetDlgItem(m_window, kResistorId); }
    // The dots per inch the window is laid out for.
    int dpi() const { return m_dpi; }
    HFONT font() const { return m_font.get(); }
    // The font of List1(band)'s colour names: the window's, or a smaller one where they would not fit.
    HFONT nameFont(int band) const
    {
        const Font& smaller = m_nameFonts.at(static_cast<std::size_t>(band));
        return smaller ? smaller.get() : m_font.get();
    }

    forms::Index selectedPosition(forms::Index list) const override;
    void setSelectedPosition(forms::Index list, forms::Index position) override;
    std::string reportText() const override;
    void setReportText(std::string_view text) override;

private:
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    // The designed controls' own messages; `designRow` is the control's row of the design table.
    static LRESULT CALLBACK controlProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                        DWORD_PTR designRow);
    static LRESULT CALLBACK resistorProc(HWND picture, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                         DWORD_PTR self);
    LRESULT handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    bool onCreate();
    void onCommand(int id, int code);
    void onDrawItem(const DRAWITEMSTRUCT& item) const;
    HBRUSH onCtlColorStatic(HDC dc, HWND control) const;
    void onEraseBackground(HDC dc) const;
    void onActivate(bool active);
    void onSetFocus() const;
    void onDpiChanged(int dpi, const RECT& suggested);
    // A character typed in List1(band) (WM_CHAR): the colour whose name it begins is chosen, if any.
    void onListChar(std::size_t band, wchar_t typed);
    // Reads the lists' choices again: the picture repaints, and tells a screen reader, where a band
    // changed.
    void followChoices();

    void createControl(const design::Control& control);
    // Font, control rectangles, list rows and icons at m_dpi.
    void layOut();
    // Sizes the window so that its client area is the designed one at m_dpi; moves it too if asked.
    void fitClientArea(const POINT* topLeft);

    HINSTANCE m_instance;
    Dpi m_density;
    HWND m_window = nullptr;
    int m_dpi = design::kStandardDpi;
    Font m_font;
    Brush m_background;
    std::array<Brush, design::kControls.size()> m_controlBackgrounds;
    Icon m_bigIcon;
    Icon m_smallIcon;
    std::array<HWND, bands::kBandCount> m_list1{};
    // Each list's search by typed letters, in place of the list box's own.
    std::array<list_keys::TypeAhead, bands::kBandCount> m_typeAhead;
    // The side of each list's swatches and, where its names had to be set smaller, their font.
    std::array<int, bands::kBandCount> m_swatchSides{};
    std::array<Font, bands::kBandCount> m_nameFonts;
    HWND m_text1 = nullptr;
    design::ChosenColours m_chosen{};
    // Where the keyboard focus returns when the window is activated again.
    HWND m_focus = nullptr;
};

// One message of the event loop: the dialog keyboard first (Tab, Shift+Tab, arrows, Space on a
// focused button), then the usual translation and dispatch.
void dispatchMessage(HWND window, MSG& message);

// Runs the event loop until the window is closed; returns the program's exit code.
int runEventLoop(HWND window);

} // namespace win32
