// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/AssetAccount.h"
#include "model/AssetAdjustment.h"
#include "model/RecordRange.h"

#include <QHash>
#include <QUuid>

#include <vector>

// The balance rule: an account's balance is its opening balance plus the sum of the amounts
// of the adjustments that point to it. The index sums every account's adjustments in one pass
// over the store's list, so a screen showing many cards never scans the list per card. Each
// sum is taken in the store's order, exactly as the plain rule takes it, so both give the
// same double.
class AssetBalanceIndex {
public:
    AssetBalanceIndex() = default;
    explicit AssetBalanceIndex(RecordRange<AssetAdjustment> adjustments) { rebuild(adjustments); }

    void rebuild(RecordRange<AssetAdjustment> adjustments);

    double adjustmentSum(const QUuid &accountID) const { return m_sums.value(accountID, 0.0); }
    double balance(const AssetAccount &account) const
    {
        return account.openingBalance + adjustmentSum(account.id);
    }

    // The rule without an index: one pass over every adjustment.
    static double plainBalance(const AssetAccount &account, RecordRange<AssetAdjustment> adjustments);

private:
    QHash<QUuid, double> m_sums;
};
