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
#include <cstdio>
#include <exception>
#include <fstream>
#include <iostream>
#include <span>
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
        << "; --swatch-inset: " << px(design::kSwatchInset) << "; --name-gap: " << px(design::kNameGap)
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

// Attributes written as name="value", the value escaped.
std::string attribute(std::string_view name, std::string_view value)
{
    return std::string(" ").append(name).append(R"(=")").append(escaped(value)).append(R"(")");
}

// A control's description is the text of a hidden element that aria-describedby names: every engine
// gives that to a screen reader, where some pass aria-description on to none.
std::string describedBy(std::string_view id)
{
    return attribute("aria-describedby", std::string(id).append(web::kDescriptionSuffix));
}

std::string named(const design::Control& control)
{
    const std::string id = design::controlName(control);
    return attribute("id", id) + (control.accessibleDescription.empty() ? "" : describedBy(id));
}

// The hidden elements that hold the descriptions, the picture's first: its text follows the choices.
std::string descriptions()
{
    std::string out = "<div hidden>";
    const auto text = [&out](std::string_view id, std::string_view description) {
        out.append("<span").append(attribute("id", std::string(id).append(web::kDescriptionSuffix)));
        out.append(">").append(escaped(description)).append("</span>");
    };
    text(web::kResistorId, design::resistorDescription({}));
    for (const auto& control : design::kControls)
        if (!control.accessibleDescription.empty())
            text(design::controlName(control), control.accessibleDescription);
    return out + "</div>\n";
}

// A list shows its first colour until one is chosen: the others wait in a template, which the browser
// does not lay out for the first paint, and join the list as the window takes over (window.js).
void writeList(std::ostream& out, const design::Control& control)
{
    const std::string id = design::controlName(control);
    out << "<div" << named(control) << attribute("aria-label", control.accessibleName)
        << R"( class="list" role="listbox" tabindex="0">)";
    const auto colours = bands::kColourLists.at(static_cast<std::size_t>(control.index));
    for (std::size_t row = 0; row < colours.size(); ++row)
        out << (row == 1 ? "<template>" : "") << "<div" << attribute("id", id + "." + std::to_string(row))
            << R"( class="option" role="option" aria-selected="false"><span class="swatch c)"
            << static_cast<int>(colours[row]) << R"("></span>)" << escaped(bands::colourName(colours[row]))
            << "</div>";
    out << (colours.size() > 1 ? "</template>" : "") << "</div>\n";
}

void writePicture(std::ostream& out)
{
    out << "<canvas" << attribute("id", web::kResistorId) << R"( role="img")"
        << attribute("aria-label", design::kResistorName) << describedBy(web::kResistorId) << "></canvas>\n";
}

void writeButton(std::ostream& out, const design::Control& control)
{
    out << "<button" << named(control) << R"( type="button" class="button">)" << escaped(control.text)
        << "</button>\n";
}

// A line break right after the opening tag would be dropped by the parser: the introduction begins
// with a letter. A browser that keeps what was typed across a reload is asked not to: reloaded, the
// window starts as designed.
void writeReportBox(std::ostream& out, const design::Control& control)
{
    out << "<textarea" << named(control) << attribute("aria-label", control.accessibleName)
        << attribute("maxlength", std::to_string(design::kReportLimit))
        << R"( autocomplete="off" spellcheck="false" autofocus>)"
        << escaped(design::shownReport(design::kIntroduction)) << "</textarea>\n";
}

