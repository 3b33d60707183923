// SPDX-License-Identifier: MIT
// The Malvoran window as a student meets it: designed state, clicks, keys, tab order, colours, layout.
#include "design.h"
#include "design_colours.h"
#include "expected_report_qt.h"
#include "resistor.h"
#include "swatch.h"
#include "window_driver.h"
#include "window_font.h"

#include <QAccessible>
#include <QClipboard>
#include <QColorSpace>
#include <QGuiApplication>

#include <QLabel>
#include <QMenu>
#include <QRegularExpression>
#include <QScrollBar>
#include <QStyleOptionSlider>

#include <array>
#include <cmath>

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

// A single-selection list box, key by key: where each key leaves the choice and the view of the first
// digit's list (0 black, 1 brown, 2 red ... 9 white), from each state the list can be in. The student
// sees one colour at a time: with nothing chosen every key acts on the colour in view (the first Down
// or Up chooses it), Space chooses the colour in view, and the new choice is always in view.
constexpr std::array<Qt::Key, 9> kListKeys = {Qt::Key_Up,    Qt::Key_Left,   Qt::Key_Down,
                                              Qt::Key_Right, Qt::Key_PageUp, Qt::Key_PageDown,
                                              Qt::Key_Home,  Qt::Key_End,    Qt::Key_Space};
struct ListState {
    const char* name;
    int chosen;
    int inView;
    std::array<int, kListKeys.size()> chosenAfter;
};
// clang-format off
constexpr std::array kKeyTable = {
    //        starting state                      chosen inView   Up Left Down Right PgUp PgDn Home End Space
    ListState{"nothing chosen, black in view",      -1,    0,    {0,   0,   0,    0,   0,   0,   0,   9,   0}},
    ListState{"nothing chosen, red in view",        -1,    2,    {2,   2,   2,    2,   2,   2,   0,   9,   2}},
    ListState{"nothing chosen, white in view",      -1,    9,    {9,   9,   9,    9,   9,   9,   0,   9,   9}},
    ListState{"yellow chosen, in view",              4,    4,    {3,   3,   5,    5,   3,   5,   0,   9,   4}},
    ListState{"black chosen, in view",               0,    0,    {0,   0,   1,    1,   0,   1,   0,   9,   0}},
    ListState{"white chosen, in view",               9,    9,    {8,   8,   9,    9,   8,   9,   0,   9,   9}},
    ListState{"red chosen, blue in view",            2,    6,    {1,   1,   3,    3,   1,   3,   0,   9,   6}},
    ListState{"black chosen, green in view",         0,    5,    {0,   0,   1,    1,   0,   1,   0,   9,   5}},
};
// clang-format on

QString keyName(int key, Qt::KeyboardModifiers modifiers)
{
    return QKeySequence(static_cast<int>(modifiers) | key).toString(QKeySequence::PortableText);
}

// Types `letters` into `widget` a key at a time, as the student's keyboard does, the first at `atMs`
// on the window system's clock and each next a tenth of a second later: quickly, as one word.
// (QTest::keyClick asserts on a Cyrillic key, and its events carry no time.)
void typeLetters(QWidget* widget, const QString& letters, quint64 atMs)
{
    for (const QChar letter : letters) {
        for (const QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
            QKeyEvent key(type, letter.toUpper().unicode(), Qt::NoModifier, QString(letter));
            key.setTimestamp(atMs);
            QApplication::sendEvent(widget, &key);
        }
        atMs += 100;
    }
}

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

