// SPDX-License-Identifier: MIT
// The Malvoran window: labels, colour lists, buttons and report box laid out from the design table.
#include "main_window.h"

#include "bands.h"
#include "colour_button.h"
#include "colour_code.h"
#include "colour_list.h"
#include "design_colours.h"
#include "qt_texts.h"
#include "report_box.h"
#include "resistor_picture.h"
#include "window_font.h"

#include <QAccessibleWidget>
#include <QGuiApplication>
#include <QIcon>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QResource>
#include <QWindow>

#include <algorithm>

namespace {

// The title bar and task switcher ask for 16 to 64 pixels, even at 200 %; menus and launchers take
// the larger sizes from the installed icon theme. The sizes given here are kept as plain pixels
// (tools/render-icons.sh), so that none has to be decoded at start-up.
QIcon hamburgerIcon()
{
    QIcon icon;
    for (const int size : {16, 24, 32, 48, 64}) {
        const QResource pixels(QString(":/icons/malvoran-%1.rgba").arg(size));
        // Stored uncompressed (qt/CMakeLists.txt), so the pixels are read where they lie.
        if (pixels.compressionAlgorithm() != QResource::NoCompression ||
            pixels.size() != qint64{size} * size * 4)
            continue;
        icon.addPixmap(QPixmap::fromImage(QImage(pixels.data(), size, size, QImage::Format_RGBA8888)));
    }
    return icon;
}

QSize designedSize()
{
    return {design::toPixels(design::kClientWidth), design::toPixels(design::kClientHeight)};
}

// Screen readers announce a top-level window by its title only when it says it is a window, and
// read a picture's description only from a graphic.
QAccessibleInterface* accessibleMalvoran(const QString&, QObject* object)
{
    if (auto* window = qobject_cast<Malvoran*>(object))
        return new QAccessibleWidget(window, QAccessible::Window);
    if (auto* picture = qobject_cast<ResistorPicture*>(object))
        return new QAccessibleWidget(picture, QAccessible::Graphic);
    return nullptr;
}

} // namespace

Malvoran::Malvoran(QWidget* parent) : QWidget(parent)
{
    setObjectName("Malvoran");
    setWindowTitle(fromUtf8(design::kTitle));
    setWindowIcon(hamburgerIcon());

    const FontChoice font = chooseWindowFont();
    setFont(font.font);
    m_fontNotice = font.notice;

    // The backgrounds are fixed light colours, so the text on them stays black on any desktop theme.
    QPalette colours = palette();
    colours.setColor(QPalette::Window, toColor(design::kWindowBackground));
    colours.setColor(QPalette::WindowText, Qt::black);
    setPalette(colours);
    setAutoFillBackground(true);

    // As on Windows, the title bar offers no maximize: the window manager of an X11 desktop follows
    // these flags and the fixed size.
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setFixedSize(designedSize());
    // On Wayland, Qt draws the title bar itself and always offers maximize, and a compositor may
    // maximize any window. Qt 6.4 answers within the window's size limits, and weston ends a program
    // whose window does not take the maximized size it gave: there the window may grow, and
    // backToDesignedSize() takes it back to its designed size at once.
    if (QGuiApplication::platformName().startsWith("wayland"))
        setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    // Not at once: a Wayland compositor must first see the window at the size it gave.
    m_backToDesignedSize.setSingleShot(true);
    m_backToDesignedSize.setInterval(0);
    connect(&m_backToDesignedSize, &QTimer::timeout, this, &Malvoran::backToDesignedSize);
    std::array<QWidget*, design::kControls.size()> widgets{};
    for (std::size_t row = 0; row < design::kControls.size(); ++row)
        widgets.at(row) = createControl(design::kControls.at(row));
    for (std::size_t i = 1; i < design::kFocusOrder.size(); ++i)
        QWidget::setTabOrder(widgets.at(design::kFocusOrder.at(i - 1)),
                             widgets.at(design::kFocusOrder.at(i)));
    // The picture follows every choice at once, however it is made: a click, a key, "Изтрий".
    m_resistor = new ResistorPicture(*this, this);
    for (ColourList* list : m_list1)
        connect(list, &QListWidget::itemSelectionChanged, m_resistor, &ResistorPicture::followChoices);
    setReportText(design::kIntroduction);
    m_text1->setFocus();
}

