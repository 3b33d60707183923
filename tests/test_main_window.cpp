// SPDX-License-Identifier: MIT
// The Malvoran window as a student meets it: designed state, clicks, keys, tab order, colours, layout.
#include "design.h"
#include "expected_report_qt.h"
#include "swatch.h"
#include "window_driver.h"
#include "window_font.h"

#include <QAccessible>

#include <QLabel>
#include <QScrollBar>

namespace {

const QString kIntroduction =
    QString::fromUtf8(design::kIntroduction.data(), static_cast<qsizetype>(design::kIntroduction.size()));

const QString kShownCharacters = QString::fromStdString(design::shownCharacters());

QString reportOf(const forms::Window& window)
{
    return QString::fromStdString(window.reportText());
}

// The colour a grab of the window shows at a point given in window coordinates.
QColor pixelAt(const QImage& image, const QWidget& window, QPoint point)
{
    const double scale = image.width() / static_cast<double>(window.width());
    return image.pixelColor(
        QPoint(static_cast<int>((point.x() + 0.5) * scale), static_cast<int>((point.y() + 0.5) * scale)));
}

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

private slots:
    void designedState();
    void calculate_showsReport_data();
    void calculate_showsReport();
    void arrowKeys_selectFromNothing();
    void scrolling_doesNotSelect();
    void clear_removesChoicesAndShowsPrompt();
    void enterAndEscape_pressNoButton();
    void lineBreaks_readBackExactlyAsWritten();
    void typing_thenCalculate();
    void tab_visitsControlsInDesignedOrder();
    void pixels_showDesignedColours();
    void layout_controlsInsideWindowAndCaptionsFit();
    void font_showsEveryCharacter();
    void accessibility_namesAndRoles_data();
    void accessibility_namesAndRoles();
    void swatch_besideChosenItemHasItsColour_data();
    void swatch_besideChosenItemHasItsColour();
};

void MainWindowTest::designedState()
{
    WindowDriver ui;
    QCOMPARE(ui.window.windowTitle(), QString("Физика - резистори, номинал, точност"));
    QCOMPARE(ui.window.size(), QSize(461, 298));
    QVERIFY(!ui.window.windowIcon().isNull());
    for (int band = 0; band < 4; ++band) {
        QVERIFY(ui.list1(band)->selectedItems().isEmpty());
        QCOMPARE(ui.window.selectedPosition(static_cast<forms::Index>(band)), forms::kNoSelection);
    }
    QCOMPARE(ui.list1(0)->count(), 10);
    QCOMPARE(ui.list1(2)->count(), 8);
    QCOMPARE(ui.list1(3)->item(6)->text(), QString("златист"));
    QCOMPARE(reportOf(ui.window), kIntroduction);
    QCOMPARE(ui.shownReport(), kIntroduction);
    QCOMPARE(ui.text1()->document()->blockCount(), 12); // eleven lines and the empty one after the last break
    QCOMPARE(QApplication::focusWidget(), ui.text1());
}

void MainWindowTest::calculate_showsReport_data()
{
    QTest::addColumn<QList<int>>("rows");
    QTest::addColumn<QString>("expected");
    QTest::newRow("yellow violet red gold") << QList<int>{4, 7, 2, 6} << expectedReport("47", " 4.7 k", "5%");
    QTest::newRow("brown black green brown") << QList<int>{1, 0, 5, 0} << expectedReport("10", " 1 m", "1%");
    QTest::newRow("red red black none") << QList<int>{2, 2, 0, -1} << expectedReport("22", " 22", kNotChosen);
    QTest::newRow("none none none none")
        << QList<int>{-1, -1, -1, -1} << expectedReport(kNotChosen, " 0", kNotChosen);
    QTest::newRow("yellow none none silver")
        << QList<int>{4, -1, -1, 7} << expectedReport(kNotChosen, " 40", "10%");
    QTest::newRow("white white violet green")
        << QList<int>{9, 9, 7, 2} << expectedReport("99", " 990 m", "0.50%");
}

