// SPDX-License-Identifier: GPL-3.0-or-later
#include "FixedAssetManagementModel.h"

#include "FixedAssetFigures.h"
#include "store/ModelStore.h"

FixedAssetManagementModel::FixedAssetManagementModel(ModelStore &store, QObject *parent)
    : QObject(parent), m_store(store), m_items(store)
{
    connect(&m_store, &ModelStore::fixedAssetsChanged, this, &FixedAssetManagementModel::refresh);
    refresh();
}

bool FixedAssetManagementModel::isEmpty() const
{
    return m_store.fixedAssets().empty();
}

void FixedAssetManagementModel::setShowingAdd(bool showing)
{
    if (showing == m_showingAdd)
        return;
    m_showingAdd = showing;
    Q_EMIT showingAddChanged(showing);
}

void FixedAssetManagementModel::selectAsset(const QUuid &id)
{
    if (m_selected == id || !m_store.find<FixedAsset>(id))
        return;
    m_selected = id;
    Q_EMIT selectedAssetChanged();
}

void FixedAssetManagementModel::clearSelection()
{
    if (!m_selected)
        return;
    m_selected.reset();
    Q_EMIT selectedAssetChanged();
}

void FixedAssetManagementModel::refresh()
{
    double value = 0;
    double depreciation = 0;
    for (const FixedAsset &asset : m_store.fixedAssets()) {
        value += asset.currentValue;
        depreciation += FixedAssetFigures::monthlyDepreciationOf(asset.currentValue, asset.usefulLifeMonths);
    }
    m_totalValue = value;
    m_totalDepreciation = depreciation;
    m_items.refresh();
    Q_EMIT changed();
}
