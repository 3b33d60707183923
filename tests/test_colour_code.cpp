// SPDX-License-Identifier: MIT
// The report and clear actions, driven through an in-memory window.
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
    void calculate_data();
    void calculate();
    void calculate_replacesWhateverTheBoxHeld();
    void calculate_twiceGivesThreeLinesNotSix();
    void clear_removesChoicesAndAsksForCode();
    void calculate_afterClearReportsNothingChosen();
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

void ColourCodeTest::calculate_data()
{
    QTest::addColumn<QList<int>>("selection");
    QTest::addColumn<QString>("expected");
    QTest::newRow("yellow violet red gold")
        << QList<int>{yellow, violet, red, tGold} << expectedReport("47", " 4.7 k", "5%");
    QTest::newRow("brown black green brown")
        << QList<int>{brown, black, green, tBrown} << expectedReport("10", " 1 m", "1%");
    QTest::newRow("red red black none")
        << QList<int>{red, red, black, none} << expectedReport("22", " 22", kNotChosen);
    QTest::newRow("none none none none")
        << QList<int>{none, none, none, none} << expectedReport(kNotChosen, " 0", kNotChosen);
    QTest::newRow("yellow none none silver")
        << QList<int>{yellow, none, none, tSilver} << expectedReport(kNotChosen, " 40", "10%");
    QTest::newRow("only the multiplier")
        << QList<int>{none, none, violet, none} << expectedReport(kNotChosen, " 0", kNotChosen);
    QTest::newRow("only the second digit")
        << QList<int>{none, grey, none, none} << expectedReport(kNotChosen, " 8", kNotChosen);
    QTest::newRow("green tolerance keeps its trailing zero")
        << QList<int>{black, white, black, tGreen} << expectedReport("09", " 9", "0.50%");
    QTest::newRow("grey tolerance") << QList<int>{orange, orange, blue, tGrey}
                                    << expectedReport("33", " 33 m", "0.05%");
}

void ColourCodeTest::calculate()
{
    QFETCH(QList<int>, selection);
    QFETCH(QString, expected);
    auto window =
        windowWith(static_cast<forms::Index>(selection[0]), static_cast<forms::Index>(selection[1]),
                   static_cast<forms::Index>(selection[2]), static_cast<forms::Index>(selection[3]));
    const auto before = window.selections;
    Command1_Click(window, colour_code::Calculate);
    QCOMPARE(q(window.report), expected);
    QCOMPARE(window.selections, before);
}

void ColourCodeTest::calculate_replacesWhateverTheBoxHeld()
{
    auto window = windowWith(yellow, violet, red, tGold);
    window.report = "Резисторът е пасивен...\r\nчужд текст без край";
    Command1_Click(window, colour_code::Calculate);
    QCOMPARE(q(window.report), expectedReport("47", " 4.7 k", "5%"));
}

void ColourCodeTest::calculate_twiceGivesThreeLinesNotSix()
{
    auto window = windowWith(red, red, black, none);
    Command1_Click(window, colour_code::Calculate);
    Command1_Click(window, colour_code::Calculate);
    QCOMPARE(q(window.report), expectedReport("22", " 22", kNotChosen));
}

void ColourCodeTest::clear_removesChoicesAndAsksForCode()
{
    auto window = windowWith(yellow, violet, red, tGold);
    window.report = "стар отчет\r\n";
    Command1_Click(window, colour_code::Clear);
    QCOMPARE(window.selections, (std::array<forms::Index, 4>{-1, -1, -1, -1}));
    QCOMPARE(q(window.report), QString("Посочете цветен код!"));
}

void ColourCodeTest::calculate_afterClearReportsNothingChosen()
{
    auto window = windowWith(white, white, violet, tSilver);
    Command1_Click(window, colour_code::Clear);
    Command1_Click(window, colour_code::Calculate);
    QCOMPARE(q(window.report), expectedReport(kNotChosen, " 0", kNotChosen));
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

// Every one of the 11 x 11 x 9 x 9 selection states, checked against an oracle that computes the
// nominal value with integers and reads the digits and tolerances from its own tables.
void ColourCodeTest::everySelection_givesThreeConsistentLines()
{
    const std::vector<std::string> tolerances = {"1%", "2%", "0.50%", "0.25%", "0.10%", "0.05%", "5%", "10%"};
    const std::string notChosen = kNotChosen.toStdString();
    int checked = 0;
    for (forms::Index p0 = -1; p0 <= 9; ++p0)
        for (forms::Index p1 = -1; p1 <= 9; ++p1)
            for (forms::Index p2 = -1; p2 <= 7; ++p2)
                for (forms::Index p3 = -1; p3 <= 7; ++p3) {
                    auto window = windowWith(p0, p1, p2, p3);
                    window.report = "x";
                    Command1_Click(window, colour_code::Calculate);
                    const auto& text = window.report;
                    const auto state = QByteArray::number(p0) + ' ' + QByteArray::number(p1) + ' ' +
                                       QByteArray::number(p2) + ' ' + QByteArray::number(p3);

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

                    const std::string digits =
                        p0 >= 0 && p1 >= 0 ? std::to_string(p0) + std::to_string(p1) : notChosen;
                    QVERIFY2(lines[0] == "Избрана стойност: " + digits, state);
                    QVERIFY2(lines[2] == "Точност: " +
                                             (p3 >= 0 ? tolerances[static_cast<std::size_t>(p3)] : notChosen),
                             state);

                    std::int64_t ohms = 10 * std::max<std::int64_t>(p0, 0) + std::max<std::int64_t>(p1, 0);
                    for (int i = 0; i < p2; ++i)
                        ohms *= 10;
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
