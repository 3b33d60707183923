// SPDX-License-Identifier: MIT
// The forms services the colour-code logic stands on: window operations and text/number conversions.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace forms {

// Control array index and selected position of a list; -1 means "no selection".
using Index = std::int16_t;

inline constexpr Index kNoSelection = -1;

// Line break of every multi-line text the program writes.
inline constexpr std::string_view kCrLf = "\r\n";

// The four colour lists List1(0) to List1(3) of a window, as the logic sees them: the window owns
// their choices.
class ColourLists {
public:
    virtual ~ColourLists() = default;

protected:
    // Copied only as a whole concrete window, never sliced through this interface.
    ColourLists() = default;
    ColourLists(const ColourLists&) = default;
    ColourLists(ColourLists&&) = default;
    ColourLists& operator=(const ColourLists&) = default;
    ColourLists& operator=(ColourLists&&) = default;

public:
    // Selected position of colour list List1(list); kNoSelection when nothing is chosen.
    virtual Index selectedPosition(Index list) const = 0;

    // Selects `position` in List1(list); kNoSelection removes the selection.
    virtual void setSelectedPosition(Index list, Index position) = 0;
};

// The state of the main window as the logic sees it: its colour lists and its report box. The window
// owns all of it; the logic keeps nothing between button presses.
class Window : public ColourLists {
public:
    // The whole text of the report box, exactly as last written (CR LF included).
    virtual std::string reportText() const = 0;

    // Replaces the whole text of the report box; each CR LF starts a new line on screen.
    virtual void setReportText(std::string_view text) = 0;
};

// Item text of a fixed lookup list at `position`; the empty text for kNoSelection.
// Only positions from kNoSelection to items.size() - 1 are valid.
std::string_view itemText(std::span<const std::string_view> items, Index position);

// The number written by the leading decimal digits of `text`, with an optional decimal point;
// 0 when there are none (the empty text included). Independent of the user's locale.
double textToNumber(std::string_view text);

// One space (a minus sign for negative values), then `value` in plain decimal notation with at
// most 15 significant digits: no exponent, "." as decimal separator whatever the locale, no
// thousands separator, no trailing zeros and no point for whole values.
std::string numberText(double value);

} // namespace forms
