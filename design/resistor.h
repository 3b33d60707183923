// SPDX-License-Identifier: MIT
// The resistor drawn between the colour lists and the buttons, with the colours chosen so far on its
// bands: its shape in twips like every control, what each part looks like at a given density, and
// what a screen reader says of it. Each window only paints the parts.
#pragma once

#include "bands.h"
#include "forms.h"
#include "look.h"
#include "units.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace design {

// The resistor lies across the Malvoran window in the empty band of background between the colour lists
// (they end at 1305 twips) and the buttons (they begin at 1920), clear of both. The four bands are
// in band order from the left; the tolerance band stands apart near the right end, as on a real
// resistor, so that the student knows which end to read from.
struct ResistorShape {
    TwipsRect area;
    std::array<TwipsRect, 2> leads;
    TwipsRect body;
    // The rounding of the body's ends.
    int endRadius;
    std::array<TwipsRect, bands::kBandCount> bands;
};
// clang-format off
inline constexpr ResistorShape kResistor = {
    .area = {.left = 120, .top = 1365, .width = 6675, .height = 495},
    .leads = {{{.left = 600, .top = 1590, .width = 1215, .height = 45},
               {.left = 5100, .top = 1590, .width = 1215, .height = 45}}},
    .body = {.left = 1800, .top = 1395, .width = 3315, .height = 435},
    .endRadius = 150,
    .bands = {{{.left = 2175, .top = 1425, .width = 270, .height = 375},
               {.left = 2625, .top = 1425, .width = 270, .height = 375},
               {.left = 3075, .top = 1425, .width = 270, .height = 375},
               {.left = 4470, .top = 1425, .width = 270, .height = 375}}},
};
// clang-format on

inline constexpr Rgb kResistorBody{236, 216, 176};
inline constexpr Rgb kResistorLead{150, 150, 150};

// What a screen reader calls the picture, and says for a band with no colour chosen.
inline constexpr std::string_view kResistorName = "Резистор";
inline constexpr std::string_view kNoColour = "няма";

// The colour chosen for each band in the lists of `window`; none where nothing is chosen.
using ChosenColours = std::array<std::optional<bands::Colour>, bands::kBandCount>;
ChosenColours chosenColours(const forms::ColourLists& window);

// The chosen colours in band order, "жълт, виолетов, червен, златист", "няма" for a band without one.
std::string resistorDescription(const ChosenColours& chosen);

// The resistor as it is painted at `dpi`, in pixels of the window's client area, in painting order:
// the leads, the body (its rounded ends with an edge of `edge` pixels), then each band. A chosen
// band is its outline with the colour's tone inside (a metal's with its sheen, from the top down);
// a band with nothing chosen shows the body through a dashed outline. Everything is filled, nothing
// stroked, so that each painter puts the same whole pixels on the screen.
struct ResistorBand {
    PixelRect rect{};
    PixelRect inside{};
    std::optional<bands::Colour> colour;
    std::vector<PixelRect> dashes;
};
struct ResistorDrawing {
    PixelRect area{};
    std::array<PixelRect, 2> leads{};
    PixelRect body{};
    int endRadius = 0;
    int edge = 0;
    Rgb bodyEdge{};
    Rgb bandOutline{};
    std::array<ResistorBand, bands::kBandCount> bands;
};
// `area` is where the picture lies in its window, kResistor.area in the Malvoran window.
ResistorDrawing resistorDrawing(const ChosenColours& chosen, int dpi, const TwipsRect& area = kResistor.area);

} // namespace design
