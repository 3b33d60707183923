// SPDX-License-Identifier: MIT
// Drives the real Malvoran window as a student would: clicks on items and buttons, keys, Tab.
#pragma once

#include "main_window.h"

#include <QApplication>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QtTest>

// The program's own set-up, as main does it, once in each test program before its first window.
struct ApplicationSetUp {
    ApplicationSetUp()
    {
        static const bool setUp = (setUpApplication(), true);
        (void)setUp;
    }
};

class WindowDriver : private ApplicationSetUp {
public:
    WindowDriver()
    {
        window.show();
        window.activateWindow();
        QApplication::setActiveWindow(&window);
        [[maybe_unused]] const bool exposed = QTest::qWaitForWindowExposed(&window);
    }

    QListWidget* list1(int index) const { return child<QListWidget>(design::Array::List1, index); }
    QPushButton* command1(int index) const { return child<QPushButton>(design::Array::Command1, index); }
    QPlainTextEdit* text1() const { return child<QPlainTextEdit>(design::Array::Text1, 0); }

    // Scrolls the colour into view, as the student does with the list's arrows, and clicks it.
    void clickItem(int list, int row) const
    {
        QListWidget* colours = list1(list);
        QListWidgetItem* item = colours->item(row);
        colours->scrollToItem(item);
        QTest::mouseClick(colours->viewport(), Qt::LeftButton, {}, colours->visualItemRect(item).center());
    }

    // Turns the list's wheel until `row` is the colour in view, choosing nothing.
    void scrollTo(int list, int row) const { list1(list)->verticalScrollBar()->setValue(row); }

    // The colour the student sees in the list.
    int rowInView(int list) const { return list1(list)->indexAt(QPoint(0, 0)).row(); }

    void click(int command) const { QTest::mouseClick(command1(command), Qt::LeftButton); }

    // What the report box shows, with its line breaks written as CR LF.
    QString shownReport() const { return text1()->toPlainText().replace("\n", "\r\n"); }

    Malvoran window;

private:
    template <typename T> T* child(design::Array array, int index) const
    {
        return window.findChild<T*>(objectNameOf(array, index));
    }
};
