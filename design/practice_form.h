// SPDX-License-Identifier: MIT
// The fixed design of the practice window, "Malvoran — упражнение": Malvoran's lavender, orange
// headings, colour lists and resistor, with the task above them, an answer box and its feedback below,
// and the round's score and number at the foot.
#pragma once

#include "design.h"
#include "practice.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace design {

inline constexpr std::string_view kPracticeTitle = "Malvoran — упражнение";

// Tab visits the lists, the answer and "Провери", the feedback, "Следваща", then the round's box and
// "Нов кръг"; labels take no focus.
// clang-format off
inline constexpr std::array kPracticeControls = {
    Control{.array = Array::Label1, .index = 0, .left = 960, .top = 0, .width = 4575, .height = 375,
            .text = kPracticeTitle, .background = kHeading, .tabIndex = 10},
    Control{.array = Array::Label1, .index = 1, .left = 120, .top = 435, .width = 6675, .height = 690,
            .tabIndex = 11, .wraps = true, .live = true},
    Control{.array = Array::Label1, .index = 2, .left = 120, .top = 1200, .width = 1600, .height = 375,
            .text = bands::kBandNames[0], .background = kHeading, .tabIndex = 12},
    Control{.array = Array::Label1, .index = 3, .left = 1800, .top = 1200, .width = 1605, .height = 375,
            .text = bands::kBandNames[1], .background = kHeading, .tabIndex = 13},
    Control{.array = Array::Label1, .index = 4, .left = 3480, .top = 1200, .width = 1600, .height = 375,
            .text = bands::kBandNames[2], .background = kHeading, .tabIndex = 14},
    Control{.array = Array::Label1, .index = 5, .left = 5160, .top = 1200, .width = 1600, .height = 375,
            .text = bands::kBandNames[3], .background = kHeading, .tabIndex = 15},
    Control{.array = Array::List1, .index = 0, .left = 120, .top = 1680, .width = 1600, .height = 345,
            .tabIndex = 0, .accessibleName = bands::kBandNames[0],
            .accessibleDescription = "Цвят на първата лента на резистора"},
    Control{.array = Array::List1, .index = 1, .left = 1800, .top = 1680, .width = 1605, .height = 345,
            .tabIndex = 1, .accessibleName = bands::kBandNames[1],
            .accessibleDescription = "Цвят на втората лента на резистора"},
    Control{.array = Array::List1, .index = 2, .left = 3480, .top = 1680, .width = 1600, .height = 345,
            .tabIndex = 2, .accessibleName = bands::kBandNames[2],
            .accessibleDescription = "Цвят на третата лента на резистора"},
    Control{.array = Array::List1, .index = 3, .left = 5160, .top = 1680, .width = 1600, .height = 345,
            .tabIndex = 3, .accessibleName = bands::kBandNames[3],
            .accessibleDescription = "Цвят на четвъртата лента на резистора"},
    Control{.array = Array::Label1, .index = 6, .left = 120, .top = 2640, .width = 1600, .height = 375,
            .text = "Отговор", .background = kHeading, .tabIndex = 16},
    Control{.array = Array::Text1, .index = 1, .left = 1800, .top = 2640, .width = 3285, .height = 375,
            .tabIndex = 4, .accessibleName = "Отговор",
            .accessibleDescription = "Стойността, за която пита задачата, например 4,7 kΩ или 4k7",
            .singleLine = true, .maxLength = practice::kAnswerLimit, .enterPresses = practice::Check},
    Control{.array = Array::Command1, .index = 0, .left = 5160, .top = 2640, .width = 1600, .height = 375,
            .text = "Провери", .background = kGreenButton, .tabIndex = 5, .accessibleName = "Провери",
            .accessibleDescription = "Проверява отговора на задачата"},
    Control{.array = Array::Text1, .index = 0, .left = 120, .top = 3120, .width = 6675, .height = 2295,
            .tabIndex = 6, .accessibleName = "Оценка",
            .accessibleDescription = "Дали отговорът е верен, и защо", .readOnly = true, .live = true},
    Control{.array = Array::Label1, .index = 7, .left = 120, .top = 5520, .width = 1600, .height = 375,
            .text = "Верни: 0 от 0", .tabIndex = 17},
    Control{.array = Array::Command1, .index = 1, .left = 1800, .top = 5520, .width = 1605, .height = 375,
            .text = "Следваща", .background = kGreenButton, .tabIndex = 7, .accessibleName = "Следваща",
            .accessibleDescription = "Следващата задача от кръга"},
    Control{.array = Array::Label1, .index = 8, .left = 3480, .top = 5520, .width = 720, .height = 375,
            .text = "Кръг", .background = kHeading, .tabIndex = 18},
    Control{.array = Array::Text1, .index = 2, .left = 4275, .top = 5520, .width = 810, .height = 375,
            .tabIndex = 8, .accessibleName = "Кръг",
            .accessibleDescription = "Номерът на кръга, от 1 до 9999", .singleLine = true,
            .maxLength = practice::kAnswerLimit, .enterPresses = practice::NewRound},
    Control{.array = Array::Command1, .index = 2, .left = 5160, .top = 5520, .width = 1600, .height = 375,
            .text = "Нов кръг", .background = kRedButton, .tabIndex = 9, .accessibleName = "Нов кръг",
            .accessibleDescription = "Започва кръга с номера от полето „Кръг“"},
};
// clang-format on

inline constexpr auto kPracticeFocusOrder = focusOrderOf<kPracticeControls>();
static_assert(tabIndexesDistinct(kPracticeControls, kPracticeFocusOrder),
              "no two controls share a tab index");

inline constexpr Form kPractice = {
    .name = "Practice",
    .title = kPracticeTitle,
    .clientWidth = 6915,
    .clientHeight = 6015,
    .background = kWindowBackground,
    .controls = kPracticeControls,
    .focusOrder = kPracticeFocusOrder,
    .picture = {.left = 120, .top = 2085, .width = kResistor.area.width, .height = kResistor.area.height},
    .enterPressesButton = true,
};

// The control of the practice window that shows each part the practice names.
struct PracticePart {
    practice::Part part;
    Array array;
    int index;
};
inline constexpr std::array kPracticeParts = {
    PracticePart{practice::Part::Statement, Array::Label1, 1},
    PracticePart{practice::Part::Colours, Array::List1, 0},
    PracticePart{practice::Part::Answer, Array::Text1, 1},
    PracticePart{practice::Part::Check, Array::Command1, 0},
    PracticePart{practice::Part::Feedback, Array::Text1, 0},
    PracticePart{practice::Part::Next, Array::Command1, 1},
    PracticePart{practice::Part::RoundNumber, Array::Text1, 2},
    PracticePart{practice::Part::NewRound, Array::Command1, 2},
    PracticePart{practice::Part::Score, Array::Label1, 7},
};

constexpr const Control& practiceControl(practice::Part part)
{
    const auto* found = std::find_if(kPracticeParts.begin(), kPracticeParts.end(),
                                     [part](const PracticePart& p) { return p.part == part; });
    return *designOf(kPractice, found->array, found->index);
}

} // namespace design
