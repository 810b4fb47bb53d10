// SPDX-License-Identifier: GPL-3.0-or-later
#include "LiabilityRepaymentLedgerModel.h"

#include "AssetDimension.h"
#include "store/ModelStore.h"

#include <cmath>

using namespace Qt::StringLiterals;

LiabilityRepaymentLedgerModel::LiabilityRepaymentLedgerModel(ModelStore &store, QObject *parent)
    : AssetLedgerModel(store, parent)
{
    connect(&store, &ModelStore::assetAccountsChanged, this, &LiabilityRepaymentLedgerModel::recompute);
    recompute();
}

void LiabilityRepaymentLedgerModel::compute(const PeriodSpan &range)
{
    m_liabilityIDs.clear();
    m_accountNames.clear();
    for (const AssetAccount &account : m_store.assetAccounts()) {
        m_accountNames.insert(account.id, account.name);
        if (AssetDimensions::isLiability(account.dimension))
            m_liabilityIDs.insert(account.id);
    }
    m_payments.clear();
    m_totalRepaid = 0;
    for (const AssetAdjustment &adjustment : within(m_store.assetAdjustments(), range)) {
        if (adjustment.amount >= 0 || !m_liabilityIDs.contains(adjustment.accountID))
            continue;
        m_payments.push_back(adjustment);
        m_totalRepaid += std::fabs(adjustment.amount);
        m_rows.push_back(
            AssetChangeRow::forRepayment(adjustment, m_accountNames.value(adjustment.accountID, u"负债"_s)));
    }
}
