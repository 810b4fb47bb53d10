// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "AssetLedgerModel.h"

#include <QHash>
#include <QSet>
#include <QUuid>

// Every repayment, that is every negative change of a liability account, in the chosen
// period, with the total repaid.
class LiabilityRepaymentLedgerModel final : public AssetLedgerModel {
    Q_OBJECT

public:
    explicit LiabilityRepaymentLedgerModel(ModelStore &store, QObject *parent = nullptr);

    const std::vector<AssetAdjustment> &payments() const { return m_payments; }
    double totalRepaid() const { return m_totalRepaid; }

private:
    void compute(const PeriodSpan &range) override;

    QSet<QUuid> m_liabilityIDs;
    QHash<QUuid, QString> m_accountNames;
    std::vector<AssetAdjustment> m_payments;
    double m_totalRepaid = 0;
};
