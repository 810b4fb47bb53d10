// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAccessibleInterface>

// An item of an accessible list that is no widget of its own: a list item with no children,
// in its list's window, whose texts only the program sets. Each kind of item adds what it
// reads and where it lies.
class AccessibleListItem : public QAccessibleInterface {
public:
    explicit AccessibleListItem(QAccessibleInterface *list) : m_list(list) {}

    QObject *object() const override { return nullptr; }
    QWindow *window() const override { return m_list->window(); }
    QAccessibleInterface *parent() const override { return m_list; }
    QAccessibleInterface *child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    QAccessibleInterface *focusChild() const override { return nullptr; }
    QAccessible::Role role() const override { return QAccessible::ListItem; }
    void setText(QAccessible::Text, const QString &) override {}

private:
    QAccessibleInterface *m_list;
};
