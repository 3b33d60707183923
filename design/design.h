// SPDX-License-Identifier: MIT
// The fixed design of the program's windows, and of the Malvoran window itself: every shown control
// with its place in twips, colours, texts and keyboard order, and the introduction the report box
// shows at start.
#pragma once

#include "bands.h"
#include "look.h"
#include "resistor.h"
#include "units.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace design {

enum class Array { Label1, List1, Command1, Text1 };

struct Control {
    Array array;
    int index;
    int left;
    int top;
    int width;
    int height;
    std::string_view text = {};
    std::optional<Rgb> background = std::nullopt;
    int tabIndex = 0;
    // What a screen reader says for a control that takes the focus, and what it is for.
    std::string_view accessibleName = {};
    std::string_view accessibleDescription = {};
    // A label whose text may take more than one line.
    bool wraps = false;
    // A text box of one line (no line breaks, no scroll bar), rather than of many.
    bool singleLine = false;
    // A text box the student reads but does not type into.
    bool readOnly = false;
    // The most characters a text box holds, a line break counting as one; 0 for no limit of its own.
    int maxLength = 0;
    // Whether a screen reader hears each new text of the control as soon as it is written.
    bool live = false;
    // For a one-line text box: the Command1 button that Enter in it presses, or kNoButton.
    int enterPresses = -1;
};
inline constexpr int kNoButton = -1;

// A designed window: its controls, their keyboard order, where the resistor lies, and how it is
// named. Every front-end builds any form from this, the same way.
struct Form {
    // The window's own name, as tools and tests find it: "Malvoran".
    std::string_view name;
    std::string_view title;
    // Size of the client area, in twips.
    int clientWidth;
    int clientHeight;
    Rgb background;
    std::span<const Control> controls;
    // The rows of `controls` that take the keyboard focus, in the order Tab visits them.
    std::span<const std::size_t> focusOrder;
    // Where the resistor picture lies: a rectangle the size of kResistor.area.
    TwipsRect picture;
    // Whether Enter on a focused button presses it, as in a dialog box; otherwise only Space does.
    bool enterPressesButton = false;
};

// The rows of `controls` that take the keyboard focus (every one but the labels), in the order Tab
// visits them: the designed tab indexes, worked out once when the program is compiled.
// (The iterator algorithms rather than std::ranges: the browser edition's C++ library has only these.)
template <const auto& controls> constexpr auto focusOrderOf()
{
    constexpr auto takesFocus = [](const Control& c) { return c.array != Array::Label1; };
    constexpr auto byTabIndex = [](std::size_t one, std::size_t other) {
        return controls[one].tabIndex < controls[other].tabIndex;
    };
    std::array<std::size_t, std::count_if(controls.begin(), controls.end(), takesFocus)> rows{};
    std::size_t next = 0;
    for (std::size_t row = 0; row < controls.size(); ++row)
        if (takesFocus(controls[row]))
            rows[next++] = row;
    std::sort(rows.begin(), rows.end(), byTabIndex);
    return rows;
}

// Whether every control of `form` that takes the focus has a tab index of its own.
constexpr bool tabIndexesDistinct(std::span<const Control> controls, std::span<const std::size_t> order)
{
    return std::adjacent_find(order.begin(), order.end(), [controls](std::size_t one, std::size_t other) {
               return controls[one].tabIndex >= controls[other].tabIndex;
           }) == order.end();
}

// The design of array(index) in `form`; nullptr for a control the form does not have.
constexpr const Control* designOf(const Form& form, Array array, int index)
{
    const auto found =
        std::find_if(form.controls.begin(), form.controls.end(),
                     [array, index](const Control& c) { return c.array == array && c.index == index; });
    return found == form.controls.end() ? nullptr : &*found;
}

// The row of `form.controls` that `control` is.
constexpr std::size_t rowOf(const Form& form, const Control& control)
{
    return static_cast<std::size_t>(&control - form.controls.data());
}

// Size of the client area, in twips.
inline constexpr int kClientWidth = 6915;
inline constexpr int kClientHeight = 4470;
inline constexpr Rgb kWindowBackground{192, 192, 255};

inline constexpr std::string_view kTitle = "Физика - резистори, номинал, точност";

