// SPDX-License-Identifier: MIT
// How the colour lists and buttons look, alike in every window: shades, the metal sheen, the swatch
// outline, the sizes both painters use, and how the colour names are fitted to their lists. Sizes
// are in pixels at 96 dots per inch.
#pragma once

#include "bands.h"

#include <array>
#include <functional>

namespace design {

using bands::Rgb;

// The swatch beside each colour name is a square of this side, as designed, this far in from the
// list's left edge, and this far from the name, where a window lays its items out itself.
inline constexpr int kSwatchSide = 14;
inline constexpr int kSwatchInset = 3;
inline constexpr int kNameGap = 5;
// The buttons' rounded corners, and the width of the dark blue edge of the focused control.
inline constexpr int kButtonCornerRadius = 3;
inline constexpr int kFocusEdgeWidth = 2;
inline constexpr Rgb kButtonEdge{90, 90, 90};
// Dark blue marks the control that holds the keyboard focus: it stands out on the window's light
// lavender and on every designed background colour.
inline constexpr Rgb kFocusMark{32, 32, 128};

// A shade before it is rounded to a screen's 8 bits: 0 to 65535 a channel. Gradients are drawn
// between these, so that the rows between two stops come out the same in every painter.
struct FineRgb {
    int red;
    int green;
    int blue;
};
Rgb rounded(FineRgb colour);

// A colour made lighter or darker by scaling its brightness (HSV value) by percent / 100, or by
// 100 / percent; a lighter colour too bright for its hue gives up saturation instead.
FineRgb fineLighter(Rgb colour, int percent);
FineRgb fineDarker(Rgb colour, int percent);
inline Rgb lighter(Rgb colour, int percent)
{
    return rounded(fineLighter(colour, percent));
}
inline Rgb darker(Rgb colour, int percent)
{
    return rounded(fineDarker(colour, percent));
}

// A button's face while it is pressed, and while the mouse is over it.
inline Rgb pressed(Rgb face)
{
    return darker(face, 115);
}
inline Rgb hovered(Rgb face)
{
    return lighter(face, 108);
}

// A button the student cannot press yet: its face half way to a light grey, its caption a darker grey
// that still reads on it.
Rgb disabledFace(Rgb face);
inline constexpr Rgb kDisabledCaption{96, 96, 96};

// A band of metal paint (gold, silver): a highlight at the top, the base tone across the middle,
// shade at the bottom, blended evenly between these stops (at 0 the top, at 1 the bottom).
struct SheenStop {
    double at;
    FineRgb colour;
};
std::array<SheenStop, 4> metalSheen(Rgb base);
// The sheen's colour at `height`, from 0 (the top) to 1 (the bottom), for painters that fill row by
// row.
Rgb sheenAt(Rgb base, double height);

// The swatch's thin outline on a list of this background: dark on a light list, so that white, gold
// and silver stand out, and light on a dark desktop theme's list, so that black, brown and violet do.
Rgb swatchOutline(Rgb listBackground);

// Every colour name stays whole: where the widest would not fit, the swatch gives up a few pixels
// first, down to 10, and only then does the names' font shrink, by half points down to 6.
struct NameFit {
    int swatchSide;
    double pointSize;
};
// `room(side)` is how many pixels a name has beside a swatch of that side, `widest(points)` how wide
// the widest name is at that size; `fontMayShrink` is false where there is no font at all to shrink.
NameFit fitNames(double designedPointSize, const std::function<int(int side)>& room,
                 const std::function<int(double points)>& widest, bool fontMayShrink = true);

} // namespace design