private slots:
    void designedState();
    void calculate_showsReport_data();
    void calculate_showsReport();
    void arrowKeys_selectFromNothing();
    void keys_chooseAsInAListBox_data();
    void keys_chooseAsInAListBox();
    void clicks_neverTakeAChoiceAway_data();
    void clicks_neverTakeAChoiceAway();
    void focus_showsAsARingAroundTheList_data();
    void focus_showsAsARingAroundTheList();
    void scrolling_doesNotSelect();
    void clear_removesChoicesAndShowsPrompt();
    void enterAndEscape_pressNoButton();
    void lineBreaks_readBackExactlyAsWritten();
    void typing_thenCalculate();
    void reportBox_cutsALongPasteAtTheLimit();
    void tab_visitsControlsInDesignedOrder();
    void pixels_showDesignedColours();
    void layout_controlsInsideWindowAndCaptionsFit();
    void font_showsEveryCharacter();
    void colourNames_showWhole();
    void scrollButtons_showArrows();
    void contextMenus_speakBulgarian_data();
    void contextMenus_speakBulgarian();
    void qtTexts_inBulgarianForAScreenReader();
    void swatches_standOutOnLightAndDarkLists_data();
    void swatches_standOutOnLightAndDarkLists();
    void accessibility_namesAndRoles_data();
    void accessibility_namesAndRoles();
    void swatch_besideChosenItemHasItsColour_data();
    void swatch_besideChosenItemHasItsColour();
    void resistor_showsTheChosenBands();
};

