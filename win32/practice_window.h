// SPDX-License-Identifier: MIT
// The practice window on Win32's standard controls, "Malvoran — упражнение": the designed window of
// design::kPractice, which answers the practice window operations of the practice it owns.
#pragma once

#include "dpi.h"
#include "form_window.h"
#include "practice.h"
#include "practice_form.h"

#include <windows.h>

#include <string>
#include <string_view>

namespace win32 {

static_assert(idsNameTheirRows(design::kPractice), "every control's id names its own row");
static_assert(designOf(design::kPractice, kResistorId) == nullptr);

class PracticeWindow final : public FormWindow, public practice::Window {
public:
    // Creates the window at the first task of a round numbered from the clock, hidden, laid out at
    // the density of the screen it opens on, as the given functions tell it.
    explicit PracticeWindow(HINSTANCE instance, Dpi density = Dpi::lookUp());

    // The control that shows `part`.
    HWND control(practice::Part part) const { return FormWindow::control(design::practiceControl(part)); }
    using FormWindow::control;

    forms::Index selectedPosition(forms::Index list) const override { return listPosition(list); }
    void setSelectedPosition(forms::Index list, forms::Index position) override
    {
        setListPosition(list, position);
    }
    std::string text(practice::Part part) const override { return textOf(design::practiceControl(part)); }
    void setText(practice::Part part, std::string_view text) override
    {
        setTextOf(design::practiceControl(part), text);
    }
    void setEnabled(practice::Part part, bool enabled) override
    {
        enable(design::practiceControl(part), enabled);
    }
    void setListsFixed(bool fixed) override { fixLists(fixed); }
    void focus(practice::Part part) override { focusOn(design::practiceControl(part)); }

private:
    void pressed(forms::Index command) override { m_practice.click(*this, command); }

    practice::Practice m_practice;
};

} // namespace win32