// The font of the window and every control in it.
inline constexpr std::string_view kFontFamily = "Times New Roman";
inline constexpr int kFontPointSize = 12;
// The lookup lists List2 are not controls here: the logic reads them as tables. The hidden
// quotation box Text1(1) is not built, since nothing ever shows or reads it.
inline constexpr Rgb kHeading{255, 192, 128};
// The buttons' faces: light green for the one that goes ahead, light red for the one that starts over.
inline constexpr Rgb kGreenButton{128, 255, 128};
inline constexpr Rgb kRedButton{255, 128, 128};
// The most characters the report box holds, in both windows: a longer paste is cut here. A
// student's notes are far shorter; more than this and the box, wrapping one long paragraph, takes
// longer than a blink to paste or type into (bench/paste_win32.cpp measures it).
inline constexpr int kReportLimit = 32767;
static_assert(kReportLimit >= 32767, "at least what Windows' edit box holds by default");

// One row a control, in the order of the design; the rows are laid out as a table to be read across.
// clang-format off
inline constexpr std::array kControls = {
    Control{.array = Array::Label1, .index = 0, .left = 960, .top = 0, .width = 4575, .height = 375,
            .text = "Malvoran", .background = kHeading, .tabIndex = 2},
    Control{.array = Array::Label1, .index = 1, .left = 120, .top = 480, .width = 1600, .height = 375,
            .text = "Номинал", .background = kHeading, .tabIndex = 3},
    Control{.array = Array::Label1, .index = 4, .left = 1800, .top = 480, .width = 1605, .height = 375,
            .text = "Номинал", .background = kHeading, .tabIndex = 6},
    Control{.array = Array::Label1, .index = 2, .left = 3480, .top = 480, .width = 1600, .height = 375,
            .text = "Множител", .background = kHeading, .tabIndex = 4},
    Control{.array = Array::Label1, .index = 3, .left = 5160, .top = 480, .width = 1600, .height = 375,
            .text = "Точност", .background = kHeading, .tabIndex = 5},
    Control{.array = Array::List1, .index = 0, .left = 120, .top = 960, .width = 1600, .height = 345,
            .tabIndex = 7, .accessibleName = bands::kBandNames[0],
            .accessibleDescription = "Цвят на първата лента на резистора"},
    Control{.array = Array::List1, .index = 1, .left = 1800, .top = 960, .width = 1600, .height = 345,
            .tabIndex = 8, .accessibleName = bands::kBandNames[1],
            .accessibleDescription = "Цвят на втората лента на резистора"},
    Control{.array = Array::List1, .index = 2, .left = 3480, .top = 960, .width = 1600, .height = 345,
            .tabIndex = 9, .accessibleName = bands::kBandNames[2],
            .accessibleDescription = "Цвят на третата лента на резистора"},
    Control{.array = Array::List1, .index = 3, .left = 5160, .top = 960, .width = 1600, .height = 345,
            .tabIndex = 10, .accessibleName = bands::kBandNames[3],
            .accessibleDescription = "Цвят на четвъртата лента на резистора"},
    Control{.array = Array::Command1, .index = 0, .left = 240, .top = 1920, .width = 2055, .height = 375,
            .text = "Изчисли", .background = kGreenButton, .tabIndex = 15, .accessibleName = "Изчисли",
            .accessibleDescription = "Показва избраните цифри, номинала и точността на резистора"},
    Control{.array = Array::Command1, .index = 1, .left = 4200, .top = 1920, .width = 2055, .height = 375,
            .text = "Изтрий", .background = kRedButton, .tabIndex = 16, .accessibleName = "Изтрий",
            .accessibleDescription = "Изчиства избраните цветове"},
    Control{.array = Array::Text1, .index = 0, .left = 120, .top = 2520, .width = 6735, .height = 1815,
            .tabIndex = 0, .accessibleName = "Резултат",
            .accessibleDescription = "Избрана стойност, номинал и точност на резистора",
            .maxLength = kReportLimit},
};
// clang-format on

// What the report box shows before the first press; every line ends with CR LF, and the spaces
// before a line end belong to the text.
inline constexpr std::string_view kIntroduction =
    "Резисторът е пасивен електронен компонент, чиято основна характеристика е електрическо "
    "съпротивление. Единицата за измерване на съпротивлението на резисторите е ом - в чест на "
    "немския физик Друвен. \r\n"
    "Резисторите могат да бъдат:\r\n"
    "според използвания материала: метални и графитни; \r\n"
    "според начина на изработване: обемни, слойни и жични;\r\n"
    "според номиналната им стойност, точност, мощност и т.н.\r\n"
    "Да се реализира проект отразяващ междупредметни връзки Физика и Информатика.\r\n"
    "Тема на проекта: Malvoran.\r\n"
    "Да се използва най-често използвания модел за индикация с четири цветни точки или ленти, "
    "нанесени върху корпуса на резистора.\r\n"
    "В 4 списъчни полета се въвеждат допустимите цветове за номинал - 2 бр. за множител и точност.\r\n"
    "Потребителят избира цветове и в текстово поле се извежда номиналната стойност и точността на "
    "резистора.\r\n"
    "Прочетете допълнителен материал за допустими стойности на резисторите.\r\n";

