// SPDX-License-Identifier: MIT
// The core's colours as Qt colours, for painting, and back; its texts as Qt strings.
#pragma once

#include "design.h"

#include <QColor>
#include <QRect>
#include <QString>

#include <string_view>

constexpr QColor toColor(design::Rgb rgb)
{
    return {rgb.red, rgb.green, rgb.blue};
}

inline QColor toColor(design::FineRgb fine)
{
    return QColor::fromRgba64(static_cast<quint16>(fine.red), static_cast<quint16>(fine.green),
                              static_cast<quint16>(fine.blue));
}

inline design::Rgb toRgb(const QColor& colour)
{
    return {colour.red(), colour.green(), colour.blue()};
}

// The one colour that marks the control holding the keyboard focus, on the buttons and the lists.
inline constexpr QColor kFocusMark = toColor(design::kFocusMark);

// A rectangle of the core's pixels as Qt's.
inline QRect toRect(const design::PixelRect& r)
{
    return {r.x, r.y, r.width, r.height};
}

// A text of the core (UTF-8) as Qt shows it.
inline QString fromUtf8(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}
