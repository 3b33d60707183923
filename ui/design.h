// The fixed design of the Malvoran window: every shown control with its place in twips, colours,
// texts and keyboard order, and the introduction the report box shows at start.
#pragma once

#include <array>
#include <cmath>
#include <optional>
#include <string_view>

namespace design {

enum class Array { Label1, List1, Command1, Text1 };

struct Rgb {
    int red;
    int green;
    int blue;
};

struct Control {
    Array array;
    int index;
    int left;
    int top;
    int width;
    int height;
    std::string_view text;
    std::optional<Rgb> background;
    int tabIndex;
    // What a screen reader says for a control that takes the focus, and what it is for.
    std::string_view accessibleName = {};
    std::string_view accessibleDescription = {};
};

// Size of the client area, in twips.
inline constexpr int kClientWidth = 6915;
inline constexpr int kClientHeight = 4470;
inline constexpr Rgb kWindowBackground{192, 192, 255};

inline constexpr std::string_view kTitle = "Физика - резистори, номинал, точност";
inline constexpr std::string_view kFontFamily = "Times New Roman";
inline constexpr int kFontPointSize = 12;

// The lookup lists List2 are not controls here: the logic reads them as tables. The hidden
// quotation box Text1(1) is not built, since nothing ever shows or reads it.
inline constexpr Rgb kHeading{255, 192, 128};
inline constexpr std::array kControls = {
    Control{Array::Label1, 0, 960, 0, 4575, 375, "Malvoran", kHeading, 2},
    Control{Array::Label1, 1, 120, 480, 1600, 375, "Номинал", kHeading, 3},
    Control{Array::Label1, 4, 1800, 480, 1605, 375, "Номинал", kHeading, 6},
    Control{Array::Label1, 2, 3480, 480, 1600, 375, "Множител", kHeading, 4},
    Control{Array::Label1, 3, 5160, 480, 1600, 375, "Точност", kHeading, 5},
    Control{Array::List1,
            0,
            120,
            960,
            1600,
            345,
            {},
            std::nullopt,
            7,
            "Първа цифра",
            "Цвят на първата лента на резистора"},
    Control{Array::List1,
            1,
            1800,
            960,
            1600,
            345,
            {},
            std::nullopt,
            8,
            "Втора цифра",
            "Цвят на втората лента на резистора"},
    Control{Array::List1,
            2,
            3480,
            960,
            1600,
            345,
            {},
            std::nullopt,
            9,
            "Множител",
            "Цвят на третата лента на резистора"},
    Control{Array::List1,
            3,
            5160,
            960,
            1600,
            345,
            {},
            std::nullopt,
            10,
            "Точност",
            "Цвят на четвъртата лента на резистора"},
    Control{Array::Command1, 0, 240, 1920, 2055, 375, "Изчисли", Rgb{128, 255, 128}, 15, "Изчисли",
            "Показва избраните цифри, номинала и точността на резистора"},
    Control{Array::Command1, 1, 4200, 1920, 2055, 375, "Изтрий", Rgb{255, 128, 128}, 16, "Изтрий",
            "Изчиства избраните цветове"},
    Control{Array::Text1,
            0,
            120,
            2520,
            6735,
            1815,
            {},
            std::nullopt,
            0,
            "Резултат",
            "Избрана стойност, номинал и точност на резистора"},
};

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

// 15 twips make one pixel at 96 dots per inch; each edge is rounded on its own so that controls
// which meet in twips also meet in pixels.
inline constexpr int kTwipsPerPixel = 15;

constexpr int toPixels(int twips)
{
    return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel;
}

struct PixelRect {
    int x;
    int y;
    int width;
    int height;
};

constexpr PixelRect toPixels(const Control& c)
{
    const int x = toPixels(c.left);
    const int y = toPixels(c.top);
    return {x, y, toPixels(c.left + c.width) - x, toPixels(c.top + c.height) - y};
}

} // namespace design
