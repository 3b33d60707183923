// SPDX-License-Identifier: MIT
// An in-memory practice window for driving the practice without any widgets, and the harness that
// runs the practice window contract against it.
#pragma once

#include "list_keys.h"
#include "practice.h"
#include "practice_form.h"

#include <array>
#include <map>
#include <optional>
#include <string>

class FakePracticeWindow : public practice::Window {
public:
    std::array<forms::Index, bands::kBandCount> selections{-1, -1, -1, -1};
    bool listsFixed = false;
    std::map<practice::Part, std::string> texts;
    std::map<practice::Part, bool> disabled;
    std::optional<practice::Part> focused;

    forms::Index selectedPosition(forms::Index list) const override
    {
        return selections.at(static_cast<std::size_t>(list));
    }
    void setSelectedPosition(forms::Index list, forms::Index position) override
    {
        selections.at(static_cast<std::size_t>(list)) = position;
    }
    std::string text(practice::Part part) const override
    {
        const auto found = texts.find(part);
        return found == texts.end() ? std::string() : found->second;
    }
    void setText(practice::Part part, std::string_view text) override { texts[part] = text; }
    void setEnabled(practice::Part part, bool enabled) override { disabled[part] = !enabled; }
    void setListsFixed(bool fixed) override { listsFixed = fixed; }
    void focus(practice::Part part) override { focused = part; }
};

// The fake stands for a window whose one-line boxes hold at most their designed number of characters
// and whose buttons do nothing while disabled, as the toolkits' do.
class FakePracticeHarness {
public:
    FakePracticeHarness() { m_practice.start(m_window); }

    practice::Window& window() { return m_window; }
    void click(practice::Command command)
    {
        const auto part = command == practice::Check  ? practice::Part::Check
                          : command == practice::Next ? practice::Part::Next
                                                      : practice::Part::NewRound;
        if (enabled(part))
            m_practice.click(m_window, command);
    }
    void type(practice::Part box, std::string_view keys)
    {
        for (std::size_t at = 0; at < keys.size();) {
            const std::size_t from = at;
            const char32_t key = list_keys::nextCharacter(keys, at);
            if (key == U'\0')
                break;
            if (key == U'\n') {
                const int button = design::practiceControl(box).enterPresses;
                if (button != design::kNoButton)
                    click(static_cast<practice::Command>(button));
            } else {
                m_window.texts[box] = cut(m_window.texts[box] + std::string(keys.substr(from, at - from)));
            }
        }
    }
    void paste(practice::Part box, std::string_view text) { m_window.texts[box] = cut(text); }
    void choose(int list, int row)
    {
        if (!m_window.listsFixed)
            m_window.selections.at(static_cast<std::size_t>(list)) = static_cast<forms::Index>(row);
    }
    std::string shown(practice::Part part) const { return m_window.text(part); }
    std::optional<practice::Part> focused() const { return m_window.focused; }
    bool enabled(practice::Part part) const
    {
        const auto found = m_window.disabled.find(part);
        return found == m_window.disabled.end() || !found->second;
    }

private:
    // As much of the beginning of UTF-8 `text` as a box of kAnswerLimit characters holds.
    static std::string cut(std::string_view text)
    {
        std::size_t at = 0;
        for (int kept = 0; kept < practice::kAnswerLimit && list_keys::nextCharacter(text, at) != 0; ++kept) {
        }
        return std::string(text.substr(0, at));
    }

    FakePracticeWindow m_window;
    practice::Practice m_practice{2026};
};