// The window's controls: the labels first, as a reader meets them, then every control that takes
// the focus in the order Tab visits it, so that the page's own order is the designed one. The
// picture follows the last colour list, as the eye does.
std::string markup()
{
    std::ostringstream out;
    // Busy until the program has taken the window over, as a screen reader may tell.
    out << "<main" << attribute("id", web::kWindowId) << R"( class="window" lang="bg" aria-busy="true">)"
        << "\n";
    for (const auto& control : design::kControls) {
        if (control.array != design::Array::Label1)
            continue;
        const char* tag = control.index == 0 ? "h1" : "div";
        out << "<" << tag << attribute("id", design::controlName(control)) << R"( class="label">)"
            << escaped(control.text) << "</" << tag << ">\n";
    }
    for (const std::size_t row : design::kFocusOrder) {
        const design::Control& control = design::kControls.at(row);
        if (control.array == design::Array::List1) {
            writeList(out, control);
            if (control.index == bands::kBandCount - 1)
                writePicture(out);
        } else if (control.array == design::Array::Command1) {
            writeButton(out, control);
        } else if (control.array == design::Array::Text1) {
            writeReportBox(out, control);
        }
    }
    out << descriptions() << "</main>\n";
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

// "[a, b, c]": each of `items` as `each` writes it.
template <typename Items, typename Each> std::string jsonList(const Items& items, Each each)
{
    std::string list = "[";
    for (const auto& item : items)
        list.append(list.size() > 1 ? ", " : "").append(each(item));
    return list + "]";
}

// The design as the page's tests check the page against it: places at 96 dots per inch, colours,
// texts and names, the focus order, the colours of each list and the resistor's bands.
std::string designForTests()
{
    const auto control = [](const design::Control& c) {
        return R"({"id": )" + json(design::controlName(c)) + R"(, "rect": )" + json(design::toPixels(c)) +
               R"(, "text": )" + json(c.text) + R"(, "name": )" + json(c.accessibleName) +
               R"(, "description": )" + json(c.accessibleDescription) + R"(, "background": )" +
               (c.background ? json(*c.background) : "null") + "}";
    };
    const auto names = [](std::span<const bands::Colour> colours) {
        return jsonList(colours, [](bands::Colour c) { return json(bands::colourName(c)); });
    };
    std::string tones = "{";
    for (const auto& c : bands::kColours)
        tones.append(tones.size() > 1 ? ", " : "").append(json(c.name) + ": " + json(c.tone));
    const design::ResistorDrawing drawing = design::resistorDrawing({}, design::kStandardDpi);
    const design::PixelRect client{0, 0, design::toPixels(design::kClientWidth),
                                   design::toPixels(design::kClientHeight)};
    std::ostringstream out;
    out << R"({"title": )" << json(design::kTitle) << ",\n"
        << R"("window": {"id": )" << json(web::kWindowId) << R"(, "rect": )" << json(client)
        << R"(, "background": )" << json(design::kWindowBackground) << "},\n"
        << R"("controls": )" << jsonList(design::kControls, control) << ",\n"
        << R"("focusOrder": )"
        << jsonList(design::kFocusOrder,
                    [](std::size_t row) { return json(design::controlName(design::kControls.at(row))); })
        << ",\n"
        << R"("lists": )" << jsonList(bands::kColourLists, names) << ",\n"
        << R"("tones": )" << tones << "},\n"
        << R"("resistor": {"id": )" << json(web::kResistorId) << R"(, "name": )"
        << json(design::kResistorName) << R"(, "description": )" << json(design::resistorDescription({}))
        << R"(, "outline": )" << json(drawing.bandOutline) << R"(, "area": )" << json(drawing.area)
        << R"(, "body": )" << json(design::kResistorBody) << R"(, "bands": )"
        << jsonList(drawing.bands, [](const design::ResistorBand& band) { return json(band.inside); })
        << "},\n"
        << R"("introduction": )" << json(design::shownReport(design::kIntroduction)) << ",\n"
        << R"("reportLimit": )" << design::kReportLimit << ",\n"
        << R"("focusMark": )" << json(design::kFocusMark) << ",\n"
        << R"("fontFamily": )" << json(web::kEmbeddedFontFamily) << "}\n";
    return out.str();
}

bool write(const std::string& path, const std::string& text)
{
    std::ofstream file(path, std::ios::binary);
    file << text;
    return static_cast<bool>(file);
}

int writeParts(const std::string& folder)
{
    const bool written = write(folder + "/window.css", styleSheet()) &&
                         write(folder + "/window.html", markup()) &&
                         write(folder + "/title.txt", escaped(design::kTitle)) &&
                         write(folder + "/characters.txt", design::shownCharacters()) &&
                         write(folder + "/font-family.txt", std::string(web::kEmbeddedFontFamily)) &&
                         write(folder + "/design.json", designForTests());
    if (written)
        return 0;
    std::cerr << "page_parts: cannot write into " << folder << "\n";
    return 1;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fputs("usage: page_parts <folder>\n", stderr);
        return 2;
    }
    try {
        return writeParts(argv[1]);
    } catch (const std::exception& error) {
        std::fputs("page_parts: ", stderr);
        std::fputs(error.what(), stderr);
        std::fputs("\n", stderr);
    }
    return 1;
}
