// SPDX-License-Identifier: MIT
// A push button painted in its own background colour by every platform style.
#pragma once

#include "design.h"

#include <QPushButton>

class ColourButton : public QPushButton {
    Q_OBJECT

public:
    // `enterPresses`: Enter presses the focused button, as in a dialog box; otherwise only Space does.
    ColourButton(const QString& caption, design::Rgb background, bool enterPresses, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    design::Rgb m_background;
    bool m_enterPresses;
};
