// SPDX-License-Identifier: MIT
// Painting the colour-list items and the coloured buttons with GDI.
#include "owner_draw.h"

#include "gdi.h"
#include "text.h"

#include <algorithm>
#include <string>

namespace win32 {
namespace {

// Where a focused button shows its focus rectangle.
constexpr int kFocusRectInset = 4;
using design::kNameGap;
using design::kSwatchInset;

void fill(HDC dc, const RECT& rect, design::Rgb colour)
{
    const Brush brush(CreateSolidBrush(toColorRef(colour)));
    FillRect(dc, &rect, brush.get());
}

RECT toRect(const design::PixelRect& r)
{
    return {r.x, r.y, r.x + r.width, r.y + r.height};
}

// A frame `width` pixels wide just inside `rect`.
void frame(HDC dc, RECT rect, design::Rgb colour, int width)
{
    const Brush brush(CreateSolidBrush(toColorRef(colour)));
    for (int i = 0; i < width; ++i) {
        FrameRect(dc, &rect, brush.get());
        InflateRect(&rect, -1, -1);
    }
}

// A colour's tone over `rect`, a metal's with its sheen from the top down.
void fillTone(HDC dc, const RECT& rect, const bands::ColourInfo& colour)
{
    fill(dc, rect, colour.tone);
    // GDI has no gradient brush of its own: a metal's sheen is filled a row at a time.
    const int height = std::max(1L, rect.bottom - rect.top - 1);
    for (int y = rect.top; colour.metallic && y < rect.bottom; ++y)
        fill(dc, RECT{rect.left, y, rect.right, y + 1},
             design::sheenAt(colour.tone, static_cast<double>(y - rect.top) / height));
}

void drawSwatch(HDC dc, const RECT& rect, const bands::ColourInfo& colour, int dpi)
{
    fillTone(dc, rect, colour);
    // Outlined to stand out from the list's background, light where a dark theme makes it dark.
    const COLORREF list = GetSysColor(COLOR_WINDOW);
    const design::Rgb background{GetRValue(list), GetGValue(list), GetBValue(list)};
    frame(dc, rect, design::swatchOutline(background), scaled(1, dpi));
}

} // namespace

int scaled(int pixels, int dpi)
{
    return design::scaled(pixels, dpi);
}

COLORREF toColorRef(design::Rgb rgb)
{
    return RGB(rgb.red, rgb.green, rgb.blue);
}

int nameRoom(int listWidth, int swatchSide, int dpi)
{
    return listWidth - scaled(kSwatchInset, dpi) - scaled(swatchSide, dpi) - scaled(kNameGap, dpi);
}

RECT swatchRect(const RECT& item, int dpi, int swatchSide)
{
    const int side = scaled(swatchSide, dpi);
    const int left = item.left + scaled(kSwatchInset, dpi);
    const int top = item.top + (item.bottom - item.top - side) / 2;
    return {left, top, left + side, top + side};
}

void drawColourItem(const DRAWITEMSTRUCT& item, int dpi, int swatchSide)
{
    HDC dc = item.hDC;
    const bool chosen = (item.itemState & ODS_SELECTED) != 0;
    FillRect(dc, &item.rcItem, GetSysColorBrush(chosen ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    if (item.itemID != static_cast<UINT>(-1)) {
        const auto colour = static_cast<bands::Colour>(item.itemData);
        const RECT swatch = swatchRect(item.rcItem, dpi, swatchSide);
        drawSwatch(dc, swatch, bands::colourInfo(colour), dpi);

        // The item's string is the colour's name; screen readers read it from the list box.
        const std::wstring name = widen(bands::colourName(colour));
        RECT text = item.rcItem;
        text.left = swatch.right + scaled(kNameGap, dpi);
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, GetSysColor(chosen ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
        DrawTextW(dc, name.c_str(), static_cast<int>(name.size()), &text,
                  DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    }
    // No dotted focus rectangle: on a chosen colour it all but vanished. The window draws the ring.
}

RECT focusRingAround(const RECT& list, int dpi)
{
    RECT ring = list;
    InflateRect(&ring, scaled(design::kFocusEdgeWidth, dpi), scaled(design::kFocusEdgeWidth, dpi));
    return ring;
}

void drawFocusRing(HDC dc, const RECT& list, int dpi)
{
    frame(dc, focusRingAround(list, dpi), design::kFocusMark, scaled(design::kFocusEdgeWidth, dpi));
}

void drawColourButton(const DRAWITEMSTRUCT& item, design::Rgb face, int dpi, design::Rgb window)
{
    HDC dc = item.hDC;
    const RECT& rect = item.rcItem;
    const bool pressed = (item.itemState & ODS_SELECTED) != 0;
    const bool focused = (item.itemState & ODS_FOCUS) != 0;
    const bool disabled = (item.itemState & ODS_DISABLED) != 0;
    if (disabled)
        face = design::disabledFace(face);
    // The rounded corners show the window behind the button.
    fill(dc, rect, window);

    const Brush faceBrush(CreateSolidBrush(toColorRef(pressed ? design::pressed(face) : face)));
    const Pen edge(CreatePen(PS_INSIDEFRAME, scaled(focused ? design::kFocusEdgeWidth : 1, dpi),
                             toColorRef(focused ? design::kFocusMark : design::kButtonEdge)));
    {
        const Selected pen(dc, edge.get());
        const Selected brush(dc, faceBrush.get());
        const int corner = scaled(2 * design::kButtonCornerRadius, dpi);
        RoundRect(dc, rect.left, rect.top, rect.right, rect.bottom, corner, corner);
    }

    RECT caption = rect;
    if (pressed)
        OffsetRect(&caption, scaled(1, dpi), scaled(1, dpi));
    const std::wstring text = windowText(item.hwndItem);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, disabled ? toColorRef(design::kDisabledCaption) : RGB(0, 0, 0));
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &caption,
              DT_SINGLELINE | DT_CENTER | DT_VCENTER);

    if (focused && (item.itemState & ODS_NOFOCUSRECT) == 0) {
        RECT focus = rect;
        InflateRect(&focus, -scaled(kFocusRectInset, dpi), -scaled(kFocusRectInset, dpi));
        DrawFocusRect(dc, &focus);
    }
}

void drawResistor(const DRAWITEMSTRUCT& item, const design::ResistorDrawing& drawing, design::Rgb window)
{
    // Painted off screen and put there at once, so that a change of colour never flickers.
    const RECT& rect = item.rcItem;
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    HDC screen = item.hDC;
    HDC dc = CreateCompatibleDC(screen);
    const GdiObject<HBITMAP> buffer(CreateCompatibleBitmap(screen, width, height));
    {
        const Selected bitmap(dc, buffer.get());
        // The parts are in the window's pixels; the buffer begins at the picture's corner.
        SetWindowOrgEx(dc, drawing.area.x, drawing.area.y, nullptr);
        fill(dc, toRect(drawing.area), window);
        for (const auto& lead : drawing.leads)
            fill(dc, toRect(lead), design::kResistorLead);

        const Brush body(CreateSolidBrush(toColorRef(design::kResistorBody)));
        const Pen edge(CreatePen(PS_INSIDEFRAME, drawing.edge, toColorRef(drawing.bodyEdge)));
        {
            const Selected pen(dc, edge.get());
            const Selected brush(dc, body.get());
            const RECT r = toRect(drawing.body);
            RoundRect(dc, r.left, r.top, r.right, r.bottom, 2 * drawing.endRadius, 2 * drawing.endRadius);
        }
        for (const auto& band : drawing.bands) {
            if (!band.colour) {
                for (const auto& dash : band.dashes)
                    fill(dc, toRect(dash), drawing.bandOutline);
                continue;
            }
            fill(dc, toRect(band.rect), drawing.bandOutline);
            fillTone(dc, toRect(band.inside), bands::colourInfo(*band.colour));
        }
        BitBlt(screen, rect.left, rect.top, width, height, dc, drawing.area.x, drawing.area.y, SRCCOPY);
    }
    DeleteDC(dc);
}

} // namespace win32
