// SPDX-License-Identifier: MIT
// The practice's tasks, judging and feedback, and what each of its buttons does.
#include "practice.h"

#include "list_keys.h"
#include "series.h"

#include <algorithm>
#include <chrono>
#include <cstddef>

namespace practice {
namespace {

constexpr std::string_view kCrLf = forms::kCrLf;

void appendUtf8(std::string& text, char32_t c)
{
    if (c < 0x80) {
        text += static_cast<char>(c);
    } else if (c < 0x800) {
        text += static_cast<char>(0xC0 | (c >> 6U));
        text += static_cast<char>(0x80 | (c & 0x3FU));
    } else {
        text += static_cast<char>(0xE0 | (c >> 12U));
        text += static_cast<char>(0x80 | ((c >> 6U) & 0x3FU));
        text += static_cast<char>(0x80 | (c & 0x3FU));
    }
}

// A colour's name as the first word of a sentence: its first letter a capital.
std::string capitalised(std::string_view name)
{
    std::size_t at = 0;
    char32_t first = list_keys::nextCharacter(name, at);
    if (first >= U'а' && first <= U'я')
        first -= U'а' - U'А';
    std::string text;
    appendUtf8(text, first);
    return text.append(name.substr(at));
}

std::string_view colourName(bands::Band band, forms::Index position)
{
    return bands::colourName(
        bands::kColourLists.at(static_cast<std::size_t>(band))[static_cast<std::size_t>(position)]);
}

std::string_view toleranceText(const Bands& resistor)
{
    return forms::itemText(bands::kLookupLists[bands::Tolerance], resistor[bands::Tolerance]);
}

std::string multiplierText(forms::Index position)
{
    std::int64_t factor = 1;
    for (forms::Index i = 0; i < position; ++i)
        factor *= 10;
    return "× " + groupedNumber(factor);
}

// "Жълт 4, виолетов 7, червен × 100: 47 × 100 Ω = 4,7 kΩ, точност ±5%."
std::string reading(const Bands& resistor)
{
    const std::string multiplier = multiplierText(resistor[bands::Multiplier]);
    return capitalised(colourName(bands::FirstDigit, resistor[0])) + " " + std::to_string(resistor[0]) +
           ", " + std::string(colourName(bands::SecondDigit, resistor[1])) + " " +
           std::to_string(resistor[1]) + ", " + std::string(colourName(bands::Multiplier, resistor[2])) +
           " " + multiplier + ": " + std::to_string(significant(resistor)) + " " + multiplier +
           std::string(kNoBreakSpace) + "Ω = " + valueText(nominal(resistor)) + ", точност ±" +
           std::string(toleranceText(resistor)) + ".";
}

// "Втора цифра: трябва да е виолетов, а е избран син." for each band chosen wrong.
std::string wrongBands(const Bands& resistor, const Bands& chosen)
{
    std::string lines;
    for (std::size_t band = 0; band < resistor.size(); ++band) {
        if (chosen.at(band) == resistor.at(band))
            continue;
        const auto b = static_cast<bands::Band>(band);
        lines.append(bands::kBandNames.at(band))
            .append(": трябва да е ")
            .append(colourName(b, resistor.at(band)));
        if (chosen.at(band) == forms::kNoSelection)
            lines.append(", а не е избран цвят.");
        else
            lines.append(", а е избран ").append(colourName(b, chosen.at(band))).append(".");
        lines.append(kCrLf);
    }
    return lines;
}

// The round number the student typed: digits alone, spaces around them allowed, 1 to 9999.
std::optional<int> roundNumber(std::string_view text)
{
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return std::nullopt;
    text = text.substr(first, text.find_last_not_of(' ') - first + 1);
    if (text.find_first_not_of("0123456789") != std::string_view::npos)
        return std::nullopt;
    text.remove_prefix(std::min(text.find_first_not_of('0'), text.size()));
    if (text.size() > 4)
        return std::nullopt;
    int number = 0;
    for (const char digit : text)
        number = number * 10 + (digit - '0');
    if (number < kFirstRound || number > kLastRound)
        return std::nullopt;
    return number;
}

} // namespace

std::string statement(const Task& task, int number)
{
    std::string text = "Задача " + std::to_string(number) + " от " + std::to_string(kTasksPerRound) + ". ";
    switch (task.kind) {
    case Kind::Read:
        return text + "Колко е номиналът на резистора?";
    case Kind::Choose:
        return text + "Изберете цветовете на резистор " + valueText(nominal(task.bands)) + " ±" +
               std::string(toleranceText(task.bands)) + ".";
    case Kind::Limits:
        return text + "Колко е " + (task.upper ? "най-голямата" : "най-малката") +
               " допустима стойност на резистора?";
    }
    return text;
}

std::string feedback(const Task& task, std::optional<Milliohms> answer, const Bands& chosen, bool right)
{
    std::string text(right ? kRight : kWrong);
    text.append(kCrLf);
    if (!right && task.kind == Kind::Choose) {
        text.append(wrongBands(task.bands, chosen));
    } else if (!right) {
        const std::string wanted = valueText(expected(task));
        if (answer)
            text.append("Вашият отговор е ")
                .append(valueText(*answer))
                .append(", а верният е ")
                .append(wanted);
        else
            text.append("Верният отговор е ").append(wanted);
        text.append(".").append(kCrLf);
    }
    text.append(reading(task.bands)).append(kCrLf);
    text.append("Допустими стойности: от ")
        .append(valueText(lowest(task.bands)))
        .append(" до ")
        .append(valueText(highest(task.bands)))
        .append(".")
        .append(kCrLf);
    return text.append(seriesSentence(valueText(nominal(task.bands)), significant(task.bands))).append(kCrLf);
}

std::string score(int right, int answered)
{
    return "Верни: " + std::to_string(right) + " от " + std::to_string(answered);
}

Practice::Practice()
    : Practice(static_cast<std::uint64_t>(std::chrono::system_clock::now().time_since_epoch().count()))
{
}

Practice::Practice(std::uint64_t clock) : m_fresh(clock) {}

void Practice::start(Window& window)
{
    newRound(window);
}

void Practice::click(Window& window, forms::Index command)
{
    switch (command) {
    case Check:
        check(window);
        break;
    case Next:
        next(window);
        break;
    case NewRound:
        newRound(window);
        break;
    default:
        break;
    }
}

void Practice::check(Window& window)
{
    // The first answer is the one scored.
    if (m_checked)
        return;
    const Task& task = m_round.at(static_cast<std::size_t>(m_task));
    Bands chosen{};
    std::optional<Milliohms> value;
    bool right = false;
    if (task.kind == Kind::Choose) {
        for (forms::Index band = 0; band < bands::kBandCount; ++band)
            chosen.at(static_cast<std::size_t>(band)) = window.selectedPosition(band);
        right = chosen == task.bands;
    } else {
        const auto answer = readAnswer(window.text(Part::Answer));
        if (!answer) {
            window.setText(Part::Feedback, kNotUnderstood);
            window.focus(Part::Answer);
            return;
        }
        value = answer->milliohms;
        right = value == expected(task);
    }
    m_checked = true;
    ++m_answered;
    m_right += right ? 1 : 0;
    std::string text = feedback(task, value, chosen, right);
    const bool last = m_task + 1 == kTasksPerRound;
    if (last)
        text.append("Край на кръга. Верни отговори: ")
            .append(std::to_string(m_right))
            .append(" от ")
            .append(std::to_string(kTasksPerRound))
            .append(".")
            .append(kCrLf);
    window.setListsFixed(true);
    window.setText(Part::Score, score(m_right, m_answered));
    window.setText(Part::Feedback, text);
    window.setEnabled(Part::Next, !last);
    window.focus(last ? Part::NewRound : Part::Next);
}

void Practice::next(Window& window)
{
    if (!m_checked || m_task + 1 >= kTasksPerRound)
        return;
    ++m_task;
    showTask(window);
}

void Practice::newRound(Window& window)
{
    int number = 0;
    const std::string typed = window.text(Part::RoundNumber);
    if (m_number == 0 || typed == m_roundText) {
        // Never the round just played, unless the student asks for it by its number.
        do {
            number = kFirstRound + m_fresh.below(kLastRound - kFirstRound + 1);
        } while (number == m_number);
    } else if (const auto asked = roundNumber(typed)) {
        number = *asked;
    } else {
        window.setText(Part::Feedback, kNotARound);
        window.focus(Part::RoundNumber);
        return;
    }
    begin(window, number);
}

void Practice::begin(Window& window, int number)
{
    m_number = number;
    m_round = makeRound(number);
    m_task = 0;
    m_answered = 0;
    m_right = 0;
    m_roundText = std::to_string(number);
    window.setText(Part::RoundNumber, m_roundText);
    showTask(window);
}

void Practice::showTask(Window& window)
{
    const Task& task = m_round.at(static_cast<std::size_t>(m_task));
    const bool choose = task.kind == Kind::Choose;
    m_checked = false;
    // Lists fixed to the task's colours for reading them, empty and open for choosing them.
    window.setListsFixed(false);
    for (forms::Index band = 0; band < bands::kBandCount; ++band)
        window.setSelectedPosition(band, choose ? forms::kNoSelection
                                                : task.bands.at(static_cast<std::size_t>(band)));
    window.setListsFixed(!choose);
    window.setText(Part::Answer, "");
    window.setEnabled(Part::Answer, !choose);
    window.setEnabled(Part::Next, false);
    window.setText(Part::Score, score(m_right, m_answered));
    window.setText(Part::Feedback, "");
    window.setText(Part::Statement, statement(task, m_task + 1));
    window.focus(choose ? Part::Colours : Part::Answer);
}

} // namespace practice
