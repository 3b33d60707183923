// SPDX-License-Identifier: MIT
// The rules both windows follow for their colour lists and buttons, checked once: which colour a key
// chooses, the shades and the metal sheen, the swatch outline, and how the colour names are fitted.
// The shades are those Qt's QColor gives for the same colours, so that both windows paint alike.
// clazy:excludeall=non-pod-global-static (doctest registers its test cases in static objects)
#include "design.h"
#include "list_keys.h"

#include <doctest/doctest.h>

#include <array>
#include <ostream>

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
