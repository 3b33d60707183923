// SPDX-License-Identifier: MIT
// The window contract against the Qt window, driven with Qt Test's mouse and keys.
// clazy:excludeall=non-pod-global-static (doctest registers its test cases in static objects)
#define DOCTEST_CONFIG_IMPLEMENT
#include "window_contract.h"
#include "window_driver.h"

namespace {

class QtHarness {
public:
    forms::Window& window() { return m_ui.window; }
    void click(int command) { m_ui.click(command); }
    void type(std::string_view keys)
    {
        m_ui.text1()->setFocus();
        m_ui.text1()->moveCursor(QTextCursor::End);
        // One key event a character, so that Cyrillic letters type as they do on a Bulgarian keyboard.
        const QString typed = QString::fromUtf8(keys.data(), static_cast<qsizetype>(keys.size()));
        for (const QChar key : typed) {
            if (key == u'\n')
                QTest::keyClick(m_ui.text1(), Qt::Key_Return);
            else
                QTest::sendKeyEvent(QTest::Click, m_ui.text1(), Qt::Key_unknown, QString(key),
                                    Qt::NoModifier);
        }
    }
    std::string shownReport() const { return m_ui.shownReport().toStdString(); }

private:
    WindowDriver m_ui;
};

} // namespace

TEST_CASE_TEMPLATE_INVOKE(window_contract, QtHarness);

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    return doctest::Context(argc, argv).run();
}
