// SPDX-License-Identifier: MIT
// The Malvoran window: built from its design table, it answers the window operations of the logic.
#pragma once

#include "form_window.h"
#include "forms.h"

#include <string>

class Malvoran final : public FormWindow, public forms::Window {
    Q_OBJECT

public:
    explicit Malvoran(QWidget* parent = nullptr);

    forms::Index selectedPosition(forms::Index list) const override;
    void setSelectedPosition(forms::Index list, forms::Index position) override;
    std::string reportText() const override;
    void setReportText(std::string_view text) override;
};
