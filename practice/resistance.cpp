// SPDX-License-Identifier: MIT
// Value texts, and the reader of a student's answer.
#include "resistance.h"

#include "list_keys.h"

#include <array>
#include <cstddef>
#include <string>
#include <utility>

namespace practice {
namespace {

// The spaces a student's keyboard or a copied value text may hold: a plain space, a no-break space,
// a narrow no-break space and a thin space.
constexpr bool isSpace(char32_t c)
{
    return c == U' ' || c == U'\u00A0' || c == U'\u202F' || c == U'\u2009';
}

constexpr bool isDigit(char32_t c)
{
    return c >= U'0' && c <= U'9';
}

// The power of ten of a prefix letter, Latin or Cyrillic, in either case; R stands for the ohm
// itself where the marking code puts it in place of the decimal point. -1 for any other character.
constexpr int prefixPower(char32_t c)
{
    switch (c) {
    case U'k':
    case U'K':
    case U'к':
    case U'К':
        return 3;
    // Malvoran's own report writes " m" for millions, and nothing the practice asks for is as small
    // as a milliohm, so a small m means mega too.
    case U'M':
    case U'm':
    case U'М':
    case U'м':
        return 6;
    case U'R':
    case U'r':
    case U'Р':
    case U'р':
        return 0;
    default:
        return -1;
    }
}

// Reads a decoded answer from the start: each step takes what it recognises and leaves the rest.
class Reader {
public:
    explicit Reader(std::u32string_view text) : m_text(text) {}

    char32_t peek(std::size_t ahead = 0) const
    {
        return m_at + ahead < m_text.size() ? m_text[m_at + ahead] : U'\0';
    }
    bool atEnd() const { return m_at >= m_text.size(); }
    void skip(std::size_t count = 1) { m_at += count; }

    void skipSpaces()
    {
        while (!atEnd() && isSpace(peek()))
            skip();
    }

    // A run of digits, appended to `digits`; how many.
    std::size_t digits(std::string& digits)
    {
        std::size_t count = 0;
        for (; isDigit(peek()); ++count, skip())
            digits += static_cast<char>(peek());
        return count;
    }

    // After a first group of one to three digits, more groups of exactly three, each after one space.
    void thousands(std::string& digits)
    {
        while (isSpace(peek()) && isDigit(peek(1)) && isDigit(peek(2)) && isDigit(peek(3)) &&
               !isDigit(peek(4))) {
            skip();
            this->digits(digits);
        }
    }

    // The unit, optional: Ω (the Greek letter or the ohm sign), or "ом" in any case.
    void unit()
    {
        if (peek() == U'Ω' || peek() == U'Ω') {
            skip();
        } else if ((peek() == U'о' || peek() == U'О') && (peek(1) == U'м' || peek(1) == U'М')) {
            skip(2);
        }
    }

private:
    std::u32string_view m_text;
    std::size_t m_at = 0;
};

// The value of the decimal `digits` × 10^`exponent` ohms in milliohms, where it is a whole number of
// them no larger than 10^18.
std::optional<Milliohms> toMilliohms(std::string digits, int exponent)
{
    constexpr std::size_t kMostDigits = 18;
    const auto first = digits.find_first_not_of('0');
    if (first == std::string::npos)
        return 0;
    digits.erase(0, first);
    const auto last = digits.find_last_not_of('0');
    exponent += static_cast<int>(digits.size() - 1 - last) + 3;
    digits.erase(last + 1);
    if (exponent < 0 || digits.size() + static_cast<std::size_t>(exponent) > kMostDigits)
        return std::nullopt;
    Milliohms value = 0;
    for (const char c : digits)
        value = value * 10 + (c - '0');
    for (int i = 0; i < exponent; ++i)
        value *= 10;
    return value;
}

std::optional<std::u32string> decoded(std::string_view text)
{
    std::u32string characters;
    characters.reserve(text.size());
    for (std::size_t at = 0; at < text.size();) {
        const char32_t c = list_keys::nextCharacter(text, at);
        if (c == U'\0')
            return std::nullopt;
        characters += c;
    }
    return characters;
}

} // namespace

std::string groupedNumber(std::int64_t number)
{
    std::string digits = std::to_string(number);
    constexpr std::int64_t kGroupedFrom = 10000;
    if (number < kGroupedFrom)
        return digits;
    std::string grouped;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            grouped += kNoBreakSpace;
        grouped += digits[i];
    }
    return grouped;
}

std::string valueText(Milliohms value)
{
    struct Unit {
        Milliohms size;
        std::string_view symbol;
        int decimals;
    };
    constexpr std::array kUnits = {Unit{kOhm * 1000000, "MΩ", 9}, Unit{kOhm * 1000, "kΩ", 6},
                                   Unit{kOhm, "Ω", 3}};
    const Unit* unit = &kUnits.back();
    for (const Unit& larger : kUnits) {
        if (value >= larger.size) {
            unit = &larger;
            break;
        }
    }
    std::string text = std::to_string(value / unit->size);
    std::string fraction = std::to_string(value % unit->size);
    fraction.insert(0, static_cast<std::size_t>(unit->decimals) - fraction.size(), '0');
    fraction.erase(fraction.find_last_not_of('0') + 1);
    if (!fraction.empty())
        text.append(",").append(fraction);
    return text.append(kNoBreakSpace).append(unit->symbol);
}

std::optional<Answer> readAnswer(std::string_view text)
{
    const auto characters = decoded(text);
    if (!characters)
        return std::nullopt;
    std::u32string_view trimmed(*characters);
    while (!trimmed.empty() && isSpace(trimmed.front()))
        trimmed.remove_prefix(1);
    while (!trimmed.empty() && isSpace(trimmed.back()))
        trimmed.remove_suffix(1);

    Reader reader(trimmed);
    std::string digits;
    int exponent = 0;
    const std::size_t whole = reader.digits(digits);
    if (whole == 0) {
        // The marking code may begin with its letter: "R47", "k47".
        const int power = prefixPower(reader.peek());
        if (power < 0 || !isDigit(reader.peek(1)))
            return std::nullopt;
        reader.skip();
        exponent = power - static_cast<int>(reader.digits(digits));
    } else {
        if (whole <= 3)
            reader.thousands(digits);
        const bool grouped = digits.size() > whole;
        if (reader.peek() == U',' || reader.peek() == U'.') {
            reader.skip();
            const std::size_t decimals = reader.digits(digits);
            if (decimals == 0)
                return std::nullopt;
            exponent = -static_cast<int>(decimals);
        }
        const int power = prefixPower(reader.peek());
        if (exponent == 0 && !grouped && power >= 0 && isDigit(reader.peek(1))) {
            // The marking code: the prefix letter, or R, in place of the decimal point ("4k7").
            reader.skip();
            exponent = power - static_cast<int>(reader.digits(digits));
        } else {
            // A prefix may stand apart from the number; R only right after it, as in "47R".
            const bool attached = power == 0;
            reader.skipSpaces();
            const int apart = prefixPower(reader.peek());
            if (apart > 0 || (apart == 0 && attached)) {
                exponent += apart;
                reader.skip();
            }
        }
    }
    reader.skipSpaces();
    reader.unit();
    if (!reader.atEnd())
        return std::nullopt;
    return Answer{toMilliohms(std::move(digits), exponent)};
}

} // namespace practice
