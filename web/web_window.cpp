// SPDX-License-Identifier: MIT
// The page's window: the core's rules over the page's controls, which window.js reaches.
#include "web_window.h"

#include "colour_code.h"
#include "design.h"
#include "web_names.h"

#include <emscripten.h>

#include <algorithm>
#include <cmath>
#include <utility>

// What window.js does with the page's controls for the window.
extern "C" {
void malvoran_js_open(const char* windowId);
void malvoran_js_control(int index, const char* id);
void malvoran_js_listen();
int malvoran_js_selected(int list);
void malvoran_js_select(int list, int row);
int malvoran_js_inView(int list);
int malvoran_js_reportEdited();
int malvoran_js_reportSize();
void malvoran_js_readReport(char* buffer, int size);
void malvoran_js_showReport(const char* text);
void malvoran_js_describe(const char* description);
void malvoran_js_beginPaint();
void malvoran_js_fill(int x, int y, int width, int height, int red, int green, int blue);
void malvoran_js_fillRounded(int x, int y, int width, int height, int radius, int red, int green, int blue);
int malvoran_js_nameRoom(int list, int swatchSide);
int malvoran_js_widestName(int list, double points);
void malvoran_js_setNameFit(int list, int swatchSide, double points);
}

namespace web {
namespace {

WebWindow* g_current = nullptr;

// The keys of a colour list, by what they ask of it (list_keys::choose), as the browser names them.
// Every other single character is a typed letter.
using list_keys::ListKey;
constexpr std::array<std::pair<std::string_view, ListKey>, 9> kListKeys = {{
    {"ArrowUp", ListKey::Back},
    {"ArrowLeft", ListKey::Back},
    {"PageUp", ListKey::Back},
    {"ArrowDown", ListKey::Forward},
    {"ArrowRight", ListKey::Forward},
    {"PageDown", ListKey::Forward},
    {"Home", ListKey::First},
    {"End", ListKey::Last},
    {" ", ListKey::ChooseInView},
}};

// The one character `name` is, or 0 where it names a key ("Enter", "Tab") or is not UTF-8.
char32_t oneCharacter(std::string_view name)
{
    std::size_t at = 0;
    const char32_t c = list_keys::nextCharacter(name, at);
    return at == name.size() ? c : 0;
}

forms::Index countOf(forms::Index list)
{
    return static_cast<forms::Index>(bands::kColourLists.at(static_cast<std::size_t>(list)).size());
}

void fill(const design::PixelRect& r, const design::PixelRect& area, design::Rgb colour)
{
    malvoran_js_fill(r.x - area.x, r.y - area.y, r.width, r.height, colour.red, colour.green, colour.blue);
}

} // namespace

WebWindow::WebWindow() : m_report(design::kIntroduction)
{
    g_current = this;
    malvoran_js_open(std::string(kWindowId).c_str());
    for (const auto& control : design::kControls)
        if (control.array != design::Array::Label1)
            malvoran_js_control(control.index, design::controlName(control).c_str());
    malvoran_js_control(0, std::string(kResistorId).c_str());
    malvoran_js_listen();
    fitNames();
}

WebWindow::~WebWindow()
{
    if (g_current == this)
        g_current = nullptr;
}

WebWindow* WebWindow::current()
{
    return g_current;
}

forms::Index WebWindow::selectedPosition(forms::Index list) const
{
    return static_cast<forms::Index>(malvoran_js_selected(list));
}

void WebWindow::setSelectedPosition(forms::Index list, forms::Index position)
{
    malvoran_js_select(list, position);
    followChoices();
}

std::string WebWindow::reportText() const
{
    // Once the student has typed into the box, its text is what the box shows.
    if (malvoran_js_reportEdited() == 0)
        return m_report;
    std::string shown(static_cast<std::size_t>(malvoran_js_reportSize()) + 1, '\0');
    malvoran_js_readReport(shown.data(), static_cast<int>(shown.size()));
    shown.resize(shown.size() - 1);
    return design::writtenReport(shown);
}

void WebWindow::setReportText(std::string_view text)
{
    m_report = text;
    malvoran_js_showReport(design::shownReport(text).c_str());
}

void WebWindow::click(forms::Index command)
{
    colour_code::Command1_Click(*this, command);
}

void WebWindow::choose(forms::Index list, forms::Index row)
{
    if (row >= 0 && row < countOf(list))
        setSelectedPosition(list, row);
}

bool WebWindow::key(forms::Index list, std::string_view name, bool ctrl, bool altOrMeta, double atMs)
{
    // Alt and the system key belong to the browser and the desktop, not to the list.
    if (altOrMeta)
        return false;
    const forms::Index chosen = selectedPosition(list);
    const auto inView = static_cast<forms::Index>(malvoran_js_inView(list));
    const auto* key = std::find_if(kListKeys.begin(), kListKeys.end(),
                                   [name](const auto& known) { return known.first == name; });
    forms::Index row = forms::kNoSelection;
    if (key != kListKeys.end()) {
        // Shift and Ctrl change nothing where only one colour can be chosen.
        row = list_keys::choose(key->second, chosen, inView, countOf(list));
    } else {
        const char32_t letter = oneCharacter(name);
        if (letter == 0 || ctrl)
            return false;
        const auto at = static_cast<std::uint32_t>(static_cast<std::uint64_t>(std::max(atMs, 0.0)));
        row = m_typing.at(static_cast<std::size_t>(list))
                  .type(letter, at, chosen, inView, bands::kColourLists.at(static_cast<std::size_t>(list)));
    }
    if (row != forms::kNoSelection)
        setSelectedPosition(list, row);
    return true;
}

void WebWindow::paintResistor(double devicePixelsPerPixel)
{
    m_dpi = static_cast<int>(std::lround(design::kStandardDpi * devicePixelsPerPixel));
    if (m_dpi <= 0)
        return;
    const design::ResistorDrawing drawing = design::resistorDrawing(m_chosen, m_dpi);
    const design::PixelRect& area = drawing.area;
    malvoran_js_beginPaint();
    for (const auto& lead : drawing.leads)
        fill(lead, area, design::kResistorLead);
    const design::PixelRect& body = drawing.body;
    const int edge = drawing.edge;
    malvoran_js_fillRounded(body.x - area.x, body.y - area.y, body.width, body.height, drawing.endRadius,
                            drawing.bodyEdge.red, drawing.bodyEdge.green, drawing.bodyEdge.blue);
    malvoran_js_fillRounded(body.x - area.x + edge, body.y - area.y + edge, body.width - 2 * edge,
                            body.height - 2 * edge, drawing.endRadius - edge, design::kResistorBody.red,
                            design::kResistorBody.green, design::kResistorBody.blue);
    for (const auto& band : drawing.bands) {
        if (!band.colour) {
            for (const auto& dash : band.dashes)
                fill(dash, area, drawing.bandOutline);
            continue;
        }
        fill(band.rect, area, drawing.bandOutline);
        const bands::ColourInfo& colour = bands::colourInfo(*band.colour);
        const design::PixelRect& inside = band.inside;
        // A canvas fills rectangles exactly: a metal's sheen is filled a row at a time, as on Windows.
        const int rows = std::max(1, inside.height - 1);
        for (int y = 0; y < inside.height; ++y)
            fill({inside.x, inside.y + y, inside.width, 1}, area,
                 colour.metallic ? design::sheenAt(colour.tone, static_cast<double>(y) / rows) : colour.tone);
    }
}

void WebWindow::fitNames() const
{
    for (forms::Index list = 0; list < bands::kBandCount; ++list) {
        const design::NameFit fit = design::fitNames(
            design::kFontPointSize, [list](int side) { return malvoran_js_nameRoom(list, side); },
            [list](double points) { return malvoran_js_widestName(list, points); });
        malvoran_js_setNameFit(list, fit.swatchSide, fit.pointSize);
    }
}

void WebWindow::followChoices()
{
    const design::ChosenColours chosen = design::chosenColours(*this);
    if (chosen == m_chosen)
        return;
    m_chosen = chosen;
    malvoran_js_describe(design::resistorDescription(m_chosen).c_str());
    if (m_dpi > 0)
        paintResistor(m_dpi / static_cast<double>(design::kStandardDpi));
}

} // namespace web

// What the page's events call.
extern "C" {
EMSCRIPTEN_KEEPALIVE void malvoran_click(int command)
{
    if (auto* window = web::WebWindow::current())
        window->click(static_cast<forms::Index>(command));
}

EMSCRIPTEN_KEEPALIVE void malvoran_choose(int list, int row)
{
    if (auto* window = web::WebWindow::current())
        window->choose(static_cast<forms::Index>(list), static_cast<forms::Index>(row));
}

EMSCRIPTEN_KEEPALIVE int malvoran_key(int list, const char* name, int ctrl, int altOrMeta, double atMs)
{
    auto* window = web::WebWindow::current();
    return window != nullptr &&
                   window->key(static_cast<forms::Index>(list), name, ctrl != 0, altOrMeta != 0, atMs)
               ? 1
               : 0;
}

EMSCRIPTEN_KEEPALIVE void malvoran_paint(double devicePixelsPerPixel)
{
    if (auto* window = web::WebWindow::current())
        window->paintResistor(devicePixelsPerPixel);
}

EMSCRIPTEN_KEEPALIVE void malvoran_fitNames()
{
    if (const auto* window = web::WebWindow::current())
        window->fitNames();
}
}
