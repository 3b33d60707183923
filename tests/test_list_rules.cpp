// SPDX-License-Identifier: MIT
// The rules every window follows for its colour lists, buttons and report box, checked once: which
// colour a key or a typed letter chooses, what counts against the report box's limit, the shades and the
// metal sheen, the swatch outline, and how the colour names are fitted. The shades are those Qt's QColor
// gives for the same colours, so that both windows paint alike. clazy:excludeall=non-pod-global-static
// (doctest registers its test cases in static objects)
#include "design.h"
#include "list_keys.h"

#include <doctest/doctest.h>

#include <array>
#include <cstdint>
#include <ostream>
#include <string_view>
#include <vector>

namespace design {
// How doctest names a colour in a failed check.
std::ostream& operator<<(std::ostream& out, Rgb c)
{
    return out << '(' << c.red << ", " << c.green << ", " << c.blue << ')';
}
} // namespace design

namespace {

using design::Rgb;
using list_keys::ListKey;

struct KeyRow {
    const char* name;
    ListKey key;
    forms::Index chosen;
    forms::Index inView;
    forms::Index expected;
};

// A letter and how long after the key before it it is typed.
struct Typed {
    char32_t letter;
    std::uint32_t afterMs;
};

struct TypingRow {
    const char* name;
    bands::Band band;
    forms::Index chosen;
    forms::Index inView;
    std::vector<Typed> keys;
    forms::Index expected;
};

struct FitRow16 {
    const char* name;
    std::u16string_view text;
    std::size_t room;
    std::size_t fitting;
};

struct ShadeRow {
    const char* name;
    Rgb shade;
    Rgb expected;
};

struct FitRow {
    const char* name;
    int widestAtTwelve; // the widest name at 12 pt; it narrows in step with the point size
    bool fontMayShrink;
    design::NameFit expected;
};

constexpr Rgb kGold = bands::colourInfo(bands::Colour::Gold).tone;
constexpr Rgb kSilver = bands::colourInfo(bands::Colour::Silver).tone;

} // namespace

TEST_CASE("a key chooses from the choice, or the colour in view when there is none")
{
    constexpr forms::Index count = 8;
    const std::array rows = {
        KeyRow{"nothing chosen: back chooses the colour in view", ListKey::Back, -1, 3, 3},
        KeyRow{"nothing chosen: forward chooses the colour in view", ListKey::Forward, -1, 3, 3},
        KeyRow{"nothing chosen: space chooses the colour in view", ListKey::ChooseInView, -1, 3, 3},
        KeyRow{"nothing chosen: first", ListKey::First, -1, 3, 0},
        KeyRow{"nothing chosen: last", ListKey::Last, -1, 3, 7},
        KeyRow{"back moves one colour", ListKey::Back, 4, 4, 3},
        KeyRow{"forward moves one colour", ListKey::Forward, 4, 4, 5},
        KeyRow{"back stops at the first", ListKey::Back, 0, 0, 0},
        KeyRow{"forward stops at the last", ListKey::Forward, 7, 7, 7},
        KeyRow{"moves on from a choice scrolled out of view", ListKey::Forward, 2, 6, 3},
        KeyRow{"space chooses the colour in view over the choice", ListKey::ChooseInView, 2, 6, 6},
        KeyRow{"first with a choice", ListKey::First, 5, 5, 0},
        KeyRow{"last with a choice", ListKey::Last, 2, 2, 7},
    };
    for (const auto& row : rows) {
        CAPTURE(row.name);
        CHECK(list_keys::choose(row.key, row.chosen, row.inView, count) == row.expected);
    }
}

