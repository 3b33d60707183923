// SPDX-License-Identifier: MIT
// The text/number conversions, checked under a comma-decimal locale as a Qt application may run.
#include "forms.h"

#include <QtTest>

#include <clocale>
#include <cstdlib>
#include <locale>

class FormsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void numberText_data();
    void numberText();
    void textToNumber_data();
    void textToNumber();
    void itemText_noSelectionIsEmpty();
};

void FormsTest::initTestCase()
{
    // A Bulgarian desktop writes 1,5: the conversions must not follow it.
    const char* name = std::setlocale(LC_ALL, "bg_BG.UTF-8");
    QVERIFY2(name, "bg_BG.UTF-8 is not installed; the test command generates it");
    std::locale::global(std::locale("bg_BG.UTF-8"));
    QCOMPARE(std::localeconv()->decimal_point, ",");
    QCOMPARE(std::strtod("1.5", nullptr), 1.0);
}

void FormsTest::numberText_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("zero") << 0.0 << " 0";
    QTest::newRow("two digits") << 47.0 << " 47";
    QTest::newRow("hundreds") << 990.0 << " 990";
    QTest::newRow("quotient with point") << 4700.0 / 1000 << " 4.7";
    QTest::newRow("quotient whole") << 10000.0 / 1000 << " 10";
    QTest::newRow("largest value, no separator") << 990000000.0 << " 990000000";
    QTest::newRow("no exponent for large") << 1e20 << " 100000000000000000000";
    QTest::newRow("no exponent for small") << 1.5e-7 << " 0.00000015";
    QTest::newRow("below one") << 0.25 << " 0.25";
    QTest::newRow("binary noise rounded away") << 0.1 + 0.2 << " 0.3";
    QTest::newRow("15 significant digits") << 123456789012345678.0 << " 123456789012346000";
    QTest::newRow("fraction kept to 15 digits") << 1.0 / 3 << " 0.333333333333333";
    QTest::newRow("negative") << -2.5 << "-2.5";
}

void FormsTest::numberText()
{
    QFETCH(double, value);
    QFETCH(QString, text);
    QCOMPARE(QString::fromStdString(forms::numberText(value)), text);
}

void FormsTest::textToNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    QTest::newRow("empty") << "" << 0.0;
    QTest::newRow("digit") << "7" << 7.0;
    QTest::newRow("zero") << "0" << 0.0;
    QTest::newRow("point, not the locale's comma") << "1.5" << 1.5;
    QTest::newRow("comma ends the number") << "1,5" << 1.0;
    QTest::newRow("leading point") << ".25" << 0.25;
    QTest::newRow("trailing text") << "0.50%" << 0.5;
    QTest::newRow("second point ends it") << "1.2.3" << 1.2;
    QTest::newRow("no digits") << "x 10" << 0.0;
    QTest::newRow("point alone") << "." << 0.0;
}

void FormsTest::textToNumber()
{
    QFETCH(QString, text);
    QFETCH(double, value);
    QCOMPARE(forms::textToNumber(text.toStdString()), value);
}

void FormsTest::itemText_noSelectionIsEmpty()
{
    constexpr std::array<std::string_view, 2> items = {"a", "b"};
    QVERIFY(forms::itemText(items, forms::kNoSelection).empty());
    QCOMPARE(forms::itemText(items, 1), "b");
}

QTEST_GUILESS_MAIN(FormsTest)
#include "test_forms.moc"
