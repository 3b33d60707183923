// SPDX-License-Identifier: MIT
// Places and sizes of a designed window: twips as designed, pixels as a screen of some density shows
// them.
#pragma once

namespace design {

// 1440 twips make an inch: 15 twips a pixel at 96 dots per inch. Each edge is rounded on its own so
// that controls which meet in twips also meet in pixels, at any density.
inline constexpr int kTwipsPerInch = 1440;
inline constexpr int kStandardDpi = 96;

constexpr int toPixels(int twips, int dpi = kStandardDpi)
{
    return (twips * dpi + kTwipsPerInch / 2) / kTwipsPerInch;
}

// A length in pixels at 96 dots per inch, at `dpi`, rounded.
constexpr int scaled(int pixels, int dpi)
{
    return (pixels * dpi + kStandardDpi / 2) / kStandardDpi;
}

struct PixelRect {
    int x;
    int y;
    int width;
    int height;
};

struct TwipsRect {
    int left;
    int top;
    int width;
    int height;
};

constexpr PixelRect toPixels(const TwipsRect& r, int dpi = kStandardDpi)
{
    const int x = toPixels(r.left, dpi);
    const int y = toPixels(r.top, dpi);
    return {x, y, toPixels(r.left + r.width, dpi) - x, toPixels(r.top + r.height, dpi) - y};
}

} // namespace design
