// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "AssetBalanceIndex.h"
#include "AssetDimension.h"
#include "model/AssetAccount.h"

#include <QObject>

#include <optional>
#include <vector>

class ModelStore;

// The assets workspace without its widgets: the accounts of each dimension (newest created
// first), their balances and the three totals, and which sheet is open. Everything is
// recomputed from the store on each change of accounts or adjustments.
class AssetManagementModel final : public QObject {
    Q_OBJECT

public:
    explicit AssetManagementModel(ModelStore &store, QObject *parent = nullptr);

    ModelStore &store() const { return m_store; }

    // An account whose dimension text is none of the three raw texts is in no list.
    const std::vector<AssetAccount> &accounts(AssetDimension dimension) const;

    double balance(const AssetAccount &account) const { return m_index.balance(account); }
    double total(AssetDimension dimension) const;

    // The open sheet; only one at a time.
    bool showingAddAccount() const { return m_showingAddAccount; }
    bool showingTrend() const { return m_showingTrend; }
    bool showingRepaymentLedger() const { return m_showingRepaymentLedger; }
    const std::optional<AssetAccount> &selectedAccount() const { return m_selectedAccount; }

    void showAddAccount();
    void showTrend();
    void showRepaymentLedger();
    void select(const AssetAccount &account);
    // A sheet closed by any route: every flag and the selection are cleared.
    void closeSheet();

    // Reads the adjustments and the accounts again.
    void recompute();

Q_SIGNALS:
    void changed();
    void sheetChanged();

private:
    void recomputeBalances();
    void recomputeTotals();
    bool anySheet() const;

    ModelStore &m_store;
    AssetBalanceIndex m_index;
    std::array<std::vector<AssetAccount>, 3> m_accounts;
    std::array<double, 3> m_totals{};
    bool m_showingAddAccount = false;
    bool m_showingTrend = false;
    bool m_showingRepaymentLedger = false;
    std::optional<AssetAccount> m_selectedAccount;
};
