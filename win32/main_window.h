// SPDX-License-Identifier: MIT
// The Malvoran window on Win32's standard controls: the designed window of design::kMalvoran, which
// answers the window operations of the colour-code logic.
#pragma once

#include "design.h"
#include "dpi.h"
#include "form_window.h"
#include "forms.h"

#include <windows.h>

#include <string>
#include <string_view>

namespace win32 {

static_assert(idsNameTheirRows(design::kMalvoran), "every control's id names its own row");
static_assert(designOf(design::kMalvoran, kResistorId) == nullptr);

// The window class: the form's name, as tools that look for the window expect.
inline constexpr const wchar_t* kWindowClass = L"Malvoran";

class Malvoran final : public FormWindow, public forms::Window {
public:
    // Creates the window in its designed state, hidden: no colour chosen, the introduction in the
    // report box, laid out at the density of the screen it opens on, as the given functions tell it.
    explicit Malvoran(HINSTANCE instance, Dpi density = Dpi::lookUp());

    forms::Index selectedPosition(forms::Index list) const override { return listPosition(list); }
    void setSelectedPosition(forms::Index list, forms::Index position) override
    {
        setListPosition(list, position);
    }
    std::string reportText() const override;
    void setReportText(std::string_view text) override;

private:
    void pressed(forms::Index command) override;
};

} // namespace win32
