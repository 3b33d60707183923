// SPDX-License-Identifier: MIT
// The nominal value and the report, driven through an in-memory window. The example reports and the
// clear action are the window contract's (test_window_contract), which runs against every window.
#include "colour_code.h"
#include "expected_report.h"
#include "fake_window.h"

#include <QtTest>

#include <charconv>
#include <cstdint>
#include <vector>

using colour_code::Command1_Click;

namespace {

// Positions in the colour lists, named after the colours they hold.
enum Digit : forms::Index { none = -1, black, brown, red, orange, yellow, green, blue, violet, grey, white };
enum Tolerance : forms::Index { tBrown, tRed, tGreen, tBlue, tViolet, tGrey, tGold, tSilver };

QString q(const std::string& s)
{
    return QString::fromStdString(s);
}

FakeWindow windowWith(forms::Index first, forms::Index second, forms::Index multiplier,
                      forms::Index tolerance)
{
    FakeWindow window;
    window.selections = {first, second, multiplier, tolerance};
    return window;
}

} // namespace

class ColourCodeTest : public QObject {
    Q_OBJECT

private slots:
    void nominalText_data();
    void nominalText();
    void otherIndex_doesNothing();
    void everySelection_givesThreeConsistentLines();
};

void ColourCodeTest::nominalText_data()
{
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("second");
    QTest::addColumn<int>("multiplier");
    QTest::addColumn<QString>("text");
    QTest::newRow("yellow violet red") << +yellow << +violet << +red << " 4.7 k";
    QTest::newRow("brown black black") << +brown << +black << +black << " 10";
    QTest::newRow("white white brown") << +white << +white << +brown << " 990";
    QTest::newRow("999 stays below k") << +white << +white << +brown << " 990";
    QTest::newRow("brown black red: exactly 1000") << +brown << +black << +red << " 1 k";
    QTest::newRow("brown black orange") << +brown << +black << +orange << " 10 k";
    QTest::newRow("white white yellow: below 1000000") << +white << +white << +yellow << " 990 k";
    QTest::newRow("brown black green: exactly 1000000") << +brown << +black << +green << " 1 m";
    QTest::newRow("white white violet: the largest") << +white << +white << +violet << " 990 m";
    QTest::newRow("black black violet: zero has no suffix") << +black << +black << +violet << " 0";
    QTest::newRow("nothing chosen") << +none << +none << +none << " 0";
    QTest::newRow("yellow, no second digit, no multiplier") << +yellow << +none << +none << " 40";
    QTest::newRow("no first digit, violet red") << +none << +violet << +red << " 700";
    QTest::newRow("no multiplier counts as x 1") << +green << +blue << +none << " 56";
    QTest::newRow("quotient keeps one decimal") << +red << +red << +yellow << " 220 k";
    QTest::newRow("mega with decimal") << +blue << +grey << +green << " 6.8 m";
}

void ColourCodeTest::nominalText()
{
    QFETCH(int, first);
    QFETCH(int, second);
    QFETCH(int, multiplier);
    QFETCH(QString, text);
    const auto window = windowWith(static_cast<forms::Index>(first), static_cast<forms::Index>(second),
                                   static_cast<forms::Index>(multiplier), none);
    QCOMPARE(q(colour_code::NominalText(window)), text);
}

void ColourCodeTest::otherIndex_doesNothing()
{
    for (const forms::Index index : {forms::Index{-1}, forms::Index{2}, forms::Index{32767}}) {
        auto window = windowWith(yellow, violet, red, tGold);
        window.report = "непроменен";
        Command1_Click(window, index);
        QCOMPARE(window.selections, (std::array<forms::Index, 4>{yellow, violet, red, tGold}));
        QCOMPARE(q(window.report), QString("непроменен"));
    }
}

// Every one of the 11 x 11 x 9 x 9 selection states: the report is the shared oracle's, byte for
// byte, and each line also holds what it should when read back on its own: the digits and tolerance
// as the oracle names them, and a nominal value that parses back to the oracle's ohms.
void ColourCodeTest::everySelection_givesThreeConsistentLines()
{
    int checked = 0;
    for (forms::Index p0 = -1; p0 <= 9; ++p0)
        for (forms::Index p1 = -1; p1 <= 9; ++p1)
            for (forms::Index p2 = -1; p2 <= 7; ++p2)
                for (forms::Index p3 = -1; p3 <= 7; ++p3) {
                    auto window = windowWith(p0, p1, p2, p3);
                    window.report = "x";
                    Command1_Click(window, colour_code::Calculate);
                    const auto& text = window.report;
                    const oracle::Choice choice{p0, p1, p2, p3};
                    const auto state = QByteArray::number(p0) + ' ' + QByteArray::number(p1) + ' ' +
                                       QByteArray::number(p2) + ' ' + QByteArray::number(p3);
                    QVERIFY2(text == oracle::report(choice), state);

                    std::vector<std::string> lines;
                    std::size_t start = 0;
                    for (auto end = text.find("\r\n"); end != std::string::npos;
                         end = text.find("\r\n", start)) {
                        lines.push_back(text.substr(start, end - start));
                        start = end + 2;
                    }
                    QVERIFY2(start == text.size() && lines.size() == 3, state);
                    for (const auto& line : lines)
                        QVERIFY2(line.find_first_of("\r\n") == std::string::npos, state);

                    QVERIFY2(lines[0] == "Избрана стойност: " + oracle::digits(choice), state);
                    QVERIFY2(lines[2] == "Точност: " + oracle::tolerance(choice), state);

                    const std::int64_t ohms = oracle::ohms(choice);
                    const std::string prefix = "Номинал:  ";
                    QVERIFY2(lines[1].starts_with(prefix), state);
                    std::string_view number = std::string_view(lines[1]).substr(prefix.size());
                    std::int64_t scale = 1;
                    if (number.ends_with(" k"))
                        scale = 1000;
                    else if (number.ends_with(" m"))
                        scale = 1000000;
                    if (scale != 1)
                        number.remove_suffix(2);
                    const std::int64_t expectedScale = ohms >= 1000000 ? 1000000 : ohms >= 1000 ? 1000 : 1;
                    QVERIFY2(scale == expectedScale, state);
                    QVERIFY2(number.find_first_not_of("0123456789.") == std::string_view::npos, state);
                    double shown = -1;
                    const auto parsed = std::from_chars(number.data(), number.data() + number.size(), shown);
                    QVERIFY2(parsed.ptr == number.data() + number.size(), state);
                    QVERIFY2(std::llround(shown * static_cast<double>(scale)) == ohms, state);
                    QVERIFY2(number.find('.') == std::string_view::npos || number.back() != '0', state);
                    ++checked;
                }
    QCOMPARE(checked, 11 * 11 * 9 * 9);
}

QTEST_GUILESS_MAIN(ColourCodeTest)
#include "test_colour_code.moc"
