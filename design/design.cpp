// SPDX-License-Identifier: MIT
// Names of the designed controls, the characters the window shows, and the report as a box shows it.
#include "design.h"

#include "bands.h"
#include "practice_form.h"

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

} // namespace

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
    addNew(characters, kPracticeTitle);
    addNew(characters, practice::kSymbols);
    for (const Form* form : {&kMalvoran, &kPractice})
        for (const auto& control : form->controls)
            addNew(characters, control.text);
    for (const auto& colour : bands::kColours)
        addNew(characters, colour.name);
    return characters;
}

std::string shownReport(std::string_view written)
{
    std::string shown;
    shown.reserve(written.size());
    for (std::size_t i = 0; i < written.size(); ++i) {
        if (written[i] != '\r') {
            shown += written[i];
            continue;
        }
        shown += '\n';
        if (i + 1 < written.size() && written[i + 1] == '\n')
            ++i;
    }
    return shown;
}

std::string writtenReport(std::string_view shown)
{
    std::string written;
    written.reserve(shown.size() + shown.size() / 16);
    for (const char c : shown) {
        if (c == '\n')
            written += forms::kCrLf;
        else
            written += c;
    }
    return written;
}

} // namespace design
