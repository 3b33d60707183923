// SPDX-License-Identifier: MIT
// The practice's rules without a window: reading answers, value texts, tolerance ranges, the standard
// series, and the rounds themselves, the same in every build (natively, under Wine and under node).
// clazy:excludeall=non-pod-global-static (doctest registers its test cases in static objects)
#include "list_keys.h"
#include "practice.h"
#include "series.h"

#include <doctest/doctest.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <span>
#include <string>
#include <string_view>

namespace {

using practice::kOhm;
using practice::Milliohms;
constexpr Milliohms kKilohm = 1000 * kOhm;
constexpr Milliohms kMegohm = 1000 * kKilohm;

// `text` as the practice typesets it: a no-break space before a unit and between groups of digits,
// where this file writes a plain one.
std::string typeset(std::string_view text)
{
    std::string set(text);
    for (std::size_t at = set.find(' '); at != std::string::npos; at = set.find(' ', at + 1)) {
        const std::string_view after = std::string_view(set).substr(at + 1);
        const bool unit = after.starts_with("Ω") || after.starts_with("kΩ") || after.starts_with("MΩ");
        const bool digits = at > 0 && std::isdigit(static_cast<unsigned char>(set[at - 1])) != 0 &&
                            !after.empty() && std::isdigit(static_cast<unsigned char>(after.front())) != 0;
        if (unit || digits)
            set.replace(at, 1, practice::kNoBreakSpace);
    }
    return set;
}

// The colour a band shows, by its name in the list.
forms::Index position(bands::Band band, std::string_view name)
{
    const auto colours = bands::kColourLists.at(static_cast<std::size_t>(band));
    for (std::size_t p = 0; p < colours.size(); ++p)
        if (bands::colourName(colours[p]) == name)
            return static_cast<forms::Index>(p);
    FAIL("no colour ", std::string(name), " in list ", static_cast<int>(band));
    return forms::kNoSelection;
}

practice::Bands resistor(std::string_view first, std::string_view second, std::string_view multiplier,
                         std::string_view tolerance)
{
    return {position(bands::FirstDigit, first), position(bands::SecondDigit, second),
            position(bands::Multiplier, multiplier), position(bands::Tolerance, tolerance)};
}

} // namespace

TEST_CASE("answers read as a resistance, in every form a student writes one")
{
    struct Row {
        const char* answer;
        Milliohms value;
    };
    const std::array rows = {
        Row{"4,7 k", 4700 * kOhm},
        Row{"4,7k", 4700 * kOhm},
        Row{"4.7 k", 4700 * kOhm},
        Row{"4,7 kΩ", 4700 * kOhm},
        Row{"4,7 кΩ", 4700 * kOhm},
        Row{"4,7 К", 4700 * kOhm},
        Row{"4,7 K", 4700 * kOhm},
        Row{"4,7\u00A0kΩ", 4700 * kOhm},
        Row{"4,7 kΩ", 4700 * kOhm},
        Row{"4k7", 4700 * kOhm},
        Row{"4К7", 4700 * kOhm},
        Row{"4k465", 4465 * kOhm},
        Row{"47R", 47 * kOhm},
        Row{"4R7", 4700},
        Row{"R47", 470},
        Row{"k47", 470 * kOhm},
        Row{"4700", 4700 * kOhm},
        Row{"4 700", 4700 * kOhm},
        Row{"4700 Ω", 4700 * kOhm},
        Row{"4700 ом", 4700 * kOhm},
        Row{"4700 Ом", 4700 * kOhm},
        Row{"4700Ω", 4700 * kOhm},
        Row{"  4,7 k  ", 4700 * kOhm},
        Row{"2,2 M", 2200 * kKilohm},
        Row{"2,2 М", 2200 * kKilohm},
        Row{"2,2 m", 2200 * kKilohm},
        Row{"2,2 м", 2200 * kKilohm},
        Row{"2М2", 2200 * kKilohm},
        Row{"2,2 MΩ", 2200 * kKilohm},
        Row{"2,2 мом", 2200 * kKilohm},
        Row{"1 000 000", kMegohm},
        Row{"9,5 Ω", 9500},
        Row{"10,89", 10890},
        Row{"408,5 Ω", 408500},
        Row{"4,465 kΩ", 4465 * kOhm},
        Row{"0,004465 M", 4465 * kOhm},
        Row{"04,70 k", 4700 * kOhm},
        Row{"0", 0},
        Row{"4,7 k ом", 4700 * kOhm},
    };
    for (const auto& row : rows) {
        CAPTURE(row.answer);
        const auto read = practice::readAnswer(row.answer);
        REQUIRE(read.has_value());
        CHECK(read->milliohms == row.value);
    }
}

