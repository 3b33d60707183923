// SPDX-License-Identifier: MIT
// Painting the colour-list items and the coloured buttons with GDI.
#include "owner_draw.h"

#include "gdi.h"
#include "text.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace win32 {
namespace {

// A colour made lighter or darker by scaling its brightness (HSV value), the way the Qt window
// shades its colours: a lighter colour too bright for its hue gives up saturation instead.
design::Rgb shaded(design::Rgb colour, double factor)
{
    const double r = colour.red, g = colour.green, b = colour.blue;
    const double high = std::max({r, g, b});
    const double low = std::min({r, g, b});
    double value = high * factor;
    double saturation = high > 0 ? (high - low) / high * 255 : 0;
    if (value > 255) {
        saturation = std::max(0.0, saturation - (value - 255));
        value = 255;
    }
    // Each channel keeps its place between the darkest and the brightest channel.
    const auto channel = [&](double c) {
        const double place = high > low ? (c - low) / (high - low) : 0;
        const double floor = value * (1 - saturation / 255);
        return static_cast<int>(std::lround(floor + place * (value - floor)));
    };
    return {channel(r), channel(g), channel(b)};
}

design::Rgb mix(design::Rgb a, design::Rgb b, double t)
{
    const auto blend = [t](int x, int y) { return static_cast<int>(std::lround(x + (y - x) * t)); };
    return {blend(a.red, b.red), blend(a.green, b.green), blend(a.blue, b.blue)};
}

void fill(HDC dc, const RECT& rect, design::Rgb colour)
{
    const Brush brush(CreateSolidBrush(toColorRef(colour)));
    FillRect(dc, &rect, brush.get());
}

// A band of metal paint: a highlight above, the mid tone across the middle, shade below.
void fillWithSheen(HDC dc, const RECT& rect, design::Rgb base)
{
    const design::Sheen& metal = design::kMetalSheen;
    const design::Rgb top = shaded(base, metal.highlightPercent / 100.0);
    const design::Rgb bottom = shaded(base, 100.0 / metal.shadePercent);
    const int height = std::max(1L, rect.bottom - rect.top - 1);
    for (int y = rect.top; y < rect.bottom; ++y) {
        const double t = static_cast<double>(y - rect.top) / height;
        const design::Rgb colour = t < metal.middleFrom ? mix(top, base, t / metal.middleFrom)
                                   : t < metal.middleTo
                                       ? base
                                       : mix(base, bottom, (t - metal.middleTo) / (1 - metal.middleTo));
        fill(dc, RECT{rect.left, y, rect.right, y + 1}, colour);
    }
}

void drawSwatch(HDC dc, const RECT& rect, const bands::Tone& tone, int dpi)
{
    const design::Rgb base{tone.red, tone.green, tone.blue};
    if (tone.metallic)
        fillWithSheen(dc, rect, base);
    else
        fill(dc, rect, base);
    // Outlined to stand out from the list's background, light where a dark theme makes it dark.
    const COLORREF list = GetSysColor(COLOR_WINDOW);
    const design::Rgb background{GetRValue(list), GetGValue(list), GetBValue(list)};
    const Brush outline(CreateSolidBrush(toColorRef(design::swatchOutline(background))));
    RECT edge = rect;
    for (int i = 0; i < scaled(1, dpi); ++i) {
        FrameRect(dc, &edge, outline.get());
        InflateRect(&edge, -1, -1);
    }
}

} // namespace

int scaled(int pixels, int dpi)
{
    return MulDiv(pixels, dpi, design::kStandardDpi);
}

COLORREF toColorRef(design::Rgb rgb)
{
    return RGB(rgb.red, rgb.green, rgb.blue);
}

RECT swatchRect(const RECT& item, int dpi)
{
    const int side = scaled(design::kSwatchSide, dpi);
    const int left = item.left + scaled(3, dpi);
    const int top = item.top + (item.bottom - item.top - side) / 2;
    return {left, top, left + side, top + side};
}

void drawColourItem(const DRAWITEMSTRUCT& item, int dpi)
{
    HDC dc = item.hDC;
    const bool chosen = (item.itemState & ODS_SELECTED) != 0;
    FillRect(dc, &item.rcItem, GetSysColorBrush(chosen ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    if (item.itemID != static_cast<UINT>(-1)) {
        const auto colour = static_cast<bands::Colour>(item.itemData);
        const RECT swatch = swatchRect(item.rcItem, dpi);
        drawSwatch(dc, swatch, bands::colourInfo(colour).tone, dpi);

        const auto length = SendMessageW(item.hwndItem, LB_GETTEXTLEN, item.itemID, 0);
        std::wstring name(static_cast<std::size_t>(std::max<LRESULT>(length, 0)) + 1, L'\0');
        name.resize(static_cast<std::size_t>(std::max<LRESULT>(
            SendMessageW(item.hwndItem, LB_GETTEXT, item.itemID, reinterpret_cast<LPARAM>(name.data())), 0)));
        RECT text = item.rcItem;
        text.left = swatch.right + scaled(5, dpi);
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, GetSysColor(chosen ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
        DrawTextW(dc, name.c_str(), static_cast<int>(name.size()), &text,
                  DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    }
    if ((item.itemState & ODS_FOCUS) != 0 && (item.itemState & ODS_NOFOCUSRECT) == 0)
        DrawFocusRect(dc, &item.rcItem);
}

void drawColourButton(const DRAWITEMSTRUCT& item, design::Rgb face, int dpi)
{
    HDC dc = item.hDC;
    const RECT& rect = item.rcItem;
    const bool pressed = (item.itemState & ODS_SELECTED) != 0;
    const bool focused = (item.itemState & ODS_FOCUS) != 0;
    // The rounded corners show the window behind the button.
    fill(dc, rect, design::kWindowBackground);

    const Brush faceBrush(CreateSolidBrush(toColorRef(pressed ? shaded(face, 1 / 1.15) : face)));
    const Pen edge(CreatePen(PS_INSIDEFRAME, focused ? scaled(2, dpi) : scaled(1, dpi),
                             toColorRef(focused ? design::kFocusMark : design::kButtonEdge)));
    {
        const Selected pen(dc, edge.get());
        const Selected brush(dc, faceBrush.get());
        const int corner = scaled(6, dpi);
        RoundRect(dc, rect.left, rect.top, rect.right, rect.bottom, corner, corner);
    }

    RECT caption = rect;
    if (pressed)
        OffsetRect(&caption, scaled(1, dpi), scaled(1, dpi));
    const std::wstring text = windowText(item.hwndItem);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 0, 0));
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &caption,
              DT_SINGLELINE | DT_CENTER | DT_VCENTER);

    if (focused && (item.itemState & ODS_NOFOCUSRECT) == 0) {
        RECT focus = rect;
        InflateRect(&focus, -scaled(4, dpi), -scaled(4, dpi));
        DrawFocusRect(dc, &focus);
    }
}

} // namespace win32
