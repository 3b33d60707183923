// SPDX-License-Identifier: MIT
// The practice window contract against the Qt practice window, driven with Qt Test's mouse and keys.
// clazy:excludeall=non-pod-global-static (doctest registers its test cases in static objects)
#define DOCTEST_CONFIG_IMPLEMENT
#include "practice_contract.h"
#include "practice_driver.h"

namespace {

class QtPracticeHarness {
public:
    practice::Window& window() { return m_ui.window; }
    void click(practice::Command command) { m_ui.click(command); }
    void type(practice::Part box, std::string_view keys) { m_ui.type(box, keys); }
    void paste(practice::Part box, std::string_view text) { m_ui.paste(box, text); }
    void choose(int list, int row) { m_ui.clickItem(list, row); }
    std::string shown(practice::Part part) const { return m_ui.shown(part); }
    std::optional<practice::Part> focused() const { return m_ui.focused(); }
    bool enabled(practice::Part part) const { return m_ui.widget(part)->isEnabled(); }

private:
    PracticeDriver m_ui;
};

} // namespace

TEST_CASE_TEMPLATE_INVOKE(practice_contract, QtPracticeHarness);

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    return doctest::Context(argc, argv).run();
}
