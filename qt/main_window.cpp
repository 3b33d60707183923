// SPDX-License-Identifier: MIT
// The Malvoran window: its table built by the one builder, its buttons wired to the click handler.
#include "main_window.h"

#include "colour_code.h"

namespace {

const design::Control& report()
{
    return *design::designOf(design::Array::Text1, 0);
}

} // namespace

Malvoran::Malvoran(QWidget* parent) : FormWindow(design::kMalvoran, iconFromPixels("malvoran"), parent)
{
    connect(this, &FormWindow::commandPressed, this,
            [this](forms::Index command) { colour_code::Command1_Click(*this, command); });
    setReportText(design::kIntroduction);
    controlWidget(report())->setFocus();
}

forms::Index Malvoran::selectedPosition(forms::Index list) const
{
    return lists().selectedPosition(list);
}

void Malvoran::setSelectedPosition(forms::Index list, forms::Index position)
{
    lists().setSelectedPosition(list, position);
}

std::string Malvoran::reportText() const
{
    return controlText(report());
}

void Malvoran::setReportText(std::string_view text)
{
    setControlText(report(), text);
}
