// SPDX-License-Identifier: MIT
// What the page shows before its WebAssembly runs, written from the design when the page is built:
// the window's markup in focus order, its style sheet (places, colours, the focus ring, the buttons'
// shades, the swatches), the title, and the characters the window shows, for the font's subset; and
// the design as the page's tests read it.
// Usage (under node): page_parts <folder>
#include "bands.h"
#include "design.h"
#include "forms.h"
#include "look.h"
#include "resistor.h"
#include "web_names.h"

#include <cmath>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <string_view>

namespace {

std::string escaped(std::string_view text)
{
    std::string html;
    for (const char c : text) {
        switch (c) {
        case '&':
            html += "&amp;";
            break;
        case '<':
            html += "&lt;";
            break;
        case '>':
            html += "&gt;";
            break;
        case '"':
            html += "&quot;";
            break;
        default:
            html += c;
        }
    }
    return html;
}

std::string css(design::Rgb c)
{
    return "rgb(" + std::to_string(c.red) + ", " + std::to_string(c.green) + ", " + std::to_string(c.blue) +
           ")";
}

std::string px(int pixels)
{
    return pixels == 0 ? "0" : std::to_string(pixels) + "px";
}

// A control's id, its design name ("List1(2)"), as a CSS selector.
std::string selector(std::string_view id)
{
    std::string s = "#";
    for (const char c : id) {
        if (c == '(' || c == ')')
            s += '\\';
        s += c;
    }
    return s;
}

std::string placed(std::string_view id, const design::PixelRect& r)
{
    return selector(id) + " { left: " + px(r.x) + "; top: " + px(r.y) + "; width: " + px(r.width) +
           "; height: " + px(r.height) + "; }\n";
}

// A colour's tone as a CSS background: a metal's sheen from the top down, stop by stop.
std::string toneBackground(const bands::ColourInfo& colour)
{
    if (!colour.metallic)
        return css(colour.tone);
    std::string gradient = "linear-gradient(to bottom";
    for (const auto& stop : design::metalSheen(colour.tone))
        gradient +=
            ", " + css(design::rounded(stop.colour)) + " " + std::to_string(std::lround(stop.at * 100)) + "%";
    return gradient + ")";
}

std::string styleSheet()
{
    std::ostringstream out;
    const design::PixelRect client{0, 0, design::toPixels(design::kClientWidth),
                                   design::toPixels(design::kClientHeight)};
    out << ":root { --window-width: " << px(client.width) << "; --window-height: " << px(client.height)
        << "; --font: \"" << design::kFontFamily << "\", \"" << web::kEmbeddedFontFamily
        << "\", serif; --font-size: " << design::kFontPointSize << "pt; --swatch: " << px(design::kSwatchSide)
        << "; --focus: " << css(design::kFocusMark) << "; --focus-width: " << px(design::kFocusEdgeWidth)
        << "; --button-edge: " << css(design::kButtonEdge)
        << "; --button-corner: " << px(design::kButtonCornerRadius)
        << "; --swatch-outline: " << css(design::swatchOutline(web::kListBackground))
        << "; --list-background: " << css(web::kListBackground) << "; }\n";
    // The window's own font, where the computer lacks Times New Roman: the page's builder puts it in.
    out << "@font-face { font-family: \"" << web::kEmbeddedFontFamily
        << "\"; src: url(\"data:font/woff2;base64,@FONT@\") format(\"woff2\"); }\n";
    out << ".window { background: " << css(design::kWindowBackground) << "; }\n";
    for (const auto& control : design::kControls) {
        const std::string id = design::controlName(control);
        out << placed(id, design::toPixels(control));
        if (control.background) {
            out << selector(id) << " { background: " << css(*control.background) << "; }\n";
            if (control.array == design::Array::Command1) {
                out << selector(id) << ":hover { background: " << css(design::hovered(*control.background))
                    << "; }\n";
                out << selector(id) << ":active { background: " << css(design::pressed(*control.background))
                    << "; }\n";
            }
        }
    }
    out << placed(web::kResistorId, design::toPixels(design::kResistor.area));
    for (const auto& colour : bands::kColours)
        out << ".swatch.c" << static_cast<int>(colour.colour) << " { background: " << toneBackground(colour)
            << "; }\n";
    return out.str();
}

void writeList(std::ostream& out, const design::Control& control)
{
    const std::string id = design::controlName(control);
    out << "<div id=\"" << id << "\" class=\"list\" role=\"listbox\" tabindex=\"0\" aria-label=\""
        << escaped(control.accessibleName) << "\" aria-description=\""
        << escaped(control.accessibleDescription) << "\">";
    const auto colours = bands::kColourLists.at(static_cast<std::size_t>(control.index));
    for (std::size_t row = 0; row < colours.size(); ++row)
        out << "<div id=\"" << id << "." << row
            << "\" class=\"option\" role=\"option\" aria-selected=\"false\">"
            << "<span class=\"swatch c" << static_cast<int>(colours[row]) << "\"></span>"
            << escaped(bands::colourName(colours[row])) << "</div>";
    out << "</div>\n";
}

// The window's controls: the labels first, as a reader meets them, then every control that takes
// the focus in the order Tab visits it, so that the page's own order is the designed one.
std::string markup()
{
    std::ostringstream out;
    out << "<main id=\"" << web::kWindowId << "\" class=\"window\" lang=\"bg\">\n";
    for (const auto& control : design::kControls) {
        if (control.array != design::Array::Label1)
            continue;
        const char* tag = control.index == 0 ? "h1" : "div";
        out << "<" << tag << " id=\"" << design::controlName(control) << "\" class=\"label\">"
            << escaped(control.text) << "</" << tag << ">\n";
    }
    for (const std::size_t row : design::kFocusOrder) {
        const design::Control& control = design::kControls.at(row);
        const std::string id = design::controlName(control);
        switch (control.array) {
        case design::Array::Label1:
            break;
        case design::Array::List1:
            writeList(out, control);
            // The picture follows the last colour list, as the eye does.
            if (control.index == bands::kBandCount - 1)
                out << "<canvas id=\"" << web::kResistorId << "\" role=\"img\" aria-label=\""
                    << escaped(design::kResistorName) << "\" aria-description=\""
                    << escaped(design::resistorDescription({})) << "\"></canvas>\n";
            break;
        case design::Array::Command1:
            out << "<button id=\"" << id << "\" type=\"button\" class=\"button\" aria-description=\""
                << escaped(control.accessibleDescription) << "\">" << escaped(control.text) << "</button>\n";
            break;
        case design::Array::Text1:
            // A line break right after the opening tag would be dropped by the parser: the
            // introduction begins with a letter.
            out << "<textarea id=\"" << id << "\" aria-label=\"" << escaped(control.accessibleName)
                << "\" aria-description=\"" << escaped(control.accessibleDescription) << "\" maxlength=\""
                << design::kReportLimit << "\" spellcheck=\"false\" autofocus>"
                << escaped(design::shownReport(design::kIntroduction)) << "</textarea>\n";
            break;
        }
    }
    out << "</main>\n";
    return out.str();
}

std::string json(std::string_view text)
{
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\')
            quoted += '\\';
        if (c == '\r')
            quoted += "\\r";
        else if (c == '\n')
            quoted += "\\n";
        else
            quoted += c;
    }
    return quoted + "\"";
}

