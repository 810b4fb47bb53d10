// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAccessibleWidget>

#include <map>

class PaintedItems;

// What assistive technology sees of a widget with PaintedItems: the widget in the items' role,
// whose children are the items, each a list item named by its text, placed where it is shown.
class PaintedItemsAccessible final : public QAccessibleWidget {
public:
    PaintedItemsAccessible(QWidget *widget, const PaintedItems &items);
    ~PaintedItemsAccessible() override;

    // The factory QAccessible asks for the interface of every object; it answers for widgets
    // with painted items.
    static QAccessibleInterface *create(const QString &className, QObject *object);

    int childCount() const override;
    QAccessibleInterface *child(int index) const override;
    int indexOfChild(const QAccessibleInterface *child) const override;
    QAccessibleInterface *childAt(int x, int y) const override;

    const PaintedItems *items() const;

private:
    // Interfaces of the items asked for so far, by position.
    mutable std::map<int, QAccessible::Id> m_items;
};
