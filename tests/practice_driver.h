// SPDX-License-Identifier: MIT
// Drives the real practice window as a student would: clicks, keys, typed letters, pastes, Tab.
#pragma once

#include "practice_form.h"
#include "practice_window.h"
#include "window_driver.h"

#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>

#include <optional>
#include <string>
#include <string_view>

class PracticeDriver : private ApplicationSetUp {
public:
    static constexpr std::array kParts = {
        practice::Part::Statement,   practice::Part::Colours,  practice::Part::Answer,
        practice::Part::Check,       practice::Part::Feedback, practice::Part::Next,
        practice::Part::RoundNumber, practice::Part::NewRound, practice::Part::Score};

    PracticeDriver()
    {
        window.show();
        window.activateWindow();
        QApplication::setActiveWindow(&window);
        [[maybe_unused]] const bool exposed = QTest::qWaitForWindowExposed(&window);
    }

    QWidget* widget(practice::Part part) const { return window.controlWidget(design::practiceControl(part)); }
    QListWidget* list1(int index) const
    {
        return window.findChild<QListWidget*>(objectNameOf(design::Array::List1, index));
    }
    QPushButton* command1(int index) const
    {
        return window.findChild<QPushButton*>(objectNameOf(design::Array::Command1, index));
    }

    void click(practice::Command command) const { QTest::mouseClick(command1(command), Qt::LeftButton); }

    // Scrolls the colour into view, as the student does with the list's arrows, and clicks it.
    void clickItem(int list, int row) const
    {
        QListWidget* colours = list1(list);
        QListWidgetItem* item = colours->item(row);
        colours->scrollToItem(item);
        QTest::mouseClick(colours->viewport(), Qt::LeftButton, {}, colours->visualItemRect(item).center());
    }

    // Types at the end of a one-line box, a key event a character, so that Cyrillic letters type as
    // they do on a Bulgarian keyboard; '\n' is Enter.
    void type(practice::Part part, std::string_view keys) const
    {
        auto* box = qobject_cast<QLineEdit*>(widget(part));
        box->setFocus();
        box->end(false);
        const QString typed = QString::fromUtf8(keys.data(), static_cast<qsizetype>(keys.size()));
        for (const QChar key : typed) {
            if (key == u'\n')
                QTest::keyClick(box, Qt::Key_Return);
            else
                QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QString(key), Qt::NoModifier);
        }
    }

    // Pastes over the whole text of a one-line box with the keyboard's Paste.
    void paste(practice::Part part, std::string_view text) const
    {
        QGuiApplication::clipboard()->setText(
            QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
        auto* box = qobject_cast<QLineEdit*>(widget(part));
        box->setFocus();
        box->selectAll();
        QTest::keySequence(box, QKeySequence::Paste);
    }

    // What a part shows, its line breaks written as CR LF. A box's text is read line by line, since
    // its plain text would give each no-break space as a plain one.
    std::string shown(practice::Part part) const
    {
        QWidget* control = widget(part);
        if (auto* label = qobject_cast<QLabel*>(control))
            return label->text().toStdString();
        if (auto* box = qobject_cast<QLineEdit*>(control))
            return box->text().toStdString();
        const QTextDocument* document = qobject_cast<QPlainTextEdit*>(control)->document();
        QStringList lines;
        for (QTextBlock line = document->begin(); line.isValid(); line = line.next())
            lines += line.text();
        return lines.join("\r\n").toStdString();
    }

    std::optional<practice::Part> focused() const
    {
        for (const practice::Part part : kParts)
            if (QApplication::focusWidget() == widget(part))
                return part;
        return std::nullopt;
    }

    PracticeWindow window;
};
