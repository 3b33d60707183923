// SPDX-License-Identifier: MIT
// Swatches painted on demand: crisp at every scale, no bitmaps to ship.
#include "swatch.h"

#include <QIconEngine>
#include <QLinearGradient>
#include <QPainter>
#include <QPen>

#include <algorithm>

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
            sheen.setColorAt(0.0, base.lighter(135));
            sheen.setColorAt(0.35, base);
            sheen.setColorAt(0.65, base);
            sheen.setColorAt(1.0, base.darker(140));
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

// x to the power 2.4 for x in (0, 1], as x² times the fifth root of x², the root by Newton's method
// from above (it falls towards the root at every step). Plain arithmetic: std::pow alone would bring
// about 0.25 MiB of the maths library into the program's memory.
double toThePower2_4(double x)
{
    const double square = x * x;
    double root = 1;
    for (;;) {
        const double power4 = root * root * root * root;
        const double next = root - (power4 * root - square) / (5 * power4);
        if (next >= root)
            return square * root;
        root = next;
    }
}

// Relative luminance as the web's contrast guidelines define it, from 0 (black) to 1 (white).
double luminance(const QColor& colour)
{
    const auto linear = [](double c) {
        return c <= 0.04045 ? c / 12.92 : toThePower2_4((c + 0.055) / 1.055);
    };
    return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) +
           0.0722 * linear(colour.blueF());
}

double contrast(const QColor& one, const QColor& other)
{
    const double first = luminance(one);
    const double second = luminance(other);
    return (std::max(first, second) + 0.05) / (std::min(first, second) + 0.05);
}

} // namespace

QColor swatchColour(bands::Colour colour)
{
    return toColor(bands::colourInfo(colour).tone);
}

QColor swatchOutline(const QColor& listBackground)
{
    const QColor dark(48, 48, 48);
    const QColor light(208, 208, 208);
    return contrast(dark, listBackground) >= contrast(light, listBackground) ? dark : light;
}

QIcon swatchIcon(bands::Colour colour, const QColor& outline)
{
    return QIcon(new SwatchEngine(colour, outline));
}
