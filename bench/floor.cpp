// SPDX-License-Identifier: MIT
// The floor for the start-up benchmark: the least a Qt Widgets program can do, one label in a window
// of Malvoran's size, so that both put the same number of pixels on the screen.
#include "design.h"

#include <QApplication>
#include <QLabel>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QLabel label("Malvoran");
    label.setFixedSize(design::toPixels(design::kClientWidth), design::toPixels(design::kClientHeight));
    label.show();
    return QApplication::exec();
}
