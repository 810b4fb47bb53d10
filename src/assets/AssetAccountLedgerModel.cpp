// SPDX-License-Identifier: GPL-3.0-or-later
#include "AssetAccountLedgerModel.h"

#include "store/ModelStore.h"

#include <cmath>

using namespace Qt::StringLiterals;

AssetAccountLedgerModel::AssetAccountLedgerModel(ModelStore &store, AssetAccount account, QObject *parent)
    : AssetLedgerModel(store, parent), m_account(std::move(account))
{
    recompute();
}

QString AssetAccountLedgerModel::title() const
{
    return m_account.name + u" 账单"_s;
}

void AssetAccountLedgerModel::compute(const PeriodSpan &range)
{
    m_entries.clear();
    m_added = 0;
    m_deducted = 0;
    for (const AssetAdjustment &adjustment : within(m_store.assetAdjustments(), range)) {
        if (adjustment.accountID != m_account.id)
            continue;
        m_entries.push_back(adjustment);
        if (adjustment.amount > 0)
            m_added += adjustment.amount;
        else if (adjustment.amount < 0)
            m_deducted += std::fabs(adjustment.amount);
        m_rows.push_back(AssetChangeRow::forAccount(adjustment, false));
    }
}
