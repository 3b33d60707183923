// SPDX-License-Identifier: MIT
// The calculate and clear actions of the Command1 buttons.
#include "colour_code.h"

#include "bands.h"

#include <string_view>

namespace colour_code {
namespace {

using namespace std::string_view_literals;

constexpr auto kSelectedValue = "Избрана стойност: "sv;
constexpr auto kNominal = "Номинал: "sv;
constexpr auto kTolerance = "Точност: "sv;
constexpr auto kNotChosen = "не е посочена!"sv;
constexpr auto kChooseColourCode = "Посочете цветен код!"sv;

// Both digit bands read their meaning from the first lookup list; the two lists are identical.
double digitValue(forms::Index position)
{
    return forms::textToNumber(forms::itemText(bands::kLookupLists[bands::FirstDigit], position));
}

std::string selectedDigits(const forms::Window& window)
{
    const auto first = window.selectedPosition(bands::FirstDigit);
    const auto second = window.selectedPosition(bands::SecondDigit);
    if (first == forms::kNoSelection || second == forms::kNoSelection)
        return std::string(kNotChosen);
    const auto digits = bands::kLookupLists[bands::FirstDigit];
    return std::string(forms::itemText(digits, first)).append(forms::itemText(digits, second));
}

std::string_view selectedTolerance(const forms::Window& window)
{
    const auto position = window.selectedPosition(bands::Tolerance);
    if (position == forms::kNoSelection)
        return kNotChosen;
    return forms::itemText(bands::kLookupLists[bands::Tolerance], position);
}

void calculate(forms::Window& window)
{
    std::string report;
    for (const std::string& line :
         {std::string(kSelectedValue) + selectedDigits(window), std::string(kNominal) + NominalText(window),
          std::string(kTolerance).append(selectedTolerance(window))})
        report.append(line).append(forms::kCrLf);
    // The report replaces whatever the box held, the introduction and the student's own typing
    // included; one replacement draws it in one go.
    window.setReportText(report);
}

void clear(forms::Window& window)
{
    for (forms::Index band = 0; band < bands::kBandCount; ++band)
        window.setSelectedPosition(band, forms::kNoSelection);
    window.setReportText(kChooseColourCode);
}

} // namespace

std::string NominalText(const forms::Window& window)
{
    double ohms = digitValue(window.selectedPosition(bands::FirstDigit)) * 10;
    ohms += digitValue(window.selectedPosition(bands::SecondDigit));
    // Position k of the multiplier list means k times ten; no multiplier chosen means x 1.
    const auto multiplier = window.selectedPosition(bands::Multiplier);
    for (forms::Index i = 1; i <= multiplier; ++i)
        ohms *= 10;

    if (ohms >= 1000000)
        return forms::numberText(ohms / 1000000) + " m";
    if (ohms >= 1000)
        return forms::numberText(ohms / 1000) + " k";
    return forms::numberText(ohms);
}

void Command1_Click(forms::Window& window, forms::Index index)
{
    switch (index) {
    case Calculate:
        calculate(window);
        break;
    case Clear:
        clear(window);
        break;
    default:
        break;
    }
}

} // namespace colour_code
