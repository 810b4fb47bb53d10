// SPDX-License-Identifier: GPL-3.0-or-later
#include "PaintedItems.h"

#include "PaintedItemsAccessible.h"

#include <QWidget>

PaintedItems::PaintedItems(QWidget *widget, Source source, QAccessible::Role role)
    : QObject(widget), m_source(std::move(source)), m_role(role)
{
    static const bool installed = [] {
        QAccessible::installFactory(&PaintedItemsAccessible::create);
        return true;
    }();
    Q_UNUSED(installed)
    // A widget that sent an accessibility event already has an interface of Qt's own, which
    // would hide these items: it makes way for one that shows them.
    if (QAccessibleInterface *existing = QAccessible::queryAccessibleInterface(widget);
        existing && !dynamic_cast<PaintedItemsAccessible *>(existing))
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(existing));
}

void PaintedItems::changed()
{
    if (!QAccessible::isActive())
        return;
    QAccessibleEvent event(parent(), QAccessible::ObjectReorder);
    QAccessible::updateAccessibility(&event);
}

PaintedItems *PaintedItems::of(const QObject *widget)
{
    return widget ? widget->findChild<PaintedItems *>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
}