TEST_CASE("typed letters choose by the beginning of a name, as standard list boxes do")
{
    // Tolerance: кафяв, червен, зелен, син, виолетов, сив, златист, сребрист. Digits: чер, кафяв,
    // червен, оранжев, жълт, зелен, син, виолетов, сив, бял.
    using bands::FirstDigit;
    using bands::Tolerance;
    constexpr std::uint32_t kQuick = 150;
    constexpr std::uint32_t kSlow = list_keys::kTypingPauseMs + 1;
    // clang-format off
    const std::array rows = {
        TypingRow{"Home, then с twice quickly: the second с", Tolerance, 0, 0, {{U'с', 0}, {U'с', kQuick}}, 5},
        TypingRow{"с, р quickly: a beginning that refines син", Tolerance, 0, 0, {{U'с', 0}, {U'р', 100}}, 7},
        TypingRow{"с, и quickly: a beginning that stays on син", Tolerance, 0, 0, {{U'с', 0}, {U'и', 100}}, 3},
        TypingRow{"after Изтрий: from the colour in view", Tolerance, -1, 0, {{U'с', 0}}, 3},
        TypingRow{"after Изтрий, digits: from the colour in view", FirstDigit, -1, 0, {{U'с', 0}}, 6},
        TypingRow{"nothing chosen, scrolled: from the colour in view", FirstDigit, -1, 7, {{U'с', 0}}, 8},
        TypingRow{"с slowly cycles round to the first", Tolerance, 0, 0,
                  {{U'с', 0}, {U'с', kSlow}, {U'с', kSlow}, {U'с', kSlow}}, 3},
        TypingRow{"a capital letter is a small one", Tolerance, 0, 0, {{U'С', 0}, {U'Р', 100}}, 7},
        TypingRow{"з, л quickly", Tolerance, -1, 0, {{U'з', 0}, {U'л', kQuick}}, 6},
        TypingRow{"the same letter repeated moves on", FirstDigit, 0, 0, {{U'ч', 0}, {U'ч', 80}, {U'ч', 80}}, 2},
        TypingRow{"a pause ends the search", Tolerance, 0, 0, {{U'с', 0}, {U'р', kSlow}}, 3},
        TypingRow{"a letter that begins no colour changes nothing", Tolerance, 2, 2, {{U'ж', 0}}, 2},
        TypingRow{"nor does one that ends a beginning no colour has", Tolerance, 0, 0, {{U'с', 0}, {U'х', 90}}, 3},
        TypingRow{"Space is no letter", Tolerance, 1, 1, {{U'с', 0}, {U' ', 90}, {U'с', 90}}, 5},
        TypingRow{"wraps round from the last", FirstDigit, 9, 9, {{U'ч', 0}}, 0},
        TypingRow{"a Latin c begins no colour", FirstDigit, 4, 4, {{U'c', 0}}, 4},
    };
    // clang-format on
    for (const auto& row : rows) {
        INFO("row: " << row.name);
        // Each row starts just before the clock wraps round, so every gap crosses the wrap.
        std::uint32_t at = 0xFFFFFF00U;
        list_keys::TypeAhead typing;
        forms::Index chosen = row.chosen;
        forms::Index inView = row.inView;
        for (const auto& key : row.keys) {
            at += key.afterMs;
            const forms::Index typed = typing.type(
                key.letter, at, chosen, inView, bands::kColourLists.at(static_cast<std::size_t>(row.band)));
            if (typed != forms::kNoSelection)
                chosen = inView = typed;
        }
        CHECK(chosen == row.expected);
    }
}

TEST_CASE("a line break counts once against the report box's limit, and no pair is cut")
{
    // clang-format off
    const std::array rows = {
        FitRow16{"plain letters", u"абв", 2, 2},
        FitRow16{"CR LF takes one", u"а\r\nб", 2, 3},
        FitRow16{"never between CR and LF", u"а\r\nб", 1, 1},
        FitRow16{"lone CR and LF take one each", u"а\nб\rв", 3, 3},
        FitRow16{"a character beyond 16 bits takes two", u"аб\U0001F600в", 4, 4},
        FitRow16{"never between its halves", u"аб\U0001F600в", 3, 2},
        FitRow16{"all of it, with room to spare", u"а\r\n", 5, 3},
    };
    // clang-format on
    for (const auto& row : rows) {
        INFO("row: " << row.name);
        CHECK(design::fittingLength(row.text, row.room) == row.fitting);
    }
    CHECK(design::reportLength(std::u16string_view(u"ред\r\nред\n\U0001F600")) == 10);
    CHECK(design::reportLength(std::wstring_view(L"а\r\n\r\n")) == 3);
}

