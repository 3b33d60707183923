// SPDX-License-Identifier: MIT
// Swatches painted on demand: crisp at every scale, no bitmaps to ship.
#include "swatch.h"

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
    explicit SwatchEngine(bands::Colour colour) : m_colour(colour) {}

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
            sheen.setColorAt(0.0, base.lighter(135));
            sheen.setColorAt(0.35, base);
            sheen.setColorAt(0.65, base);
            sheen.setColorAt(1.0, base.darker(140));
            painter->setBrush(sheen);
        } else {
            painter->setBrush(base);
        }
        painter->setPen(QPen(QColor(48, 48, 48), 1));
        painter->drawRect(body);
        painter->restore();
    }

    QIconEngine* clone() const override { return new SwatchEngine(m_colour); }

private:
    bands::Colour m_colour;
};

} // namespace

QColor swatchColour(bands::Colour colour)
{
    return toColor(bands::colourInfo(colour).tone);
}

QIcon swatchIcon(bands::Colour colour)
{
    return QIcon(new SwatchEngine(colour));
}
