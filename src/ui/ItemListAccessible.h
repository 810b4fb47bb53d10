// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAccessibleWidget>
#include <QPersistentModelIndex>

#include <map>

class QAbstractItemView;

// What assistive technology sees of an item view that declares ItemActions (every card grid
// does): a list whose items are the rows, each named by its accessible text (or its display
// text), with the view's current row as the focused item. A row's actions are those declared
// for it, plus "setFocus" on a row that has any.
class ItemListAccessible final : public QAccessibleWidget {
public:
    explicit ItemListAccessible(QAbstractItemView *view);
    ~ItemListAccessible() override;

    // The factory QAccessible asks for the interface of every object; it answers for item views
    // with declared actions.
    static QAccessibleInterface *create(const QString &className, QObject *object);

    int childCount() const override;
    QAccessibleInterface *child(int index) const override;
    int indexOfChild(const QAccessibleInterface *child) const override;
    QAccessibleInterface *childAt(int x, int y) const override;
    QAccessibleInterface *focusChild() const override;

    QAbstractItemView *view() const;

private:
    // Interfaces of the rows asked for so far, by row; one that no longer sits on its row is
    // replaced on the next ask.
    mutable std::map<int, QAccessible::Id> m_rows;
};
