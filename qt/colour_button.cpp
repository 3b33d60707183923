// SPDX-License-Identifier: MIT
// Several platform styles ignore the palette for push buttons, and a style sheet costs time at every
// start and every repaint, so the button paints its face itself and leaves the rest to the style.
#include "colour_button.h"

#include "design_colours.h"

#include <QPainter>
#include <QPen>

ColourButton::ColourButton(const QString& caption, design::Rgb background, QWidget* parent)
    : QPushButton(caption, parent), m_background(background)
{
    setAutoDefault(false);
    setDefault(false);
    setAttribute(Qt::WA_Hover);
}

void ColourButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const design::Rgb face = isDown()       ? design::pressed(m_background)
                             : underMouse() ? design::hovered(m_background)
                                            : m_background;

    // A dark blue edge marks the button that Space would press.
    const QRect frame = rect().adjusted(0, 0, -1, -1);
    painter.setPen(hasFocus() ? QPen(kFocusMark, design::kFocusEdgeWidth)
                              : QPen(toColor(design::kButtonEdge), 1));
    painter.setBrush(toColor(face));
    painter.drawRoundedRect(hasFocus() ? rect().adjusted(1, 1, -1, -1) : frame, design::kButtonCornerRadius,
                            design::kButtonCornerRadius);

    painter.setPen(Qt::black);
    const QRect caption = isDown() ? rect().translated(1, 1) : rect();
    painter.drawText(caption, Qt::AlignCenter | Qt::TextShowMnemonic, text());
}