TEST_CASE("a box that keeps a line break as one character shows the report, and gives it back, in CR LF")
{
    CHECK(design::shownReport("а\r\nб\rв\nг\r\n") == "а\nб\nв\nг\n");
    CHECK(design::writtenReport("а\nб\n\n") == "а\r\nб\r\n\r\n");
    CHECK(design::writtenReport(design::shownReport(design::kIntroduction)) == design::kIntroduction);
}

TEST_CASE("shades scale the brightness, and a colour too bright gives up saturation")
{
    const std::array rows = {
        ShadeRow{"Изчисли pressed", design::pressed({128, 255, 128}), {111, 222, 111}},
        ShadeRow{"Изтрий pressed", design::pressed({255, 128, 128}), {222, 111, 111}},
        ShadeRow{"Изчисли under the mouse, already at full brightness",
                 design::hovered({128, 255, 128}),
                 {148, 255, 148}},
        ShadeRow{"gold's highlight", design::lighter(kGold, 135), {255, 218, 97}},
        ShadeRow{"gold's shade", design::darker(kGold, 140), {151, 125, 39}},
        ShadeRow{"silver's highlight turns white", design::lighter(kSilver, 135), {255, 255, 255}},
        ShadeRow{"silver's shade stays grey", design::darker(kSilver, 140), {137, 137, 137}},
        ShadeRow{"black stays black", design::lighter({0, 0, 0}, 135), {0, 0, 0}},
    };
    for (const auto& row : rows) {
        CAPTURE(row.name);
        CHECK(row.shade == row.expected);
    }
}

TEST_CASE("the metal sheen runs from the highlight through the base tone to the shade")
{
    for (const Rgb metal : {kGold, kSilver}) {
        CAPTURE(metal);
        CHECK(design::sheenAt(metal, 0) == design::lighter(metal, 135));
        CHECK(design::sheenAt(metal, 0.35) == metal);
        CHECK(design::sheenAt(metal, 0.5) == metal);
        CHECK(design::sheenAt(metal, 1) == design::darker(metal, 140));
        const Rgb between = design::sheenAt(metal, 0.8);
        CHECK(between.green < metal.green);
        CHECK(between.green > design::darker(metal, 140).green);
        // The fine stops round to the same colours the row-by-row painters use.
        const auto stops = design::metalSheen(metal);
        CHECK(design::rounded(stops.front().colour) == design::sheenAt(metal, 0));
        CHECK(design::rounded(stops.back().colour) == design::sheenAt(metal, 1));
    }
}

TEST_CASE("the swatch outline stands out from the list's background")
{
    const std::array rows = {
        ShadeRow{"light list", design::swatchOutline({255, 255, 255}), {48, 48, 48}},
        ShadeRow{"dark theme's list", design::swatchOutline({30, 30, 30}), {208, 208, 208}},
        ShadeRow{"mid grey, darker side", design::swatchOutline({160, 160, 160}), {48, 48, 48}},
        ShadeRow{"mid grey, lighter side", design::swatchOutline({90, 90, 90}), {208, 208, 208}},
    };
    for (const auto& row : rows) {
        CAPTURE(row.name);
        CHECK(row.shade == row.expected);
    }
}

TEST_CASE("the swatch shrinks before the names' font, and the font by half points")
{
    // A list with 80 pixels beside its left edge; a name's width is proportional to the point size.
    const auto room = [](int side) { return 80 - side; };
    const std::array rows = {
        FitRow{"fits as designed", 66, true, {14, 12}},
        FitRow{"a narrower swatch makes room", 68, true, {12, 12}},
        FitRow{"the narrowest swatch makes room", 70, true, {10, 12}},
        FitRow{"then the font shrinks", 75, true, {10, 11}},
        FitRow{"but not below 6 pt", 400, true, {10, 6}},
        FitRow{"no font to shrink", 75, false, {10, 12}},
    };
    for (const auto& row : rows) {
        CAPTURE(row.name);
        const auto widest = [&row](double points) {
            return static_cast<int>(row.widestAtTwelve * points / 12);
        };
        const design::NameFit fit = design::fitNames(12, room, widest, row.fontMayShrink);
        CHECK(fit.swatchSide == row.expected.swatchSide);
        CHECK(fit.pointSize == row.expected.pointSize);
    }
}
