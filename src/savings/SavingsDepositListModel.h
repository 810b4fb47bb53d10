// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractListModel>

class SavingsGoalDetailModel;
struct SavingsDeposit;

// "存入明细" as rows for a list view: one row per deposit of the goal, newest first. Each row
// reads its whole text through the display and accessible-text roles; the delegate paints
// from the other roles. The list is reset whenever the goal's deposits change.
class SavingsDepositListModel final : public QAbstractListModel {
    Q_OBJECT

public:
    enum Role {
        TitleRole = Qt::UserRole + 1, // the note, or "存入"
        DateTextRole,                 // the display date text
        AmountTextRole,               // the money text of the amount
        DepositIdRole,
    };

    explicit SavingsDepositListModel(SavingsGoalDetailModel &detail, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

    const SavingsDeposit *depositAt(const QModelIndex &index) const;

private:
    SavingsGoalDetailModel &m_detail;
    int m_rows = 0;
};
