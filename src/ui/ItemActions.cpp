// SPDX-License-Identifier: GPL-3.0-or-later
#include "ItemActions.h"

#include "ItemListAccessible.h"

#include <QAbstractItemView>
#include <QAccessible>

using namespace Qt::StringLiterals;

ItemActions::ItemActions(QAbstractItemView *view) : QObject(view)
{
    static const bool installed = [] {
        QAccessible::installFactory(&ItemListAccessible::create);
        return true;
    }();
    Q_UNUSED(installed)
    // A widget that sent an accessibility event already has an interface of Qt's own, which
    // would hide these items: it makes way for one that shows them.
    if (QAccessibleInterface *existing = QAccessible::queryAccessibleInterface(view);
        existing && !dynamic_cast<ItemListAccessible *>(existing))
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(existing));
}

void ItemActions::add(const QString &name, Run run, Applies applies)
{
    m_actions.push_back({name, std::move(run), std::move(applies)});
}

QStringList ItemActions::names(const QModelIndex &index) const
{
    QStringList names;
    for (const Action &action : m_actions) {
        if (!action.applies || action.applies(index))
            names.append(action.name);
    }
    return names;
}

bool ItemActions::trigger(const QString &name, const QModelIndex &index) const
{
    for (const Action &action : m_actions) {
        if (action.name == name && (!action.applies || action.applies(index))) {
            action.run(index);
            return true;
        }
    }
    return false;
}

ItemActions *ItemActions::of(const QAbstractItemView *view)
{
    return view ? view->findChild<ItemActions *>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
}

QString ItemActions::deleteAction()
{
    return u"删除"_s;
}
