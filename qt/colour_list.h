// SPDX-License-Identifier: MIT
// A colour list of the Malvoran window: one colour in view at a time, chosen by click or arrow key.
#pragma once

#include <QListWidget>

class ColourList : public QListWidget {
    Q_OBJECT

public:
    using QListWidget::QListWidget;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
};
