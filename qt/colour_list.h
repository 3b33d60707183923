// SPDX-License-Identifier: MIT
// A colour list of a designed window: a single-selection list box that shows one colour at a time.
#pragma once

#include "bands.h"
#include "list_keys.h"

#include <QListWidget>

#include <span>

class FocusRing;

class ColourList : public QListWidget {
    Q_OBJECT

public:
    // The list of a band, in list order, each colour with its swatch.
    ColourList(std::span<const bands::Colour> colours, QWidget* parent);

    // The point size the colour names are shown in: the window's, or less where the window's font is
    // a wider substitute that would cut the longest name short.
    qreal namePointSize() const;

    // Qt's own search by typed text follows rules of its own; typed letters go to m_typeAhead.
    void keyboardSearch(const QString&) override {}

    // A fixed list keeps the colour it shows: no key, typed letter, click or wheel changes it, though
    // it still takes the focus. The program still chooses in it.
    void setFixed(bool fixed);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                         const QEvent* event = nullptr) const override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;

private:
    int rowInView() const;
    int chosenRow() const;
    // Chooses `row` as a key does, and brings it into view.
    void choose(int row);
    int nameRoom(int swatch) const;
    int widestName(const QFont& font) const;
    void fitNames();
    void paintSwatches();

    std::span<const bands::Colour> m_colours;
    list_keys::TypeAhead m_typeAhead;
    // Made on the first visit of the keyboard, so that a window nobody tabs through never builds it.
    FocusRing* m_focusRing = nullptr;
    bool m_fixed = false;
};
