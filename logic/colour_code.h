// SPDX-License-Identifier: MIT
// What the two buttons of the window do: write the resistor's report, or clear the choices.
#pragma once

#include "forms.h"

#include <string>

namespace colour_code {

// Index of each button in the Command1 control array.
enum Command : forms::Index { Calculate = 0, Clear = 1 };

// The nominal value of the chosen digit and multiplier bands, scaled to " k" or " m":
// " 4.7 k" for yellow, violet, red. A band with no colour chosen counts as 0 (digits) or x 1.
std::string NominalText(const forms::Window& window);

// The click handler of the Command1 array. Calculate replaces the report box with three CR LF
// terminated lines (digits, nominal value, tolerance); Clear removes the four choices and asks for
// a new colour code. Any other index does nothing.
void Command1_Click(forms::Window& window, forms::Index index);

} // namespace colour_code
