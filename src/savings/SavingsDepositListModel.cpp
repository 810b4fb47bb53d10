// SPDX-License-Identifier: GPL-3.0-or-later
#include "SavingsDepositListModel.h"

#include "SavingsGoalDetailModel.h"
#include "model/DateText.h"
#include "model/Money.h"

SavingsDepositListModel::SavingsDepositListModel(SavingsGoalDetailModel &detail, QObject *parent)
    : QAbstractListModel(parent), m_detail(detail), m_rows(detail.depositCount())
{
    // The index has already changed when this arrives, so the row count is kept apart from
    // it: the views learn the new count only inside the reset.
    connect(&m_detail, &SavingsGoalDetailModel::changed, this, [this] {
        beginResetModel();
        m_rows = m_detail.depositCount();
        endResetModel();
    });
}

int SavingsDepositListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_rows;
}

const SavingsDeposit *SavingsDepositListModel::depositAt(const QModelIndex &index) const
{
    if (!index.isValid() || index.model() != this || index.row() >= m_rows)
        return nullptr;
    return m_detail.deposit(index.row());
}

QVariant SavingsDepositListModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const SavingsDeposit *deposit = depositAt(index);
    if (!deposit)
        return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
        return SavingsGoalDetailModel::accessibleText(*deposit);
    case TitleRole:
        return SavingsGoalDetailModel::depositTitle(*deposit);
    case DateTextRole:
        return DateText::displayDate(deposit->date);
    case AmountTextRole:
        return Money::text(deposit->amount);
    case DepositIdRole:
        return deposit->id;
    default:
        return {};
    }
}

Qt::ItemFlags SavingsDepositListModel::flags(const QModelIndex &index) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}
