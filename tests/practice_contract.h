// SPDX-License-Identifier: MIT
// The contract every practice window keeps with the practice, written once and run against each
// window: the in-memory fake, the Qt window, the Win32 window and the page's. Each test program
// instantiates it with TEST_CASE_TEMPLATE_INVOKE(practice_contract, <its harness>).
//
// A harness owns one practice window as the program starts it (its own practice, a round numbered
// from the clock) and acts on it as the student does:
//   practice::Window& window();                         the practice window operations
//   void click(practice::Command command);              clicks Command1(command); nothing while disabled
//   void type(practice::Part box, std::string_view keys); types at the end of a one-line box; '\n' is Enter
//   void paste(practice::Part box, std::string_view text); pastes over the whole of a box's text
//   void choose(int list, int row);                     clicks the colour at `row` of List1(list)
//   std::string shown(practice::Part part);             what a part shows, line breaks as CR LF
//   std::optional<practice::Part> focused();            the part with the keyboard focus
//   bool enabled(practice::Part part);                  whether the student can use a part
#pragma once

#include "practice.h"

#include <doctest/doctest.h>

#include <array>
#include <optional>
#include <string>

namespace practice_contract {

using practice::Part;

inline std::string typed(practice::Milliohms value)
{
    // Typed with a plain space, as on a keyboard.
    std::string text = practice::valueText(value);
    return text.replace(text.find(practice::kNoBreakSpace), practice::kNoBreakSpace.size(), " ");
}

inline std::array<forms::Index, bands::kBandCount> chosenIn(const practice::Window& window)
{
    std::array<forms::Index, bands::kBandCount> chosen{};
    for (forms::Index band = 0; band < bands::kBandCount; ++band)
        chosen.at(static_cast<std::size_t>(band)) = window.selectedPosition(band);
    return chosen;
}

// Whether the window shows task `number` (from 1) of `round`, as it stands before the student answers.
template <typename Harness> void checkTaskShown(Harness& ui, const practice::Round& round, int number)
{
    const practice::Task& task = round.at(static_cast<std::size_t>(number - 1));
    const bool choose = task.kind == practice::Kind::Choose;
    CAPTURE(number);
    CHECK(ui.shown(Part::Statement) == practice::statement(task, number));
    CHECK(chosenIn(ui.window()) == (choose ? practice::Bands{-1, -1, -1, -1} : task.bands));
    CHECK(ui.shown(Part::Answer).empty());
    CHECK(ui.enabled(Part::Answer) == !choose);
    CHECK_FALSE(ui.enabled(Part::Next));
    CHECK(ui.shown(Part::Feedback).empty());
    CHECK(ui.focused() == (choose ? Part::Colours : Part::Answer));
}

} // namespace practice_contract