QWidget* Malvoran::createControl(const design::Control& control)
{
    const auto index = static_cast<std::size_t>(control.index);
    QWidget* widget = nullptr;
    switch (control.array) {
    case design::Array::Label1: {
        auto* label = new QLabel(fromUtf8(control.text), this);
        label->setAlignment(Qt::AlignCenter);
        QPalette colours = label->palette();
        colours.setColor(QPalette::Window, toColor(control.background.value()));
        label->setPalette(colours);
        label->setAutoFillBackground(true);
        widget = label;
        break;
    }
    case design::Array::List1: {
        auto* list = new ColourList(bands::kColourLists.at(index), this);
        m_list1.at(index) = list;
        widget = list;
        break;
    }
    case design::Array::Command1: {
        auto* button = new ColourButton(fromUtf8(control.text), control.background.value(), this);
        const auto command = static_cast<forms::Index>(control.index);
        connect(button, &QPushButton::clicked, this,
                [this, command] { colour_code::Command1_Click(*this, command); });
        widget = button;
        break;
    }
    case design::Array::Text1: {
        // As it is made, the box lays out a first, empty document in the application's font, which
        // would load the desktop's font for nothing: for that moment the window's font stands in.
        const QFont desktopFont = QGuiApplication::font();
        QGuiApplication::setFont(font());
        m_text1 = new ReportBox(this);
        QGuiApplication::setFont(desktopFont);
        m_text1->setLineWrapMode(QPlainTextEdit::WidgetWidth);
        m_text1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        m_text1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        m_text1->setTabChangesFocus(true);
        widget = m_text1;
        break;
    }
    }
    widget->setObjectName(objectNameOf(control.array, control.index));
    widget->setAccessibleName(fromUtf8(control.accessibleName));
    widget->setAccessibleDescription(fromUtf8(control.accessibleDescription));
    widget->setGeometry(toRect(design::toPixels(control)));
    return widget;
}

QStringList Malvoran::notices() const
{
    QStringList notices;
    if (!m_fontNotice.isEmpty())
        notices += m_fontNotice;
    const qreal designed = font().pointSizeF();
    qreal names = designed;
    for (const ColourList* list : m_list1)
        names = std::min(names, list->namePointSize());
    if (names < designed)
        notices += QString("the colour names are set in %1 pt instead of %2 pt, so that each fits its list.")
                       .arg(names)
                       .arg(designed);
    return notices;
}

QStringList setUpApplication()
{
    QAccessible::installFactory(accessibleMalvoran);
    if (loadQtTextsInBulgarian())
        return {};
    return {
        "Qt's Bulgarian texts are not installed, so the menus of the report box and of the scroll bars are "
        "in English (on Debian: apt-get install qt6-translations-l10n)."};
}

QString objectNameOf(design::Array array, int index)
{
    return QString::fromStdString(design::controlName(array, index));
}

forms::Index Malvoran::selectedPosition(forms::Index list) const
{
    const auto selected = m_list1.at(static_cast<std::size_t>(list))->selectionModel()->selectedIndexes();
    return selected.isEmpty() ? forms::kNoSelection : static_cast<forms::Index>(selected.first().row());
}

void Malvoran::setSelectedPosition(forms::Index list, forms::Index position)
{
    ColourList* colours = m_list1.at(static_cast<std::size_t>(list));
    if (position == forms::kNoSelection) {
        colours->setCurrentItem(nullptr);
        colours->clearSelection();
        colours->scrollToTop();
    } else {
        colours->setCurrentRow(position);
    }
}

std::string Malvoran::reportText() const
{
    // Once the student has typed into the box, its text is what the box shows.
    if (m_text1->document()->isModified())
        return design::writtenReport(m_text1->toPlainText().toStdString());
    return m_reportText;
}

void Malvoran::setReportText(std::string_view text)
{
    m_reportText = text;
    m_reportInBox = false;
    if (isVisible())
        showReport();
}

void Malvoran::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!m_reportInBox)
        showReport();
}

void Malvoran::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange)
        m_backToDesignedSize.start();
}

void Malvoran::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    m_backToDesignedSize.start();
}

void Malvoran::backToDesignedSize()
{
    // The state is asked of the desktop alone, and the size follows when it agrees: a Wayland window
    // that shrank before that would be at odds with the maximized state it last confirmed.
    constexpr Qt::WindowStates kLarger = Qt::WindowMaximized | Qt::WindowFullScreen;
    if (windowState() & kLarger) {
        if (windowHandle()->windowStates() & kLarger)
            windowHandle()->setWindowStates(windowState() & ~kLarger);
    } else if (size() != designedSize()) {
        resize(designedSize());
    }
}

void Malvoran::showReport()
{
    // The box keeps paragraphs, not line ends: CR LF (or a stray CR) becomes one line break on screen.
    m_text1->setPlainText(fromUtf8(design::shownReport(m_reportText)));
    m_text1->document()->setModified(false);
    m_reportInBox = true;
}
