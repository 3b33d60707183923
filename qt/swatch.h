// SPDX-License-Identifier: MIT
// Colour swatches beside the colour names, so a student can match the lists against a real resistor.
#pragma once

#include "bands.h"

#include <QColor>
#include <QIcon>

// The colour a band of this colour has on a resistor body; gold and silver at their mid tone.
QColor swatchColour(bands::Colour colour);

// A swatch drawn at whatever size and pixel density the list asks for, with a thin dark outline so
// that white, gold and silver stand out on a white list.
QIcon swatchIcon(bands::Colour colour);
