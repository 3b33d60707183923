// SPDX-License-Identifier: MIT
// A colour list behaves as a standard single-selection list box for every key and click, shows the
// keyboard focus plainly, and keeps every colour name whole whatever font and style the desktop has.
#include "colour_list.h"

#include "design_colours.h"
#include "swatch.h"

#include <QHash>
#include <QKeyEvent>
#include <QPainter>
#include <QProxyStyle>
#include <QScrollBar>
#include <QStyledItemDelegate>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <utility>

namespace {

// The keys of a colour list, by what they ask of it (list_keys::choose); typed letters go to a
// list_keys::TypeAhead. Shift, Ctrl and the keypad change nothing where only one colour can be
// chosen; no key takes a choice away (only "Изтрий" does).
using list_keys::ListKey;
constexpr std::array<std::pair<int, ListKey>, 9> kListKeys = {{
    {Qt::Key_Up, ListKey::Back},
    {Qt::Key_Left, ListKey::Back},
    {Qt::Key_PageUp, ListKey::Back},
    {Qt::Key_Down, ListKey::Forward},
    {Qt::Key_Right, ListKey::Forward},
    {Qt::Key_PageDown, ListKey::Forward},
    {Qt::Key_Home, ListKey::First},
    {Qt::Key_End, ListKey::Last},
    {Qt::Key_Space, ListKey::ChooseInView},
}};

// Qt marks the current item of a focused view itself; some styles tint it pale, which looks like a
// choice where there is none. The ring around the list marks the focus instead.
class NoItemFocusDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        option->state &= ~QStyle::State_HasFocus;
    }
};

// Qt's Windows style draws a scroll arrow 4 pixels inside its button and leaves it out once the
// button is squeezed to 9 pixels, as both buttons of a list one colour high are. The arrow is then
// drawn across the whole button (the style keeps its own margin around it), so that the student still
// sees which way each button scrolls.
class SqueezedArrowsStyle : public QProxyStyle {
public:
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override
    {
        QProxyStyle::drawControl(element, option, painter, widget);
        const QRect styleArrow = option->rect.adjusted(4, 4, -4, -4);
        if ((element != CE_ScrollBarSubLine && element != CE_ScrollBarAddLine) ||
            (styleArrow.width() > 1 && styleArrow.height() > 1))
            return;
        const bool horizontal = option->state.testFlag(State_Horizontal);
        const bool back = element == CE_ScrollBarSubLine;
        proxy()->drawPrimitive(horizontal ? (back ? PE_IndicatorArrowLeft : PE_IndicatorArrowRight)
                                          : (back ? PE_IndicatorArrowUp : PE_IndicatorArrowDown),
                               option, painter, widget);
    }
};

} // namespace

// The focus mark: a ring just outside the list's own frame, so that it shows alike with a colour
// chosen or not, in view or not, and leaves the colours and names as they are.
class FocusRing : public QWidget {
public:
    static constexpr int kWidth = design::kFocusEdgeWidth;

    explicit FocusRing(QWidget* list) : QWidget(list->parentWidget()), m_list(list)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        stackUnder(list);
        follow();
    }

    void follow() { setGeometry(m_list->geometry().adjusted(-kWidth, -kWidth, kWidth, kWidth)); }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        const QRect outer = rect();
        const QRect inner = outer.adjusted(kWidth, kWidth, -kWidth, -kWidth);
        for (const QRect& band : QRegion(outer).subtracted(inner))
            painter.fillRect(band, kFocusMark);
    }

private:
    QWidget* m_list;
};

ColourList::ColourList(std::span<const bands::Colour> colours, QWidget* parent)
    : QListWidget(parent), m_colours(colours)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // A list shows one of its eight or more colours, so it always has its scroll bar; said at once,
    // the names are fitted to the room left beside it once, not first to the whole width.
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setUniformItemSizes(true);
    setIconSize(QSize(design::kSwatchSide, design::kSwatchSide));
    // Given for the list's one column, the delegate leaves Qt's own in place rather than replacing
    // it, which spares disconnecting the one it would replace.
    setItemDelegateForColumn(0, new NoItemFocusDelegate(this));
    if (style()->inherits("QWindowsStyle")) {
        auto* arrows = new SqueezedArrowsStyle;
        arrows->setParent(this);
        verticalScrollBar()->setStyle(arrows);
    }
    for (const auto colour : colours)
        addItem(QString::fromUtf8(bands::colourName(colour).data(),
                                  static_cast<qsizetype>(bands::colourName(colour).size())));
    paintSwatches();
}

qreal ColourList::namePointSize() const
{
    return font().pointSizeF();
}

void ColourList::setFixed(bool fixed)
{
    m_fixed = fixed;
    // The scroll bar greys too, so that the student sees at once that this colour stays.
    verticalScrollBar()->setEnabled(!fixed);
}

void ColourList::keyPressEvent(QKeyEvent* event)
{
    const auto* key = std::ranges::find(kListKeys, event->key(), &std::pair<int, ListKey>::first);
    if (key != kListKeys.end()) {
        // Alt and the Windows key belong to the window and the desktop, not to the list.
        if (event->modifiers() & (Qt::AltModifier | Qt::MetaModifier)) {
            event->ignore();
            return;
        }
        if (m_fixed) {
            event->accept();
            return;
        }
        choose(list_keys::choose(key->second, static_cast<forms::Index>(chosenRow()),
                                 static_cast<forms::Index>(rowInView()), static_cast<forms::Index>(count())));
        event->accept();
        return;
    }
    // With Ctrl, Alt or the Windows key held, a key is a command (copying) or the window's, not text.
    if (event->text().isEmpty() ||
        (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))) {
        QListWidget::keyPressEvent(event);
        return;
    }
    if (m_fixed) {
        event->accept();
        return;
    }
    // The window system's clock is 32 bits wide on X11 and wraps there; the search allows for that.
    const auto atMs = static_cast<std::uint32_t>(event->timestamp());
    for (const char32_t letter : event->text().toUcs4()) {
        const forms::Index row = m_typeAhead.type(letter, atMs, static_cast<forms::Index>(chosenRow()),
                                                  static_cast<forms::Index>(rowInView()), m_colours);
        if (row != forms::kNoSelection)
            choose(row);
    }
    event->accept();
}

