// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAccessible>
#include <QList>
#include <QObject>
#include <QRect>
#include <QString>

#include <functional>

class QWidget;

// The items a widget paints, or shows as parts too small to read alone, for assistive
// technology: made as a child of the widget before anything asks for the widget's accessible
// interface, it makes the widget one accessible container (PaintedItemsAccessible) whose
// children are these items, each named by its whole text, in place of the child widgets.
class PaintedItems final : public QObject {
    Q_OBJECT

public:
    struct Item {
        QString text;
        // In the widget's coordinates.
        QRect rect;
    };
    // The items as the widget shows them now; asked on every question, so they are never stale.
    using Source = std::function<QList<Item>()>;

    PaintedItems(QWidget *widget, Source source, QAccessible::Role role = QAccessible::List);

    QList<Item> items() const { return m_source(); }
    QAccessible::Role role() const { return m_role; }
    // Tells assistive technology that the items changed.
    void changed();

    static PaintedItems *of(const QObject *widget);

private:
    Source m_source;
    QAccessible::Role m_role;
};