TEST_CASE_TEMPLATE_DEFINE("practice window contract", Harness, practice_contract)
{
    using practice::Part;
    Harness ui;
    practice::Window& window = ui.window();

    SUBCASE("the window starts at the first task of a round numbered from the clock")
    {
        const std::string number = ui.shown(Part::RoundNumber);
        REQUIRE(!number.empty());
        const int round = std::stoi(number);
        CHECK(round >= practice::kFirstRound);
        CHECK(round <= practice::kLastRound);
        CHECK(ui.shown(Part::Score) == "Верни: 0 от 0");
        practice_contract::checkTaskShown(ui, practice::makeRound(round), 1);
    }

    SUBCASE("each part shows what is written to it, line breaks as CR LF")
    {
        for (const Part part :
             {Part::Statement, Part::Score, Part::Answer, Part::RoundNumber, Part::Feedback}) {
            const std::string written = part == Part::Feedback
                                            ? "Грешно.\r\nред 2 ±5% 4,7\u00A0kΩ\r\n\r\nкрай\r\n"
                                            : "Задача 1 от 10. 4,7\u00A0kΩ ±5%";
            CAPTURE(static_cast<int>(part));
            window.setText(part, written);
            CHECK(ui.shown(part) == written);
            if (part == Part::Answer || part == Part::RoundNumber)
                CHECK(window.text(part) == written);
        }
        window.setText(Part::Feedback, "");
        CHECK(ui.shown(Part::Feedback).empty());
        for (const bool enabled : {false, true, false}) {
            window.setEnabled(Part::Next, enabled);
            CHECK(ui.enabled(Part::Next) == enabled);
        }
        for (const Part part : {Part::Colours, Part::Answer, Part::Next, Part::RoundNumber, Part::NewRound}) {
            window.setEnabled(part, true);
            window.focus(part);
            CHECK(ui.focused() == part);
        }
    }

    SUBCASE("a fixed list takes no choice from the student, and still shows the program's")
    {
        window.setListsFixed(false);
        window.setSelectedPosition(0, 3);
        window.setListsFixed(true);
        ui.choose(0, 5);
        CHECK(window.selectedPosition(0) == 3);
        window.setSelectedPosition(0, 7);
        CHECK(window.selectedPosition(0) == 7);
        window.setListsFixed(false);
        ui.choose(0, 5);
        CHECK(window.selectedPosition(0) == 5);
    }

    SUBCASE("round 4821 played to its end: right, wrong and unreadable answers, each task scored once")
    {
        ui.paste(Part::RoundNumber, "4821");
        ui.type(Part::RoundNumber, "\n");
        REQUIRE(ui.shown(Part::RoundNumber) == "4821");
        const practice::Round round = practice::makeRound(4821);
        int right = 0;
        bool unreadableTried = false;
        for (int number = 1; number <= practice::kTasksPerRound; ++number) {
            CAPTURE(number);
            const practice::Task& task = round.at(static_cast<std::size_t>(number - 1));
            practice_contract::checkTaskShown(ui, round, number);
            // Not yet checked: "Следваща" does nothing.
            ui.click(practice::Next);
            CHECK(ui.shown(Part::Statement) == practice::statement(task, number));

            const bool answerRight = number % 3 != 2;
            practice::Bands chosen{};
            std::optional<practice::Milliohms> value;
            if (task.kind == practice::Kind::Choose) {
                chosen = task.bands;
                if (!answerRight)
                    chosen[bands::Tolerance] = static_cast<forms::Index>((chosen[bands::Tolerance] + 1) % 8);
                for (int band = 0; band < bands::kBandCount; ++band)
                    ui.choose(band, chosen.at(static_cast<std::size_t>(band)));
                ui.click(practice::Check);
            } else {
                if (!unreadableTried) {
                    unreadableTried = true;
                    ui.type(Part::Answer, "4,7,7 k\n");
                    CHECK(ui.shown(Part::Feedback) == practice::kNotUnderstood);
                    CHECK(ui.shown(Part::Score) == practice::score(right, number - 1));
                    CHECK_FALSE(ui.enabled(Part::Next));
                    CHECK(ui.shown(Part::Answer) == "4,7,7 k");
                    ui.paste(Part::Answer, "");
                }
                value = practice::expected(task) + (answerRight ? 0 : practice::kOhm);
                ui.type(Part::Answer, practice_contract::typed(*value));
                // Enter in the box and "Провери" judge alike.
                if (number % 2 == 0)
                    ui.type(Part::Answer, "\n");
                else
                    ui.click(practice::Check);
            }
            right += answerRight ? 1 : 0;
            const bool last = number == practice::kTasksPerRound;
            std::string feedback = practice::feedback(task, value, chosen, answerRight);
            if (last)
                feedback += "Край на кръга. Верни отговори: " + std::to_string(right) + " от 10.\r\n";
            CHECK(ui.shown(Part::Feedback) == feedback);
            CHECK(ui.shown(Part::Score) == practice::score(right, number));
            CHECK(ui.enabled(Part::Next) == !last);
            CHECK(ui.focused() == (last ? Part::NewRound : Part::Next));
            // The first answer is the one scored.
            ui.click(practice::Check);
            CHECK(ui.shown(Part::Score) == practice::score(right, number));
            CHECK(ui.shown(Part::Feedback) == feedback);
            ui.click(practice::Next);
        }
        CHECK(ui.shown(Part::Statement) == practice::statement(round.back(), practice::kTasksPerRound));
        CHECK(ui.shown(Part::Score) == "Верни: 7 от 10");
    }

    SUBCASE("a number that is no round is answered in one sentence, and the round goes on")
    {
        ui.paste(Part::RoundNumber, "9999");
        ui.click(practice::NewRound);
        const std::string statement = ui.shown(Part::Statement);
        REQUIRE(statement == practice::statement(practice::makeRound(9999).front(), 1));
        const std::string megabyte(1 << 20, '7');
        for (const std::string& number : {std::string("0"), std::string("10000"), std::string("-1"),
                                          std::string("−1"), std::string("12а"), std::string(""), megabyte}) {
            CAPTURE(number.substr(0, 8));
            ui.paste(Part::RoundNumber, number);
            CHECK(ui.shown(Part::RoundNumber).size() <= 4 * static_cast<std::size_t>(practice::kAnswerLimit));
            ui.click(practice::NewRound);
            CHECK(ui.shown(Part::Feedback) == practice::kNotARound);
            CHECK(ui.shown(Part::Statement) == statement);
            CHECK(ui.shown(Part::Score) == "Верни: 0 от 0");
        }
        // An answer pasted far past the box's limit is cut there, and is no resistance.
        if (ui.enabled(Part::Answer)) {
            ui.paste(Part::Answer, std::string(1 << 20, 'a'));
            CHECK(ui.shown(Part::Answer) == std::string(practice::kAnswerLimit, 'a'));
            ui.click(practice::Check);
            CHECK(ui.shown(Part::Feedback) == practice::kNotUnderstood);
            CHECK(ui.shown(Part::Score) == "Верни: 0 от 0");
        }
        // A number with spaces around it, or leading zeros, is the round it names.
        ui.paste(Part::RoundNumber, " 0042 ");
        ui.click(practice::NewRound);
        CHECK(ui.shown(Part::RoundNumber) == "42");
        CHECK(ui.shown(Part::Statement) == practice::statement(practice::makeRound(42).front(), 1));
        // Left as it was written, the box asks for a fresh round.
        ui.click(practice::NewRound);
        const std::string fresh = ui.shown(Part::RoundNumber);
        CHECK(fresh != "42");
        CHECK(ui.shown(Part::Statement) ==
              practice::statement(practice::makeRound(std::stoi(fresh)).front(), 1));
    }
}