void MainWindowTest::calculate_showsReport()
{
    QFETCH(QList<int>, rows);
    QFETCH(QString, expected);
    WindowDriver ui;
    for (int band = 0; band < 4; ++band)
        if (rows[band] >= 0)
            ui.clickItem(band, rows[band]);
    for (int band = 0; band < 4; ++band)
        QCOMPARE(ui.window.selectedPosition(static_cast<forms::Index>(band)), rows[band]);
    QCOMPARE(reportOf(ui.window), kIntroduction); // choosing colours alone reports nothing

    ui.click(0);
    QCOMPARE(ui.shownReport(), expected);
    QCOMPARE(reportOf(ui.window), expected);

    ui.click(0);
    QCOMPARE(reportOf(ui.window), expected);
}

void MainWindowTest::arrowKeys_selectFromNothing()
{
    WindowDriver ui;
    QListWidget* digits = ui.list1(0);
    digits->setFocus();
    QCOMPARE(ui.window.selectedPosition(0), forms::kNoSelection);
    QTest::keyClick(digits, Qt::Key_Down);
    QCOMPARE(ui.window.selectedPosition(0), 0);
    QTest::keyClick(digits, Qt::Key_Down);
    QTest::keyClick(digits, Qt::Key_Down);
    QCOMPARE(ui.window.selectedPosition(0), 2);
    QTest::keyClick(digits, Qt::Key_Up);
    QCOMPARE(ui.window.selectedPosition(0), 1);
    QTest::keyClick(digits, Qt::Key_End);
    QCOMPARE(ui.window.selectedPosition(0), 9);
    QCOMPARE(digits->visualItemRect(digits->item(9)).top(), 0); // the chosen colour is the one in view

    // After "Изтрий" the list shows its first colour again, and Down chooses it.
    ui.click(1);
    digits->setFocus();
    QTest::keyClick(digits, Qt::Key_Down);
    QCOMPARE(ui.window.selectedPosition(0), 0);
}

void MainWindowTest::scrolling_doesNotSelect()
{
    WindowDriver ui;
    QListWidget* multiplier = ui.list1(2);
    multiplier->verticalScrollBar()->setValue(5);
    QWheelEvent wheel(QPointF(10, 10), multiplier->mapToGlobal(QPointF(10, 10)), {}, QPoint(0, -120),
                      Qt::NoButton, {}, Qt::NoScrollPhase, false);
    QApplication::sendEvent(multiplier->viewport(), &wheel);
    QVERIFY(multiplier->verticalScrollBar()->value() > 5);
    QCOMPARE(ui.window.selectedPosition(2), forms::kNoSelection);
}

void MainWindowTest::clear_removesChoicesAndShowsPrompt()
{
    WindowDriver ui;
    for (int band = 0; band < 4; ++band)
        ui.clickItem(band, 3);
    ui.click(0);
    ui.click(1);
    for (int band = 0; band < 4; ++band) {
        QCOMPARE(ui.window.selectedPosition(static_cast<forms::Index>(band)), forms::kNoSelection);
        QVERIFY(ui.list1(band)->selectedItems().isEmpty());
        QCOMPARE(ui.list1(band)->verticalScrollBar()->value(), 0);
    }
    QCOMPARE(ui.text1()->toPlainText(), QString("Посочете цветен код!"));
    QCOMPARE(reportOf(ui.window), QString("Посочете цветен код!"));

    ui.click(0);
    QCOMPARE(reportOf(ui.window), expectedReport(kNotChosen, " 0", kNotChosen));
}

void MainWindowTest::enterAndEscape_pressNoButton()
{
    WindowDriver ui;
    ui.clickItem(0, 4);
    for (const auto key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape})
        QTest::keyClick(ui.list1(0), key);
    QCOMPARE(reportOf(ui.window), kIntroduction);
    QCOMPARE(ui.window.selectedPosition(0), 4);
    // The focused button itself answers the space bar, as every push button does.
    ui.command1(0)->setFocus();
    QTest::keyClick(ui.command1(0), Qt::Key_Space);
    QVERIFY(reportOf(ui.window).startsWith("Избрана стойност: " + kNotChosen + "\r\n"));
}

void MainWindowTest::lineBreaks_readBackExactlyAsWritten()
{
    WindowDriver ui;
    const std::string written = "ред 1 \r\n\r\nред 3\r\n";
    ui.window.setReportText(written);
    QCOMPARE(ui.window.reportText(), written);
    QCOMPARE(ui.text1()->toPlainText(), QString("ред 1 \n\nред 3\n"));
    QCOMPARE(ui.text1()->document()->blockCount(), 4);
    QVERIFY(!ui.text1()->toPlainText().contains(QChar(u'\r')));
}

