// SPDX-License-Identifier: MIT
// How a colour list answers the keyboard, alike in every window: which colour each key chooses.
#pragma once

#include "bands.h"
#include "forms.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace list_keys {

// What the keys of a colour list ask for, whichever keys a toolkit calls them by: Back (Up, Left,
// Page Up), Forward (Down, Right, Page Down), First (Home), Last (End), ChooseInView (Space). Typed
// letters go to a TypeAhead.
enum class ListKey { Back, Forward, First, Last, ChooseInView };

// The row `key` chooses in a list of `count` colours with `chosen` chosen (kNoSelection for none)
// and `inView` the one the student sees. The list shows one colour at a time, so nothing chooses a
// colour out of sight: with nothing chosen, every key that moves chooses the colour in view, and
// Space always does. Once a colour is chosen the keys move on from it, a page being one colour.
constexpr forms::Index choose(ListKey key, forms::Index chosen, forms::Index inView, forms::Index count)
{
    const auto last = static_cast<forms::Index>(count - 1);
    const bool nothingChosen = chosen == forms::kNoSelection;
    switch (key) {
    case ListKey::Back:
        return nothingChosen ? inView : chosen > 0 ? static_cast<forms::Index>(chosen - 1) : forms::Index{0};
    case ListKey::Forward:
        return nothingChosen ? inView : chosen < last ? static_cast<forms::Index>(chosen + 1) : last;
    case ListKey::First:
        return 0;
    case ListKey::Last:
        return last;
    case ListKey::ChooseInView:
        return inView;
    }
    return chosen;
}

// The character of UTF-8 `text` that begins at `at`, moving `at` past it; 0 at the end, or where
// the text there is no whole character. A window's typed letters may come to it as UTF-8.
char32_t nextCharacter(std::string_view text, std::size_t& at);

// A letter typed within this pause after the one before it goes on with the same search; a longer
// pause starts a new one. A second is what standard list boxes allow: time to find the next letter on
// the keyboard, short enough that a new search after a look at the list starts afresh.
inline constexpr std::uint32_t kTypingPauseMs = 1000;

// Typed letters choose a colour by its name, as in any standard list box. A letter typed after a
// pause chooses the next colour after the current one that begins with it, wrapping round to the
// first; the current one is the chosen colour, or with nothing chosen the colour in view. Different
// letters typed within the pause spell the beginning of a name, which may be the current colour's
// own ("с", "р": сребрист); the same letter repeated moves on as a slow repeat does ("с", "с": the
// second colour beginning with "с"). Capital and small letters are alike. Each list keeps its own.
class TypeAhead {
public:
    // The colour of `colours` that `letter`, typed at `atMs` milliseconds on the window system's
    // clock (which may wrap round at 2^32), chooses with `chosen` chosen (kNoSelection for none) and
    // `inView` in view; kNoSelection where no colour begins with what was typed: then nothing
    // changes. Space, which chooses the colour in view (ListKey::ChooseInView), and control
    // characters are no letters: they choose nothing and leave the search as it is.
    forms::Index type(char32_t letter, std::uint32_t atMs, forms::Index chosen, forms::Index inView,
                      std::span<const bands::Colour> colours);

    // Nobody types more than a name's worth without a pause; beyond this nothing can match anyway.
    static constexpr std::size_t kLongestSearch = 32;

private:
    // What has been typed since the last pause, in small letters.
    std::array<char32_t, kLongestSearch> m_typed{};
    std::size_t m_length = 0;
    std::uint32_t m_lastMs = 0;
};

} // namespace list_keys
