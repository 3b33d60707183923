// SPDX-License-Identifier: MIT
// The practice window as a student meets it, beyond what the contract asks of every window: its
// layout, keyboard order, greyed buttons, fixed lists, Enter on a button, and what a screen reader
// is told.
#include "colour_code.h"
#include "design_colours.h"
#include "main_window.h"
#include "practice_driver.h"
#include "round.h"
#include "window_font.h"

#include <QAccessible>
#include <QColorSpace>
#include <QScrollBar>
#include <QStyleOptionSlider>

#include <set>

namespace {

using practice::Part;

// The colour a grab of the window shows at a point given in window coordinates.
QColor pixelAt(const QImage& image, const QWidget& window, QPoint point)
{
    const double scale = image.width() / static_cast<double>(window.width());
    return image.pixelColor(
        QPoint(static_cast<int>((point.x() + 0.5) * scale), static_cast<int>((point.y() + 0.5) * scale)));
}

// The darkest pixel a grab shows inside `area`, given in window coordinates.
int darkestIn(const QImage& image, const QWidget& window, const QRect& area)
{
    int darkest = 255;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            darkest = std::min(darkest, pixelAt(image, window, {x, y}).lightness());
    return darkest;
}

// Starts round `number` as the student does: its number in the box, then "Нов кръг".
void startRound(const PracticeDriver& ui, int number)
{
    ui.paste(Part::RoundNumber, std::to_string(number));
    ui.click(practice::NewRound);
}

QString statementOf(int round, int task)
{
    return QString::fromStdString(
        practice::statement(practice::makeRound(round).at(static_cast<std::size_t>(task - 1)), task));
}

// The names of the colours of task `task` of round `number`, in band order.
QStringList coloursOf(int round, int task)
{
    const practice::Task resistor = practice::makeRound(round).at(static_cast<std::size_t>(task - 1));
    QStringList names;
    for (std::size_t band = 0; band < resistor.bands.size(); ++band)
        names += fromUtf8(bands::colourName(
            bands::kColourLists.at(band)[static_cast<std::size_t>(resistor.bands.at(band))]));
    return names;
}

QStringList focusOrderNames()
{
    QStringList names;
    for (const std::size_t row : design::kPractice.focusOrder)
        names += QString::fromStdString(design::controlName(design::kPractice.controls[row]));
    return names;
}

} // namespace

class PracticeWindowTest : public QObject {
    Q_OBJECT

private slots:
    void designedState();
    void layout_controlsAtTheirDesignedPixels();
    void statement_ofEveryTaskOfEveryRoundFits();
    void tab_visitsTheControlsThatTakeInput_data();
    void tab_visitsTheControlsThatTakeInput();
    void buttons_greyWhileTheyCannotBePressed();
    void fixedList_refusesTheStudentButTakesTheFocus_data();
    void fixedList_refusesTheStudentButTakesTheFocus();
    void keys_pressTheFocusedButton_data();
    void keys_pressTheFocusedButton();
    void disabledButton_leavesTheFocusToThePractice();
    void feedback_showsEachLineBreakAndTakesNoTyping();
    void oneLineBoxes_holdWholeCharactersUpToTheirLimit_data();
    void oneLineBoxes_holdWholeCharactersUpToTheirLimit();
    void resistor_showsTheTaskAtItsPlace();
    void accessibility_namesAndRoles_data();
    void accessibility_namesAndRoles();
};

void PracticeWindowTest::designedState()
{
    PracticeDriver ui;
    QCOMPARE(ui.window.windowTitle(), QString("Malvoran — упражнение"));
    QCOMPARE(ui.window.size(), QSize(461, 401));
    // The practice's own icon, its installed pixels at each size the title bar is given, as the window
    // system takes them: straight alpha, no colour space of their own.
    const QIcon icon = ui.window.windowIcon();
    QCOMPARE(icon.availableSizes().size(), 5);
    const auto shown = [](const QPixmap& pixmap) {
        QImage image = pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
        image.setColorSpace({});
        return image;
    };
    for (const QSize size : icon.availableSizes()) {
        const QImage installed(QFINDTESTDATA(QString("../icons/malvoran-practice-%1.png").arg(size.width())));
        QCOMPARE(shown(icon.pixmap(size, 1.0)), shown(QPixmap::fromImage(installed)));
    }
}

