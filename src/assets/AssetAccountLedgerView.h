// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "AssetAccountLedgerModel.h"
#include "AssetLedgerSheet.h"

// "<name> 账单": one account's changes in a period, with increases, deductions and net change.
class AssetAccountLedgerView final : public AssetLedgerSheet {
    Q_OBJECT

public:
    AssetAccountLedgerView(ModelStore &store, const AssetAccount &account, QWidget *parent = nullptr);

    AssetAccountLedgerModel &model() const { return static_cast<AssetAccountLedgerModel &>(ledger()); }
    QLabel *addedLabel() const { return m_added; }
    QLabel *deductedLabel() const { return m_deducted; }
    QLabel *netLabel() const { return m_net; }

private:
    void refreshSummary() override;

    QLabel *m_added;
    QLabel *m_deducted;
    QLabel *m_net;
};
