// SPDX-License-Identifier: MIT
// Compiled with exactly the colour-code logic's include paths: finding a Qt header here is a fault.
#include "colour_code.h"

#include <QString>
