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
#include <utility>

namespace {

// Where a key takes the choice from: the colour the student sees, the colour chosen, or an end.
enum class From { InView, Choice, First, Last };

struct Move {
    From from;
    int by = 0;
};

// What each key does in each state a list can be in. The student sees one colour at a time, so
// nothing chooses a colour out of sight: with nothing chosen, every key that moves acts on the
// colour in view, the first Down or Up choosing that very colour; Space always chooses the colour in
// view. Once a colour is chosen the keys move on from it, as in any list box, and the new choice
// comes into view. Each list shows one colour, so a page is one colour. Shift, Ctrl and the keypad
// change nothing where only one colour can be chosen; no key takes a choice away (only "Изтрий"
// does).
constexpr int kPage = 1;
struct KeyRule {
    Qt::Key key = Qt::Key_unknown;
    Move nothingChosen;
    Move choiceInView;
    Move choiceScrolledAway;
};
constexpr std::array kKeyRules = {
    // clang-format off
    KeyRule{Qt::Key_Up,       {From::InView}, {From::Choice, -1},     {From::Choice, -1}},
    KeyRule{Qt::Key_Left,     {From::InView}, {From::Choice, -1},     {From::Choice, -1}},
    KeyRule{Qt::Key_Down,     {From::InView}, {From::Choice, +1},     {From::Choice, +1}},
    KeyRule{Qt::Key_Right,    {From::InView}, {From::Choice, +1},     {From::Choice, +1}},
    KeyRule{Qt::Key_PageUp,   {From::InView}, {From::Choice, -kPage}, {From::Choice, -kPage}},
    KeyRule{Qt::Key_PageDown, {From::InView}, {From::Choice, +kPage}, {From::Choice, +kPage}},
    KeyRule{Qt::Key_Home,     {From::First},  {From::First},          {From::First}},
    KeyRule{Qt::Key_End,      {From::Last},   {From::Last},           {From::Last}},
    KeyRule{Qt::Key_Space,    {From::InView}, {From::InView},         {From::InView}},
    // clang-format on
};

// The smallest the designed swatch may shrink to before the names' font does.
constexpr int kSmallestSwatch = 10;
constexpr qreal kSmallestPointSize = 6;

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
    static constexpr int kWidth = 2;

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

void ColourList::keyPressEvent(QKeyEvent* event)
{
    const auto rule = std::ranges::find(kKeyRules, event->key(), &KeyRule::key);
    if (rule == kKeyRules.end()) {
        QListWidget::keyPressEvent(event); // typed letters, copying: Qt's own handling
        return;
    }
    // Alt and the Windows key belong to the window and the desktop, not to the list.
    if (event->modifiers() & (Qt::AltModifier | Qt::MetaModifier)) {
        event->ignore();
        return;
    }
    const int chosen = chosenRow();
    const int inView = rowInView();
    const Move move = chosen < 0         ? rule->nothingChosen
                      : chosen == inView ? rule->choiceInView
                                         : rule->choiceScrolledAway;
    int from = 0;
    switch (move.from) {
    case From::InView:
        from = inView;
        break;
    case From::Choice:
        from = chosen;
        break;
    case From::First:
        from = 0;
        break;
    case From::Last:
        from = count() - 1;
        break;
    }
    choose(std::clamp(from + move.by, 0, count() - 1));
    event->accept();
}

QItemSelectionModel::SelectionFlags ColourList::selectionCommand(const QModelIndex& index,
                                                                 const QEvent* event) const
{
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
    // The swatch gives up a few pixels first; only then does the font shrink, by half points.
    const QFont designed = parentWidget()->font();
    const int widest = widestName(designed);
    int swatch = design::kSwatchSide;
    while (swatch > kSmallestSwatch && widest > nameRoom(swatch))
        swatch -= 2;
    QFont shrunk = designed;
    const int room = nameRoom(swatch);
    // With no font installed at all there is nothing to fit, and the notice says so.
    if (widest > room && !QFontInfo(designed).family().isEmpty())
        while (widestName(shrunk) > room && shrunk.pointSizeF() > kSmallestPointSize)
            shrunk.setPointSizeF(shrunk.pointSizeF() - 0.5);
    setIconSize(QSize(swatch, swatch));
    if (shrunk != font())
        setFont(shrunk == designed ? QFont() : shrunk);
}

void ColourList::paintSwatches()
{
    const QColor outline = swatchOutline(palette().color(QPalette::Base));
    for (int i = 0; i < count(); ++i)
        item(i)->setIcon(swatchIcon(m_colours[static_cast<std::size_t>(i)], outline));
}
