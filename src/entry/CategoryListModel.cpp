// SPDX-License-Identifier: GPL-3.0-or-later
#include "CategoryListModel.h"

#include "model/LedgerCategories.h"
#include "ui/CategoryAccent.h"

#include <QColor>

CategoryListModel::CategoryListModel(QObject *parent) : QAbstractListModel(parent) {}

void CategoryListModel::setCategories(const QStringList &categories)
{
    if (categories == m_categories)
        return;
    beginResetModel();
    m_categories = categories;
    endResetModel();
}

void CategoryListModel::setSelection(const QString &selection)
{
    if (selection == m_selection)
        return;
    const int before = selectedRow();
    m_selection = selection;
    const int after = selectedRow();
    for (int row : {before, after}) {
        if (row >= 0)
            Q_EMIT dataChanged(index(row), index(row), {SelectedRole, Qt::AccessibleDescriptionRole});
    }
}

int CategoryListModel::selectedRow() const
{
    return static_cast<int>(m_categories.indexOf(m_selection));
}

int CategoryListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_categories.size());
}

QVariant CategoryListModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const QString &name = m_categories.at(index.row());
    switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
    case Qt::ToolTipRole:
        return name;
    case Qt::AccessibleDescriptionRole:
        return name == m_selection ? QStringLiteral("已选") : QString();
    case SymbolRole:
        return LedgerCategories::icon(name);
    case AccentRole:
        return CategoryAccent::colour(name);
    case SelectedRole:
        return name == m_selection;
    default:
        return {};
    }
}
