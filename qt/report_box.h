// SPDX-License-Identifier: MIT
// The report box: a plain text box that holds at most the design's number of characters, as the
// Windows edit box does, so that a long paste is cut there.
#pragma once

#include <QPlainTextEdit>

class ReportBox final : public QPlainTextEdit {
public:
    using QPlainTextEdit::QPlainTextEdit;

protected:
    void insertFromMimeData(const QMimeData* source) override;
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;

private:
    // How many characters may still go in where the selection is now.
    qsizetype room() const;
};
