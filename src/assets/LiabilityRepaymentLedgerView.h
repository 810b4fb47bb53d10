// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "AssetLedgerSheet.h"
#include "LiabilityRepaymentLedgerModel.h"

// "还账账单": every repayment on any liability in a period, with the total repaid.
class LiabilityRepaymentLedgerView final : public AssetLedgerSheet {
    Q_OBJECT

public:
    explicit LiabilityRepaymentLedgerView(ModelStore &store, QWidget *parent = nullptr);

    LiabilityRepaymentLedgerModel &model() const
    {
        return static_cast<LiabilityRepaymentLedgerModel &>(ledger());
    }
    QLabel *totalLabel() const { return m_total; }

private:
    void refreshSummary() override;

    QLabel *m_total;
};