void MainWindowTest::typing_thenCalculate()
{
    WindowDriver ui;
    ui.window.setReportText("Посочете цветен код!");
    ui.text1()->moveCursor(QTextCursor::End);
    QTest::keyClicks(ui.text1(), " abc");
    QTest::keyClick(ui.text1(), Qt::Key_Return);
    QTest::keyClicks(ui.text1(), "x");
    QCOMPARE(reportOf(ui.window), QString("Посочете цветен код! abc\r\nx"));

    ui.clickItem(0, 1);
    ui.clickItem(1, 0);
    ui.clickItem(2, 1);
    ui.click(0);
    QCOMPARE(reportOf(ui.window), expectedReport("10", " 100", kNotChosen));
    QCOMPARE(ui.shownReport(), reportOf(ui.window));
}

void MainWindowTest::tab_visitsControlsInDesignedOrder()
{
    WindowDriver ui;
    QCOMPARE(QApplication::focusWidget(), ui.text1());
    const QStringList expected = {"List1(0)",    "List1(1)",    "List1(2)", "List1(3)",
                                  "Command1(0)", "Command1(1)", "Text1(0)", "List1(0)"};
    QStringList visited;
    for (qsizetype i = 0; i < expected.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited += QApplication::focusWidget()->objectName();
    }
    QCOMPARE(visited, expected);
    // Tab moves on from the report box; it never types a tab character into it.
    QVERIFY(!ui.text1()->toPlainText().contains(u'\t'));
}

void MainWindowTest::pixels_showDesignedColours()
{
    WindowDriver ui;
    const QImage image = ui.window.grab().toImage();
    QCOMPARE(pixelAt(image, ui.window, QPoint(4, 4)), toColor(design::kWindowBackground));
    QCOMPARE(pixelAt(image, ui.window, QPoint(200, 115)), toColor(design::kWindowBackground));
    for (const auto& control : design::kControls) {
        if (!control.background)
            continue;
        const auto r = design::toPixels(control);
        // Just inside the left edge, clear of any border and of the centred caption.
        const QPoint inside(r.x + 6, r.y + r.height / 2);
        QCOMPARE(pixelAt(image, ui.window, inside), toColor(*control.background));
    }
}

void MainWindowTest::layout_controlsInsideWindowAndCaptionsFit()
{
    WindowDriver ui;
    const auto children = ui.window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    QCOMPARE(children.size(), static_cast<qsizetype>(design::kControls.size()));
    for (const auto& control : design::kControls) {
        const auto r = design::toPixels(control);
        const QString name = objectNameOf(control.array, control.index);
        auto* widget = ui.window.findChild<QWidget*>(name);
        QVERIFY2(widget, qPrintable(name));
        QCOMPARE(widget->geometry(), QRect(r.x, r.y, r.width, r.height));
        QVERIFY2(ui.window.rect().contains(widget->geometry()), qPrintable(name));
        QVERIFY2(widget->isVisible(), qPrintable(name));

        const QFontMetrics metrics(widget->font());
        if (auto* label = qobject_cast<QLabel*>(widget))
            QVERIFY2(metrics.boundingRect(label->text()).width() <= label->contentsRect().width(),
                     qPrintable(name));
        if (auto* button = qobject_cast<QPushButton*>(widget))
            QVERIFY2(metrics.horizontalAdvance(button->text()) + 8 <= button->width(), qPrintable(name));
        if (auto* list = qobject_cast<QListWidget*>(widget))
            for (int row = 0; row < list->count(); ++row) {
                const QRect item = list->visualItemRect(list->item(row));
                QVERIFY2(item.height() <= list->viewport()->height(), qPrintable(name));
                QVERIFY2(metrics.horizontalAdvance(list->item(row)->text()) + list->iconSize().width() + 8 <=
                             list->viewport()->width(),
                         qPrintable(list->item(row)->text()));
            }
        // Every caption is drawn in one font that has all its letters, not patched from others.
        QVERIFY2(missingCharacters(widget->font(), kShownCharacters).isEmpty(), qPrintable(name));
    }
}

void MainWindowTest::font_showsEveryCharacter()
{
    WindowDriver ui;
    QCOMPARE(ui.window.fontNotice(), QString());
    QCOMPARE(ui.window.font().pointSize(), 12);
    QVERIFY(QStringList({"Times New Roman", "Liberation Serif", "Tinos"})
                .contains(QFontInfo(ui.window.font()).family()));
    QCOMPARE(missingCharacters(ui.window.font(), kShownCharacters), QString());
}

