// SPDX-License-Identifier: GPL-3.0-or-later
#include "FixedAssetListModel.h"

#include "FixedAssetCategory.h"
#include "FixedAssetFigures.h"
#include "model/Clock.h"
#include "model/Money.h"
#include "store/ModelStore.h"

using namespace Qt::StringLiterals;

FixedAssetListModel::FixedAssetListModel(ModelStore &store, QObject *parent)
    : QAbstractListModel(parent), m_store(store), m_now(Clock::now())
{
}

int FixedAssetListModel::rowCount(const QModelIndex &parent) const
{
    if (parent.isValid())
        return 0;
    return static_cast<int>(m_store.fixedAssets().size());
}

QVariant FixedAssetListModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const FixedAsset &asset = m_store.fixedAssets()[static_cast<size_t>(index.row())];
    const auto monthsLeftText = [&] {
        const FixedAssetFigures figures = FixedAssetFigures::of(asset, m_now);
        return u"剩余 "_s + FixedAssetFigures::monthsText(figures.monthsLeft);
    };
    const auto lifeText = [&] { return u"寿命 "_s + FixedAssetFigures::monthsText(asset.usefulLifeMonths); };
    switch (role) {
    case Qt::DisplayRole:
    // The card cuts a long name; its tooltip shows it whole.
    case Qt::ToolTipRole:
    case Qt::AccessibleTextRole:
        return QStringList{asset.name, asset.category, Money::text(asset.currentValue), monthsLeftText(),
                           lifeText()}
            .join(u"，"_s);
    case IdRole:
        return asset.id;
    case NameRole:
        return asset.name;
    case CategoryRole:
        return asset.category;
    case IconRole:
        return FixedAssetCategory::icon(asset.category);
    case ValueTextRole:
        return Money::text(asset.currentValue);
    case MonthsLeftTextRole:
        return monthsLeftText();
    case LifeTextRole:
        return lifeText();
    default:
        return {};
    }
}

QHash<int, QByteArray> FixedAssetListModel::roleNames() const
{
    QHash<int, QByteArray> names = QAbstractListModel::roleNames();
    names.insert(IdRole, "id");
    names.insert(NameRole, "name");
    names.insert(CategoryRole, "category");
    names.insert(IconRole, "icon");
    names.insert(ValueTextRole, "valueText");
    names.insert(MonthsLeftTextRole, "monthsLeftText");
    names.insert(LifeTextRole, "lifeText");
    return names;
}

void FixedAssetListModel::refresh()
{
    beginResetModel();
    m_now = Clock::now();
    endResetModel();
}
