// SPDX-License-Identifier: MIT
// A longer paste is cut at the limit, and typing into a full box adds nothing, as on Windows.
#include "report_box.h"

#include "design.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMimeData>

#include <algorithm>
#include <limits>
#include <string_view>

namespace {

// As much of the beginning of `text` as takes at most `room` of the limit.
QString cutAt(const QString& text, qsizetype room)
{
    const std::u16string_view utf16(QStringView(text).utf16(), static_cast<std::size_t>(text.size()));
    return text.left(static_cast<qsizetype>(design::fittingLength(utf16, static_cast<std::size_t>(room))));
}

} // namespace

ReportBox::ReportBox(int limit, QWidget* parent)
    : QPlainTextEdit(parent), m_limit(limit > 0 ? limit : std::numeric_limits<qsizetype>::max())
{
}

qsizetype ReportBox::room() const
{
    const QTextCursor cursor = textCursor();
    // The document counts one character more than it holds: the end of its last paragraph.
    const qsizetype kept =
        document()->characterCount() - 1 - (cursor.selectionEnd() - cursor.selectionStart());
    return std::max<qsizetype>(m_limit - kept, 0);
}

void ReportBox::insertFromMimeData(const QMimeData* source)
{
    if (isReadOnly() || !source->hasText())
        return;
    const QString text = source->text();
    const QString kept = cutAt(text, room());
    if (kept.size() < text.size())
        QApplication::beep();
    if (kept.isEmpty())
        return;
    textCursor().insertText(kept);
    ensureCursorVisible();
}

void ReportBox::keyPressEvent(QKeyEvent* event)
{
    // What a key types (a letter, Enter), not what it edits (Backspace, Delete) or moves.
    const QString typed = event->text();
    const bool types = !typed.isEmpty() && (typed.front().isPrint() || typed.front() == u'\r');
    if (types && !isReadOnly() && room() < typed.size()) {
        QApplication::beep();
        event->accept();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void ReportBox::inputMethodEvent(QInputMethodEvent* event)
{
    if (event->commitString().size() > room()) {
        QInputMethodEvent kept(event->preeditString(), event->attributes());
        kept.setCommitString(cutAt(event->commitString(), room()), event->replacementStart(),
                             event->replacementLength());
        QPlainTextEdit::inputMethodEvent(&kept);
        return;
    }
    QPlainTextEdit::inputMethodEvent(event);
}
