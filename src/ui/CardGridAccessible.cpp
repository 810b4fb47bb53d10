// SPDX-License-Identifier: GPL-3.0-or-later
#include "CardGridAccessible.h"

#include "CardGrid.h"

#include <QAbstractItemModel>

using namespace Qt::StringLiterals;

namespace {

// One card: its row, read afresh on every question, so a changed record reads as it now is.
class CardAccessible final : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    CardAccessible(CardGridAccessible *list, const QModelIndex &index) : m_list(list), m_index(index) {}

    bool isValid() const override { return m_index.isValid() && m_list->grid(); }
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
        CardGrid *grid = m_list->grid();
        if (!isValid())
            return {};
        const QRect inViewport = grid->visualRect(m_index);
        return QRect(grid->viewport()->mapToGlobal(inViewport.topLeft()), inViewport.size());
    }

    QAccessible::State state() const override
    {
        QAccessible::State s;
        CardGrid *grid = m_list->grid();
        if (!isValid()) {
            s.invalid = true;
            return s;
        }
        s.focusable = true;
        s.selectable = true;
        const bool current = grid->currentIndex() == QModelIndex(m_index);
        s.focused = current && grid->hasFocus();
        s.active = current;
        if (!grid->isVisible() || !grid->viewport()->rect().intersects(grid->visualRect(m_index)))
            s.invisible = true;
        return s;
    }

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface *>(this)
                                                    : nullptr;
    }

    QStringList actionNames() const override { return {pressAction(), setFocusAction()}; }
    QStringList keyBindingsForAction(const QString &) const override { return {}; }
    void doAction(const QString &name) override
    {
        CardGrid *grid = m_list->grid();
        if (!isValid())
            return;
        grid->setCurrentIndex(m_index);
        if (name == setFocusAction())
            grid->setFocus(Qt::OtherFocusReason);
        else if (name == pressAction())
            grid->open(m_index);
    }

    int row() const { return m_index.row(); }

private:
    CardGridAccessible *m_list;
    QPersistentModelIndex m_index;
};

} // namespace

CardGridAccessible::CardGridAccessible(CardGrid *grid) : QAccessibleWidget(grid, QAccessible::List) {}

CardGridAccessible::~CardGridAccessible()
{
    for (const auto &[row, id] : m_cards)
        QAccessible::deleteAccessibleInterface(id);
}

QAccessibleInterface *CardGridAccessible::create(const QString &className, QObject *object)
{
    if (className == u"CardGrid"_s && object && object->isWidgetType())
        return new CardGridAccessible(static_cast<CardGrid *>(object));
    return nullptr;
}

CardGrid *CardGridAccessible::grid() const
{
    return static_cast<CardGrid *>(widget());
}

int CardGridAccessible::childCount() const
{
    const QAbstractItemModel *model = grid()->model();
    return model ? model->rowCount(grid()->rootIndex()) : 0;
}

QAccessibleInterface *CardGridAccessible::child(int index) const
{
    if (index < 0 || index >= childCount())
        return nullptr;
    if (const auto found = m_cards.find(index); found != m_cards.end()) {
        auto *card = static_cast<CardAccessible *>(QAccessible::accessibleInterface(found->second));
        if (card && card->isValid() && card->row() == index)
            return card;
        QAccessible::deleteAccessibleInterface(found->second);
        m_cards.erase(found);
    }
    const QModelIndex modelIndex = grid()->model()->index(index, 0, grid()->rootIndex());
    auto *card = new CardAccessible(const_cast<CardGridAccessible *>(this), modelIndex);
    m_cards[index] = QAccessible::registerAccessibleInterface(card);
    return card;
}

int CardGridAccessible::indexOfChild(const QAccessibleInterface *child) const
{
    for (const auto &[row, id] : m_cards) {
        if (QAccessible::accessibleInterface(id) == child)
            return child->isValid() ? static_cast<const CardAccessible *>(child)->row() : -1;
    }
    return -1;
}

QAccessibleInterface *CardGridAccessible::childAt(int x, int y) const
{
    const QPoint inViewport = grid()->viewport()->mapFromGlobal(QPoint(x, y));
    const QModelIndex index = grid()->indexAt(inViewport);
    return index.isValid() ? child(index.row()) : nullptr;
}

QAccessibleInterface *CardGridAccessible::focusChild() const
{
    const QModelIndex current = grid()->currentIndex();
    return grid()->hasFocus() && current.isValid() ? child(current.row()) : nullptr;
}