std::string json(design::Rgb c)
{
    return "[" + std::to_string(c.red) + ", " + std::to_string(c.green) + ", " + std::to_string(c.blue) + "]";
}

std::string json(const design::PixelRect& r)
{
    return "[" + std::to_string(r.x) + ", " + std::to_string(r.y) + ", " + std::to_string(r.width) + ", " +
           std::to_string(r.height) + "]";
}

// The design as the page's tests check the page against it: places at 96 dots per inch, colours,
// texts and names, the focus order, the colours of each list and the resistor's bands.
std::string designForTests()
{
    std::ostringstream out;
    out << "{\n\"title\": " << json(design::kTitle) << ",\n\"window\": {\"id\": " << json(web::kWindowId)
        << ", \"rect\": "
        << json(design::PixelRect{0, 0, design::toPixels(design::kClientWidth),
                                  design::toPixels(design::kClientHeight)})
        << ", \"background\": " << json(design::kWindowBackground) << "},\n\"controls\": [\n";
    for (std::size_t row = 0; row < design::kControls.size(); ++row) {
        const design::Control& c = design::kControls.at(row);
        out << "  {\"id\": " << json(design::controlName(c)) << ", \"rect\": " << json(design::toPixels(c))
            << ", \"text\": " << json(c.text) << ", \"name\": " << json(c.accessibleName)
            << ", \"description\": " << json(c.accessibleDescription)
            << ", \"background\": " << (c.background ? json(*c.background) : "null") << "}"
            << (row + 1 < design::kControls.size() ? ",\n" : "\n");
    }
    out << "],\n\"focusOrder\": [";
    for (std::size_t i = 0; i < design::kFocusOrder.size(); ++i)
        out << (i > 0 ? ", " : "")
            << json(design::controlName(design::kControls.at(design::kFocusOrder.at(i))));
    out << "],\n\"lists\": [";
    for (std::size_t band = 0; band < bands::kColourLists.size(); ++band) {
        out << (band > 0 ? ", " : "") << "[";
        const auto colours = bands::kColourLists.at(band);
        for (std::size_t row = 0; row < colours.size(); ++row)
            out << (row > 0 ? ", " : "") << json(bands::colourName(colours[row]));
        out << "]";
    }
    out << "],\n\"tones\": {";
    for (std::size_t i = 0; i < bands::kColours.size(); ++i)
        out << (i > 0 ? ", " : "") << json(bands::kColours.at(i).name) << ": "
            << json(bands::kColours.at(i).tone);
    const design::ResistorDrawing drawing = design::resistorDrawing({}, design::kStandardDpi);
    out << "},\n\"resistor\": {\"id\": " << json(web::kResistorId)
        << ", \"name\": " << json(design::kResistorName)
        << ", \"description\": " << json(design::resistorDescription({}))
        << ", \"outline\": " << json(drawing.bandOutline) << ", \"area\": " << json(drawing.area)
        << ", \"body\": " << json(design::kResistorBody) << ", \"bands\": [";
    for (std::size_t band = 0; band < drawing.bands.size(); ++band)
        out << (band > 0 ? ", " : "") << json(drawing.bands.at(band).inside);
    out << "]},\n\"introduction\": " << json(design::shownReport(design::kIntroduction))
        << ",\n\"reportLimit\": " << design::kReportLimit << ",\n\"focusMark\": " << json(design::kFocusMark)
        << ",\n\"fontFamily\": " << json(web::kEmbeddedFontFamily) << "\n}\n";
    return out.str();
}

bool write(const std::string& path, const std::string& text)
{
    std::ofstream file(path, std::ios::binary);
    file << text;
    return static_cast<bool>(file);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: page_parts <folder>\n";
        return 2;
    }
    const std::string folder = argv[1];
    const bool written = write(folder + "/window.css", styleSheet()) &&
                         write(folder + "/window.html", markup()) &&
                         write(folder + "/title.txt", escaped(design::kTitle)) &&
                         write(folder + "/characters.txt", design::shownCharacters()) &&
                         write(folder + "/font-family.txt", std::string(web::kEmbeddedFontFamily)) &&
                         write(folder + "/design.json", designForTests());
    if (!written)
        std::cerr << "page_parts: cannot write into " << folder << "\n";
    return written ? 0 : 1;
}