TEST_CASE("anything else is no resistance, and a value finer than a milliohm matches none")
{
    for (const char* answer :
         {"",       "   ",   "абв",       "4,7,7 k",  "4,7 kk",    "4,7 kΩΩ",  "k",        "kΩ",
          "-4,7 k", "+4,7k", "4 7 k",     "4700 000", "4.",        "4,7 kilo", "4,7 kOhm", "47 R",
          "4,7e3",  "4k7k",  "4 700,5 5", "\xD0",     "4,7 \x80k", "12а"}) {
        CAPTURE(answer);
        CHECK_FALSE(practice::readAnswer(answer).has_value());
    }
    // A resistance all the same, just not one the practice asks for.
    for (const char* answer : {"4,7000001 k", "123456789012345678901234567890"}) {
        CAPTURE(answer);
        const auto read = practice::readAnswer(answer);
        REQUIRE(read.has_value());
        CHECK_FALSE(read->milliohms.has_value());
    }
    // A megabyte's paste is read, or refused, in one pass.
    CHECK_FALSE(practice::readAnswer(std::string(1 << 20, 'a')).has_value());
    const auto digits = practice::readAnswer(std::string(1 << 20, '7'));
    REQUIRE(digits.has_value());
    CHECK_FALSE(digits->milliohms.has_value());
}

TEST_CASE("values are written as a Bulgarian reader writes them")
{
    struct Row {
        Milliohms value;
        const char* text;
    };
    for (const auto& row :
         std::array{Row{470 * kOhm, "470 Ω"}, Row{950 * kOhm, "950 Ω"}, Row{kKilohm, "1 kΩ"},
                    Row{4700 * kOhm, "4,7 kΩ"}, Row{4465 * kOhm, "4,465 kΩ"}, Row{9500, "9,5 Ω"},
                    Row{10890, "10,89 Ω"}, Row{2200 * kKilohm, "2,2 MΩ"}, Row{999500, "999,5 Ω"},
                    Row{10010 * kKilohm, "10,01 MΩ"}, Row{0, "0 Ω"}, Row{999999999, "999,999999 kΩ"}}) {
        CAPTURE(row.value);
        CHECK(practice::valueText(row.value) == typeset(row.text));
    }
    CHECK(practice::groupedNumber(1000) == "1000");
    CHECK(practice::groupedNumber(100000) == typeset("100 000"));
    CHECK(practice::groupedNumber(10000000) == typeset("10 000 000"));
}

TEST_CASE("a tolerance range is exact for ±1, 2, 5 and 10 per cent")
{
    struct Row {
        practice::Bands resistor;
        Milliohms lowest;
        Milliohms highest;
    };
    for (const auto& row :
         std::array{Row{resistor("жълт", "виолетов", "червен", "златист"), 4465 * kOhm, 4935 * kOhm},
                    Row{resistor("кафяв", "чер", "чер", "кафяв"), 9900, 10100},
                    Row{resistor("бял", "кафяв", "зелен", "червен"), 8918 * kKilohm, 9282 * kKilohm},
                    Row{resistor("кафяв", "чер", "чер", "сребрист"), 9 * kOhm, 11 * kOhm},
                    Row{resistor("червен", "червен", "кафяв", "сребрист"), 198 * kOhm, 242 * kOhm},
                    Row{resistor("жълт", "оранжев", "чер", "златист"), 40850, 45150}}) {
        CAPTURE(practice::valueText(practice::nominal(row.resistor)));
        CHECK(practice::lowest(row.resistor) == row.lowest);
        CHECK(practice::highest(row.resistor) == row.highest);
    }
}

