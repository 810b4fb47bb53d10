// SPDX-License-Identifier: GPL-3.0-or-later
#include "AssetManagementModel.h"

#include "store/ModelStore.h"

AssetManagementModel::AssetManagementModel(ModelStore &store, QObject *parent)
    : QObject(parent), m_store(store)
{
    connect(&store, &ModelStore::assetAccountsChanged, this, [this] {
        recomputeTotals();
        Q_EMIT changed();
    });
    connect(&store, &ModelStore::assetAdjustmentsChanged, this, [this] {
        recomputeBalances();
        recomputeTotals();
        Q_EMIT changed();
    });
    recomputeBalances();
    recomputeTotals();
}

const std::vector<AssetAccount> &AssetManagementModel::accounts(AssetDimension dimension) const
{
    return m_accounts[size_t(dimension)];
}

double AssetManagementModel::total(AssetDimension dimension) const
{
    return m_totals[size_t(dimension)];
}

void AssetManagementModel::recompute()
{
    recomputeBalances();
    recomputeTotals();
    Q_EMIT changed();
}

void AssetManagementModel::recomputeBalances()
{
    m_index.rebuild(m_store.assetAdjustments());
}

void AssetManagementModel::recomputeTotals()
{
    for (auto &list : m_accounts)
        list.clear();
    m_totals.fill(0);
    for (const AssetAccount &account : m_store.assetAccounts()) {
        const std::optional<AssetDimension> dimension = AssetDimensions::fromRaw(account.dimension);
        if (!dimension)
            continue;
        m_accounts[size_t(*dimension)].push_back(account);
        m_totals[size_t(*dimension)] += m_index.balance(account);
    }
}

bool AssetManagementModel::anySheet() const
{
    return m_showingAddAccount || m_showingTrend || m_showingRepaymentLedger || m_selectedAccount.has_value();
}

void AssetManagementModel::showAddAccount()
{
    if (anySheet())
        return;
    m_showingAddAccount = true;
    Q_EMIT sheetChanged();
}

void AssetManagementModel::showTrend()
{
    if (anySheet())
        return;
    m_showingTrend = true;
    Q_EMIT sheetChanged();
}

void AssetManagementModel::showRepaymentLedger()
{
    if (anySheet())
        return;
    m_showingRepaymentLedger = true;
    Q_EMIT sheetChanged();
}

void AssetManagementModel::select(const AssetAccount &account)
{
    if (anySheet())
        return;
    m_selectedAccount = account;
    Q_EMIT sheetChanged();
}

void AssetManagementModel::closeSheet()
{
    if (!anySheet())
        return;
    m_showingAddAccount = m_showingTrend = m_showingRepaymentLedger = false;
    m_selectedAccount.reset();
    Q_EMIT sheetChanged();
}
