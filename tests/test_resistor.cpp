// SPDX-License-Identifier: MIT
// The resistor picture: where its parts fall at each density, and what a screen reader hears of it.
// clazy:excludeall=non-pod-global-static (doctest registers its test cases in static objects)
#include "design.h"
#include "fake_window.h"
#include "resistor.h"

#include <doctest/doctest.h>

#include <algorithm>
#include <array>

namespace {

using design::PixelRect;

bool inside(const PixelRect& part, const PixelRect& whole)
{
    return part.x >= whole.x && part.y >= whole.y && part.x + part.width <= whole.x + whole.width &&
           part.y + part.height <= whole.y + whole.height;
}

int bottomOf(const PixelRect& r)
{
    return r.y + r.height;
}

int rightOf(const PixelRect& r)
{
    return r.x + r.width;
}

// The rows the picture may use: below every colour list and its focus ring, above every button.
struct Band {
    int top;
    int bottom;
};
Band freeBand(int dpi)
{
    Band band{0, design::toPixels(design::kClientHeight, dpi)};
    for (const auto& control : design::kControls) {
        const PixelRect r = design::toPixels(control, dpi);
        if (control.array == design::Array::List1)
            band.top = std::max(band.top, bottomOf(r) + design::toPixels(15 * design::kFocusEdgeWidth, dpi));
        if (control.array == design::Array::Command1)
            band.bottom = std::min(band.bottom, r.y);
    }
    return band;
}

} // namespace

TEST_CASE("the resistor lies in the free band, its bands in order on the body, the tolerance apart")
{
    const design::ChosenColours nothing{};
    for (const int dpi : {96, 120, 144, 192}) {
        CAPTURE(dpi);
        const design::ResistorDrawing drawing = design::resistorDrawing(nothing, dpi);
        const Band free = freeBand(dpi);
        CHECK(drawing.area.y > free.top);
        CHECK(bottomOf(drawing.area) < free.bottom);
        CHECK(drawing.area.x >= 0);
        CHECK(rightOf(drawing.area) <= design::toPixels(design::kClientWidth, dpi));
        for (const PixelRect& lead : drawing.leads)
            CHECK(inside(lead, drawing.area));
        CHECK(inside(drawing.body, drawing.area));
        // The leads meet the body at its two ends.
        CHECK(rightOf(drawing.leads[0]) > drawing.body.x);
        CHECK(drawing.leads[1].x < rightOf(drawing.body));
        CHECK(drawing.edge == (dpi + 48) / 96); // one pixel at 96 dots per inch, rounded

        std::array<int, 3> gaps{};
        for (std::size_t band = 0; band < drawing.bands.size(); ++band) {
            CAPTURE(band);
            const design::ResistorBand& shown = drawing.bands.at(band);
            // On the straight part of the body, inside its edge.
            const PixelRect straight{drawing.body.x + drawing.endRadius, drawing.body.y + drawing.edge,
                                     drawing.body.width - 2 * drawing.endRadius,
                                     drawing.body.height - 2 * drawing.edge};
            CHECK(inside(shown.rect, straight));
            CHECK(inside(shown.inside, shown.rect));
            CHECK(shown.inside.width == shown.rect.width - 2 * drawing.edge);
            CHECK(shown.rect.width >= design::toPixels(255, dpi));
            CHECK(shown.dashes.size() >= 8);
            for (const PixelRect& dash : shown.dashes)
                CHECK((inside(dash, shown.rect) && !inside(dash, shown.inside)));
            if (band > 0)
                gaps.at(band - 1) = shown.rect.x - rightOf(drawing.bands.at(band - 1).rect);
        }
        CHECK(gaps[0] > 0);
        CHECK(gaps[1] == gaps[0]);
        CHECK(gaps[2] > 3 * gaps[0]);
    }
}

TEST_CASE("a screen reader hears the chosen colours in band order, and \"няма\" for a band without one")
{
    struct Row {
        std::array<forms::Index, bands::kBandCount> positions;
        const char* description;
        std::size_t dashed;
    };
    // clang-format off
    constexpr std::array table = {
        Row{{4, 7, 2, 6},    "жълт, виолетов, червен, златист", 0},
        Row{{-1, -1, -1, -1}, "няма, няма, няма, няма", 4},
        Row{{0, 9, 7, 7},    "чер, бял, виолетов, сребрист", 0},
        Row{{1, -1, 0, -1},  "кафяв, няма, чер, няма", 2},
    };
    // clang-format on
    for (const Row& row : table) {
        CAPTURE(row.description);
        FakeWindow window;
        window.selections = row.positions;
        const design::ChosenColours chosen = design::chosenColours(window);
        CHECK(design::resistorDescription(chosen) == row.description);
        const auto drawing = design::resistorDrawing(chosen, 96);
        CHECK(std::count_if(drawing.bands.begin(), drawing.bands.end(), [](const auto& b) {
                  return !b.dashes.empty();
              }) == static_cast<std::ptrdiff_t>(row.dashed));
    }
}