void MainWindowTest::accessibility_namesAndRoles_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QAccessible::Role>("role");
    QTest::newRow("first digit") << "List1(0)"
                                 << "Първа цифра" << QAccessible::List;
    QTest::newRow("second digit") << "List1(1)"
                                  << "Втора цифра" << QAccessible::List;
    QTest::newRow("multiplier") << "List1(2)"
                                << "Множител" << QAccessible::List;
    QTest::newRow("tolerance") << "List1(3)"
                               << "Точност" << QAccessible::List;
    QTest::newRow("calculate") << "Command1(0)"
                               << "Изчисли" << QAccessible::Button;
    QTest::newRow("clear") << "Command1(1)"
                           << "Изтрий" << QAccessible::Button;
    QTest::newRow("report") << "Text1(0)"
                            << "Резултат" << QAccessible::EditableText;
    QTest::newRow("window") << "Malvoran"
                            << "Физика - резистори, номинал, точност" << QAccessible::Window;
}

void MainWindowTest::accessibility_namesAndRoles()
{
    QFETCH(QString, control);
    QFETCH(QString, name);
    QFETCH(QAccessible::Role, role);
    WindowDriver ui;
    QWidget* widget = control == "Malvoran" ? &ui.window : ui.window.findChild<QWidget*>(control);
    QVERIFY(widget);
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
    QVERIFY(accessible);
    QCOMPARE(accessible->text(QAccessible::Name), name);
    QCOMPARE(accessible->role(), role);
    if (widget == &ui.window)
        return;
    QVERIFY(!accessible->text(QAccessible::Description).isEmpty());
    QVERIFY(accessible->state().focusable);

    // Whatever the student has chosen, the screen reader hears the colour names as they are shown.
    if (auto* list = qobject_cast<QListWidget*>(widget)) {
        QCOMPARE(accessible->childCount(), list->count());
        QCOMPARE(accessible->child(0)->text(QAccessible::Name), list->item(0)->text());
    }
}

void MainWindowTest::swatch_besideChosenItemHasItsColour_data()
{
    QTest::addColumn<int>("band");
    QTest::addColumn<int>("row");
    for (int band = 0; band < 4; ++band)
        for (int row = 0;
             row < static_cast<int>(bands::kColourLists.at(static_cast<std::size_t>(band)).size()); ++row)
            QTest::addRow("band %d row %d", band, row) << band << row;
}

void MainWindowTest::swatch_besideChosenItemHasItsColour()
{
    QFETCH(int, band);
    QFETCH(int, row);
    WindowDriver ui;
    ui.clickItem(band, row);
    QListWidget* list = ui.list1(band);
    QCOMPARE(list->item(row)->text(), QString::fromUtf8(bands::colourName(bands::kColourLists.at(
                                          static_cast<std::size_t>(band))[static_cast<std::size_t>(row)])));
    const QColor expected =
        swatchColour(bands::kColourLists.at(static_cast<std::size_t>(band))[static_cast<std::size_t>(row)]);

    // The swatch is the square left of the name, in the middle of the visible row; find its centre
    // from the swatch's own outline, as a reader of the screen would.
    const QImage image = list->viewport()->grab().toImage();
    const QRect item = list->visualItemRect(list->item(row));
    const double scale = image.width() / static_cast<double>(list->viewport()->width());
    const int y = static_cast<int>(item.center().y() * scale);
    const QColor outline(48, 48, 48);
    int left = -1;
    for (int x = 0; x < static_cast<int>(24 * scale) && left < 0; ++x)
        if (image.pixelColor(x, y) == outline)
            left = x;
    QVERIFY2(left >= 0, "no swatch outline left of the colour name");
    const int centre = left + static_cast<int>(list->iconSize().width() * scale / 2);
    const QColor seen = image.pixelColor(centre, y);
    const auto near = [](int a, int b) { return std::abs(a - b) <= 24; };
    QVERIFY2(near(seen.red(), expected.red()) && near(seen.green(), expected.green()) &&
                 near(seen.blue(), expected.blue()),
             qPrintable(QString("seen %1, expected %2").arg(seen.name(), expected.name())));
}

QTEST_MAIN(MainWindowTest)
#include "test_main_window.moc"
