// SPDX-License-Identifier: MIT
// The report a student expects after "Изчисли", worked out apart from the program: from the chosen
// positions alone, with integers and tables of its own. Every test of the report compares with it.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace oracle {

inline constexpr std::string_view kNotChosen = "не е посочена!";
inline constexpr std::string_view kPrompt = "Посочете цветен код!";

// Positions chosen in the four colour lists (first digit, second digit, multiplier, tolerance);
// -1 where nothing is chosen.
using Choice = std::array<int, 4>;

// The three lines of the report, each ending with CR LF.
inline std::string report(std::string_view digits, std::string_view nominal, std::string_view tolerance)
{
    return std::string("Избрана стойност: ")
        .append(digits)
        .append("\r\nНоминал: ")
        .append(nominal)
        .append("\r\nТочност: ")
        .append(tolerance)
        .append("\r\n");
}

// Both digits side by side, or "не е посочена!" when either is missing.
inline std::string digits(const Choice& chosen)
{
    const auto [first, second, multiplier, tolerance] = chosen;
    return first >= 0 && second >= 0 ? std::to_string(first) + std::to_string(second)
                                     : std::string(kNotChosen);
}

// The resistance in ohms: a missing digit counts as 0, a missing multiplier as x 1.
inline std::int64_t ohms(const Choice& chosen)
{
    const auto [first, second, multiplier, tolerance] = chosen;
    std::int64_t value = 10 * std::int64_t{std::max(first, 0)} + std::max(second, 0);
    for (int i = 0; i < multiplier; ++i)
        value *= 10;
    return value;
}

inline std::string tolerance(const Choice& chosen)
{
    static constexpr std::array<std::string_view, 8> kPerCent = {"1%",    "2%",    "0.50%", "0.25%",
                                                                 "0.10%", "0.05%", "5%",    "10%"};
    const int position = chosen[3];
    return std::string(position >= 0 ? kPerCent.at(static_cast<std::size_t>(position)) : kNotChosen);
}

// " 4.7 k": a space, the value scaled to thousands (" k") or millions (" m"), a point only where a
// fraction remains, and no trailing zeros.
inline std::string nominal(const Choice& chosen)
{
    const std::int64_t value = ohms(chosen);
    const std::int64_t scale = value >= 1000000 ? 1000000 : value >= 1000 ? 1000 : 1;
    std::string text(" ");
    text.append(std::to_string(value / scale));
    if (const std::int64_t rest = value % scale) {
        std::string fraction = std::to_string(scale + rest).substr(1); // zero-padded to the scale
        fraction.erase(fraction.find_last_not_of('0') + 1);
        text.append(".").append(fraction);
    }
    return text.append(scale == 1000000 ? " m" : scale == 1000 ? " k" : "");
}

inline std::string report(const Choice& chosen)
{
    return report(digits(chosen), nominal(chosen), tolerance(chosen));
}

} // namespace oracle
