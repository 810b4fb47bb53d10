// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAccessibleWidget>
#include <QPersistentModelIndex>

#include <map>

class CardGrid;

// What assistive technology sees of a card grid: a list whose items are the cards, each named
// by its model row's accessible text (or its display text), with the grid's current card as
// the focused item, and "press" to open a card.
class CardGridAccessible final : public QAccessibleWidget {
public:
    explicit CardGridAccessible(CardGrid *grid);
    ~CardGridAccessible() override;

    // The factory QAccessible asks for the interface of every object; it answers for grids.
    static QAccessibleInterface *create(const QString &className, QObject *object);

    int childCount() const override;
    QAccessibleInterface *child(int index) const override;
    int indexOfChild(const QAccessibleInterface *child) const override;
    QAccessibleInterface *childAt(int x, int y) const override;
    QAccessibleInterface *focusChild() const override;

    CardGrid *grid() const;

private:
    // Interfaces of the cards asked for so far, by row; one that no longer sits on its row is
    // replaced on the next ask.
    mutable std::map<int, QAccessible::Id> m_cards;
};