void PracticeWindowTest::layout_controlsAtTheirDesignedPixels()
{
    PracticeDriver ui;
    auto* picture = ui.window.findChild<QWidget*>("Resistor");
    QVERIFY(picture);
    const auto area = design::toPixels(design::kPractice.picture);
    QCOMPARE(picture->geometry(), QRect(area.x, area.y, area.width, area.height));
    // Everything the window holds lies inside it, the focus ring round a list included.
    for (const QWidget* child : ui.window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        QVERIFY2(ui.window.rect().contains(child->geometry()), qPrintable(child->objectName()));
    const QString shownCharacters = QString::fromStdString(design::shownCharacters());
    for (const auto& control : design::kPractice.controls) {
        const auto r = design::toPixels(control);
        QWidget* widget = ui.window.controlWidget(control);
        const QString name = widget->objectName();
        QCOMPARE(name, QString::fromStdString(design::controlName(control)));
        QCOMPARE(widget->geometry(), QRect(r.x, r.y, r.width, r.height));
        QVERIFY2(widget->isVisible(), qPrintable(name));
        QVERIFY2(!widget->geometry().intersects(picture->geometry()), qPrintable(name));
        // No caption is wider than its control; the statement wraps (statement_ofEveryTask...).
        const QFontMetrics metrics(widget->font());
        if (auto* label = qobject_cast<QLabel*>(widget); label && !label->wordWrap())
            QVERIFY2(metrics.boundingRect(label->text()).width() <= label->contentsRect().width(),
                     qPrintable(name));
        if (auto* button = qobject_cast<QPushButton*>(widget))
            QVERIFY2(metrics.horizontalAdvance(button->text()) + 8 <= button->width(), qPrintable(name));
        // Every text is drawn in one font that has all its letters and signs (Ω, ×, ±).
        QVERIFY2(missingCharacters(widget->font(), shownCharacters).isEmpty(), qPrintable(name));
    }
    // The score at its widest, and a round's number at its longest, fit their controls.
    const QWidget* score = ui.widget(Part::Score);
    QVERIFY(QFontMetrics(score->font()).horizontalAdvance(QString::fromStdString(practice::score(10, 10))) <=
            score->contentsRect().width());
    const auto* round = qobject_cast<QLineEdit*>(ui.widget(Part::RoundNumber));
    QVERIFY(QFontMetrics(round->font()).horizontalAdvance("9999") < round->width() - 8);
}

// Every statement the practice can make, of every task of rounds 1 to 9999, shows whole in the
// statement's label: in as many lines as it takes, none of them clipped.
void PracticeWindowTest::statement_ofEveryTaskOfEveryRoundFits()
{
    PracticeDriver ui;
    auto* label = qobject_cast<QLabel*>(ui.widget(Part::Statement));
    std::set<std::string> statements;
    for (int number = practice::kFirstRound; number <= practice::kLastRound; ++number) {
        const practice::Round round = practice::makeRound(number);
        for (std::size_t task = 0; task < round.size(); ++task)
            statements.insert(practice::statement(round.at(task), static_cast<int>(task) + 1));
    }
    QVERIFY(statements.size() > 100);
    const QRect room = label->contentsRect();
    const QFontMetrics metrics(label->font());
    QString tallest;
    int tallestHeight = 0;
    for (const std::string& statement : statements) {
        const QString text = QString::fromStdString(statement);
        const QRect needed =
            metrics.boundingRect(room, static_cast<int>(label->alignment()) | Qt::TextWordWrap, text);
        QVERIFY2(needed.width() <= room.width() && needed.height() <= room.height(), qPrintable(text));
        if (needed.height() > tallestHeight) {
            tallestHeight = needed.height();
            tallest = text;
        }
    }
    // As the label itself lays it out.
    label->setText(tallest);
    QVERIFY2(label->heightForWidth(label->width()) <= label->height(), qPrintable(tallest));
}

void PracticeWindowTest::tab_visitsTheControlsThatTakeInput_data()
{
    QTest::addColumn<bool>("answerAndNext");
    QTest::newRow("every control usable") << true;
    QTest::newRow("a colour task before its answer: no answer box, no \"Следваща\"") << false;
}

void PracticeWindowTest::tab_visitsTheControlsThatTakeInput()
{
    QFETCH(bool, answerAndNext);
    PracticeDriver ui;
    ui.window.setEnabled(Part::Answer, answerAndNext);
    ui.window.setEnabled(Part::Next, answerAndNext);
    QStringList expected = focusOrderNames();
    if (!answerAndNext) {
        expected.removeOne(ui.widget(Part::Answer)->objectName());
        expected.removeOne(ui.widget(Part::Next)->objectName());
    }
    ui.list1(0)->setFocus();
    // Round the window and back: Tab in the designed order, Shift+Tab the other way.
    QStringList forward = {QApplication::focusWidget()->objectName()};
    for (qsizetype i = 1; i < expected.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        forward += QApplication::focusWidget()->objectName();
    }
    QCOMPARE(forward, expected);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), ui.list1(0));
    QStringList backward;
    for (qsizetype i = 0; i < expected.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
        backward.prepend(QApplication::focusWidget()->objectName());
    }
    QCOMPARE(backward, expected);
}

