// SPDX-License-Identifier: MIT
// The shades, the sheen, the swatch outline and the fitting of the colour names.
#include "look.h"

#include <algorithm>
#include <cmath>

namespace design {
namespace {

constexpr int kFineMax = 65535;

// Shades are worked out in HSV at 16 bits a channel with single-precision steps, as Qt's QColor
// does, so that the Qt window's gradients, which take the fine colours, and every other painter,
// which takes them rounded, show the same pixels.
struct Hsv {
    int hue; // hundredths of a degree; kFineMax for a grey, which has none
    int saturation;
    int value;
};

// Rounds as Qt does, adding a half in single precision, so that no shade differs from Qt's by one.
int roundFloat(float x)
{
    return static_cast<int>(x + 0.5F); // NOLINT(bugprone-incorrect-roundings)
}

Hsv toHsv(Rgb colour)
{
    const auto channel = [](int c) { return static_cast<float>(c * 257) / static_cast<float>(kFineMax); };
    const float r = channel(colour.red), g = channel(colour.green), b = channel(colour.blue);
    const float high = std::max({r, g, b});
    const float delta = high - std::min({r, g, b});
    Hsv hsv{kFineMax, 0, roundFloat(high * kFineMax)};
    if (delta <= 0.00001F)
        return hsv;
    hsv.saturation = roundFloat(delta / high * kFineMax);
    float hue = r == high ? (g - b) / delta : g == high ? 2.0F + (b - r) / delta : 4.0F + (r - g) / delta;
    hue *= 60.0F;
    if (hue < 0.0F)
        hue += 360.0F;
    hsv.hue = roundFloat(hue * 100.0F);
    return hsv;
}

FineRgb toFineRgb(Hsv hsv)
{
    if (hsv.saturation == 0 || hsv.hue == kFineMax)
        return {hsv.value, hsv.value, hsv.value};
    const float h = hsv.hue == 36000 ? 0.0F : static_cast<float>(hsv.hue) / 6000.0F;
    const float s = static_cast<float>(hsv.saturation) / kFineMax;
    const float v = static_cast<float>(hsv.value) / kFineMax;
    const int sector = static_cast<int>(h);
    const float f = h - static_cast<float>(sector);
    const float p = v * (1.0F - s);
    const float q = v * (1.0F - s * f);
    const float t = v * (1.0F - s * (1.0F - f));
    const auto fine = [](float r, float g, float b) {
        return FineRgb{roundFloat(r * kFineMax), roundFloat(g * kFineMax), roundFloat(b * kFineMax)};
    };
    switch (sector) {
    case 0:
        return fine(v, t, p);
    case 1:
        return fine(q, v, p);
    case 2:
        return fine(p, v, t);
    case 3:
        return fine(p, q, v);
    case 4:
        return fine(t, p, v);
    default:
        return fine(v, p, q);
    }
}

Rgb mix(Rgb a, Rgb b, double t)
{
    const auto blend = [t](int x, int y) { return static_cast<int>(std::lround(x + (y - x) * t)); };
    return {blend(a.red, b.red), blend(a.green, b.green), blend(a.blue, b.blue)};
}

// x to the power 2.4 for x in (0, 1], as x² times the fifth root of x², the root by Newton's method
// from above (it falls towards the root at every step). Plain arithmetic: std::pow alone would bring
// about 0.25 MiB of the maths library into the program's memory.
double toThePower2_4(double x)
{
    const double square = x * x;
    double root = 1;
    for (;;) {
        const double power4 = root * root * root * root;
        const double next = root - (power4 * root - square) / (5 * power4);
        if (next >= root)
            return square * root;
        root = next;
    }
}

// Relative luminance as the web's contrast guidelines define it, from 0 (black) to 1 (white).
double luminance(Rgb colour)
{
    const auto linear = [](int channel) {
        const double c = channel / 255.0;
        return c <= 0.04045 ? c / 12.92 : toThePower2_4((c + 0.055) / 1.055);
    };
    return 0.2126 * linear(colour.red) + 0.7152 * linear(colour.green) + 0.0722 * linear(colour.blue);
}

double contrast(Rgb one, Rgb other)
{
    const double first = luminance(one);
    const double second = luminance(other);
    return (std::max(first, second) + 0.05) / (std::min(first, second) + 0.05);
}

// Where the base tone begins and ends, as a share of the swatch's height.
constexpr double kMiddleFrom = 0.35;
constexpr double kMiddleTo = 0.65;

} // namespace

Rgb rounded(FineRgb colour)
{
    const auto eight = [](int c) { return (c + 128) / 257; };
    return {eight(colour.red), eight(colour.green), eight(colour.blue)};
}

FineRgb fineLighter(Rgb colour, int percent)
{
    Hsv hsv = toHsv(colour);
    const int value = percent * hsv.value / 100;
    if (value > kFineMax) {
        hsv.saturation = std::max(0, hsv.saturation - (value - kFineMax));
        hsv.value = kFineMax;
    } else {
        hsv.value = value;
    }
    return toFineRgb(hsv);
}

FineRgb fineDarker(Rgb colour, int percent)
{
    Hsv hsv = toHsv(colour);
    hsv.value = hsv.value * 100 / percent;
    return toFineRgb(hsv);
}

Rgb disabledFace(Rgb face)
{
    constexpr Rgb kLightGrey{212, 212, 212};
    return mix(face, kLightGrey, 0.5);
}

std::array<SheenStop, 4> metalSheen(Rgb base)
{
    const FineRgb middle{base.red * 257, base.green * 257, base.blue * 257};
    return {{{0.0, fineLighter(base, 135)},
             {kMiddleFrom, middle},
             {kMiddleTo, middle},
             {1.0, fineDarker(base, 140)}}};
}

Rgb sheenAt(Rgb base, double height)
{
    const auto stops = metalSheen(base);
    const Rgb top = rounded(stops.front().colour);
    const Rgb bottom = rounded(stops.back().colour);
    if (height < kMiddleFrom)
        return mix(top, base, height / kMiddleFrom);
    if (height < kMiddleTo)
        return base;
    return mix(base, bottom, (height - kMiddleTo) / (1 - kMiddleTo));
}

Rgb swatchOutline(Rgb listBackground)
{
    constexpr Rgb dark{48, 48, 48};
    constexpr Rgb light{208, 208, 208};
    return contrast(dark, listBackground) >= contrast(light, listBackground) ? dark : light;
}

NameFit fitNames(double designedPointSize, const std::function<int(int side)>& room,
                 const std::function<int(double points)>& widest, bool fontMayShrink)
{
    constexpr int kSmallestSwatch = 10;
    constexpr double kSmallestPointSize = 6;
    NameFit fit{kSwatchSide, designedPointSize};
    int width = widest(designedPointSize);
    while (fit.swatchSide > kSmallestSwatch && width > room(fit.swatchSide))
        fit.swatchSide -= 2;
    if (!fontMayShrink)
        return fit;
    const int left = room(fit.swatchSide);
    while (width > left && fit.pointSize > kSmallestPointSize) {
        fit.pointSize -= 0.5;
        width = widest(fit.pointSize);
    }
    return fit;
}

} // namespace design
