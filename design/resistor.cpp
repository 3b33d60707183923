// SPDX-License-Identifier: MIT
// The resistor picture: the chosen colours, what a screen reader says, and the parts at a density.
#include "resistor.h"

#include <algorithm>

namespace design {
namespace {

// The dashes round a band with no colour chosen: so long, and so far apart, at 96 dots per inch.
constexpr int kDash = 3;
constexpr int kDashGap = 2;

PixelRect inset(const PixelRect& r, int by)
{
    return {r.x + by, r.y + by, r.width - 2 * by, r.height - 2 * by};
}

// Dashes of `dash` pixels, `gap` apart, along an edge `length` pixels long; `piece(at, length)` makes
// the dash that starts `at` pixels along it.
template <typename Piece>
void dashesAlong(std::vector<PixelRect>& dashes, int length, int dash, int gap, Piece piece)
{
    for (int at = 0; at < length; at += dash + gap)
        dashes.push_back(piece(at, std::min(dash, length - at)));
}

std::vector<PixelRect> dashedOutline(const PixelRect& r, int edge, int dpi)
{
    const int dash = scaled(kDash, dpi);
    const int gap = scaled(kDashGap, dpi);
    std::vector<PixelRect> dashes;
    const int right = r.x + r.width - edge;
    const int bottom = r.y + r.height - edge;
    dashesAlong(dashes, r.width, dash, gap, [&](int at, int length) {
        return PixelRect{r.x + at, r.y, length, edge};
    });
    dashesAlong(dashes, r.width, dash, gap, [&](int at, int length) {
        return PixelRect{r.x + at, bottom, length, edge};
    });
    // The sides between the top and bottom edges.
    const int side = r.height - 2 * edge;
    dashesAlong(dashes, side, dash, gap, [&](int at, int length) {
        return PixelRect{r.x, r.y + edge + at, edge, length};
    });
    dashesAlong(dashes, side, dash, gap, [&](int at, int length) {
        return PixelRect{right, r.y + edge + at, edge, length};
    });
    return dashes;
}

} // namespace

ChosenColours chosenColours(const forms::ColourLists& window)
{
    ChosenColours chosen;
    for (forms::Index band = 0; band < bands::kBandCount; ++band) {
        const auto colours = bands::kColourLists.at(static_cast<std::size_t>(band));
        const forms::Index position = window.selectedPosition(band);
        if (position >= 0 && static_cast<std::size_t>(position) < colours.size())
            chosen.at(static_cast<std::size_t>(band)) = colours[static_cast<std::size_t>(position)];
    }
    return chosen;
}

std::string resistorDescription(const ChosenColours& chosen)
{
    std::string description;
    for (const auto& colour : chosen) {
        if (!description.empty())
            description += ", ";
        description += colour ? bands::colourName(*colour) : kNoColour;
    }
    return description;
}

ResistorDrawing resistorDrawing(const ChosenColours& chosen, int dpi, const TwipsRect& area)
{
    // The shape is designed where it lies in the Malvoran window: elsewhere every part moves with it,
    // rounded to pixels where it lies.
    const auto placed = [dx = area.left - kResistor.area.left, dy = area.top - kResistor.area.top,
                         dpi](const TwipsRect& r) {
        return toPixels(TwipsRect{r.left + dx, r.top + dy, r.width, r.height}, dpi);
    };
    const int edge = scaled(1, dpi);
    ResistorDrawing drawing{
        .area = placed(kResistor.area),
        .leads = {placed(kResistor.leads[0]), placed(kResistor.leads[1])},
        .body = placed(kResistor.body),
        .endRadius = toPixels(kResistor.endRadius, dpi),
        .edge = edge,
        .bodyEdge = darker(kResistorBody, 160),
        // Dark on the light body, as the swatches are on a light list: black, brown and violet stand
        // out by themselves, white, yellow and silver by the outline.
        .bandOutline = swatchOutline(kResistorBody),
        .bands = {},
    };
    for (std::size_t band = 0; band < drawing.bands.size(); ++band) {
        ResistorBand& shown = drawing.bands.at(band);
        shown.rect = placed(kResistor.bands.at(band));
        shown.inside = inset(shown.rect, edge);
        shown.colour = chosen.at(band);
        if (!shown.colour)
            shown.dashes = dashedOutline(shown.rect, edge, dpi);
    }
    return drawing;
}

} // namespace design
