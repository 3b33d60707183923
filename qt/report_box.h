// SPDX-License-Identifier: MIT
// A text box of many lines that holds at most its design's number of characters, as the Windows edit
// box does, so that a long paste is cut there.
#pragma once

#include <QPlainTextEdit>

class ReportBox final : public QPlainTextEdit {
public:
    // `limit`: the most characters the box holds, a line break counting as one; 0 for no limit.
    ReportBox(int limit, QWidget* parent);

protected:
    void insertFromMimeData(const QMimeData* source) override;
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;

private:
    // How many characters may still go in where the selection is now.
    qsizetype room() const;

    qsizetype m_limit;
};
