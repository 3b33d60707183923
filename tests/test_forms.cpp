// SPDX-License-Identifier: MIT
// The text/number conversions, checked under a comma-decimal locale as a desktop program may run.
// clazy:excludeall=non-pod-global-static (doctest registers its test cases in static objects)
#include "forms.h"

#include <doctest/doctest.h>

#include <array>
#include <clocale>
#include <cstdlib>
#include <locale>
#include <string>
#include <string_view>

namespace {

// A Bulgarian desktop writes 1,5: the conversions must not follow it. Windows names its locales in
// its own way, and MinGW's C++ library knows only the "C" one, so there the C library's alone is set.
// The browser edition's C library has "." whatever locale is named: there the rows run as they are.
void useCommaLocale()
{
#if defined(__EMSCRIPTEN__)
    return;
#elif defined(_WIN32)
    const char* name = std::setlocale(LC_ALL, "Bulgarian_Bulgaria.1251");
    REQUIRE(name != nullptr);
#else
    const char* name = std::setlocale(LC_ALL, "bg_BG.UTF-8");
    REQUIRE(name != nullptr); // where it fails, bg_BG.UTF-8 is not installed: the test command generates it
    std::locale::global(std::locale("bg_BG.UTF-8"));
#endif
    REQUIRE(std::string_view(std::localeconv()->decimal_point) == ",");
    REQUIRE(std::strtod("1.5", nullptr) == 1.0);
}

struct NumberRow {
    const char* name;
    double value;
    std::string_view text;
};

struct TextRow {
    const char* name;
    std::string_view text;
    double value;
};

} // namespace

TEST_CASE("numberText writes plain decimals with a point whatever the locale")
{
    useCommaLocale();
    const std::array rows = {
        NumberRow{"zero", 0.0, " 0"},
        NumberRow{"two digits", 47.0, " 47"},
        NumberRow{"hundreds", 990.0, " 990"},
        NumberRow{"quotient with point", 4700.0 / 1000, " 4.7"},
        NumberRow{"quotient whole", 10000.0 / 1000, " 10"},
        NumberRow{"largest value, no separator", 990000000.0, " 990000000"},
        NumberRow{"no exponent for large", 1e20, " 100000000000000000000"},
        NumberRow{"no exponent for small", 1.5e-7, " 0.00000015"},
        NumberRow{"below one", 0.25, " 0.25"},
        NumberRow{"binary noise rounded away", 0.1 + 0.2, " 0.3"},
        NumberRow{"15 significant digits", 123456789012345678.0, " 123456789012346000"},
        NumberRow{"fraction kept to 15 digits", 1.0 / 3, " 0.333333333333333"},
        NumberRow{"negative", -2.5, "-2.5"},
    };
    for (const auto& row : rows) {
        CAPTURE(row.name);
        CHECK(forms::numberText(row.value) == row.text);
    }
}

TEST_CASE("textToNumber reads the leading decimal digits with a point whatever the locale")
{
    useCommaLocale();
    const std::array rows = {
        TextRow{"empty", "", 0.0},
        TextRow{"digit", "7", 7.0},
        TextRow{"zero", "0", 0.0},
        TextRow{"point, not the locale's comma", "1.5", 1.5},
        TextRow{"comma ends the number", "1,5", 1.0},
        TextRow{"leading point", ".25", 0.25},
        TextRow{"trailing text", "0.50%", 0.5},
        TextRow{"second point ends it", "1.2.3", 1.2},
        TextRow{"no digits", "x 10", 0.0},
        TextRow{"point alone", ".", 0.0},
    };
    for (const auto& row : rows) {
        CAPTURE(row.name);
        CHECK(forms::textToNumber(row.text) == row.value);
    }
}

TEST_CASE("itemText is empty for no selection")
{
    constexpr std::array<std::string_view, 2> items = {"a", "b"};
    CHECK(forms::itemText(items, forms::kNoSelection).empty());
    CHECK(forms::itemText(items, 1) == "b");
}
