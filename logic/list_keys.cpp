// SPDX-License-Identifier: MIT
// Typed letters: the search by the beginning of a colour's name.
#include "list_keys.h"

#include <algorithm>
#include <cstddef>
#include <string_view>

namespace list_keys {
namespace {

// Capital letters to small ones: the Latin and the Cyrillic alphabets, all a colour's name or a
// student's keyboard can have.
constexpr char32_t small(char32_t c)
{
    if (c >= U'A' && c <= U'Z')
        return c + (U'a' - U'A');
    if (c >= U'А' && c <= U'Я')
        return c + (U'а' - U'А');
    if (c >= U'Ѐ' && c <= U'Џ')
        return c + (U'ѐ' - U'Ѐ');
    return c;
}

// Whether UTF-8 `name` begins with the small letters `typed`.
bool beginsWith(std::string_view name, std::u32string_view typed)
{
    std::size_t at = 0;
    for (const char32_t wanted : typed) {
        const char32_t c = nextCharacter(name, at);
        if (c == 0 || small(c) != wanted)
            return false;
    }
    return true;
}

} // namespace

char32_t nextCharacter(std::string_view text, std::size_t& at)
{
    if (at >= text.size())
        return 0;
    const auto lead = static_cast<unsigned char>(text[at]);
    const std::size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 0;
    if (length == 0 || at + length > text.size())
        return 0;
    char32_t c = length == 1 ? lead : lead & (0x7Fu >> length);
    for (std::size_t i = 1; i < length; ++i)
        c = (c << 6) | (static_cast<unsigned char>(text[at + i]) & 0x3Fu);
    at += length;
    return c;
}

forms::Index TypeAhead::type(char32_t letter, std::uint32_t atMs, forms::Index chosen, forms::Index inView,
                             std::span<const bands::Colour> colours)
{
    if (letter <= U' ' || letter == U'\x7F' || colours.empty())
        return forms::kNoSelection;
    // Unsigned, the difference is right across the clock's wrap too.
    if (atMs - m_lastMs > kTypingPauseMs)
        m_length = 0;
    m_lastMs = atMs;
    if (m_length < m_typed.size())
        m_typed.at(m_length++) = small(letter);

    const std::u32string_view typed(m_typed.data(), m_length);
    const bool oneLetter =
        std::all_of(typed.begin(), typed.end(), [&typed](char32_t c) { return c == typed.front(); });
    const std::u32string_view wanted = oneLetter ? typed.substr(0, 1) : typed;
    const auto count = static_cast<std::ptrdiff_t>(colours.size());
    const std::ptrdiff_t current =
        std::clamp<std::ptrdiff_t>(chosen != forms::kNoSelection ? chosen : inView, 0, count - 1);
    // One letter moves on from the current colour; a longer beginning may be the current colour's own.
    const std::ptrdiff_t from = oneLetter ? current + 1 : current;
    for (std::ptrdiff_t i = 0; i < count; ++i) {
        const std::ptrdiff_t row = (from + i) % count;
        if (beginsWith(bands::colourName(colours[static_cast<std::size_t>(row)]), wanted))
            return static_cast<forms::Index>(row);
    }
    return forms::kNoSelection;
}

} // namespace list_keys
