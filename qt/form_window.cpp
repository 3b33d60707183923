// SPDX-License-Identifier: MIT
// A designed window built from its table: labels, colour lists, buttons, text boxes and the resistor,
// each where the design puts it, in the design's keyboard order, with the design's names.
#include "form_window.h"

#include "bands.h"
#include "colour_button.h"
#include "colour_list.h"
#include "design_colours.h"
#include "qt_texts.h"
#include "report_box.h"
#include "resistor_picture.h"
#include "window_font.h"

#include <QAccessibleWidget>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QResource>
#include <QValidator>
#include <QWindow>

#include <algorithm>

namespace {

// Screen readers announce a top-level window by its title only when it says it is a window, and
// read a picture's description only from a graphic.
QAccessibleInterface* accessibleControl(const QString&, QObject* object)
{
    if (auto* window = qobject_cast<FormWindow*>(object))
        return new QAccessibleWidget(window, QAccessible::Window);
    if (auto* picture = qobject_cast<ResistorPicture*>(object))
        return new QAccessibleWidget(picture, QAccessible::Graphic);
    return nullptr;
}

// A one-line box counts its limit in UTF-16 code units, as every box does, and cuts a longer paste
// there even between the two halves of a character beyond 16 bits; the half left at the end is taken
// away again, so that the box holds whole characters only.
class WholeCharacters final : public QValidator {
public:
    using QValidator::QValidator;

    State validate(QString& text, int& position) const override
    {
        if (!text.isEmpty() && text.back().isHighSurrogate()) {
            text.chop(1);
            position = std::min(position, static_cast<int>(text.size()));
        }
        return Acceptable;
    }
};

} // namespace

