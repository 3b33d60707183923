// SPDX-License-Identifier: MIT
// The practice window, "Malvoran — упражнение": built from its design table, it shows what the
// practice it owns decides, through the practice window operations.
#pragma once

#include "form_window.h"
#include "practice.h"

#include <string>
#include <string_view>

class PracticeWindow final : public FormWindow, public practice::Window {
    Q_OBJECT

public:
    // Starts a practice of its own, at the first task of a round numbered from the clock.
    explicit PracticeWindow(QWidget* parent = nullptr);

    forms::Index selectedPosition(forms::Index list) const override;
    void setSelectedPosition(forms::Index list, forms::Index position) override;
    std::string text(practice::Part part) const override;
    void setText(practice::Part part, std::string_view text) override;
    void setEnabled(practice::Part part, bool enabled) override;
    void setListsFixed(bool fixed) override;
    void focus(practice::Part part) override;

private:
    practice::Practice m_practice;
};
