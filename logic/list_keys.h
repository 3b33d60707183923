// SPDX-License-Identifier: MIT
// How a colour list answers the keyboard, alike in every window: which colour each key chooses.
#pragma once

#include "forms.h"

namespace list_keys {

// What the keys of a colour list ask for, whichever keys a toolkit calls them by: Back (Up, Left,
// Page Up), Forward (Down, Right, Page Down), First (Home), Last (End), ChooseInView (Space). Typed
// letters are the toolkit's own list box search.
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

} // namespace list_keys
