// SPDX-License-Identifier: MIT
// The Malvoran window of the page: the window operations of the logic, answered by the page's
// controls (window.js), and what the page's events ask of the core.
#pragma once

#include "bands.h"
#include "forms.h"
#include "list_keys.h"
#include "resistor.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace web {

class WebWindow final : public forms::Window {
public:
    // Takes over the page's window in its designed state (made anew where an earlier WebWindow had
    // it) and answers its events from now on: one WebWindow at a time has the page.
    WebWindow();
    ~WebWindow() override;
    WebWindow(const WebWindow&) = delete;
    WebWindow& operator=(const WebWindow&) = delete;
    WebWindow(WebWindow&&) = delete;
    WebWindow& operator=(WebWindow&&) = delete;

    // The window that answers the page's events now; nullptr before the first.
    static WebWindow* current();

    forms::Index selectedPosition(forms::Index list) const override;
    void setSelectedPosition(forms::Index list, forms::Index position) override;
    std::string reportText() const override;
    void setReportText(std::string_view text) override;

    // The student's click on Command1(command).
    void click(forms::Index command);
    // A click or tap on the colour at `row` of List1(list): it is chosen, whatever is held down.
    void choose(forms::Index list, forms::Index row);
    // A key pressed in List1(list), as the browser names it ("ArrowDown", " ", "с"), at `atMs`
    // milliseconds; whether the list took it (the browser then does nothing more with it).
    bool key(forms::Index list, std::string_view name, bool ctrl, bool altOrMeta, double atMs);
    // Paints the resistor where it has `devicePixelsPerPixel` device pixels to a pixel of the page
    // (the browser's zoom and the screen's density, the page's own scaling included).
    void paintResistor(double devicePixelsPerPixel);
    // Fits the colour names to their lists in the fonts the page has now.
    void fitNames() const;

private:
    // Reads the lists' choices again: the picture repaints, and its description changes, where a
    // band changed.
    void followChoices();

    // The report exactly as last written, CR LF included; the box itself shows plain line breaks.
    std::string m_report;
    design::ChosenColours m_chosen{};
    std::array<list_keys::TypeAhead, bands::kBandCount> m_typing{};
    int m_dpi = 0;
};

} // namespace web
