// SPDX-License-Identifier: MIT
// The Malvoran window: its form built by the window builder, its buttons handed to the colour-code
// logic.
#include "main_window.h"

#include "colour_code.h"
#include "resource.h"

namespace win32 {
namespace {

const design::Control& report()
{
    return *design::designOf(design::Array::Text1, 0);
}

} // namespace

Malvoran::Malvoran(HINSTANCE instance, Dpi density)
    : FormWindow(instance, design::kMalvoran, IDI_MALVORAN, density)
{
    if (hwnd())
        setReportText(design::kIntroduction);
}

std::string Malvoran::reportText() const
{
    return textOf(report());
}

void Malvoran::setReportText(std::string_view text)
{
    setTextOf(report(), text);
}

void Malvoran::pressed(forms::Index command)
{
    colour_code::Command1_Click(*this, command);
}

} // namespace win32
