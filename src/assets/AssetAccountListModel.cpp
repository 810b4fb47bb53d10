// SPDX-License-Identifier: GPL-3.0-or-later
#include "AssetAccountListModel.h"

#include "model/Money.h"

using namespace Qt::StringLiterals;

AssetAccountListModel::AssetAccountListModel(QObject *parent) : QAbstractListModel(parent) {}

void AssetAccountListModel::setAccounts(const std::vector<AssetAccount> &accounts,
                                        const std::vector<double> &balances)
{
    Q_ASSERT(accounts.size() == balances.size());
    beginResetModel();
    m_accounts = accounts;
    m_balances = balances;
    endResetModel();
}

const AssetAccount *AssetAccountListModel::accountAt(const QModelIndex &index) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return nullptr;
    return &m_accounts[size_t(index.row())];
}

int AssetAccountListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_accounts.size());
}

QVariant AssetAccountListModel::data(const QModelIndex &index, int role) const
{
    const AssetAccount *account = accountAt(index);
    if (!account)
        return {};
    const QString balance = Money::text(m_balances[size_t(index.row())]);
    switch (role) {
    case Qt::DisplayRole:
        return account->name;
    // The card cuts a long name and kind; its tooltip shows them whole.
    case Qt::ToolTipRole:
    case Qt::AccessibleTextRole:
        return u"%1，%2，%3"_s.arg(account->name, account->kind, balance);
    case KindRole:
        return account->kind;
    case BalanceTextRole:
        return balance;
    case IdRole:
        return account->id;
    default:
        return {};
    }
}
