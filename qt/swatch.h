// SPDX-License-Identifier: MIT
// Colour swatches beside the colour names, so a student can match the lists against a real resistor.
#pragma once

#include "bands.h"

#include <QColor>
#include <QIcon>

// The colour a band of this colour has on a resistor body; gold and silver at their mid tone.
QColor swatchColour(bands::Colour colour);

// The swatch's thin outline on a list of this background: dark on a light list, so that white, gold
// and silver stand out, and light on a dark desktop theme's list, so that black, brown and violet do.
QColor swatchOutline(const QColor& listBackground);

// A swatch drawn at whatever size and pixel density the list asks for, outlined in `outline`.
QIcon swatchIcon(bands::Colour colour, const QColor& outline);