TEST_CASE("the series are those of the standard, each within the next")
{
    // IEC 60063, the two significant digits of each value in a decade.
    const std::array e24{10, 11, 12, 13, 15, 16, 18, 20, 22, 24, 27, 30,
                         33, 36, 39, 43, 47, 51, 56, 62, 68, 75, 82, 91};
    const std::array e12{10, 12, 15, 18, 22, 27, 33, 39, 47, 56, 68, 82};
    const std::array e6{10, 15, 22, 33, 47, 68};
    CHECK(std::equal(practice::kE24.begin(), practice::kE24.end(), e24.begin(), e24.end()));
    CHECK(std::equal(practice::kE12.begin(), practice::kE12.end(), e12.begin(), e12.end()));
    CHECK(std::equal(practice::kE6.begin(), practice::kE6.end(), e6.begin(), e6.end()));

    CHECK(practice::seriesSentence(typeset("4,7 kΩ"), 47) ==
          typeset("4,7 kΩ е стандартна стойност от редовете E6, E12 и E24."));
    CHECK(practice::seriesSentence(typeset("1,2 kΩ"), 12) ==
          typeset("1,2 kΩ е стандартна стойност от редовете E12 и E24."));
    CHECK(practice::seriesSentence(typeset("910 Ω"), 91) ==
          typeset("910 Ω е стандартна стойност от реда E24."));
    CHECK(practice::seriesSentence(typeset("950 Ω"), 95) ==
          typeset("950 Ω не е стандартна стойност от редовете E6, E12 и E24."));
}

TEST_CASE("the statements and the feedback explain in full")
{
    const practice::Task read{practice::Kind::Read, resistor("жълт", "виолетов", "червен", "златист")};
    CHECK(practice::statement(read, 3) == "Задача 3 от 10. Колко е номиналът на резистора?");
    const practice::Task choose{practice::Kind::Choose, read.bands};
    CHECK(practice::statement(choose, 10) ==
          typeset("Задача 10 от 10. Изберете цветовете на резистор 4,7 kΩ ±5%."));
    const practice::Task upper{practice::Kind::Limits, read.bands, true};
    CHECK(practice::statement(upper, 1) ==
          "Задача 1 от 10. Колко е най-голямата допустима стойност на резистора?");
    CHECK(practice::statement({practice::Kind::Limits, read.bands}, 1) ==
          "Задача 1 от 10. Колко е най-малката допустима стойност на резистора?");

    const std::string explanation =
        typeset("Жълт 4, виолетов 7, червен × 100: 47 × 100 Ω = 4,7 kΩ, точност ±5%.\r\n"
                "Допустими стойности: от 4,465 kΩ до 4,935 kΩ.\r\n"
                "4,7 kΩ е стандартна стойност от редовете E6, E12 и E24.\r\n");
    CHECK(practice::feedback(read, 4700 * kOhm, {}, true) == "Вярно!\r\n" + explanation);
    CHECK(practice::feedback(upper, 4700 * kOhm, {}, false) ==
          typeset("Грешно.\r\nВашият отговор е 4,7 kΩ, а верният е 4,935 kΩ.\r\n") + explanation);
    CHECK(practice::feedback(read, std::nullopt, {}, false) ==
          typeset("Грешно.\r\nВерният отговор е 4,7 kΩ.\r\n") + explanation);
    CHECK(practice::feedback(choose, std::nullopt, {4, 6, 2, -1}, false) ==
          "Грешно.\r\nВтора цифра: трябва да е виолетов, а е избран син.\r\n"
          "Точност: трябва да е златист, а не е избран цвят.\r\n" +
              explanation);
    CHECK(practice::feedback({practice::Kind::Read, resistor("кафяв", "чер", "зелен", "сребрист")},
                             std::nullopt, {}, true)
              .find(typeset("Кафяв 1, чер 0, зелен × 100 000: 10 × 100 000 Ω = 1 MΩ, точност ±10%.")) !=
          std::string::npos);
}

TEST_CASE("the practice writes no character beyond ASCII, Cyrillic and its symbols")
{
    std::string written;
    for (const int number : {1, 4821, 9999}) {
        const practice::Round round = practice::makeRound(number);
        for (std::size_t i = 0; i < round.size(); ++i)
            written += practice::statement(round.at(i), static_cast<int>(i) + 1) +
                       practice::feedback(round.at(i), 1, {-1, -1, -1, -1}, false);
    }
    written += std::string(practice::kNotUnderstood) + std::string(practice::kNotARound);
    for (std::size_t at = 0; at < written.size();) {
        const std::size_t from = at;
        const char32_t c = list_keys::nextCharacter(written, at);
        REQUIRE(c != 0);
        const bool plain = (c >= U' ' && c < 0x7F) || c == U'\r' || c == U'\n' || (c >= U'А' && c <= U'я');
        CAPTURE(written.substr(from, at - from));
        CHECK((plain || practice::kSymbols.find(written.substr(from, at - from)) != std::string_view::npos));
    }
}

