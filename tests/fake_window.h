// SPDX-License-Identifier: MIT
// An in-memory main window for driving the colour-code logic without any widgets.
#pragma once

#include "bands.h"
#include "forms.h"

#include <array>
#include <string>

class FakeWindow : public forms::Window {
public:
    std::array<forms::Index, bands::kBandCount> selections{-1, -1, -1, -1};
    std::string report;

    forms::Index selectedPosition(forms::Index list) const override { return selections.at(toSlot(list)); }
    void setSelectedPosition(forms::Index list, forms::Index position) override
    {
        selections.at(toSlot(list)) = position;
    }
    std::string reportText() const override { return report; }
    void setReportText(std::string_view text) override { report = text; }

private:
    static std::size_t toSlot(forms::Index list) { return static_cast<std::size_t>(list); }
};
