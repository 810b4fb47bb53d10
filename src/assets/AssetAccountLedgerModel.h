// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "AssetLedgerModel.h"
#include "model/AssetAccount.h"

// The changes of one account in the chosen period, with its increases, deductions and net
// change. Rows use the asset wording whatever the account's dimension.
class AssetAccountLedgerModel final : public AssetLedgerModel {
    Q_OBJECT

public:
    AssetAccountLedgerModel(ModelStore &store, AssetAccount account, QObject *parent = nullptr);

    const AssetAccount &account() const { return m_account; }
    // "<name> 账单"
    QString title() const;
    const std::vector<AssetAdjustment> &entries() const { return m_entries; }
    double added() const { return m_added; }
    double deducted() const { return m_deducted; }
    double netChange() const { return m_added - m_deducted; }

private:
    void compute(const PeriodSpan &range) override;

    AssetAccount m_account;
    std::vector<AssetAdjustment> m_entries;
    double m_added = 0;
    double m_deducted = 0;
};