void PracticeWindowTest::buttons_greyWhileTheyCannotBePressed()
{
    PracticeDriver ui;
    QPushButton* next = ui.command1(practice::Next);
    const auto face = design::practiceControl(Part::Next).background.value();
    for (const bool enabled : {false, true}) {
        ui.window.setEnabled(Part::Next, enabled);
        ui.window.setFocus();
        const QImage image = ui.window.grab().toImage();
        const QRect r = next->geometry();
        // Just inside the left edge, clear of the border and of the centred caption.
        QCOMPARE(pixelAt(image, ui.window, QPoint(r.x() + 6, r.y() + r.height() / 2)),
                 toColor(enabled ? face : design::disabledFace(face)));
        // The caption: black where the button can be pressed, a grey that still reads where not.
        const int darkest = darkestIn(image, ui.window, r.adjusted(8, 6, -8, -6));
        const int grey = toColor(design::kDisabledCaption).lightness();
        if (enabled)
            QVERIFY2(darkest < 40, qPrintable(QString::number(darkest)));
        else
            QVERIFY2(darkest >= grey - 8 && darkest <= grey + 24, qPrintable(QString::number(darkest)));
    }
}

void PracticeWindowTest::fixedList_refusesTheStudentButTakesTheFocus_data()
{
    // What the student does to the first digit's list, with orange (3) chosen and the colour `inView`
    // in view, and where an open list's choice and view are then; a fixed list keeps its choice and
    // its view.
    QTest::addColumn<int>("inView");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("letters");
    QTest::addColumn<bool>("scrollButton");
    QTest::addColumn<int>("chosenWhenOpen");
    QTest::addColumn<int>("inViewWhenOpen");
    QTest::newRow("Down") << 3 << int(Qt::Key_Down) << "" << false << 4 << 4;
    QTest::newRow("Up") << 3 << int(Qt::Key_Up) << "" << false << 2 << 2;
    QTest::newRow("Page Down") << 3 << int(Qt::Key_PageDown) << "" << false << 4 << 4;
    QTest::newRow("Home") << 3 << int(Qt::Key_Home) << "" << false << 0 << 0;
    QTest::newRow("End") << 3 << int(Qt::Key_End) << "" << false << 9 << 9;
    QTest::newRow("Space, blue in view") << 6 << int(Qt::Key_Space) << "" << false << 6 << 6;
    QTest::newRow("typed з") << 3 << 0 << "з" << false << 5 << 5;
    QTest::newRow("a click on blue, in view") << 6 << 0 << "" << false << 6 << 6;
    QTest::newRow("the scroll button, then a click") << 3 << 0 << "" << true << 4 << 4;
    QTest::newRow("wheel") << 3 << -1 << "" << false << 3 << 4;
}

