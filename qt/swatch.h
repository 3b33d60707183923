// SPDX-License-Identifier: MIT
// Colour swatches beside the colour names, so a student can match the lists against a real resistor.
#pragma once

#include "bands.h"

#include <QColor>
#include <QIcon>

// A swatch drawn at whatever size and pixel density the list asks for, outlined in `outline`.
QIcon swatchIcon(bands::Colour colour, const QColor& outline);