void MainWindowTest::designedState()
{
    WindowDriver ui;
    QCOMPARE(ui.window.windowTitle(), QString("Физика - резистори, номинал, точност"));
    QCOMPARE(ui.window.size(), QSize(461, 298));
    // The title bar gets the installed icon's own pixels at each size it is given, as the window
    // system takes them: straight alpha, no colour space of their own.
    const QIcon icon = ui.window.windowIcon();
    QCOMPARE(icon.availableSizes().size(), 5);
    const auto shown = [](const QPixmap& pixmap) {
        QImage image = pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
        image.setColorSpace({});
        return image;
    };
    for (const QSize size : icon.availableSizes()) {
        const QImage installed(QFINDTESTDATA(QString("../icons/malvoran-%1.png").arg(size.width())));
        QCOMPARE(shown(icon.pixmap(size, 1.0)), shown(QPixmap::fromImage(installed)));
    }
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

void MainWindowTest::keys_chooseAsInAListBox_data()
{
    QTest::addColumn<int>("chosen");
    QTest::addColumn<int>("inView");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("chosenAfter");
    QTest::addColumn<int>("inViewAfter");
    for (const ListState& state : kKeyTable)
        for (std::size_t k = 0; k < kListKeys.size(); ++k)
            QTest::addRow("%s: %s", state.name, qPrintable(keyName(kListKeys[k], {})))
                << state.chosen << state.inView << static_cast<int>(kListKeys[k]) << QString()
                << state.chosenAfter[k] << state.chosenAfter[k];
    // Keys that choose nothing leave the choice and the view as they were.
    for (const int key : {Qt::Key_Return, Qt::Key_Escape}) {
        QTest::addRow("nothing chosen, red in view: %s", qPrintable(keyName(key, {})))
            << -1 << 2 << key << QString() << -1 << 2;
        QTest::addRow("red chosen, blue in view: %s", qPrintable(keyName(key, {})))
            << 2 << 6 << key << QString() << 2 << 6;
    }
    // A typed letter chooses the next colour it begins after the chosen one, or with nothing chosen
    // after the one in view, and brings it into view; the same letter again moves on.
    QTest::newRow("nothing chosen, black in view: з") << -1 << 0 << 0 << "з" << 5 << 5;
    QTest::newRow("yellow chosen, in view: с") << 4 << 4 << 0 << "с" << 6 << 6;
    QTest::newRow("black chosen, in view: с с") << 0 << 0 << 0 << "сс" << 8 << 8;
    QTest::newRow("nothing chosen, black in view: ч") << -1 << 0 << 0 << "ч" << 2 << 2;
}

void MainWindowTest::keys_chooseAsInAListBox()
{
    QFETCH(int, chosen);
    QFETCH(int, inView);
    QFETCH(int, key);
    QFETCH(QString, text);
    QFETCH(int, chosenAfter);
    QFETCH(int, inViewAfter);
    WindowDriver ui;
    QListWidget* digits = ui.list1(0);
    // Where one colour at most can be chosen, the keypad, Shift and Ctrl change nothing. Letters are
    // typed twice, the second time after "Изтрий" and a pause.
    const QList<Qt::KeyboardModifiers> variants =
        text.isEmpty()
            ? QList<Qt::KeyboardModifiers>{Qt::NoModifier, Qt::KeypadModifier, Qt::ShiftModifier,
                                           Qt::ControlModifier, Qt::ControlModifier | Qt::ShiftModifier}
            : QList<Qt::KeyboardModifiers>{Qt::NoModifier, Qt::NoModifier};
    for (qsizetype variant = 0; variant < variants.size(); ++variant) {
        const Qt::KeyboardModifiers modifiers = variants[variant];
        const QByteArray what =
            (text.isEmpty() ? keyName(key, modifiers) : text + (variant > 0 ? " after Изтрий" : "")).toUtf8();
        // The first time straight after start-up; then after "Изтрий", which must leave no trace.
        if (variant > 0 || chosen >= 0)
            ui.click(1);
        if (chosen >= 0)
            ui.clickItem(0, chosen);
        ui.scrollTo(0, inView);
        digits->setFocus(Qt::TabFocusReason);
        QCOMPARE(ui.rowInView(0), inView);
        if (text.isEmpty()) {
            QTest::keyClick(digits, static_cast<Qt::Key>(key), modifiers);
        } else {
            typeLetters(digits, text, static_cast<quint64>(variant) * 10'000);
        }
        QVERIFY2(ui.window.selectedPosition(0) == chosenAfter,
                 what + ": chosen " + QByteArray::number(ui.window.selectedPosition(0)));
        QVERIFY2(ui.rowInView(0) == inViewAfter, what + ": in view " + QByteArray::number(ui.rowInView(0)));
    }
}

void MainWindowTest::clicks_neverTakeAChoiceAway_data()
{
    QTest::addColumn<int>("clicked");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    const QList<Qt::KeyboardModifiers> variants = {Qt::NoModifier, Qt::ControlModifier, Qt::ShiftModifier,
                                                   Qt::ControlModifier | Qt::ShiftModifier};
    for (const auto modifiers : variants) {
        QTest::addRow("%s click on the chosen yellow", qPrintable(keyName(0, modifiers))) << 4 << modifiers;
        QTest::addRow("%s click on blue", qPrintable(keyName(0, modifiers))) << 6 << modifiers;
    }
}

void MainWindowTest::clicks_neverTakeAChoiceAway()
{
    QFETCH(int, clicked);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    WindowDriver ui;
    ui.clickItem(0, 4);
    ui.scrollTo(0, clicked);
    QListWidget* digits = ui.list1(0);
    QTest::mouseClick(digits->viewport(), Qt::LeftButton, modifiers,
                      digits->visualItemRect(digits->item(clicked)).center());
    QCOMPARE(ui.window.selectedPosition(0), clicked);
    QCOMPARE(ui.rowInView(0), clicked);
}

void MainWindowTest::focus_showsAsARingAroundTheList_data()
{
    QTest::addColumn<int>("chosen");
    QTest::addColumn<int>("inView");
    QTest::newRow("nothing chosen") << -1 << 3;
    QTest::newRow("choice in view") << 4 << 4;
    QTest::newRow("choice scrolled away") << 2 << 6;
}

void MainWindowTest::focus_showsAsARingAroundTheList()
{
    QFETCH(int, chosen);
    QFETCH(int, inView);
    WindowDriver ui;
    QListWidget* second = ui.list1(1);
    if (chosen >= 0)
        ui.clickItem(1, chosen);
    ui.scrollTo(1, inView);
    ui.text1()->setFocus();
    const QImage listAlone = second->viewport()->grab().toImage();
    const QImage before = ui.window.grab().toImage();

    QTest::keyClick(ui.text1(), Qt::Key_Tab);
    QTest::keyClick(ui.list1(0), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), second);
    const QImage focused = ui.window.grab().toImage();
    QTest::keyClick(second, Qt::Key_Tab);
    const QImage after = ui.window.grab().toImage();

    // Just outside the middle of each side of the list: the ring while the list has the focus, the
    // window's background before and after.
    const QRect list = second->geometry();
    const QPoint centre = list.center();
    for (const QPoint point : {QPoint(list.left() - 1, centre.y()), QPoint(list.right() + 1, centre.y()),
                               QPoint(centre.x(), list.top() - 1), QPoint(centre.x(), list.bottom() + 1)}) {
        QCOMPARE(pixelAt(focused, ui.window, point), kFocusMark);
        QCOMPARE(pixelAt(before, ui.window, point), toColor(design::kWindowBackground));
        QCOMPARE(pixelAt(after, ui.window, point), toColor(design::kWindowBackground));
    }
    // The list itself looks as it did without the focus: no tint that could pass for a choice.
    ui.list1(1)->setFocus();
    QCOMPARE(second->viewport()->grab().toImage(), listAlone);
    QCOMPARE(ui.window.selectedPosition(1), chosen);
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

// As on Windows: a pasted web page, one paragraph twice as long as the box holds, is cut at the
// limit, one Undo takes it back, and a full box takes no more typing but still takes Backspace.
void MainWindowTest::reportBox_cutsALongPasteAtTheLimit()
{
    WindowDriver ui;
    QPlainTextEdit* box = ui.text1();
    QString page;
    while (page.size() < qsizetype{2} * design::kReportLimit)
        page += QStringLiteral("Резисторът е пасивен компонент. ");
    QGuiApplication::clipboard()->setText(page);
    box->setFocus();
    QTextCursor selection = box->textCursor();
    selection.setPosition(10);
    selection.setPosition(20, QTextCursor::KeepAnchor);
    box->setTextCursor(selection);
    box->paste();
    const QString shown = box->toPlainText();
    const QString plainIntroduction =
        QString(kIntroduction).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    const qsizetype room = design::kReportLimit - (plainIntroduction.size() - 10);
    QCOMPARE(shown.size(), design::kReportLimit);
    QCOMPARE(shown, plainIntroduction.left(10) + page.left(room) + plainIntroduction.mid(20));
    box->undo();
    QCOMPARE(reportOf(ui.window), kIntroduction);

    box->selectAll();
    box->paste();
    QCOMPARE(box->toPlainText(), page.left(design::kReportLimit));
    QTest::keyClick(box, Qt::Key_End, Qt::ControlModifier);
    QTest::keyClicks(box, "x");
    QTest::keyClick(box, Qt::Key_Return);
    QCOMPARE(box->toPlainText().size(), design::kReportLimit);
    QTest::keyClick(box, Qt::Key_Backspace);
    QTest::keyClicks(box, "xy");
    QCOMPARE(box->toPlainText(), page.left(design::kReportLimit - 1) + u'x');
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
    QCOMPARE(pixelAt(image, ui.window, QPoint(200, 126)), toColor(design::kWindowBackground));
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
    // The designed controls, and the resistor between the colour lists and the buttons.
    QCOMPARE(children.size(), static_cast<qsizetype>(design::kControls.size()) + 1);
    const auto* picture = ui.window.findChild<QWidget*>("Resistor");
    QVERIFY(picture);
    QVERIFY(ui.window.rect().contains(picture->geometry()));
    for (const auto& control : design::kControls) {
        const auto r = design::toPixels(control);
        const QString name = objectNameOf(control.array, control.index);
        auto* widget = ui.window.findChild<QWidget*>(name);
        QVERIFY2(widget, qPrintable(name));
        QCOMPARE(widget->geometry(), QRect(r.x, r.y, r.width, r.height));
        QVERIFY2(ui.window.rect().contains(widget->geometry()), qPrintable(name));
        QVERIFY2(!widget->geometry().intersects(picture->geometry()), qPrintable(name));
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
            }
        // Every caption is drawn in one font that has all its letters, not patched from others.
        QVERIFY2(missingCharacters(widget->font(), kShownCharacters).isEmpty(), qPrintable(name));
    }
}

void MainWindowTest::font_showsEveryCharacter()
{
    WindowDriver ui;
    QCOMPARE(ui.window.notices(), QStringList());
    QCOMPARE(ui.window.font().pointSize(), 12);
    QVERIFY(QStringList({"Times New Roman", "Liberation Serif", "Tinos"})
                .contains(QFontInfo(ui.window.font()).family()));
    QCOMPARE(missingCharacters(ui.window.font(), kShownCharacters), QString());
}

// Run also with only Nimbus Roman, or only DejaVu, installed, in the Fusion and Windows styles, at 100 %
// and 200 % (tests/CMakeLists.txt).
void MainWindowTest::colourNames_showWhole()
{
    WindowDriver ui;
    for (int band = 0; band < 4; ++band) {
        QListWidget* list = ui.list1(band);
        // An item view leaves a margin on each side of the swatch, and two on each side of the name.
        const int margin = list->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, list) + 1;
        const QFontMetricsF metrics(list->font());
        for (int row = 0; row < list->count(); ++row) {
            const QString name = list->item(row)->text();
            const int width = static_cast<int>(std::ceil(metrics.horizontalAdvance(name)));
            QVERIFY2(width + list->iconSize().width() + 4 * margin <=
                         list->visualItemRect(list->item(row)).width(),
                     qPrintable(QString("%1: %2 pixels").arg(name).arg(width)));
        }
        QVERIFY(list->iconSize().width() >= 10);
        // Where the names had to be set smaller, standard error says so.
        const qreal size = list->font().pointSizeF();
        qInfo("%s: %s %.1f pt, swatch %d px", qPrintable(list->objectName()),
              qPrintable(QFontInfo(list->font()).family()), size, list->iconSize().width());
        if (size < ui.window.font().pointSizeF())
            QVERIFY2(ui.window.notices().join(' ').contains(QString("set in %1 pt").arg(size)),
                     qPrintable(ui.window.notices().join(' ')));
    }
}

