// SPDX-License-Identifier: GPL-3.0-or-later
#include "PaintedItemsAccessible.h"

#include "AccessibleListItem.h"
#include "PaintedItems.h"

#include <QWidget>

#include <optional>

namespace {

// One item, by its position among the items, read afresh on every question.
class PaintedItemAccessible final : public AccessibleListItem {
public:
    PaintedItemAccessible(PaintedItemsAccessible *container, int position)
        : AccessibleListItem(container), m_container(container), m_position(position)
    {
    }

    bool isValid() const override { return current().has_value(); }

    QString text(QAccessible::Text t) const override
    {
        const std::optional<PaintedItems::Item> item = current();
        return item && t == QAccessible::Name ? item->text : QString();
    }

    QRect rect() const override
    {
        const std::optional<PaintedItems::Item> item = current();
        if (!item)
            return {};
        const QWidget *widget = static_cast<QWidget *>(m_container->object());
        return {widget->mapToGlobal(item->rect.topLeft()), item->rect.size()};
    }

    QAccessible::State state() const override
    {
        QAccessible::State s;
        if (!isValid()) {
            s.invalid = true;
            return s;
        }
        s.readOnly = true;
        s.invisible = !static_cast<QWidget *>(m_container->object())->isVisible();
        return s;
    }

    int position() const { return m_position; }

private:
    std::optional<PaintedItems::Item> current() const
    {
        const PaintedItems *items = m_container->items();
        if (!items)
            return std::nullopt;
        const QList<PaintedItems::Item> all = items->items();
        if (m_position >= all.size())
            return std::nullopt;
        return all.at(m_position);
    }

    PaintedItemsAccessible *m_container;
    int m_position;
};

} // namespace

PaintedItemsAccessible::PaintedItemsAccessible(QWidget *widget, const PaintedItems &items)
    : QAccessibleWidget(widget, items.role())
{
}

PaintedItemsAccessible::~PaintedItemsAccessible()
{
    for (const auto &[position, id] : m_items)
        QAccessible::deleteAccessibleInterface(id);
}

QAccessibleInterface *PaintedItemsAccessible::create(const QString &className, QObject *object)
{
    // Asked once per class of the object's ancestry, the object's own class first.
    if (!object || !object->isWidgetType() ||
        className != QLatin1StringView(object->metaObject()->className()))
        return nullptr;
    const PaintedItems *items = PaintedItems::of(object);
    return items ? new PaintedItemsAccessible(static_cast<QWidget *>(object), *items) : nullptr;
}

const PaintedItems *PaintedItemsAccessible::items() const
{
    return PaintedItems::of(object());
}

int PaintedItemsAccessible::childCount() const
{
    const PaintedItems *painted = items();
    return painted ? int(painted->items().size()) : 0;
}

QAccessibleInterface *PaintedItemsAccessible::child(int index) const
{
    if (index < 0 || index >= childCount())
        return nullptr;
    if (const auto found = m_items.find(index); found != m_items.end())
        return QAccessible::accessibleInterface(found->second);
    auto *item = new PaintedItemAccessible(const_cast<PaintedItemsAccessible *>(this), index);
    m_items[index] = QAccessible::registerAccessibleInterface(item);
    return item;
}

int PaintedItemsAccessible::indexOfChild(const QAccessibleInterface *child) const
{
    for (const auto &[position, id] : m_items) {
        if (QAccessible::accessibleInterface(id) == child)
            return child->isValid() ? position : -1;
    }
    return -1;
}

QAccessibleInterface *PaintedItemsAccessible::childAt(int x, int y) const
{
    const PaintedItems *painted = items();
    if (!painted)
        return nullptr;
    const QPoint point = widget()->mapFromGlobal(QPoint(x, y));
    const QList<PaintedItems::Item> all = painted->items();
    for (qsizetype i = 0; i < all.size(); ++i) {
        if (all.at(i).rect.contains(point))
            return child(int(i));
    }
    return nullptr;
}
