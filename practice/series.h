// SPDX-License-Identifier: MIT
// The standard series of resistor values, E6, E12 and E24: the two significant digits each offers in
// a decade, from 10 to 91.
#pragma once

#include <array>
#include <span>
#include <string>
#include <string_view>

namespace practice {

struct Series {
    std::string_view name;
    // Each series is a subset of the next: E6 of E12, E12 of E24.
    std::span<const int> values;
};

inline constexpr std::array kE6 = {10, 15, 22, 33, 47, 68};
inline constexpr std::array kE12 = {10, 12, 15, 18, 22, 27, 33, 39, 47, 56, 68, 82};
inline constexpr std::array kE24 = {10, 11, 12, 13, 15, 16, 18, 20, 22, 24, 27, 30,
                                    33, 36, 39, 43, 47, 51, 56, 62, 68, 75, 82, 91};
inline constexpr std::array<Series, 3> kSeries = {{{"E6", kE6}, {"E12", kE12}, {"E24", kE24}}};

// "4,7 kΩ е стандартна стойност от редовете E6, E12 и E24.", "… от реда E24.": the series that the
// significant digits `significant` (10 to 99) belong to, for the value written `value`.
std::string seriesSentence(std::string_view value, int significant);

} // namespace practice
