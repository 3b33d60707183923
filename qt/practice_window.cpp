// SPDX-License-Identifier: MIT
// The practice window: its table built by the one builder, each part the practice names found through
// the design, each press of a button handed to the practice.
#include "practice_window.h"

#include "colour_list.h"
#include "practice_form.h"

PracticeWindow::PracticeWindow(QWidget* parent)
    : FormWindow(design::kPractice, iconFromPixels("malvoran-practice"), parent)
{
    connect(this, &FormWindow::commandPressed, this,
            [this](forms::Index command) { m_practice.click(*this, command); });
    m_practice.start(*this);
}

forms::Index PracticeWindow::selectedPosition(forms::Index list) const
{
    return lists().selectedPosition(list);
}

void PracticeWindow::setSelectedPosition(forms::Index list, forms::Index position)
{
    lists().setSelectedPosition(list, position);
}

std::string PracticeWindow::text(practice::Part part) const
{
    return controlText(design::practiceControl(part));
}

void PracticeWindow::setText(practice::Part part, std::string_view text)
{
    setControlText(design::practiceControl(part), text);
}

void PracticeWindow::setEnabled(practice::Part part, bool enabled)
{
    QWidget* control = controlWidget(design::practiceControl(part));
    // Qt would hand the focus of a control it disables to the next one at once, and a screen reader
    // would announce that one before the practice sends the focus where it belongs.
    if (!enabled && control->hasFocus())
        control->clearFocus();
    control->setEnabled(enabled);
}

void PracticeWindow::setListsFixed(bool fixed)
{
    for (ColourList* list : lists().list1)
        list->setFixed(fixed);
}

void PracticeWindow::focus(practice::Part part)
{
    controlWidget(design::practiceControl(part))->setFocus();
}
