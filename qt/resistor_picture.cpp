// SPDX-License-Identifier: MIT
// The resistor painted with QPainter from the parts the core lays out.
#include "resistor_picture.h"

#include "design_colours.h"
#include "swatch.h"

#include <QPainter>

ResistorPicture::ResistorPicture(const forms::ColourLists& lists, const design::TwipsRect& area,
                                 QWidget* parent)
    : QWidget(parent), m_lists(lists), m_area(area), m_chosen(design::chosenColours(lists))
{
    setObjectName("Resistor");
    setFocusPolicy(Qt::NoFocus);
    setGeometry(toRect(design::toPixels(area)));
    setAccessibleName(fromUtf8(design::kResistorName));
    setAccessibleDescription(QString::fromStdString(design::resistorDescription(m_chosen)));
}

void ResistorPicture::followChoices()
{
    const design::ChosenColours chosen = design::chosenColours(m_lists);
    if (chosen == m_chosen)
        return;
    m_chosen = chosen;
    setAccessibleDescription(QString::fromStdString(design::resistorDescription(m_chosen)));
    update();
}

void ResistorPicture::paintEvent(QPaintEvent*)
{
    // The parts lie on whole pixels of the window at its density: painted in those pixels, rather
    // than in scaled ones, every edge stays sharp at any scale.
    const qreal scale = devicePixelRatioF();
    const auto drawing = design::resistorDrawing(m_chosen, qRound(design::kStandardDpi * scale), m_area);
    QPainter painter(this);
    painter.scale(1 / scale, 1 / scale);
    painter.translate(-x() * scale, -y() * scale);

    for (const auto& lead : drawing.leads)
        painter.fillRect(toRect(lead), toColor(design::kResistorLead));
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    const QRectF body = toRect(drawing.body);
    const qreal edge = drawing.edge;
    painter.setBrush(toColor(drawing.bodyEdge));
    painter.drawRoundedRect(body, drawing.endRadius, drawing.endRadius);
    painter.setBrush(toColor(design::kResistorBody));
    painter.drawRoundedRect(body.adjusted(edge, edge, -edge, -edge), drawing.endRadius - edge,
                            drawing.endRadius - edge);
    painter.setRenderHint(QPainter::Antialiasing, false);

    const QColor outline = toColor(drawing.bandOutline);
    for (const auto& band : drawing.bands) {
        if (!band.colour) {
            for (const auto& dash : band.dashes)
                painter.fillRect(toRect(dash), outline);
            continue;
        }
        const QRect inside = toRect(band.inside);
        painter.fillRect(toRect(band.rect), outline);
        painter.fillRect(inside, toneBrush(bands::colourInfo(*band.colour), inside.top(), inside.bottom()));
    }
}
