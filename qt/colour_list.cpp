// SPDX-License-Identifier: MIT
// Keyboard choice in a colour list that shows a single item.
#include "colour_list.h"

#include <QKeyEvent>

void ColourList::keyPressEvent(QKeyEvent* event)
{
    // With no colour chosen yet, the first arrow press chooses the colour in view; Qt would move one
    // past it, so a student would never get black by pressing Down once.
    const bool arrow = event->key() == Qt::Key_Down || event->key() == Qt::Key_Up;
    if (arrow && event->modifiers() == Qt::NoModifier && selectedItems().isEmpty()) {
        if (QListWidgetItem* inView = itemAt(viewport()->rect().topLeft())) {
            setCurrentItem(inView);
            return;
        }
    }
    QListWidget::keyPressEvent(event);
}

void ColourList::resizeEvent(QResizeEvent* event)
{
    QListWidget::resizeEvent(event);
    // Each colour fills the view exactly, so no sliver of its neighbour shows beneath it.
    const QSize row(viewport()->width(), viewport()->height());
    for (int i = 0; i < count(); ++i)
        item(i)->setSizeHint(row);
}
