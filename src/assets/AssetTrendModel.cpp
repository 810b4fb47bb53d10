// SPDX-License-Identifier: GPL-3.0-or-later
#include "AssetTrendModel.h"

#include "store/ModelStore.h"

AssetTrendModel::AssetTrendModel(ModelStore &store, QObject *parent) : QObject(parent), m_store(store)
{
    connect(&store, &ModelStore::assetAccountsChanged, this, &AssetTrendModel::recompute);
    connect(&store, &ModelStore::assetAdjustmentsChanged, this, &AssetTrendModel::recompute);
    recompute();
}

void AssetTrendModel::recompute()
{
    m_empty = m_store.assetAccounts().empty();
    m_points =
        m_empty ? std::vector<AssetTrendPoint>{}
                : AssetTrendCalculator::sixMonthPoints(m_store.assetAccounts(), m_store.assetAdjustments());
    std::vector<double> amounts;
    amounts.reserve(m_points.size());
    for (const AssetTrendPoint &point : m_points)
        amounts.push_back(point.amount);
    m_curve = AssetTrendCurve::through(amounts);
    m_range = AssetTrendCurve::axisRange(amounts);
    Q_EMIT changed();
}
