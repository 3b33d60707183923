// SPDX-License-Identifier: MIT
// The resistor under the colour lists, its bands in the colours chosen so far.
#pragma once

#include "forms.h"
#include "resistor.h"

#include <QWidget>

class ResistorPicture final : public QWidget {
    Q_OBJECT

public:
    // Shows the choices of `window`'s colour lists; never takes the focus.
    ResistorPicture(const forms::Window& window, QWidget* parent);

    // Reads the lists' choices again: repaints, and tells a screen reader, where a band changed.
    void followChoices();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const forms::Window& m_window;
    design::ChosenColours m_chosen;
};
