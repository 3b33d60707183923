// SPDX-License-Identifier: MIT
// The nominal value and the report, driven through an in-memory window. The example reports and the
// clear action are the window contract's (test_window_contract), which runs against every window.
// clazy:excludeall=non-pod-global-static (doctest registers its test cases in static objects)
#include "colour_code.h"
#include "expected_report.h"
#include "fake_window.h"

#include <doctest/doctest.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

using colour_code::Command1_Click;

namespace {

// Positions in the colour lists, named after the colours they hold.
enum Digit : forms::Index { none = -1, black, brown, red, orange, yellow, green, blue, violet, grey, white };
enum Tolerance : forms::Index { tBrown, tRed, tGreen, tBlue, tViolet, tGrey, tGold, tSilver };

FakeWindow windowWith(forms::Index first, forms::Index second, forms::Index multiplier,
                      forms::Index tolerance)
{
    FakeWindow window;
    window.selections = {first, second, multiplier, tolerance};
    return window;
}

struct NominalRow {
    const char* name;
    forms::Index first;
    forms::Index second;
    forms::Index multiplier;
    std::string_view text;
};

} // namespace

TEST_CASE("NominalText scales the value to k and m")
{
    const std::array rows = {
        NominalRow{"yellow violet red", yellow, violet, red, " 4.7 k"},
        NominalRow{"brown black black", brown, black, black, " 10"},
        NominalRow{"white white brown", white, white, brown, " 990"},
        NominalRow{"999 stays below k", white, white, brown, " 990"},
        NominalRow{"brown black red: exactly 1000", brown, black, red, " 1 k"},
        NominalRow{"brown black orange", brown, black, orange, " 10 k"},
        NominalRow{"white white yellow: below 1000000", white, white, yellow, " 990 k"},
        NominalRow{"brown black green: exactly 1000000", brown, black, green, " 1 m"},
        NominalRow{"white white violet: the largest", white, white, violet, " 990 m"},
        NominalRow{"black black violet: zero has no suffix", black, black, violet, " 0"},
        NominalRow{"nothing chosen", none, none, none, " 0"},
        NominalRow{"yellow, no second digit, no multiplier", yellow, none, none, " 40"},
        NominalRow{"no first digit, violet red", none, violet, red, " 700"},
        NominalRow{"no multiplier counts as x 1", green, blue, none, " 56"},
        NominalRow{"quotient keeps one decimal", red, red, yellow, " 220 k"},
        NominalRow{"mega with decimal", blue, grey, green, " 6.8 m"},
    };
    for (const auto& row : rows) {
        CAPTURE(row.name);
        const auto window = windowWith(row.first, row.second, row.multiplier, none);
        CHECK(colour_code::NominalText(window) == row.text);
    }
}

TEST_CASE("Command1_Click with another index does nothing")
{
    for (const forms::Index index : {forms::Index{-1}, forms::Index{2}, forms::Index{32767}}) {
        CAPTURE(index);
        auto window = windowWith(yellow, violet, red, tGold);
        window.report = "непроменен";
        Command1_Click(window, index);
        CHECK((window.selections == std::array<forms::Index, 4>{yellow, violet, red, tGold}));
        CHECK(window.report == "непроменен");
    }
}

// Every one of the 11 x 11 x 9 x 9 selection states: the report is the shared oracle's, byte for
// byte, and each line also holds what it should when read back on its own: the digits and tolerance
// as the oracle names them, and a nominal value that parses back to the oracle's ohms.
TEST_CASE("every selection gives three consistent lines")
{
    int checked = 0;
    for (forms::Index p0 = -1; p0 <= 9; ++p0)
        for (forms::Index p1 = -1; p1 <= 9; ++p1)
            for (forms::Index p2 = -1; p2 <= 7; ++p2)
                for (forms::Index p3 = -1; p3 <= 7; ++p3) {
                    auto window = windowWith(p0, p1, p2, p3);
                    window.report = "x";
                    Command1_Click(window, colour_code::Calculate);
                    const auto& text = window.report;
                    const oracle::Choice choice{p0, p1, p2, p3};
                    const std::string state = std::to_string(p0) + ' ' + std::to_string(p1) + ' ' +
                                              std::to_string(p2) + ' ' + std::to_string(p3);
                    CAPTURE(state);
                    REQUIRE(text == oracle::report(choice));

                    std::vector<std::string> lines;
                    std::size_t start = 0;
                    for (auto end = text.find("\r\n"); end != std::string::npos;
                         end = text.find("\r\n", start)) {
                        lines.push_back(text.substr(start, end - start));
                        start = end + 2;
                    }
                    REQUIRE((start == text.size() && lines.size() == 3));
                    for (const auto& line : lines)
                        REQUIRE(line.find_first_of("\r\n") == std::string::npos);

                    REQUIRE(lines[0] == "Избрана стойност: " + oracle::digits(choice));
                    REQUIRE(lines[2] == "Точност: " + oracle::tolerance(choice));

                    const std::int64_t ohms = oracle::ohms(choice);
                    const std::string prefix = "Номинал:  ";
                    REQUIRE(lines[1].starts_with(prefix));
                    std::string_view number = std::string_view(lines[1]).substr(prefix.size());
                    std::int64_t scale = 1;
                    if (number.ends_with(" k"))
                        scale = 1000;
                    else if (number.ends_with(" m"))
                        scale = 1000000;
                    if (scale != 1)
                        number.remove_suffix(2);
                    const std::int64_t expectedScale = ohms >= 1000000 ? 1000000 : ohms >= 1000 ? 1000 : 1;
                    REQUIRE(scale == expectedScale);
                    REQUIRE(number.find_first_not_of("0123456789.") == std::string_view::npos);
                    // The test itself runs in the C locale, whose strtod reads ".".
                    const std::string digits(number);
                    char* end = nullptr;
                    const double shown = std::strtod(digits.c_str(), &end);
                    REQUIRE(end == digits.c_str() + digits.size());
                    REQUIRE(std::llround(shown * static_cast<double>(scale)) == ohms);
                    REQUIRE((number.find('.') == std::string_view::npos || number.back() != '0'));
                    ++checked;
                }
    CHECK(checked == 11 * 11 * 9 * 9);
}