void PracticeWindowTest::fixedList_refusesTheStudentButTakesTheFocus()
{
    QFETCH(int, inView);
    QFETCH(int, key);
    QFETCH(QString, letters);
    QFETCH(bool, scrollButton);
    QFETCH(int, chosenWhenOpen);
    QFETCH(int, inViewWhenOpen);
    PracticeDriver ui;
    QListWidget* digits = ui.list1(0);
    const auto rowInView = [digits] { return digits->indexAt(QPoint(0, 0)).row(); };
    const auto clickInView = [digits] {
        QTest::mouseClick(digits->viewport(), Qt::LeftButton, {}, digits->viewport()->rect().center());
    };
    for (const bool fixed : {true, false}) {
        ui.window.setListsFixed(false);
        ui.window.setSelectedPosition(0, 3);
        digits->verticalScrollBar()->setValue(inView);
        ui.window.setListsFixed(fixed);
        // The list takes the focus, fixed or not.
        ui.window.setFocus();
        QTest::keyClick(&ui.window, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), digits);
        if (key > 0) {
            QTest::keyClick(digits, static_cast<Qt::Key>(key));
        } else if (!letters.isEmpty()) {
            QTest::sendKeyEvent(QTest::Click, digits, Qt::Key_unknown, letters, Qt::NoModifier);
        } else if (scrollButton) {
            QScrollBar* bar = digits->verticalScrollBar();
            QStyleOptionSlider option;
            option.initFrom(bar);
            option.orientation = bar->orientation();
            option.minimum = bar->minimum();
            option.maximum = bar->maximum();
            option.sliderPosition = bar->sliderPosition();
            option.sliderValue = bar->value();
            option.subControls = QStyle::SC_All;
            const QRect down =
                bar->style()->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarAddLine, bar);
            QTest::mouseClick(bar, Qt::LeftButton, {}, down.center());
            clickInView();
        } else if (key == 0) {
            clickInView();
        } else {
            QWheelEvent wheel(QPointF(10, 10), digits->mapToGlobal(QPointF(10, 10)), {}, QPoint(0, -120),
                              Qt::NoButton, {}, Qt::NoScrollPhase, false);
            QApplication::sendEvent(digits->viewport(), &wheel);
        }
        const QByteArray state = fixed ? "fixed" : "open";
        QVERIFY2(ui.window.selectedPosition(0) == (fixed ? 3 : chosenWhenOpen),
                 state + ": chosen " + QByteArray::number(ui.window.selectedPosition(0)));
        QVERIFY2(rowInView() == (fixed ? inView : inViewWhenOpen),
                 state + ": in view " + QByteArray::number(rowInView()));
    }
    // The program still chooses in a fixed list, and its choice comes into view.
    ui.window.setListsFixed(true);
    ui.window.setSelectedPosition(0, 8);
    QCOMPARE(ui.window.selectedPosition(0), 8);
    QCOMPARE(rowInView(), 8);
}

void PracticeWindowTest::keys_pressTheFocusedButton_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<bool>("presses");
    QTest::newRow("Space") << int(Qt::Key_Space) << Qt::KeyboardModifiers() << true;
    QTest::newRow("Enter") << int(Qt::Key_Return) << Qt::KeyboardModifiers() << true;
    QTest::newRow("the keypad's Enter")
        << int(Qt::Key_Enter) << Qt::KeyboardModifiers(Qt::KeypadModifier) << true;
    QTest::newRow("Ctrl+Enter") << int(Qt::Key_Return) << Qt::KeyboardModifiers(Qt::ControlModifier) << false;
    QTest::newRow("Escape") << int(Qt::Key_Escape) << Qt::KeyboardModifiers() << false;
}

