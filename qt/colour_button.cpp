// SPDX-License-Identifier: MIT
// Several platform styles ignore the palette for push buttons, and a style sheet costs time at every
// start and every repaint, so the button paints its face itself and leaves the rest to the style.
#include "colour_button.h"

#include "design_colours.h"

#include <QKeyEvent>
#include <QPainter>
#include <QPen>

ColourButton::ColourButton(const QString& caption, design::Rgb background, bool enterPresses, QWidget* parent)
    : QPushButton(caption, parent), m_background(background), m_enterPresses(enterPresses)
{
    setAutoDefault(false);
    setDefault(false);
    setAttribute(Qt::WA_Hover);
}

void ColourButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    // A button the student cannot press yet is greyed, and answers neither the mouse nor the keys.
    const design::Rgb face = !isEnabled()   ? design::disabledFace(m_background)
                             : isDown()     ? design::pressed(m_background)
                             : underMouse() ? design::hovered(m_background)
                                            : m_background;

    // A dark blue edge marks the button that Space would press.
    const QRect frame = rect().adjusted(0, 0, -1, -1);
    painter.setPen(hasFocus() ? QPen(kFocusMark, design::kFocusEdgeWidth)
                              : QPen(toColor(design::kButtonEdge), 1));
    painter.setBrush(toColor(face));
    painter.drawRoundedRect(hasFocus() ? rect().adjusted(1, 1, -1, -1) : frame, design::kButtonCornerRadius,
                            design::kButtonCornerRadius);

    painter.setPen(isEnabled() ? QColor(Qt::black) : toColor(design::kDisabledCaption));
    const QRect caption = isDown() ? rect().translated(1, 1) : rect();
    painter.drawText(caption, Qt::AlignCenter | Qt::TextShowMnemonic, text());
}

void ColourButton::keyPressEvent(QKeyEvent* event)
{
    // The keypad's Enter comes with the keypad's modifier; with Shift, Ctrl or Alt, Enter is not a press.
    const bool enter = (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
                       (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (m_enterPresses && enter && !event->isAutoRepeat()) {
        click();
        event->accept();
        return;
    }
    QPushButton::keyPressEvent(event);
}
