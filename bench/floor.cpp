// SPDX-License-Identifier: MIT
// The floor for the start-up benchmark: the least a Qt Widgets program can do, one label in a window.
#include <QApplication>
#include <QLabel>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QLabel label("Malvoran");
    label.show();
    return QApplication::exec();
}