TEST_CASE("rounds 1 and 9999 give the same ten resistors in every build")
{
    using enum practice::Kind;
    struct Row {
        practice::Kind kind = Read;
        practice::Bands bands{};
        bool upper = false;
    };
    struct Golden {
        int number = 0;
        std::array<Row, practice::kTasksPerRound> tasks{};
    };
    const std::array goldens = {
        Golden{1,
               {{{Choose, resistor("жълт", "виолетов", "зелен", "златист")},
                 {Limits, resistor("червен", "виолетов", "червен", "сребрист")},
                 {Limits, resistor("кафяв", "чер", "оранжев", "сребрист")},
                 {Limits, resistor("червен", "чер", "кафяв", "златист"), true},
                 {Choose, resistor("кафяв", "червен", "жълт", "златист")},
                 {Read, resistor("оранжев", "син", "червен", "златист")},
                 {Choose, resistor("жълт", "виолетов", "зелен", "сребрист")},
                 {Read, resistor("червен", "червен", "жълт", "златист")},
                 {Limits, resistor("жълт", "оранжев", "кафяв", "златист")},
                 {Read, resistor("жълт", "виолетов", "чер", "златист")}}}},
        Golden{9999,
               {{{Read, resistor("червен", "виолетов", "чер", "сребрист")},
                 {Choose, resistor("сив", "червен", "червен", "златист")},
                 {Choose, resistor("оранжев", "бял", "зелен", "златист")},
                 {Limits, resistor("червен", "червен", "червен", "златист"), true},
                 {Read, resistor("червен", "червен", "оранжев", "сребрист")},
                 {Limits, resistor("оранжев", "бял", "червен", "сребрист")},
                 {Read, resistor("червен", "червен", "червен", "червен")},
                 {Choose, resistor("жълт", "виолетов", "оранжев", "сребрист")},
                 {Choose, resistor("оранжев", "оранжев", "оранжев", "златист")},
                 {Read, resistor("зелен", "син", "оранжев", "кафяв")}}}},
    };
    for (const auto& golden : goldens) {
        const practice::Round round = practice::makeRound(golden.number);
        for (std::size_t i = 0; i < round.size(); ++i) {
            CAPTURE(golden.number);
            CAPTURE(i);
            const auto& row = golden.tasks.at(i);
            CHECK(round.at(i) == practice::Task{row.kind, row.bands, row.upper});
        }
    }
}

TEST_CASE("every round is ten real resistors, each kind at least twice, none twice")
{
    for (int number = practice::kFirstRound; number <= practice::kLastRound; ++number) {
        const practice::Round round = practice::makeRound(number);
        std::array<int, 3> kinds{};
        for (std::size_t i = 0; i < round.size(); ++i) {
            const practice::Task& task = round.at(i);
            ++kinds.at(static_cast<std::size_t>(task.kind));
            const int digits = practice::significant(task.bands);
            const int tolerance = practice::toleranceHundredths(task.bands);
            const std::span<const int> series = tolerance == 1000 ? std::span<const int>(practice::kE12)
                                                                  : std::span<const int>(practice::kE24);
            INFO("round ", number, " task ", i + 1);
            REQUIRE((tolerance == 100 || tolerance == 200 || tolerance == 500 || tolerance == 1000));
            REQUIRE(std::find(series.begin(), series.end(), digits) != series.end());
            REQUIRE(task.bands[bands::Multiplier] <= 5);
            REQUIRE(practice::nominal(task.bands) >= 10 * kOhm);
            REQUIRE(practice::nominal(task.bands) <= 9100 * kKilohm);
            REQUIRE(practice::lowest(task.bands) * 10000 ==
                    practice::nominal(task.bands) * (10000 - tolerance));
            for (std::size_t j = 0; j < i; ++j)
                REQUIRE(round.at(j).bands != task.bands);
        }
        REQUIRE(*std::min_element(kinds.begin(), kinds.end()) >= 2);
    }
}
