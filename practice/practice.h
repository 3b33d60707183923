// SPDX-License-Identifier: MIT
// The practice: rounds of ten resistors to read, to choose and to judge, in a window of its own. What
// each button does, what the window says and where the focus goes are decided here; the window only
// shows it, through the practice window operations.
#pragma once

#include "forms.h"
#include "round.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace practice {

// The parts of the practice window that the practice reads, writes or sends the focus to.
enum class Part {
    Statement,   // the label that states the task: "Задача 3 от 10. …"
    Colours,     // the first colour list, where the student starts choosing
    Answer,      // the one-line box the student types a value into
    Check,       // "Провери"
    Feedback,    // the read-only box that judges each answer, its lines ending in CR LF
    Next,        // "Следваща"
    RoundNumber, // the one-line box with the round's number
    NewRound,    // "Нов кръг"
    Score,       // the label "Верни: K от N"
};

// The buttons, by their index in the practice window's Command1 array.
enum Command : forms::Index { Check = 0, Next = 1, NewRound = 2 };

// The most characters the answer box and the round's box hold: a longer paste is cut there.
inline constexpr int kAnswerLimit = 64;

// The practice window as the practice sees it: its four colour lists, and its other parts by name.
class Window : public forms::ColourLists {
public:
    // The whole text of a part, as the student left it (Answer, Round) or as last written.
    virtual std::string text(Part part) const = 0;
    // Replaces the whole text of a part; in Feedback each CR LF starts a new line. A screen reader
    // hears the new text of Statement and Feedback at once.
    virtual void setText(Part part, std::string_view text) = 0;
    // Whether the student can use a part (Answer, Next).
    virtual void setEnabled(Part part, bool enabled) = 0;
    // Fixed colour lists show their colours and take no choice from a key or a click.
    virtual void setListsFixed(bool fixed) = 0;
    // Gives the keyboard focus to a part.
    virtual void focus(Part part) = 0;
};

// Every character the practice writes beyond printable ASCII and the Cyrillic alphabet, for the
// windows' fonts.
inline constexpr std::string_view kSymbols = "Ω×±\u00A0";

// Texts the practice writes.
inline constexpr std::string_view kRight = "Вярно!";
inline constexpr std::string_view kWrong = "Грешно.";
inline constexpr std::string_view kNotUnderstood =
    "Не разбирам отговора: напишете стойност като 4,7\u00A0kΩ, 4k7 или 4700\u00A0Ω.";
inline constexpr std::string_view kNotARound = "Кръгът е цяло число от 1 до 9999.";

// "Задача 3 от 10. Колко е номиналът на резистора?"
std::string statement(const Task& task, int number);
// The feedback on a judged answer: "Вярно!" or "Грешно." and the whole explanation, lines ending in
// CR LF. `answer` is the value read for a Read or Limits task; for Choose, `chosen` the bands chosen.
std::string feedback(const Task& task, std::optional<Milliohms> answer, const Bands& chosen, bool right);
// "Верни: 7 от 9".
std::string score(int right, int answered);

// One student's practice in one window: the round in progress and its score. The window holds what
// is shown; this holds what the practice remembers between presses.
class Practice {
public:
    // The fresh round numbers are drawn from the clock; `clock` gives them a seed of its own instead.
    Practice();
    explicit Practice(std::uint64_t clock);

    // The window's first state: a round numbered from the clock, at its first task.
    void start(Window& window);
    // A press of Command1(command); Enter in the answer box presses "Провери".
    void click(Window& window, forms::Index command);

    int round() const { return m_number; }
    int task() const { return m_task; }

private:
    void check(Window& window);
    void next(Window& window);
    void newRound(Window& window);
    void begin(Window& window, int number);
    void showTask(Window& window);

    Generator m_fresh;
    int m_number = 0;
    Round m_round{};
    int m_task = 0;
    bool m_checked = false;
    int m_answered = 0;
    int m_right = 0;
    // The round's number as last written into its box: while the box still says it, "Нов кръг" draws
    // a fresh number.
    std::string m_roundText;
};

} // namespace practice
