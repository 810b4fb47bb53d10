// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/AssetAccount.h"

#include <QAbstractListModel>

#include <vector>

// The accounts of one section with their balances, for the card grid.
class AssetAccountListModel final : public QAbstractListModel {
    Q_OBJECT

public:
    enum Role {
        KindRole = Qt::UserRole + 1,
        BalanceTextRole,
        IdRole,
    };

    explicit AssetAccountListModel(QObject *parent = nullptr);

    // The accounts in the order given, each with its balance at the same position.
    void setAccounts(const std::vector<AssetAccount> &accounts, const std::vector<double> &balances);
    const AssetAccount *accountAt(const QModelIndex &index) const;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

private:
    std::vector<AssetAccount> m_accounts;
    std::vector<double> m_balances;
};
