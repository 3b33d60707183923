// SPDX-License-Identifier: MIT
// Swatches painted on demand: crisp at every scale, no bitmaps to ship.
#include "swatch.h"

#include "design.h"

#include <QIconEngine>
#include <QLinearGradient>
#include <QPainter>
#include <QPen>

namespace {

QColor toColor(const bands::Tone& tone)
{
    return {tone.red, tone.green, tone.blue};
}

class SwatchEngine : public QIconEngine {
public:
    SwatchEngine(bands::Colour colour, const QColor& outline) : m_colour(colour), m_outline(outline) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode, QIcon::State) override
    {
        const bands::Tone& tone = bands::colourInfo(m_colour).tone;
        const QColor base = toColor(tone);
        const QRect body = rect.adjusted(0, 0, -1, -1);
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing, false);
        if (tone.metallic) {
            // A band of metal paint: a highlight above, the base tone across the middle, shade below.
            QLinearGradient sheen(body.topLeft(), body.bottomLeft());
            const design::Sheen& metal = design::kMetalSheen;
            sheen.setColorAt(0.0, base.lighter(metal.highlightPercent));
            sheen.setColorAt(metal.middleFrom, base);
            sheen.setColorAt(metal.middleTo, base);
            sheen.setColorAt(1.0, base.darker(metal.shadePercent));
            painter->setBrush(sheen);
        } else {
            painter->setBrush(base);
        }
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

QColor swatchColour(bands::Colour colour)
{
    return toColor(bands::colourInfo(colour).tone);
}

QColor swatchOutline(const QColor& listBackground)
{
    const design::Rgb outline =
        design::swatchOutline({listBackground.red(), listBackground.green(), listBackground.blue()});
    return {outline.red, outline.green, outline.blue};
}

QIcon swatchIcon(bands::Colour colour, const QColor& outline)
{
    return QIcon(new SwatchEngine(colour, outline));
}