void PracticeWindowTest::keys_pressTheFocusedButton()
{
    QFETCH(int, key);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(bool, presses);
    {
        // "Провери" with no answer: the feedback says that it was not understood, or judges the colours.
        PracticeDriver ui;
        QPushButton* check = ui.command1(practice::Check);
        check->setFocus();
        QTest::keyClick(check, static_cast<Qt::Key>(key), modifiers);
        QCOMPARE(ui.shown(Part::Feedback).empty(), !presses);
    }
    // In Malvoran's window only Space presses a button, as before.
    WindowDriver malvoran;
    malvoran.command1(colour_code::Calculate)->setFocus();
    const std::string introduction = malvoran.window.reportText();
    QTest::keyClick(malvoran.command1(colour_code::Calculate), static_cast<Qt::Key>(key), modifiers);
    QCOMPARE(malvoran.window.reportText() != introduction, presses && key == Qt::Key_Space);
}

// A button the practice disables as it moves on hands the focus to no other control on the way: a
// screen reader announces only where the practice sends it.
void PracticeWindowTest::disabledButton_leavesTheFocusToThePractice()
{
    PracticeDriver ui;
    startRound(ui, 42); // a colour task, then a value to read
    ui.click(practice::Check);
    QVERIFY(ui.focused() == Part::Next);
    QStringList focused;
    const QObject listening;
    connect(qApp, &QApplication::focusChanged, &listening, [&focused](QWidget*, QWidget* now) {
        if (now != nullptr)
            focused += now->objectName();
    });
    QTest::keyClick(ui.command1(practice::Next), Qt::Key_Return);
    QCOMPARE(ui.shown(Part::Statement), statementOf(42, 2).toStdString());
    QCOMPARE(focused, QStringList{ui.widget(Part::Answer)->objectName()});
}

void PracticeWindowTest::feedback_showsEachLineBreakAndTakesNoTyping()
{
    PracticeDriver ui;
    auto* feedback = qobject_cast<QPlainTextEdit*>(ui.widget(Part::Feedback));
    ui.window.setText(Part::Feedback, "Грешно.\r\nред 2\r\n");
    QCOMPARE(feedback->toPlainText(), QString("Грешно.\nред 2\n"));
    QCOMPARE(feedback->document()->blockCount(), 3);
    QCOMPARE(ui.window.text(Part::Feedback), std::string("Грешно.\r\nред 2\r\n"));
    feedback->setFocus();
    QTest::keyClicks(feedback, "abc");
    QTest::keyClick(feedback, Qt::Key_Return);
    QCOMPARE(ui.window.text(Part::Feedback), std::string("Грешно.\r\nред 2\r\n"));
}

void PracticeWindowTest::oneLineBoxes_holdWholeCharactersUpToTheirLimit_data()
{
    // The box holds practice::kAnswerLimit characters, one beyond 16 bits (😀) taking two of them.
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<QString>("held");
    const QString a62(62, u'a');
    QTest::newRow("a paste that ends exactly at the limit") << a62 + "😀b" << a62 + "😀";
    QTest::newRow("a paste cut between a character's halves") << a62 + "a😀" << a62 + "a";
    QTest::newRow("Cyrillic and signs, cut at the limit") << QString(70, u'Ω') << QString(64, u'Ω');
}

void PracticeWindowTest::oneLineBoxes_holdWholeCharactersUpToTheirLimit()
{
    QFETCH(QString, pasted);
    QFETCH(QString, held);
    PracticeDriver ui;
    for (const Part part : {Part::Answer, Part::RoundNumber}) {
        ui.window.setEnabled(part, true);
        ui.paste(part, pasted.toStdString());
        QCOMPARE(QString::fromStdString(ui.window.text(part)), held);
        // Typed into the full box, a character beyond 16 bits does not go in by half either.
        auto* box = qobject_cast<QLineEdit*>(ui.widget(part));
        box->end(false);
        QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QString("😀"), Qt::NoModifier);
        QCOMPARE(QString::fromStdString(ui.window.text(part)), held);
    }
}