QStringList setUpApplication()
{
    QAccessible::installFactory(accessibleControl);
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

// The title bar and task switcher ask for 16 to 64 pixels, even at 200 %; menus and launchers take
// the larger sizes from the installed icon theme. The sizes given here are kept as plain pixels
// (tools/render-icons.sh), so that none has to be decoded at start-up.
QIcon iconFromPixels(const QString& name)
{
    QIcon icon;
    for (const int size : {16, 24, 32, 48, 64}) {
        const QResource pixels(QString(":/icons/%1-%2.rgba").arg(name).arg(size));
        // Stored uncompressed (qt/CMakeLists.txt), so the pixels are read where they lie.
        if (pixels.compressionAlgorithm() != QResource::NoCompression ||
            pixels.size() != qint64{size} * size * 4)
            continue;
        icon.addPixmap(QPixmap::fromImage(QImage(pixels.data(), size, size, QImage::Format_RGBA8888)));
    }
    return icon;
}

forms::Index FormLists::selectedPosition(forms::Index list) const
{
    const auto selected = list1.at(static_cast<std::size_t>(list))->selectionModel()->selectedIndexes();
    return selected.isEmpty() ? forms::kNoSelection : static_cast<forms::Index>(selected.first().row());
}

void FormLists::setSelectedPosition(forms::Index list, forms::Index position)
{
    ColourList* colours = list1.at(static_cast<std::size_t>(list));
    if (position == forms::kNoSelection) {
        colours->setCurrentItem(nullptr);
        colours->clearSelection();
        colours->scrollToTop();
    } else {
        colours->setCurrentRow(position);
    }
}

FormWindow::FormWindow(const design::Form& form, const QIcon& icon, QWidget* parent)
    : QWidget(parent), m_form(form), m_widgets(form.controls.size()), m_written(form.controls.size())
{
    setObjectName(fromUtf8(form.name));
    setWindowTitle(fromUtf8(form.title));
    setWindowIcon(icon);

    const FontChoice font = chooseWindowFont();
    setFont(font.font);
    m_fontNotice = font.notice;

    // The backgrounds are fixed light colours, so the text on them stays black on any desktop theme.
    QPalette colours = palette();
    colours.setColor(QPalette::Window, toColor(form.background));
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
    connect(&m_backToDesignedSize, &QTimer::timeout, this, &FormWindow::backToDesignedSize);

    for (std::size_t row = 0; row < form.controls.size(); ++row)
        m_widgets.at(row) = createControl(form.controls[row]);
    for (std::size_t i = 1; i < form.focusOrder.size(); ++i)
        QWidget::setTabOrder(m_widgets.at(form.focusOrder[i - 1]), m_widgets.at(form.focusOrder[i]));
    // Enter in a one-line box presses its button, as long as the student may press it.
    for (std::size_t row = 0; row < form.controls.size(); ++row)
        if (const int button = form.controls[row].enterPresses; button != design::kNoButton)
            connect(qobject_cast<QLineEdit*>(m_widgets.at(row)), &QLineEdit::returnPressed,
                    qobject_cast<QAbstractButton*>(
                        controlWidget(*design::designOf(form, design::Array::Command1, button))),
                    &QAbstractButton::click);
    // The picture follows every choice at once, however it is made: a click, a key, the program.
    m_resistor = new ResistorPicture(m_lists, form.picture, this);
    for (ColourList* list : m_lists.list1)
        connect(list, &QListWidget::itemSelectionChanged, m_resistor, &ResistorPicture::followChoices);
}

QWidget* FormWindow::createControl(const design::Control& control)
{
    const auto index = static_cast<std::size_t>(control.index);
    QWidget* widget = nullptr;
    switch (control.array) {
    case design::Array::Label1: {
        // The program's texts are plain, whatever characters they hold.
        auto* label = new QLabel(this);
        label->setTextFormat(Qt::PlainText);
        label->setText(fromUtf8(control.text));
        // A label of many lines reads from its left edge, as a sentence does; a caption is centred.
        if (control.wraps) {
            label->setWordWrap(true);
            label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        } else {
            label->setAlignment(Qt::AlignCenter);
        }
        if (control.background) {
            QPalette colours = label->palette();
            colours.setColor(QPalette::Window, toColor(*control.background));
            label->setPalette(colours);
            label->setAutoFillBackground(true);
        }
        widget = label;
        break;
    }
    case design::Array::List1: {
        auto* list = new ColourList(bands::kColourLists.at(index), this);
        m_lists.list1.at(index) = list;
        widget = list;
        break;
    }
    case design::Array::Command1: {
        auto* button = new ColourButton(fromUtf8(control.text), control.background.value(),
                                        m_form.enterPressesButton, this);
        const auto command = static_cast<forms::Index>(control.index);
        connect(button, &QPushButton::clicked, this, [this, command] { emit commandPressed(command); });
        widget = button;
        break;
    }
    case design::Array::Text1:
        widget = createTextBox(control);
        break;
    }
    widget->setObjectName(objectNameOf(control.array, control.index));
    widget->setAccessibleName(fromUtf8(control.accessibleName));
    widget->setAccessibleDescription(fromUtf8(control.accessibleDescription));
    widget->setGeometry(toRect(design::toPixels(control)));
    return widget;
}

QWidget* FormWindow::createTextBox(const design::Control& control)
{
    // As it is made, a box lays out a first, empty text in the application's font, which would load
    // the desktop's font for nothing: for that moment the window's font stands in.
    const QFont desktopFont = QGuiApplication::font();
    QGuiApplication::setFont(font());
    QLineEdit* line = control.singleLine ? new QLineEdit(this) : nullptr;
    ReportBox* box = control.singleLine ? nullptr : new ReportBox(control.maxLength, this);
    QGuiApplication::setFont(desktopFont);
    if (line != nullptr) {
        if (control.maxLength > 0) {
            line->setMaxLength(control.maxLength);
            line->setValidator(new WholeCharacters(line));
        }
        line->setReadOnly(control.readOnly);
        return line;
    }
    box->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    box->setTabChangesFocus(true);
    if (control.readOnly) {
        box->setReadOnly(true);
        // The student still walks through the text with the keys, and a screen reader with them.
        box->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    }
    return box;
}

QWidget* FormWindow::controlWidget(const design::Control& control) const
{
    return m_widgets.at(design::rowOf(m_form, control));
}

std::string FormWindow::controlText(const design::Control& control) const
{
    QWidget* shown = controlWidget(control);
    if (auto* label = qobject_cast<QLabel*>(shown))
        return label->text().toStdString();
    if (auto* box = qobject_cast<QLineEdit*>(shown))
        return box->text().toStdString();
    // Once the student has typed into the box, its text is what the box shows.
    const auto* box = qobject_cast<QPlainTextEdit*>(shown);
    if (box->document()->isModified())
        return design::writtenReport(box->toPlainText().toStdString());
    return m_written.at(design::rowOf(m_form, control)).text;
}

void FormWindow::setControlText(const design::Control& control, std::string_view text)
{
    QWidget* shown = controlWidget(control);
    if (auto* label = qobject_cast<QLabel*>(shown)) {
        const QString written = fromUtf8(text);
        // A label whose name is its text tells a screen reader of a new text itself; a live one tells
        // it of every text written, the same as before included (the next task may ask as the last).
        if (control.live && label->text() == written && label->accessibleName().isEmpty()) {
            QAccessibleEvent announce(label, QAccessible::NameChanged);
            QAccessible::updateAccessibility(&announce);
        }
        label->setText(written);
        return;
    }
    if (auto* box = qobject_cast<QLineEdit*>(shown)) {
        box->setText(fromUtf8(text));
        return;
    }
    const std::size_t row = design::rowOf(m_form, control);
    m_written.at(row) = {std::string(text), false};
    if (isVisible())
        showWritten(row);
}

void FormWindow::showWritten(std::size_t row)
{
    auto* box = static_cast<QPlainTextEdit*>(m_widgets.at(row));
    // The box keeps paragraphs, not line ends: CR LF (or a stray CR) becomes one line break on screen.
    box->setPlainText(fromUtf8(design::shownReport(m_written.at(row).text)));
    box->document()->setModified(false);
    m_written.at(row).inBox = true;
}

QStringList FormWindow::notices() const
{
    QStringList notices;
    if (!m_fontNotice.isEmpty())
        notices += m_fontNotice;
    const qreal designed = font().pointSizeF();
    qreal names = designed;
    for (const ColourList* list : m_lists.list1)
        names = std::min(names, list->namePointSize());
    if (names < designed)
        notices += QString("the colour names are set in %1 pt instead of %2 pt, so that each fits its list.")
                       .arg(names)
                       .arg(designed);
    return notices;
}

void FormWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    for (std::size_t row = 0; row < m_written.size(); ++row)
        if (!m_written[row].inBox)
            showWritten(row);
}

void FormWindow::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange)
        m_backToDesignedSize.start();
}

void FormWindow::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    m_backToDesignedSize.start();
}

QSize FormWindow::designedSize() const
{
    return {design::toPixels(m_form.clientWidth), design::toPixels(m_form.clientHeight)};
}

void FormWindow::backToDesignedSize()
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
