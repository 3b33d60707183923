// SPDX-License-Identifier: MIT
// Resistances as the practice writes and reads them: exact whole milliohms, written as a Bulgarian
// reader writes them, and read from whatever a student types for one.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace practice {

// A resistance in milliohms: every nominal value and every end of a tolerance range the practice
// asks for is a whole number of them, so answers are judged by exact integer arithmetic.
using Milliohms = std::int64_t;
inline constexpr Milliohms kOhm = 1000;

// The no-break space between a number and its unit, so that a line never breaks between them.
inline constexpr std::string_view kNoBreakSpace = "\u00A0";

// "470 Ω", "4,7 kΩ", "4,465 kΩ", "2,2 MΩ": below 1000 Ω in Ω, below 1 000 000 Ω in kΩ, otherwise in
// MΩ; a decimal comma, no trailing zeros, a no-break space before the unit.
std::string valueText(Milliohms value);

// A whole number with its thousands set apart by no-break spaces from 10 000 up, as Bulgarian
// typesetting does: "100", "1000", "10 000".
std::string groupedNumber(std::int64_t number);

// What a student's answer says. Read as a resistance: "4,7 k", "4.7kΩ", "4,7 кΩ", "4k7", "47R",
// "4 700", "4700 ом", with a Latin or Cyrillic prefix letter in any case (k, M; m for millions too),
// spaces around. `milliohms` is its value where that is a whole number of milliohms (a resistance
// given more finely, or beyond 10^18, matches no value the practice asks for).
struct Answer {
    std::optional<Milliohms> milliohms;
};

// The resistance `text` writes, or nothing where it is no resistance at all ("", "абв", "4,7,7 k").
// Takes time in proportion to the text's length, whatever it holds.
std::optional<Answer> readAnswer(std::string_view text);

} // namespace practice
