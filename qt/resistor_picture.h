// SPDX-License-Identifier: MIT
// The resistor under the colour lists, its bands in the colours chosen so far.
#pragma once

#include "forms.h"
#include "resistor.h"

#include <QWidget>

class ResistorPicture final : public QWidget {
    Q_OBJECT

public:
    // Shows the choices of `lists`, lying at `area` of its window; never takes the focus.
    ResistorPicture(const forms::ColourLists& lists, const design::TwipsRect& area, QWidget* parent);

    // Reads the lists' choices again: repaints, and tells a screen reader, where a band changed.
    void followChoices();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const forms::ColourLists& m_lists;
    design::TwipsRect m_area;
    design::ChosenColours m_chosen;
};
