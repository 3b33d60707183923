// SPDX-License-Identifier: MIT
// Choosing the window's font: Times New Roman 12 pt, or a serif that shows every character.
#pragma once

#include <QFont>
#include <QString>

struct FontChoice {
    QFont font;
    // Empty when the designed font (or a metric-compatible twin) shows every character; otherwise
    // a sentence for standard error that says what is used instead, or what cannot be shown.
    QString notice;
};

// The font for the window, which shows the characters of design::shownCharacters().
FontChoice chooseWindowFont();

// Characters of `characters` that `font` has no glyph for, in order of first appearance.
QString missingCharacters(const QFont& font, const QString& characters);
