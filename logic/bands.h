// The colour code of a four-band resistor: the colours of each band and what each one means.
#pragma once

#include "forms.h"

#include <array>
#include <span>
#include <string_view>

namespace bands {

using forms::Index;

// Band number; also the index of the band's colour list List1 and lookup list List2.
enum Band : Index { FirstDigit = 0, SecondDigit = 1, Multiplier = 2, Tolerance = 3 };
inline constexpr Index kBandCount = 4;

enum class Colour { Black, Brown, Red, Orange, Yellow, Green, Blue, Violet, Grey, White, Gold, Silver };

// Names as the student reads them in the colour lists.
inline constexpr std::array<std::string_view, 12> kColourNames = {
    "чер", "кафяв",    "червен", "оранжев", "жълт",    "зелен",
    "син", "виолетов", "сив",    "бял",     "златист", "сребрист",
};

constexpr std::string_view colourName(Colour colour)
{
    return kColourNames[static_cast<std::size_t>(colour)];
}

namespace detail {
using enum Colour;
inline constexpr std::array kDigitColours = {Black, Brown, Red,    Orange, Yellow,
                                             Green, Blue,  Violet, Grey,   White};
// The multiplier band stops at violet (x 10M); gold and silver multipliers are not offered.
inline constexpr std::array kMultiplierColours = {Black, Brown, Red, Orange, Yellow, Green, Blue, Violet};
inline constexpr std::array kToleranceColours = {Brown, Red, Green, Blue, Violet, Grey, Gold, Silver};

inline constexpr std::array<std::string_view, 10> kDigits = {"0", "1", "2", "3", "4",
                                                             "5", "6", "7", "8", "9"};
inline constexpr std::array<std::string_view, 8> kMultipliers = {"x 1",   "x 10",   "x 100", "x 1k",
                                                                 "x 10k", "x 100k", "x 1M",  "x 10M"};
inline constexpr std::array<std::string_view, 8> kTolerances = {"1%",    "2%",    "0.50%", "0.25%",
                                                                "0.10%", "0.05%", "5%",    "10%"};
} // namespace detail

// The colours offered for each band, in list order; position p of List1(b) is colourList(b)[p].
inline constexpr std::array<std::span<const Colour>, kBandCount> kColourLists = {
    detail::kDigitColours, detail::kDigitColours, detail::kMultiplierColours, detail::kToleranceColours};

// The meaning of each colour, paired by position with kColourLists: List2(b).
inline constexpr std::array<std::span<const std::string_view>, kBandCount> kLookupLists = {
    detail::kDigits, detail::kDigits, detail::kMultipliers, detail::kTolerances};

} // namespace bands
