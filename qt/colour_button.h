// SPDX-License-Identifier: MIT
// A push button painted in its own background colour by every platform style.
#pragma once

#include <QColor>
#include <QPushButton>

class ColourButton : public QPushButton {
    Q_OBJECT

public:
    ColourButton(const QString& caption, const QColor& background, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor m_background;
};
