// SPDX-License-Identifier: MIT
// A designed window on Win32's standard controls, built from its form's table at the density of its
// screen: every window of the program is one of these over its own table.
#pragma once

#include "accessible.h"
#include "bands.h"
#include "design.h"
#include "dpi.h"
#include "forms.h"
#include "gdi.h"
#include "list_keys.h"
#include "resistor.h"

#include <windows.h>

#include <commctrl.h>
#include <objbase.h>

#include <array>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace win32 {

// The control id of a designed control, List1(2) being controlId(Array::List1, 2). None is IDOK or
// IDCANCEL, which the dialog keyboard sends for Enter and Esc, so those two reach no control.
constexpr int controlId(design::Array array, int index)
{
    return 100 * (static_cast<int>(array) + 1) + index;
}

// The control of `form` that `id` names, decoded from controlId; nullptr for any other id.
constexpr const design::Control* designOf(const design::Form& form, int id)
{
    const int array = id / 100 - 1;
    return array >= 0 && array <= static_cast<int>(design::Array::Text1)
               ? design::designOf(form, static_cast<design::Array>(array), id % 100)
               : nullptr;
}

// Whether each control's id names its own row, and none is Enter's or Esc's.
constexpr bool idsNameTheirRows(const design::Form& form)
{
    for (const auto& c : form.controls) {
        const int id = controlId(c.array, c.index);
        if (designOf(form, id) != &c || id == IDOK || id == IDCANCEL)
            return false;
    }
    return true;
}

// The control id of the resistor picture, which is no designed control.
inline constexpr int kResistorId = 900;

class FormWindow {
public:
    // Creates the window of `form`, hidden, laid out at the density of the screen it opens on as the
    // given functions tell it, with the icon resource `icon`; hwnd() is null where it could not be.
    FormWindow(HINSTANCE instance, const design::Form& form, int icon, Dpi density);
    virtual ~FormWindow();
    FormWindow(const FormWindow&) = delete;
    FormWindow& operator=(const FormWindow&) = delete;
    FormWindow(FormWindow&&) = delete;
    FormWindow& operator=(FormWindow&&) = delete;

    void show(int how);
    HWND hwnd() const { return m_window; }
    HWND control(design::Array array, int index) const
    {
        return GetDlgItem(m_window, controlId(array, index));
    }
    HWND control(const design::Control& designed) const { return control(designed.array, designed.index); }
    // The resistor, in the colours chosen so far.
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

protected:
    // Command1(command) was pressed: clicked, or Space or Enter as the form has it. Never while the
    // button is disabled.
    virtual void pressed(forms::Index command) = 0;

    // The colour chosen in List1(list), kNoSelection for none; a choice made here comes into view, and
    // with none the list shows its first colour.
    forms::Index listPosition(forms::Index list) const;
    void setListPosition(forms::Index list, forms::Index position);
    // Fixed lists take no choice from the student's keys, letters, clicks or scrolling, though they
    // take the focus; the program's choice they still take.
    void fixLists(bool fixed) { m_listsFixed = fixed; }
    // The whole text of a label or text box, as it holds it (UTF-8).
    std::string textOf(const design::Control& designed) const;
    // Replaces the whole text; a screen reader hears it at once where the design marks it live.
    void setTextOf(const design::Control& designed, std::string_view text);
    void enable(const design::Control& designed, bool enabled);
    // Gives the keyboard focus to a control, now if the window is shown, or when it is.
    void focusOn(const design::Control& designed);

private:
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    // The designed controls' own messages; `designRow` is the control's row of the form's table.
    static LRESULT CALLBACK controlProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                        DWORD_PTR designRow);
    static LRESULT CALLBACK resistorProc(HWND picture, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                         DWORD_PTR self);
    // The window that `control` belongs to.
    static FormWindow* of(HWND control);
    LRESULT handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    bool onCreate();
    void onCommand(int id, int code);
    void onDrawItem(const DRAWITEMSTRUCT& item) const;
    HBRUSH onCtlColorStatic(HDC dc, HWND control) const;
    void onEraseBackground(HDC dc) const;
    void onActivate(bool active);
    void onSetFocus() const;
    void onDpiChanged(int dpi, const RECT& suggested);
    // Enter, which the dialog keyboard hands the window as IDOK.
    void onEnter();
    // A character typed in List1(band) (WM_CHAR): the colour whose name it begins is chosen, if any.
    void onListChar(std::size_t band, wchar_t typed);
    // Whether the colour lists refuse the student's keys, letters, clicks and scrolling.
    bool listsFixed() const { return m_listsFixed; }
    // Reads the lists' choices again: the picture repaints, and tells a screen reader, where a band
    // changed.
    void followChoices();
    void press(int command);

    HWND createControl(const design::Control& control);
    // Font, control rectangles, list rows and icons at m_dpi.
    void layOut();
    // Sizes the window so that its client area is the designed one at m_dpi; moves it too if asked.
    void fitClientArea(const POINT* topLeft);

    HINSTANCE m_instance;
    const design::Form& m_form;
    int m_icon;
    Dpi m_density;
    HWND m_window = nullptr;
    int m_dpi = design::kStandardDpi;
    Font m_font;
    Brush m_background;
    // A brush for each control of the design with a background of its own, by row.
    std::vector<Brush> m_controlBackgrounds;
    Icon m_bigIcon;
    Icon m_smallIcon;
    std::array<HWND, bands::kBandCount> m_list1{};
    // Each list's search by typed letters, in place of the list box's own.
    std::array<list_keys::TypeAhead, bands::kBandCount> m_typeAhead;
    // The side of each list's swatches and, where its names had to be set smaller, their font.
    std::array<int, bands::kBandCount> m_swatchSides{};
    std::array<Font, bands::kBandCount> m_nameFonts;
    bool m_listsFixed = false;
    design::ChosenColours m_chosen{};
    LiveRegions m_live;
    // Where the keyboard focus goes when the window is activated.
    HWND m_focus = nullptr;
};

// One message of the event loop: the dialog keyboard first (Tab, Shift+Tab, arrows, Space on a
// focused button, Enter), then the usual translation and dispatch.
void dispatchMessage(HWND window, MSG& message);

// Runs the event loop until the window is closed; returns the program's exit code.
int runEventLoop(HWND window);

// A program of one designed window: it opens the window, runs it until it is closed, and returns
// the exit code.
template <typename Window> int runProgram(HINSTANCE instance, int show)
{
    // Screen readers reach the controls' accessible objects through COM.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);

    int status = EXIT_FAILURE; // where the window cannot be made, the program does not report success
    {
        Window window(instance);
        if (window.hwnd()) {
            window.show(show);
            status = runEventLoop(window.hwnd());
        }
    }
    if (SUCCEEDED(com))
        CoUninitialize();
    return status;
}

} // namespace win32
