// SPDX-License-Identifier: MIT
// Any designed window of the program, built from its table: the one builder of the Qt edition.
#pragma once

#include "design.h"
#include "forms.h"

#include <QIcon>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <QWidget>

#include <array>
#include <string>
#include <string_view>
#include <vector>

class ColourList;
class QAbstractButton;
class ResistorPicture;

// What the whole program sets up once, before its window: screen readers are told that the window is
// a window, and Qt's own texts speak Bulgarian. Returns what standard error should say about it: a
// sentence where Qt's Bulgarian texts are not installed, or nothing.
QStringList setUpApplication();

// Widgets are named as in the design, "List1(2)", so tests and tools can find them.
QString objectNameOf(design::Array array, int index);

// The window's icon from the plain pixels that tools/render-icons.sh keeps for the title bar's sizes,
// ":/icons/<name>-<size>.rgba".
QIcon iconFromPixels(const QString& name);

// The colour lists of a built window, as the logic and the resistor picture read and set them.
class FormLists final : public forms::ColourLists {
public:
    forms::Index selectedPosition(forms::Index list) const override;
    void setSelectedPosition(forms::Index list, forms::Index position) override;

    std::array<ColourList*, bands::kBandCount> list1{};
};

class FormWindow : public QWidget {
    Q_OBJECT

public:
    FormWindow(const design::Form& form, const QIcon& icon, QWidget* parent = nullptr);

    const design::Form& form() const { return m_form; }

    // What standard error should say about this desktop, a sentence each: the font used in place of
    // Times New Roman, colour names set smaller so that they fit. Empty where the window shows as
    // designed. Complete once the window is shown and its lists know their size.
    QStringList notices() const;

    // The whole text of a label or text box, as the student left it or as last written: a many-line
    // box's line breaks as CR LF.
    std::string controlText(const design::Control& control) const;
    // Replaces the whole text of a label or text box; in a many-line box each CR LF starts a new line.
    void setControlText(const design::Control& control, std::string_view text);
    QWidget* controlWidget(const design::Control& control) const;

signals:
    // Command1(command) was pressed: clicked, or Space or Enter where the design lets it.
    void commandPressed(forms::Index command);

protected:
    void showEvent(QShowEvent* event) override;
    // The window is never larger than designed: maximized, full screen or stretched by the
    // desktop, it goes back to its designed size.
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

    FormLists& lists() { return m_lists; }
    const FormLists& lists() const { return m_lists; }

private:
    // A many-line box's text exactly as last written, CR LF included; the box itself shows plain line
    // breaks. The box lays its text out for its width, which it knows only once the window is shown:
    // until then the text waits here, so that it is laid out once rather than twice.
    struct WrittenText {
        std::string text;
        bool inBox = true;
    };

    QWidget* createControl(const design::Control& control);
    QWidget* createTextBox(const design::Control& control);
    void showWritten(std::size_t row);
    void backToDesignedSize();
    QSize designedSize() const;

    const design::Form& m_form;
    FormLists m_lists;
    std::vector<QWidget*> m_widgets;
    std::vector<WrittenText> m_written;
    ResistorPicture* m_resistor = nullptr;
    QString m_fontNotice;
    // Asks for the designed size again once the desktop has seen the window at the size it gave.
    QTimer m_backToDesignedSize;
};
