// SPDX-License-Identifier: MIT
// The Malvoran window: built from its design table, it answers the window operations of the logic.
#pragma once

#include "design.h"
#include "forms.h"

#include <QColor>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <QWidget>

#include <array>
#include <string>

class ColourList;
class QPlainTextEdit;
class ResistorPicture;

// What the whole program sets up once, before its window: screen readers are told that the window is
// a window, and Qt's own texts speak Bulgarian. Returns what standard error should say about it: a
// sentence where Qt's Bulgarian texts are not installed, or nothing.
QStringList setUpApplication();

// Widgets are named as in the design, "List1(2)", so tests and tools can find them.
QString objectNameOf(design::Array array, int index);

class Malvoran final : public QWidget, public forms::Window {
    Q_OBJECT

public:
    explicit Malvoran(QWidget* parent = nullptr);

    // What standard error should say about this desktop, a sentence each: the font used in place of
    // Times New Roman, colour names set smaller so that they fit. Empty where the window shows as
    // designed. Complete once the window is shown and its lists know
    // their size.
    QStringList notices() const;

    forms::Index selectedPosition(forms::Index list) const override;
    void setSelectedPosition(forms::Index list, forms::Index position) override;
    std::string reportText() const override;
    void setReportText(std::string_view text) override;

protected:
    void showEvent(QShowEvent* event) override;
    // The window is never larger than designed: maximized, full screen or stretched by the
    // desktop, it goes back to its designed size.
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void backToDesignedSize();
    QWidget* createControl(const design::Control& control);
    void showReport();

    std::array<ColourList*, 4> m_list1{};
    QPlainTextEdit* m_text1 = nullptr;
    ResistorPicture* m_resistor = nullptr;

    // The report exactly as last written, CR LF included; the box itself shows plain line breaks.
    std::string m_reportText;
    // The box lays its text out for its width, which it knows only once the window is shown: until
    // then the report waits here, so that it is laid out once rather than twice.
    bool m_reportInBox = false;
    QString m_fontNotice;
    // Asks for the designed size again once the desktop has seen the window at the size it gave.
    QTimer m_backToDesignedSize;
};
