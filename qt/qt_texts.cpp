// SPDX-License-Identifier: MIT
// Qt's Bulgarian translation, taken from the system's Qt rather than built into the program.
//
// Why from the system (Debian: qt6-translations-l10n, which libqt6core6 already recommends): Qt's
// translations are licensed GPL-3 with the Qt exception, so carrying qtbase_bg.qm inside this
// MIT-licensed program would put the program under terms of its own; the file is 161 KiB (47 KiB
// compressed), which would take the stripped program from 113 KiB to about 160 KiB, most of it
// texts of dialogs the window never opens; and the file on disk is mapped into memory, not read,
// for about 0.1 % of the start-up's work, where a compressed resource would first be unpacked.
// Translation fixes then come with the system's updates too.
#include "qt_texts.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

bool loadQtTextsInBulgarian()
{
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (!translator->load(QStringLiteral("qtbase_bg"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}
