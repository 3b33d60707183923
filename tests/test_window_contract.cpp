// SPDX-License-Identifier: MIT
// The window contract against the in-memory window: the logic alone, no toolkit.
// clazy:excludeall=non-pod-global-static (doctest registers its test cases in static objects)
#define DOCTEST_CONFIG_IMPLEMENT_WITH_MAIN
#include "fake_window.h"
#include "window_contract.h"

namespace {

// The fake stands for a window whose report box ends each typed line with CR LF, as Enter does.
class FakeHarness {
public:
    forms::Window& window() { return m_window; }
    void click(int command) { colour_code::Command1_Click(m_window, static_cast<forms::Index>(command)); }
    void type(std::string_view keys)
    {
        for (const char key : keys)
            m_window.report += key == '\n' ? std::string(forms::kCrLf) : std::string(1, key);
    }
    std::string shownReport() const { return m_window.report; }

private:
    FakeWindow m_window;
};

} // namespace

TEST_CASE_TEMPLATE_INVOKE(window_contract, FakeHarness);
