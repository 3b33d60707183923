// SPDX-License-Identifier: MIT
// Names of the designed controls, the characters the window shows, and the swatches' outline.
#include "design.h"

#include "bands.h"

#include <algorithm>
#include <array>

namespace design {
namespace {

// Adds each character of UTF-8 `text` that `characters` does not hold yet.
void addNew(std::string& characters, std::string_view text)
{
    for (std::size_t i = 0; i < text.size();) {
        std::size_t length = 1;
        while (i + length < text.size() && (static_cast<unsigned char>(text[i + length]) & 0xC0) == 0x80)
            ++length;
        const std::string_view character = text.substr(i, length);
        if (characters.find(character) == std::string::npos)
            characters.append(character);
        i += length;
    }
}

// x to the power 2.4 for x in (0, 1], as x² times the fifth root of x², the root by Newton's method
// from above (it falls towards the root at every step). Plain arithmetic: std::pow alone would bring
// about 0.25 MiB of the maths library into the program's memory.
double toThePower2_4(double x)
{
    const double square = x * x;
    double root = 1;
    for (;;) {
        const double power4 = root * root * root * root;
        const double next = root - (power4 * root - square) / (5 * power4);
        if (next >= root)
            return square * root;
        root = next;
    }
}

// Relative luminance as the web's contrast guidelines define it, from 0 (black) to 1 (white).
double luminance(Rgb colour)
{
    const auto linear = [](int channel) {
        const double c = channel / 255.0;
        return c <= 0.04045 ? c / 12.92 : toThePower2_4((c + 0.055) / 1.055);
    };
    return 0.2126 * linear(colour.red) + 0.7152 * linear(colour.green) + 0.0722 * linear(colour.blue);
}

double contrast(Rgb one, Rgb other)
{
    const double first = luminance(one);
    const double second = luminance(other);
    return (std::max(first, second) + 0.05) / (std::min(first, second) + 0.05);
}

} // namespace

Rgb swatchOutline(Rgb listBackground)
{
    constexpr Rgb dark{48, 48, 48};
    constexpr Rgb light{208, 208, 208};
    return contrast(dark, listBackground) >= contrast(light, listBackground) ? dark : light;
}

std::string controlName(Array array, int index)
{
    constexpr std::array<std::string_view, 4> arrays = {"Label1", "List1", "Command1", "Text1"};
    return std::string(arrays.at(static_cast<std::size_t>(array)))
        .append("(")
        .append(std::to_string(index))
        .append(")");
}

std::string controlName(const Control& control)
{
    return controlName(control.array, control.index);
}

std::string shownCharacters()
{
    std::string characters;
    for (char c = 0x20; c < 0x7f; ++c)
        characters += c;
    // The basic Cyrillic letters А to я, two bytes each in UTF-8: whatever a student may type.
    for (char32_t c = U'А'; c <= U'я'; ++c) {
        characters += static_cast<char>(0xC0 | (c >> 6));
        characters += static_cast<char>(0x80 | (c & 0x3F));
    }
    addNew(characters, kTitle);
    addNew(characters, kIntroduction);
    for (const auto& control : kControls)
        addNew(characters, control.text);
    for (const auto& colour : bands::kColours)
        addNew(characters, colour.name);
    return characters;
}

} // namespace design
