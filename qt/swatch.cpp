// SPDX-License-Identifier: MIT
// Swatches painted on demand: crisp at every scale, no bitmaps to ship.
#include "swatch.h"

#include "design_colours.h"

#include <QIconEngine>
#include <QLinearGradient>
#include <QPainter>
#include <QPen>

namespace {

class SwatchEngine : public QIconEngine {
public:
    SwatchEngine(bands::Colour colour, const QColor& outline) : m_colour(colour), m_outline(outline) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode, QIcon::State) override
    {
        const bands::ColourInfo& info = bands::colourInfo(m_colour);
        const QRect body = rect.adjusted(0, 0, -1, -1);
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing, false);
        painter->setBrush(toneBrush(info, body.top(), body.bottom()));
        painter->setPen(QPen(m_outline, 1));
        painter->drawRect(body);
        painter->restore();
    }

    QIconEngine* clone() const override { return new SwatchEngine(m_colour, m_outline); }

private:
    bands::Colour m_colour;
    QColor m_outline;
};

} // namespace

QBrush toneBrush(const bands::ColourInfo& colour, qreal top, qreal bottom)
{
    if (!colour.metallic)
        return toColor(colour.tone);
    QLinearGradient sheen(0, top, 0, bottom);
    for (const auto& stop : design::metalSheen(colour.tone))
        sheen.setColorAt(stop.at, toColor(stop.colour));
    return sheen;
}

QIcon swatchIcon(bands::Colour colour, const QColor& outline)
{
    return QIcon(new SwatchEngine(colour, outline));
}