void MainWindowTest::scrollButtons_showArrows()
{
    WindowDriver ui;
    for (QScrollBar* bar : {ui.list1(0)->verticalScrollBar(), ui.text1()->verticalScrollBar()}) {
        QStyleOptionSlider option;
        option.initFrom(bar);
        option.orientation = bar->orientation();
        option.minimum = bar->minimum();
        option.maximum = bar->maximum();
        option.sliderPosition = bar->sliderPosition();
        option.sliderValue = bar->value();
        option.singleStep = bar->singleStep();
        option.pageStep = bar->pageStep();
        option.subControls = QStyle::SC_All;
        const QImage image = bar->grab().toImage();
        const double scale = image.width() / static_cast<double>(bar->width());
        for (const auto control : {QStyle::SC_ScrollBarSubLine, QStyle::SC_ScrollBarAddLine}) {
            // Inside the button's bevel, something dark: the arrow.
            const QRect button = bar->style()->subControlRect(QStyle::CC_ScrollBar, &option, control, bar);
            const QRectF inside = QRectF(button.adjusted(2, 2, -2, -2));
            int darkest = 255;
            for (int y = static_cast<int>(inside.top() * scale);
                 y < static_cast<int>(inside.bottom() * scale); ++y)
                for (int x = static_cast<int>(inside.left() * scale);
                     x < static_cast<int>(inside.right() * scale); ++x)
                    darkest = std::min(darkest, image.pixelColor(x, y).lightness());
            QVERIFY2(darkest < 100, qPrintable(QString("%1, button %2: no arrow")
                                                   .arg(bar->parentWidget()->parentWidget()->objectName())
                                                   .arg(control)));
        }
    }
}

