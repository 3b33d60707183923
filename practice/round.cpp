// SPDX-License-Identifier: MIT
// Drawing a round's resistors, and what each one's bands make.
#include "round.h"

#include "series.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <utility>

namespace practice {
namespace {

// A digit's colour stands at the digit's own position in the digit lists.
static_assert(
    [] {
        for (std::size_t p = 0; p < bands::kLookupLists[bands::FirstDigit].size(); ++p)
            if (bands::kLookupLists[bands::FirstDigit][p] != std::string_view(&"0123456789"[p], 1))
                return false;
        return true;
    }(),
    "digit lists in the order of the digits");

// The tolerance bands a round draws, with how often (out of ten) and the series their values are
// taken from.
struct ToleranceDraw {
    bands::Colour colour;
    int weight;
    std::span<const int> series;
};
inline constexpr std::array kToleranceDraws = {
    ToleranceDraw{bands::Colour::Gold, 5, kE24},
    ToleranceDraw{bands::Colour::Silver, 3, kE12},
    ToleranceDraw{bands::Colour::Brown, 1, kE24},
    ToleranceDraw{bands::Colour::Red, 1, kE24},
};
// Black (x 1) to green (x 100k).
constexpr int kMultipliers = 6;

forms::Index positionIn(bands::Band band, bands::Colour colour)
{
    const auto colours = bands::kColourLists.at(static_cast<std::size_t>(band));
    return static_cast<forms::Index>(std::find(colours.begin(), colours.end(), colour) - colours.begin());
}

Bands drawResistor(Generator& generator)
{
    int weight = generator.below(10);
    const auto* draw = kToleranceDraws.begin();
    while (weight >= draw->weight)
        weight -= (draw++)->weight;
    const int digits =
        draw->series[static_cast<std::size_t>(generator.below(static_cast<int>(draw->series.size())))];
    const int multiplier = generator.below(kMultipliers);
    return {static_cast<forms::Index>(digits / 10), static_cast<forms::Index>(digits % 10),
            static_cast<forms::Index>(multiplier), positionIn(bands::Tolerance, draw->colour)};
}

double meaning(bands::Band band, forms::Index position)
{
    return forms::textToNumber(
        forms::itemText(bands::kLookupLists.at(static_cast<std::size_t>(band)), position));
}

} // namespace

Round makeRound(int number)
{
    Generator generator(static_cast<std::uint64_t>(number));
    std::array<Kind, kTasksPerRound> kinds{Kind::Read,   Kind::Read,   Kind::Choose,
                                           Kind::Choose, Kind::Limits, Kind::Limits};
    for (std::size_t i = 6; i < kinds.size(); ++i)
        kinds.at(i) = static_cast<Kind>(generator.below(3));
    for (std::size_t i = kinds.size() - 1; i > 0; --i)
        std::swap(kinds.at(i), kinds.at(static_cast<std::size_t>(generator.below(static_cast<int>(i) + 1))));

    Round round{};
    for (std::size_t i = 0; i < round.size(); ++i) {
        Task& task = round.at(i);
        task.kind = kinds.at(i);
        do {
            task.bands = drawResistor(generator);
        } while (std::any_of(round.begin(), round.begin() + static_cast<std::ptrdiff_t>(i),
                             [&task](const Task& earlier) { return earlier.bands == task.bands; }));
        if (task.kind == Kind::Limits)
            task.upper = generator.below(2) == 1;
    }
    return round;
}

int significant(const Bands& resistor)
{
    return static_cast<int>(meaning(bands::FirstDigit, resistor[0]) * 10 +
                            meaning(bands::FirstDigit, resistor[1]));
}

Milliohms nominal(const Bands& resistor)
{
    Milliohms value = significant(resistor) * kOhm;
    // Position k of the multiplier list means k times ten.
    for (forms::Index i = 0; i < resistor[bands::Multiplier]; ++i)
        value *= 10;
    return value;
}

int toleranceHundredths(const Bands& resistor)
{
    return static_cast<int>(std::lround(meaning(bands::Tolerance, resistor[bands::Tolerance]) * 100));
}

Milliohms lowest(const Bands& resistor)
{
    return nominal(resistor) * (10000 - toleranceHundredths(resistor)) / 10000;
}

Milliohms highest(const Bands& resistor)
{
    return nominal(resistor) * (10000 + toleranceHundredths(resistor)) / 10000;
}

Milliohms expected(const Task& task)
{
    if (task.kind != Kind::Limits)
        return nominal(task.bands);
    return task.upper ? highest(task.bands) : lowest(task.bands);
}

} // namespace practice
