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
//
// Qt's texts appear only in the right-click menus and in what a screen reader hears, so the
// translation is installed when the first menu is asked for or a screen reader comes, not before the
// first frame: a window that nobody right-clicks is spared mapping it.
#include "qt_texts.h"

#include <QAccessible>
#include <QCoreApplication>
#include <QEvent>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QTranslator>

namespace {

QString translationsFolder()
{
    return QLibraryInfo::path(QLibraryInfo::TranslationsPath);
}

void installTranslation()
{
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (translator->load(QStringLiteral("qtbase_bg"), translationsFolder()))
        QCoreApplication::installTranslator(translator);
    else
        delete translator;
}

// Watches the whole program for the first context menu (mouse or keyboard) and for a screen reader,
// and installs the translation before either meets a text of Qt's.
class InstallWhenNeeded final : public QObject, public QAccessible::ActivationObserver {
public:
    InstallWhenNeeded() : QObject(QCoreApplication::instance())
    {
        QCoreApplication::instance()->installEventFilter(this);
        QAccessible::installActivationObserver(this);
    }
    ~InstallWhenNeeded() override { QAccessible::removeActivationObserver(this); }
    InstallWhenNeeded(const InstallWhenNeeded&) = delete;
    InstallWhenNeeded& operator=(const InstallWhenNeeded&) = delete;
    InstallWhenNeeded(InstallWhenNeeded&&) = delete;
    InstallWhenNeeded& operator=(InstallWhenNeeded&&) = delete;

    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::ContextMenu)
            install();
        return false;
    }

    void accessibilityActiveChanged(bool active) override
    {
        if (active)
            install();
    }

private:
    void install()
    {
        if (m_installed)
            return;
        m_installed = true;
        QCoreApplication::instance()->removeEventFilter(this);
        installTranslation();
    }

    bool m_installed = false;
};

} // namespace

bool loadQtTextsInBulgarian()
{
    if (!QFileInfo::exists(translationsFolder() + QStringLiteral("/qtbase_bg.qm")))
        return false;
    if (QAccessible::isActive())
        installTranslation();
    else
        new InstallWhenNeeded;
    return true;
}