void MainWindowTest::contextMenus_speakBulgarian_data()
{
    QTest::addColumn<QString>("owner");
    QTest::newRow("report box") << "report box";
    QTest::newRow("report box's scroll bar") << "report scroll bar";
    QTest::newRow("colour list's scroll bar") << "list scroll bar";
}

// Run also under LANG=C and LANG=de_DE.UTF-8 (tests/CMakeLists.txt).
void MainWindowTest::contextMenus_speakBulgarian()
{
    QFETCH(QString, owner);
    WindowDriver ui;
    QWidget* target = owner == "report box"          ? ui.text1()->viewport()
                      : owner == "report scroll bar" ? static_cast<QWidget*>(ui.text1()->verticalScrollBar())
                                                     : ui.list1(2)->verticalScrollBar();
    QStringList texts;
    QTimer readMenu;
    readMenu.setSingleShot(true);
    connect(&readMenu, &QTimer::timeout, this, [&texts] {
        if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
            for (const QAction* action : menu->actions())
                if (!action->isSeparator())
                    texts += action->text();
            menu->close();
        }
    });
    readMenu.start(0);
    const QPoint point = target->rect().center();
    QContextMenuEvent rightClick(QContextMenuEvent::Mouse, point, target->mapToGlobal(point));
    QApplication::sendEvent(target, &rightClick);
    QCoreApplication::processEvents(); // the report box's menu pops up without a loop of its own

    QVERIFY2(texts.size() >= 5, qPrintable(texts.join(" / ")));
    // Every entry in Cyrillic; the key it answers to ("Ctrl+C") may follow a tab.
    static const QRegularExpression bulgarian(QStringLiteral("^[\\x{0400}-\\x{04FF} ]+$"));
    for (const QString& text : std::as_const(texts)) {
        const QString shown = text.section(u'\t', 0, 0).remove(u'&');
        QVERIFY2(bulgarian.match(shown).hasMatch(), qPrintable(shown));
    }
}

