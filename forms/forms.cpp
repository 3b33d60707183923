// SPDX-License-Identifier: MIT
// Locale-independent reading of numbers from texts, and the lookup-list item operation.
#include "forms.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <string>

namespace forms {
namespace {

// The floating-point conversions of <charconv> ignore the C locale, which a Qt application sets from
// the user's. The browser edition's C++ library lacks them; its C library (musl) has no locale with
// another decimal point, so there strtod is as locale-independent.
#if defined(__cpp_lib_to_chars)
double parseFixed(std::string_view digits)
{
    double value = 0.0;
    std::from_chars(digits.data(), digits.data() + digits.size(), value, std::chars_format::fixed);
    return value;
}
#else
double parseFixed(std::string_view digits)
{
    return digits.empty() ? 0.0 : std::strtod(std::string(digits).c_str(), nullptr);
}
#endif

} // namespace

std::string_view itemText(std::span<const std::string_view> items, Index position)
{
    return position == kNoSelection ? std::string_view{} : items[static_cast<std::size_t>(position)];
}

double textToNumber(std::string_view text)
{
    constexpr std::string_view digits = "0123456789";
    auto end = std::min(text.find_first_not_of(digits), text.size());
    if (end < text.size() && text[end] == '.')
        end = std::min(text.find_first_not_of(digits, end + 1), text.size());

    return parseFixed(text.substr(0, end));
}

} // namespace forms
