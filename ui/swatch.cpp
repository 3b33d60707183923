// Swatches painted on demand: crisp at every scale, no bitmaps to ship.
#include "swatch.h"

#include <QIconEngine>
#include <QLinearGradient>
#include <QPainter>
#include <QPen>

#include <array>

namespace {

struct Tone {
    QColor base;
    bool metallic;
};

Tone toneOf(bands::Colour colour)
{
    static const std::array<Tone, 12> tones = {{
        {QColor(0, 0, 0), false},       // чер
        {QColor(139, 69, 19), false},   // кафяв
        {QColor(224, 0, 0), false},     // червен
        {QColor(255, 140, 0), false},   // оранжев
        {QColor(255, 224, 0), false},   // жълт
        {QColor(0, 160, 64), false},    // зелен
        {QColor(0, 80, 220), false},    // син
        {QColor(138, 43, 226), false},  // виолетов
        {QColor(128, 128, 128), false}, // сив
        {QColor(255, 255, 255), false}, // бял
        {QColor(212, 175, 55), true},   // златист
        {QColor(192, 192, 192), true},  // сребрист
    }};
    return tones.at(static_cast<std::size_t>(colour));
}

class SwatchEngine : public QIconEngine {
public:
    explicit SwatchEngine(bands::Colour colour) : m_colour(colour) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode, QIcon::State) override
    {
        const Tone tone = toneOf(m_colour);
        const QRect body = rect.adjusted(0, 0, -1, -1);
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing, false);
        if (tone.metallic) {
            // A band of metal paint: a highlight above, the base tone across the middle, shade below.
            QLinearGradient sheen(body.topLeft(), body.bottomLeft());
            sheen.setColorAt(0.0, tone.base.lighter(135));
            sheen.setColorAt(0.35, tone.base);
            sheen.setColorAt(0.65, tone.base);
            sheen.setColorAt(1.0, tone.base.darker(140));
            painter->setBrush(sheen);
        } else {
            painter->setBrush(tone.base);
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
    return toneOf(colour).base;
}

QIcon swatchIcon(bands::Colour colour)
{
    return QIcon(new SwatchEngine(colour));
}
