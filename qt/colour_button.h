// SPDX-License-Identifier: MIT
// A push button painted in its own background colour by every platform style.
#pragma once

#include "design.h"

#include <QPushButton>

class ColourButton : public QPushButton {
    Q_OBJECT

public:
    ColourButton(const QString& caption, design::Rgb background, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    design::Rgb m_background;
};