void PracticeWindowTest::resistor_showsTheTaskAtItsPlace()
{
    PracticeDriver ui;
    startRound(ui, 42);
    ui.click(practice::Check);
    ui.click(practice::Next); // round 42's second task: a resistor to read
    const QImage image = ui.window.grab().toImage();
    const double scale = image.width() / static_cast<double>(ui.window.width());
    const auto drawing =
        design::resistorDrawing({}, qRound(design::kStandardDpi * scale), design::kPractice.picture);
    QStringList seen;
    QColor previous;
    const int y = drawing.body.y + drawing.body.height / 2;
    for (int x = drawing.area.x; x < drawing.area.x + drawing.area.width; ++x) {
        const QColor colour = image.pixelColor(x, y);
        if (colour == previous)
            continue;
        previous = colour;
        for (const auto& info : bands::kColours)
            if (colour == toColor(info.tone))
                seen += QString::fromUtf8(info.name.data(), static_cast<qsizetype>(info.name.size()));
    }
    QCOMPARE(seen, coloursOf(42, 2));
}

void PracticeWindowTest::accessibility_namesAndRoles_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QAccessible::Role>("role");
    QTest::addColumn<QString>("description");
    const QString any;
    // Round 42's second task, after a wrong answer to its first: the colours to read, a value to type.
    QTest::newRow("statement") << "Label1(1)" << statementOf(42, 2) << QAccessible::StaticText << any;
    QTest::newRow("picture") << "Resistor"
                             << "Резистор" << QAccessible::Graphic << coloursOf(42, 2).join(", ");
    QTest::newRow("first digit") << "List1(0)"
                                 << "Първа цифра" << QAccessible::List << any;
    QTest::newRow("second digit") << "List1(1)"
                                  << "Втора цифра" << QAccessible::List << any;
    QTest::newRow("multiplier") << "List1(2)"
                                << "Множител" << QAccessible::List << any;
    QTest::newRow("tolerance") << "List1(3)"
                               << "Точност" << QAccessible::List << any;
    QTest::newRow("answer") << "Text1(1)"
                            << "Отговор" << QAccessible::EditableText << any;
    QTest::newRow("check") << "Command1(0)"
                           << "Провери" << QAccessible::Button << any;
    QTest::newRow("next") << "Command1(1)"
                          << "Следваща" << QAccessible::Button << any;
    QTest::newRow("new round") << "Command1(2)"
                               << "Нов кръг" << QAccessible::Button << any;
    QTest::newRow("feedback") << "Text1(0)"
                              << "Оценка" << QAccessible::EditableText << any;
    QTest::newRow("round") << "Text1(2)"
                           << "Кръг" << QAccessible::EditableText << any;
    QTest::newRow("score") << "Label1(7)"
                           << "Верни: 0 от 1" << QAccessible::StaticText << any;
    QTest::newRow("window") << "Practice"
                            << "Malvoran — упражнение" << QAccessible::Window << any;
}

void PracticeWindowTest::accessibility_namesAndRoles()
{
    QFETCH(QString, control);
    QFETCH(QString, name);
    QFETCH(QAccessible::Role, role);
    QFETCH(QString, description);
    PracticeDriver ui;
    startRound(ui, 42);
    ui.click(practice::Check);
    ui.click(practice::Next);
    QWidget* widget = control == "Practice" ? &ui.window : ui.window.findChild<QWidget*>(control);
    QVERIFY(widget);
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
    QVERIFY(accessible);
    QCOMPARE(accessible->text(QAccessible::Name), name);
    QCOMPARE(accessible->role(), role);
    if (!description.isNull())
        QCOMPARE(accessible->text(QAccessible::Description), description);
    // Whatever takes the focus says what it is for; of the text boxes, the feedback is read, not written.
    if (accessible->state().focusable)
        QVERIFY(!accessible->text(QAccessible::Description).isEmpty());
    if (role == QAccessible::EditableText)
        QCOMPARE(accessible->state().readOnly, control == "Text1(0)");
}

QTEST_MAIN(PracticeWindowTest)
#include "test_practice_window.moc"
