// SPDX-License-Identifier: MIT
// A long random session through the real window: a class clicking at random must never see a wrong
// report. Seeded and reproducible: MALVORAN_SOAK_SEED and MALVORAN_SOAK_STEPS override the defaults.
#include "expected_report.h"
#include "list_keys.h"
#include "window_driver.h"

#include <QScrollBar>

#include <array>
#include <fstream>
#include <random>
#include <string>

namespace {

// What a student expects, worked out with integers from the colours alone.
QString oracleReport(const std::array<int, 4>& chosen)
{
    return QString::fromStdString(oracle::report(chosen));
}

long residentKiB()
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.starts_with("VmRSS:"))
            return std::stol(line.substr(6));
    return -1;
}

} // namespace

class SoakTest : public QObject {
    Q_OBJECT

private slots:
    void randomSession_alwaysReportsWhatTheColoursSay();
};

void SoakTest::randomSession_alwaysReportsWhatTheColoursSay()
{
    const unsigned seed = qEnvironmentVariableIsSet("MALVORAN_SOAK_SEED")
                              ? qEnvironmentVariable("MALVORAN_SOAK_SEED").toUInt()
                              : 20261208u;
    const int steps = qEnvironmentVariableIsSet("MALVORAN_SOAK_STEPS")
                          ? qEnvironmentVariableIntValue("MALVORAN_SOAK_STEPS")
                          : 100000;
    qInfo("seed %u, %d steps", seed, steps);
    std::mt19937 random(seed);
    const auto roll = [&random](int below) {
        return std::uniform_int_distribution<int>(0, below - 1)(random);
    };

    WindowDriver ui;
    std::array<int, 4> chosen{-1, -1, -1, -1};
    int calculations = 0;
    long residentAfterWarmUp = 0;
    for (int step = 0; step < steps; ++step) {
        const QByteArray where = "seed " + QByteArray::number(seed) + ", step " + QByteArray::number(step);
        const int band = roll(4);
        QListWidget* list = ui.list1(band);
        const int action = roll(100);
        if (action < 35) { // click a colour
            const int row = roll(list->count());
            ui.clickItem(band, row);
            chosen.at(static_cast<std::size_t>(band)) = row;
        } else if (action < 45) { // arrow key: the first press chooses the colour in view
            list->setFocus();
            const bool down = roll(2) == 0;
            int& row = chosen.at(static_cast<std::size_t>(band));
            const int inView = list->verticalScrollBar()->value();
            row = list_keys::choose(down ? list_keys::ListKey::Forward : list_keys::ListKey::Back,
                                    static_cast<forms::Index>(row), static_cast<forms::Index>(inView),
                                    static_cast<forms::Index>(list->count()));
            QTest::keyClick(list, down ? Qt::Key_Down : Qt::Key_Up);
        } else if (action < 50) { // scroll without choosing
            list->verticalScrollBar()->setValue(roll(list->count()));
        } else if (action < 72) {
            ui.click(0);
            ++calculations;
            const QString expected = oracleReport(chosen);
            QVERIFY2(QString::fromStdString(ui.window.reportText()) == expected, where);
            QVERIFY2(ui.shownReport() == expected, where);
        } else if (action < 80) {
            ui.click(1);
            chosen = {-1, -1, -1, -1};
            QVERIFY2(ui.window.reportText() == "Посочете цветен код!", where);
        } else { // type into the report box
            ui.text1()->setFocus();
            QTest::keyClicks(ui.text1(), QString(QChar(u'a' + roll(26))).repeated(1 + roll(4)));
            if (roll(4) == 0)
                QTest::keyClick(ui.text1(), Qt::Key_Return);
        }
        for (int b = 0; b < 4; ++b)
            QVERIFY2(ui.window.selectedPosition(static_cast<forms::Index>(b)) ==
                         chosen.at(static_cast<std::size_t>(b)),
                     where + ", list " + QByteArray::number(b));
        if (step % 256 == 0)
            QCoreApplication::processEvents(); // let the window repaint, as the event loop would
        if (step == steps / 10)
            residentAfterWarmUp = residentKiB();
    }
    QVERIFY(calculations > steps / 10);

    // Memory stays flat: the report box is replaced, never appended to, and nothing piles up.
    // AddressSanitizer holds freed memory back on purpose, so there the figure is only printed.
    const long growth = residentKiB() - residentAfterWarmUp;
    qInfo("%d calculations; resident memory grew by %ld KiB after warm-up", calculations, growth);
#ifndef __SANITIZE_ADDRESS__
    QVERIFY2(growth < 4096, qPrintable(QString("grew by %1 KiB").arg(growth)));
#endif
}

QTEST_MAIN(SoakTest)
#include "test_soak.moc"
