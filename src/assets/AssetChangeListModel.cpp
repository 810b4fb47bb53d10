// SPDX-License-Identifier: GPL-3.0-or-later
#include "AssetChangeListModel.h"

AssetChangeListModel::AssetChangeListModel(QObject *parent) : QAbstractListModel(parent) {}

void AssetChangeListModel::setRows(const std::vector<AssetChangeRow> &rows)
{
    beginResetModel();
    m_rows = rows;
    endResetModel();
}

int AssetChangeListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

QVariant AssetChangeListModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const AssetChangeRow &row = m_rows[size_t(index.row())];
    switch (role) {
    case Qt::DisplayRole:
        return row.title;
    case Qt::AccessibleTextRole:
    case Qt::ToolTipRole:
        return row.accessibleText();
    case IdRole:
        return row.id;
    case CaptionRole:
        return row.caption;
    case AmountTextRole:
        return row.amountText;
    case GainRole:
        return row.gain;
    case TrailingCaptionRole:
        return row.trailingCaption;
    default:
        return {};
    }
}