void MainWindowTest::swatches_standOutOnLightAndDarkLists_data()
{
    QTest::addColumn<QColor>("base");
    QTest::addColumn<QColor>("text");
    QTest::newRow("light list") << QColor(Qt::white) << QColor(Qt::black);
    QTest::newRow("dark list, as in Breeze Dark") << QColor(27, 30, 32) << QColor(252, 252, 252);
}

void MainWindowTest::swatches_standOutOnLightAndDarkLists()
{
    QFETCH(QColor, base);
    QFETCH(QColor, text);
    const QPalette desktop = QApplication::palette();
    QPalette theme = desktop;
    theme.setColor(QPalette::Base, base);
    theme.setColor(QPalette::Text, text);
    QApplication::setPalette(theme);
    const auto restore = qScopeGuard([&desktop] { QApplication::setPalette(desktop); });
    WindowDriver ui;
    for (const int band : {0, 3}) {
        QListWidget* list = ui.list1(band);
        for (int row = 0; row < list->count(); ++row) {
            ui.scrollTo(band, row);
            // Across the middle of the row from the left: the first pixel that is not the list's
            // background is the swatch's outline, and it must stand out from that background.
            const QImage image = list->viewport()->grab().toImage();
            const int y = image.height() / 2;
            int x = 0;
            while (x < image.width() / 3 && image.pixelColor(x, y) == base)
                ++x;
            const QColor outline = image.pixelColor(x, y);
            QVERIFY2(std::abs(outline.lightness() - base.lightness()) >= 100,
                     qPrintable(QString("%1: outline %2 on %3")
                                    .arg(list->item(row)->text(), outline.name(), base.name())));
        }
    }
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
        toColor(bands::colourInfo(
                    bands::kColourLists.at(static_cast<std::size_t>(band))[static_cast<std::size_t>(row)])
                    .tone);

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

// The colours a grab shows along the middle of the resistor's body, from the left: each band's tone
// once, by name, and nothing for the body, its leads and the window around it.
QStringList tonesAcrossResistor(Malvoran& window)
{
    const QImage image = window.grab().toImage();
    const double scale = image.width() / static_cast<double>(window.width());
    const auto drawing = design::resistorDrawing({}, qRound(design::kStandardDpi * scale));
    const int y = drawing.body.y + drawing.body.height / 2;
    QStringList seen;
    QColor previous;
    for (int x = drawing.area.x; x < drawing.area.x + drawing.area.width; ++x) {
        const QColor colour = image.pixelColor(x, y);
        if (colour == previous)
            continue;
        previous = colour;
        for (const auto& info : bands::kColours)
            if (colour == toColor(info.tone))
                seen += QString::fromUtf8(info.name.data(), static_cast<qsizetype>(info.name.size()));
    }
    return seen;
}

void MainWindowTest::resistor_showsTheChosenBands()
{
    WindowDriver ui;
    auto* picture = ui.window.findChild<QWidget*>("Resistor");
    QVERIFY(picture);
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(picture);
    QCOMPARE(accessible->text(QAccessible::Name), QString("Резистор"));
    QCOMPARE(accessible->role(), QAccessible::Graphic);
    QVERIFY(!accessible->state().focusable);
    QCOMPARE(accessible->text(QAccessible::Description), QString("няма, няма, няма, няма"));
    QCOMPARE(tonesAcrossResistor(ui.window), QStringList());

    // Yellow, violet, red and gold, with the mouse and the keys as a student chooses them; the
    // picture follows each choice at once, the report box only the buttons.
    ui.clickItem(bands::FirstDigit, 4);
    QCOMPARE(accessible->text(QAccessible::Description), QString("жълт, няма, няма, няма"));
    ui.list1(bands::SecondDigit)->setFocus();
    for (int i = 0; i <= 7; ++i)
        QTest::keyClick(ui.list1(bands::SecondDigit), Qt::Key_Down);
    ui.clickItem(bands::Multiplier, 2);
    ui.list1(bands::Tolerance)->setFocus();
    QTest::keyClick(ui.list1(bands::Tolerance), Qt::Key_End);
    QTest::keyClick(ui.list1(bands::Tolerance), Qt::Key_Up);
    QCOMPARE(accessible->text(QAccessible::Description), QString("жълт, виолетов, червен, златист"));
    QCOMPARE(tonesAcrossResistor(ui.window), QStringList({"жълт", "виолетов", "червен", "златист"}));
    QCOMPARE(ui.shownReport(), kIntroduction);

    // Scrolling a list without choosing leaves its band as it is.
    ui.scrollTo(bands::Multiplier, 6);
    QCOMPARE(tonesAcrossResistor(ui.window), QStringList({"жълт", "виолетов", "червен", "златист"}));

    ui.click(1); // "Изтрий"
    QCOMPARE(accessible->text(QAccessible::Description), QString("няма, няма, няма, няма"));
    QCOMPARE(tonesAcrossResistor(ui.window), QStringList());
}

// Qt's texts come with the first context menu, or at once when a screen reader is there. Run in a
// process of its own (CTest), before any menu has opened.
void MainWindowTest::qtTexts_inBulgarianForAScreenReader()
{
    WindowDriver ui;
    if (QCoreApplication::translate("QWidgetTextControl", "&Copy") != "&Copy")
        QSKIP("an earlier menu in this process installed Qt's texts; CTest runs this case on its own");
    QAccessible::setActive(true);
    QString copy = QCoreApplication::translate("QWidgetTextControl", "&Copy");
    QAccessible::setActive(false);
    static const QRegularExpression cyrillic(QStringLiteral("^[\\x{0400}-\\x{04FF}]+$"));
    QVERIFY2(cyrillic.match(copy.remove(u'&')).hasMatch(), qPrintable(copy));
}

QTEST_MAIN(MainWindowTest)
#include "test_main_window.moc"
