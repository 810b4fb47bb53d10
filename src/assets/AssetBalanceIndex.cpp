// SPDX-License-Identifier: GPL-3.0-or-later
#include "AssetBalanceIndex.h"

void AssetBalanceIndex::rebuild(RecordRange<AssetAdjustment> adjustments)
{
    m_sums.clear();
    for (const AssetAdjustment &adjustment : adjustments)
        m_sums[adjustment.accountID] += adjustment.amount;
}

double AssetBalanceIndex::plainBalance(const AssetAccount &account, RecordRange<AssetAdjustment> adjustments)
{
    double sum = 0;
    for (const AssetAdjustment &adjustment : adjustments) {
        if (adjustment.accountID == account.id)
            sum += adjustment.amount;
    }
    return account.openingBalance + sum;
}
