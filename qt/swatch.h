// SPDX-License-Identifier: MIT
// Colour swatches beside the colour names, so a student can match the lists against a real resistor.
#pragma once

#include "bands.h"

#include <QBrush>
#include <QColor>
#include <QIcon>

// How a colour is painted: its tone, and a metal's sheen from the row `top` down to the row `bottom`.
QBrush toneBrush(const bands::ColourInfo& colour, qreal top, qreal bottom);

// A swatch drawn at whatever size and pixel density the list asks for, outlined in `outline`.
QIcon swatchIcon(bands::Colour colour, const QColor& outline);
