// SPDX-License-Identifier: MIT
// A number written as the report writes it, locale-independent: in a file of its own, so that a
// program that reads numbers but writes none (the practice) carries no number writer.
#include "forms.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>

namespace forms {
namespace {

// The floating-point conversions of <charconv> ignore the C locale, which a Qt application sets from
// the user's. The browser edition's C++ library lacks them; its C library (musl) has no locale with
// another decimal point, so there printf is as locale-independent.
#if defined(__cpp_lib_to_chars)
// `value` in scientific notation with 15 significant digits, or (for zero, infinities and NaN) as is.
std::string_view write(std::array<char, 64>& buffer, double value, bool scientific)
{
    const auto written = scientific ? std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                                    std::chars_format::scientific, 14)
                                    : std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    return {buffer.data(), static_cast<std::size_t>(written.ptr - buffer.data())};
}
#else
std::string_view write(std::array<char, 64>& buffer, double value, bool scientific)
{
    const int length = std::snprintf(buffer.data(), buffer.size(), scientific ? "%.14e" : "%g", value);
    return {buffer.data(), static_cast<std::size_t>(std::clamp(length, 0, 63))};
}
#endif

} // namespace

std::string numberText(double value)
{
    std::string text(1, std::signbit(value) && value != 0.0 ? '-' : ' ');
    value = std::fabs(value);
    std::array<char, 64> buffer{};
    if (!std::isfinite(value) || value == 0.0)
        return text.append(write(buffer, value, false));

    // Rounding to 15 significant digits in scientific form gives the digits and the exponent;
    // placing the decimal point by hand keeps the notation plain for any magnitude.
    const std::string_view scientific = write(buffer, value, true);
    const auto e = scientific.find('e');
    std::string significant = std::string(1, scientific[0]).append(scientific.substr(2, e - 2));
    significant.erase(significant.find_last_not_of('0') + 1);

    auto exponentText = scientific.substr(e + 1);
    if (exponentText.front() == '+')
        exponentText.remove_prefix(1);
    int exponent = 0;
    std::from_chars(exponentText.data(), exponentText.data() + exponentText.size(), exponent);

    const auto wholeDigits = static_cast<std::ptrdiff_t>(exponent) + 1;
    const auto count = static_cast<std::ptrdiff_t>(significant.size());
    if (wholeDigits <= 0)
        return text.append("0.").append(static_cast<std::size_t>(-wholeDigits), '0').append(significant);
    if (wholeDigits >= count)
        return text.append(significant).append(static_cast<std::size_t>(wholeDigits - count), '0');
    const auto split = static_cast<std::size_t>(wholeDigits);
    return text.append(significant, 0, split).append(".").append(significant, split);
}

} // namespace forms
