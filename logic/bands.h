// SPDX-License-Identifier: MIT
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

// What each band tells: the names of the colour lists, as a screen reader says them.
inline constexpr std::array<std::string_view, kBandCount> kBandNames = {"Първа цифра", "Втора цифра",
                                                                        "Множител", "Точност"};

enum class Colour { Black, Brown, Red, Orange, Yellow, Green, Blue, Violet, Grey, White, Gold, Silver };

// A colour on screen, 0 to 255 a channel: the one colour type of the whole program, from the bands'
// tones to the window's design.
struct Rgb {
    int red;
    int green;
    int blue;
    friend constexpr bool operator==(Rgb, Rgb) = default;
};

struct ColourInfo {
    Colour colour;
    // The name as the student reads it in the colour lists.
    std::string_view name;
    // How a band of the colour looks on a resistor body, for the swatch beside its name.
    Rgb tone;
    // Metallic paints (gold, silver) shine, so they are drawn with a sheen around their mid tone.
    bool metallic = false;
};

inline constexpr std::array kColours = {
    ColourInfo{Colour::Black, "чер", {0, 0, 0}},
    ColourInfo{Colour::Brown, "кафяв", {139, 69, 19}},
    ColourInfo{Colour::Red, "червен", {224, 0, 0}},
    ColourInfo{Colour::Orange, "оранжев", {255, 140, 0}},
    ColourInfo{Colour::Yellow, "жълт", {255, 224, 0}},
    ColourInfo{Colour::Green, "зелен", {0, 160, 64}},
    ColourInfo{Colour::Blue, "син", {0, 80, 220}},
    ColourInfo{Colour::Violet, "виолетов", {138, 43, 226}},
    ColourInfo{Colour::Grey, "сив", {128, 128, 128}},
    ColourInfo{Colour::White, "бял", {255, 255, 255}},
    ColourInfo{Colour::Gold, "златист", {212, 175, 55}, true},
    ColourInfo{Colour::Silver, "сребрист", {192, 192, 192}, true},
};
static_assert(kColours.size() == static_cast<std::size_t>(Colour::Silver) + 1, "one row per colour");
static_assert(
    [] {
        for (std::size_t i = 0; i < kColours.size(); ++i)
            if (static_cast<std::size_t>(kColours[i].colour) != i)
                return false;
        return true;
    }(),
    "rows in the order of the Colour enumeration");

constexpr const ColourInfo& colourInfo(Colour colour)
{
    return kColours[static_cast<std::size_t>(colour)];
}

constexpr std::string_view colourName(Colour colour)
{
    return colourInfo(colour).name;
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
