// SPDX-License-Identifier: GPL-3.0-or-later
#include "ItemListAccessible.h"

#include "AccessibleListItem.h"
#include "ItemActions.h"

#include <QAbstractItemView>

using namespace Qt::StringLiterals;

namespace {

// One row, read afresh on every question, so a changed record reads as it now is.
class RowAccessible final : public AccessibleListItem, public QAccessibleActionInterface {
public:
    RowAccessible(ItemListAccessible *list, const QModelIndex &index)
        : AccessibleListItem(list), m_list(list), m_index(index)
    {
    }

    bool isValid() const override { return m_index.isValid() && m_list->view(); }

    QString text(QAccessible::Text t) const override
    {
        if (!isValid() || (t != QAccessible::Name && t != QAccessible::Description))
            return {};
        if (t == QAccessible::Description)
            return m_index.data(Qt::ToolTipRole).toString();
        const QString accessible = m_index.data(Qt::AccessibleTextRole).toString();
        return accessible.isEmpty() ? m_index.data(Qt::DisplayRole).toString() : accessible;
    }

    QRect rect() const override
    {
        QAbstractItemView *view = m_list->view();
        if (!isValid())
            return {};
        const QRect inViewport = view->visualRect(m_index);
        return QRect(view->viewport()->mapToGlobal(inViewport.topLeft()), inViewport.size());
    }

    QAccessible::State state() const override
    {
        QAccessible::State s;
        QAbstractItemView *view = m_list->view();
        if (!isValid()) {
            s.invalid = true;
            return s;
        }
        s.focusable = true;
        s.selectable = view->selectionMode() != QAbstractItemView::NoSelection;
        s.selected = view->selectionModel() && view->selectionModel()->isSelected(m_index);
        const bool current = view->currentIndex() == QModelIndex(m_index);
        s.focused = current && view->hasFocus();
        s.active = current;
        if (!view->isVisible() || !view->viewport()->rect().intersects(view->visualRect(m_index)))
            s.invisible = true;
        return s;
    }

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface *>(this)
                                                    : nullptr;
    }

    QStringList actionNames() const override
    {
        const ItemActions *actions = ItemActions::of(m_list->view());
        if (!isValid() || !actions)
            return {};
        QStringList names = actions->names(m_index);
        if (!names.isEmpty())
            names.append(setFocusAction());
        return names;
    }
    QStringList keyBindingsForAction(const QString &) const override { return {}; }
    void doAction(const QString &name) override
    {
        QAbstractItemView *view = m_list->view();
        const ItemActions *actions = ItemActions::of(view);
        if (!isValid() || !actions || !actionNames().contains(name))
            return;
        // The row becomes the current one first, as a click makes it.
        view->setCurrentIndex(m_index);
        if (name == setFocusAction())
            view->setFocus(Qt::OtherFocusReason);
        else
            actions->trigger(name, m_index);
    }

    int row() const { return m_index.row(); }

private:
    ItemListAccessible *m_list;
    QPersistentModelIndex m_index;
};

} // namespace

ItemListAccessible::ItemListAccessible(QAbstractItemView *view) : QAccessibleWidget(view, QAccessible::List)
{
}

ItemListAccessible::~ItemListAccessible()
{
    for (const auto &[row, id] : m_rows)
        QAccessible::deleteAccessibleInterface(id);
}

QAccessibleInterface *ItemListAccessible::create(const QString &className, QObject *object)
{
    // Asked once per class of the object's ancestry, the object's own class first.
    auto *view = qobject_cast<QAbstractItemView *>(object);
    if (view && className == QLatin1StringView(object->metaObject()->className()) && ItemActions::of(view))
        return new ItemListAccessible(view);
    return nullptr;
}

QAbstractItemView *ItemListAccessible::view() const
{
    return static_cast<QAbstractItemView *>(widget());
}

int ItemListAccessible::childCount() const
{
    const QAbstractItemModel *model = view()->model();
    return model ? model->rowCount(view()->rootIndex()) : 0;
}

QAccessibleInterface *ItemListAccessible::child(int index) const
{
    if (index < 0 || index >= childCount())
        return nullptr;
    if (const auto found = m_rows.find(index); found != m_rows.end()) {
        auto *row = static_cast<RowAccessible *>(QAccessible::accessibleInterface(found->second));
        if (row && row->isValid() && row->row() == index)
            return row;
        QAccessible::deleteAccessibleInterface(found->second);
        m_rows.erase(found);
    }
    const QModelIndex modelIndex = view()->model()->index(index, 0, view()->rootIndex());
    auto *row = new RowAccessible(const_cast<ItemListAccessible *>(this), modelIndex);
    m_rows[index] = QAccessible::registerAccessibleInterface(row);
    return row;
}

int ItemListAccessible::indexOfChild(const QAccessibleInterface *child) const
{
    for (const auto &[row, id] : m_rows) {
        if (QAccessible::accessibleInterface(id) == child)
            return child->isValid() ? static_cast<const RowAccessible *>(child)->row() : -1;
    }
    return -1;
}

QAccessibleInterface *ItemListAccessible::childAt(int x, int y) const
{
    const QPoint inViewport = view()->viewport()->mapFromGlobal(QPoint(x, y));
    const QModelIndex index = view()->indexAt(inViewport);
    return index.isValid() ? child(index.row()) : nullptr;
}

QAccessibleInterface *ItemListAccessible::focusChild() const
{
    const QModelIndex current = view()->currentIndex();
    return view()->hasFocus() && current.isValid() ? child(current.row()) : nullptr;
}