// What counts against the limit is what the student sees: each character, a line break as one, as a
// box that keeps a line break as one character does (Qt's, a browser's text area). Windows' edit box
// keeps it as CR LF, and its window counts the pair once. A character beyond 16 bits takes two, as
// every box holds it in UTF-16.
template <typename Char> constexpr std::size_t reportLength(std::basic_string_view<Char> text)
{
    std::size_t length = text.size();
    for (std::size_t i = 1; i < text.size(); ++i)
        if (text[i - 1] == Char('\r') && text[i] == Char('\n'))
            --length;
    return length;
}

// How much of the beginning of `text` (UTF-16, as a box holds it) takes at most `room` of the limit:
// never cut between CR and LF, nor between the halves of a character beyond 16 bits.
template <typename Char>
constexpr std::size_t fittingLength(std::basic_string_view<Char> text, std::size_t room)
{
    const auto highHalf = [](Char c) { return c >= Char(0xD800) && c <= Char(0xDBFF); };
    std::size_t at = 0;
    for (std::size_t taken = 0; at < text.size();) {
        const bool pair = at + 1 < text.size() &&
                          ((text[at] == Char('\r') && text[at + 1] == Char('\n')) || highHalf(text[at]));
        const std::size_t cost = pair && highHalf(text[at]) ? 2 : 1;
        if (taken + cost > room)
            break;
        taken += cost;
        at += pair ? 2 : 1;
    }
    return at;
}

// What a box that keeps a line break as one character shows of a report written with CR LF: each
// line break, CR LF or a lone CR or LF, as one LF.
std::string shownReport(std::string_view written);
// The report read back from such a box where the student typed: each line break as CR LF again.
std::string writtenReport(std::string_view shown);

// The report box's own right-click menu, in the window's language whatever the system's: what each
// item does, as the edit box's own menu has them, and its text ("&" before the letter that chooses
// it). Qt's report box shows Qt's own menu, in Qt's Bulgarian wording.
enum class ReportEdit { Undo, Cut, Copy, Paste, Delete, SelectAll };
struct ReportMenuItem {
    ReportEdit edit;
    std::string_view text;
    bool separatorBefore = false;
};
// clang-format off
inline constexpr std::array kReportMenu = {
    ReportMenuItem{.edit = ReportEdit::Undo, .text = "&Отмени"},
    ReportMenuItem{.edit = ReportEdit::Cut, .text = "&Изрежи", .separatorBefore = true},
    ReportMenuItem{.edit = ReportEdit::Copy, .text = "&Копирай"},
    ReportMenuItem{.edit = ReportEdit::Paste, .text = "&Постави"},
    ReportMenuItem{.edit = ReportEdit::Delete, .text = "Из&трий"},
    ReportMenuItem{.edit = ReportEdit::SelectAll, .text = "Избери &всичко", .separatorBefore = true},
};
// clang-format on

// The Malvoran window's controls in the order Tab visits them.
inline constexpr auto kFocusOrder = focusOrderOf<kControls>();
static_assert(tabIndexesDistinct(kControls, kFocusOrder), "no two controls share a tab index");

inline constexpr Form kMalvoran = {
    .name = "Malvoran",
    .title = kTitle,
    .clientWidth = kClientWidth,
    .clientHeight = kClientHeight,
    .background = kWindowBackground,
    .controls = kControls,
    .focusOrder = kFocusOrder,
    .picture = kResistor.area,
};

// The design of array(index) in the Malvoran window; nullptr for a control it does not have.
constexpr const Control* designOf(Array array, int index)
{
    return designOf(kMalvoran, array, index);
}

constexpr PixelRect toPixels(const Control& c, int dpi = kStandardDpi)
{
    return toPixels(TwipsRect{c.left, c.top, c.width, c.height}, dpi);
}

// The name of a control in the design, "List1(2)": front-ends name their controls so, for tests and
// tools to find them.
std::string controlName(Array array, int index);
std::string controlName(const Control& control);

// Every character the windows can show (printable ASCII, the Cyrillic alphabet, and each character of
// the titles, introduction, captions, colour names and the practice's texts), once each, as UTF-8:
// for checking that a font has every glyph.
std::string shownCharacters();

} // namespace design
