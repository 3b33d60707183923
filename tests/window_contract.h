// SPDX-License-Identifier: MIT
// The contract every Malvoran window keeps with the colour-code logic, written once and run against
// each window: the in-memory fake, the Qt window and the Win32 window. Each test program instantiates
// it with TEST_CASE_TEMPLATE_INVOKE(window_contract, <its harness>).
//
// A harness owns one window in its designed state and acts on it as the student does:
//   forms::Window& window();          the window operations the logic uses
//   void click(int command);          presses Command1(command)
//   void type(std::string_view keys); types at the end of the report box; '\n' is the Enter key
//   std::string shownReport();        what the report box shows, its line ends as CR LF
#pragma once

#include "bands.h"
#include "colour_code.h"
#include "design.h"
#include "expected_report.h"

#include <doctest/doctest.h>

#include <array>
#include <string>
#include <vector>

namespace contract {

inline void choose(forms::Window& window, const oracle::Choice& chosen)
{
    for (forms::Index band = 0; band < bands::kBandCount; ++band)
        window.setSelectedPosition(band,
                                   static_cast<forms::Index>(chosen.at(static_cast<std::size_t>(band))));
}

inline oracle::Choice chosenIn(const forms::Window& window)
{
    oracle::Choice chosen{};
    for (forms::Index band = 0; band < bands::kBandCount; ++band)
        chosen.at(static_cast<std::size_t>(band)) = window.selectedPosition(band);
    return chosen;
}

inline std::string state(const oracle::Choice& chosen)
{
    return std::to_string(chosen[0]) + " " + std::to_string(chosen[1]) + " " + std::to_string(chosen[2]) +
           " " + std::to_string(chosen[3]);
}

} // namespace contract

template <> struct doctest::StringMaker<oracle::Choice> {
    static String convert(const oracle::Choice& chosen) { return contract::state(chosen).c_str(); }
};

TEST_CASE_TEMPLATE_DEFINE("window contract", Harness, window_contract)
{
    using oracle::kNotChosen;
    Harness ui;
    forms::Window& window = ui.window();
    constexpr oracle::Choice nothing{-1, -1, -1, -1};

    SUBCASE("selections round-trip, no selection included")
    {
        for (forms::Index band = 0; band < bands::kBandCount; ++band) {
            const auto count =
                static_cast<forms::Index>(bands::kColourLists.at(static_cast<std::size_t>(band)).size());
            std::vector<forms::Index> positions{forms::kNoSelection};
            for (auto p = count; p > 0; --p)
                positions.push_back(static_cast<forms::Index>(p - 1));
            positions.push_back(forms::kNoSelection);
            for (const auto position : positions) {
                CAPTURE(band);
                CAPTURE(position);
                window.setSelectedPosition(band, position);
                CHECK(window.selectedPosition(band) == position);
            }
        }
        window.setSelectedPosition(bands::Tolerance, 6);
        CHECK(contract::chosenIn(window) == oracle::Choice{-1, -1, -1, 6});
    }

    SUBCASE("the report reads back exactly as written")
    {
        std::string long_text;
        for (int i = 0; i < 80; ++i)
            long_text.append(design::kIntroduction);
        for (const std::string& written :
             {std::string(), std::string(oracle::kPrompt), std::string("ред 1 \r\n\r\nред 3\r\n"),
              std::string("  два интервала  \r\n  "), std::string(design::kIntroduction), long_text}) {
            CAPTURE(written.substr(0, 40));
            window.setReportText(written);
            CHECK(window.reportText() == written);
            CHECK(ui.shownReport() == written);
        }
        // A lone CR or LF reads back as it was written, though a box may show it as a line break.
        window.setReportText("а\nб\rв\r\n");
        CHECK(window.reportText() == "а\nб\rв\r\n");
    }

    SUBCASE("typed text reads back with CR LF, and Calculate replaces it")
    {
        window.setReportText(oracle::kPrompt);
        ui.type(" abc\nюя");
        CHECK(window.reportText() == std::string(oracle::kPrompt) + " abc\r\nюя");
        CHECK(ui.shownReport() == window.reportText());

        contract::choose(window, {1, 0, 1, -1});
        ui.click(colour_code::Calculate);
        CHECK(window.reportText() == oracle::report("10", " 100", kNotChosen));
        CHECK(ui.shownReport() == window.reportText());
    }

    SUBCASE("Calculate writes the example reports, replacing whatever the box held, once")
    {
        struct Row {
            const char* colours = nullptr;
            oracle::Choice chosen{};
            std::string expected;
        };
        const std::array rows = {
            Row{"yellow violet red gold", {4, 7, 2, 6}, oracle::report("47", " 4.7 k", "5%")},
            Row{"brown black green brown", {1, 0, 5, 0}, oracle::report("10", " 1 m", "1%")},
            Row{"red red black none", {2, 2, 0, -1}, oracle::report("22", " 22", kNotChosen)},
            Row{"none none none none", nothing, oracle::report(kNotChosen, " 0", kNotChosen)},
            Row{"yellow none none silver", {4, -1, -1, 7}, oracle::report(kNotChosen, " 40", "10%")},
            Row{"only the multiplier", {-1, -1, 7, -1}, oracle::report(kNotChosen, " 0", kNotChosen)},
            Row{"only the second digit", {-1, 8, -1, -1}, oracle::report(kNotChosen, " 8", kNotChosen)},
            Row{"green tolerance keeps its trailing zero", {0, 9, 0, 2}, oracle::report("09", " 9", "0.50%")},
            Row{"grey tolerance", {3, 3, 6, 5}, oracle::report("33", " 33 m", "0.05%")},
        };
        for (const auto& row : rows) {
            CAPTURE(row.colours);
            contract::choose(window, row.chosen);
            window.setReportText("Резисторът е пасивен...\r\nчужд текст без край");
            ui.click(colour_code::Calculate);
            CHECK(window.reportText() == row.expected);
            CHECK(ui.shownReport() == row.expected);
            CHECK(contract::chosenIn(window) == row.chosen);
            ui.click(colour_code::Calculate); // three lines, not six
            CHECK(window.reportText() == row.expected);
        }
    }

    SUBCASE("Clear removes the four choices and asks for a colour code, with no line break")
    {
        contract::choose(window, {9, 9, 7, 7});
        window.setReportText("стар отчет\r\n");
        ui.click(colour_code::Clear);
        CHECK(contract::chosenIn(window) == nothing);
        CHECK(window.reportText() == oracle::kPrompt);
        CHECK(ui.shownReport() == oracle::kPrompt);
        ui.click(colour_code::Calculate);
        CHECK(window.reportText() == oracle::report(kNotChosen, " 0", kNotChosen));
    }

    SUBCASE("every one of the 11 x 11 x 9 x 9 selection states gives the oracle's report")
    {
        int checked = 0;
        for (int p0 = -1; p0 <= 9; ++p0)
            for (int p1 = -1; p1 <= 9; ++p1)
                for (int p2 = -1; p2 <= 7; ++p2)
                    for (int p3 = -1; p3 <= 7; ++p3) {
                        const oracle::Choice chosen{p0, p1, p2, p3};
                        contract::choose(window, chosen);
                        ui.click(colour_code::Calculate);
                        INFO("state ", contract::state(chosen));
                        const std::string shown = ui.shownReport();
                        REQUIRE(shown == oracle::report(chosen));
                        REQUIRE(window.reportText() == shown);
                        ++checked;
                    }
        CHECK(checked == 11 * 11 * 9 * 9);
    }
}