QItemSelectionModel::SelectionFlags ColourList::selectionCommand(const QModelIndex& index,
                                                                 const QEvent* event) const
{
    if (m_fixed)
        return QItemSelectionModel::NoUpdate;
    // Qt lets Ctrl+click take the choice away; in a single-selection list box a click on a colour
    // chooses it, whatever is held down.
    const QItemSelectionModel::SelectionFlags command = QListWidget::selectionCommand(index, event);
    if (command.testAnyFlags(QItemSelectionModel::Deselect | QItemSelectionModel::Toggle))
        return QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows;
    return command;
}

void ColourList::focusInEvent(QFocusEvent* event)
{
    QListWidget::focusInEvent(event);
    if (m_focusRing == nullptr)
        m_focusRing = new FocusRing(this);
    m_focusRing->show();
}

void ColourList::focusOutEvent(QFocusEvent* event)
{
    QListWidget::focusOutEvent(event);
    if (m_focusRing != nullptr)
        m_focusRing->hide();
}

void ColourList::resizeEvent(QResizeEvent* event)
{
    QListWidget::resizeEvent(event);
    // Each colour fills the view exactly, so no sliver of its neighbour shows beneath it.
    const QSize row(viewport()->width(), viewport()->height());
    for (int i = 0; i < count(); ++i)
        item(i)->setSizeHint(row);
    fitNames();
    if (m_focusRing != nullptr)
        m_focusRing->follow();
}

void ColourList::changeEvent(QEvent* event)
{
    QListWidget::changeEvent(event);
    if (event->type() == QEvent::PaletteChange)
        paintSwatches();
}

void ColourList::wheelEvent(QWheelEvent* event)
{
    if (m_fixed) {
        event->accept();
        return;
    }
    QListWidget::wheelEvent(event);
}

void ColourList::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    // Qt's list view tells a screen reader that its new current colour has the keyboard focus, even
    // when the program chose it while the focus was elsewhere; a screen reader would then announce a
    // colour the student never went to. Only a list that has the focus says so.
    if (hasFocus())
        QListWidget::currentChanged(current, previous);
    else
        QAbstractItemView::currentChanged(current, previous); // NOLINT(bugprone-parent-virtual-call)
}

int ColourList::rowInView() const
{
    const QModelIndex top = indexAt(viewport()->rect().topLeft());
    return top.isValid() ? top.row() : 0;
}

int ColourList::chosenRow() const
{
    const QModelIndexList chosen = selectionModel()->selectedIndexes();
    return chosen.isEmpty() ? -1 : chosen.first().row();
}

void ColourList::choose(int row)
{
    setCurrentRow(row, QItemSelectionModel::ClearAndSelect);
    scrollToItem(item(row));
}

int ColourList::nameRoom(int swatch) const
{
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    option.rect = viewport()->rect();
    option.features |= QStyleOptionViewItem::HasDisplay | QStyleOptionViewItem::HasDecoration;
    option.decorationSize = QSize(swatch, swatch);
    option.text = item(0)->text();
    option.icon = item(0)->icon();
    const QRect text = style()->subElementRect(QStyle::SE_ItemViewItemText, &option, this);
    // The item view insets the name once more on each side as it draws it.
    const int margin = style()->pixelMetric(QStyle::PM_FocusFrameHMargin, &option, this) + 1;
    return text.width() - 2 * margin;
}

int ColourList::widestName(const QFont& font) const
{
    // The four lists share most of their colours, so each name is measured once in each font (the
    // window's, at its size or smaller).
    static QHash<std::pair<QString, qreal>, qreal> measured;
    const QFontMetricsF metrics(font);
    qreal widest = 0;
    for (int i = 0; i < count(); ++i) {
        const QString name = item(i)->text();
        const std::pair key{font.family() + u'\n' + name, font.pointSizeF()};
        const auto known = measured.constFind(key);
        const bool measuredBefore = known != measured.cend();
        const qreal width = measuredBefore ? *known : metrics.horizontalAdvance(name);
        if (!measuredBefore)
            measured.insert(key, width);
        widest = std::max(widest, width);
    }
    return static_cast<int>(std::ceil(widest));
}

void ColourList::fitNames()
{
    const QFont designed = parentWidget()->font();
    const auto widestAt = [this, &designed](double points) {
        QFont font = designed;
        font.setPointSizeF(points);
        return widestName(font);
    };
    // With no font installed at all there is nothing to shrink, and the notice says so.
    const design::NameFit fit = design::fitNames(
        designed.pointSizeF(), [this](int side) { return nameRoom(side); }, widestAt,
        !QFontInfo(designed).family().isEmpty());
    setIconSize(QSize(fit.swatchSide, fit.swatchSide));
    QFont shrunk = designed;
    if (fit.pointSize < designed.pointSizeF())
        shrunk.setPointSizeF(fit.pointSize);
    if (shrunk != font())
        setFont(shrunk == designed ? QFont() : shrunk);
}

void ColourList::paintSwatches()
{
    const QColor outline = toColor(design::swatchOutline(toRgb(palette().color(QPalette::Base))));
    for (int i = 0; i < count(); ++i)
        item(i)->setIcon(swatchIcon(m_colours[static_cast<std::size_t>(i)], outline));
}
