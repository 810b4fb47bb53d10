// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class QLabel;

// The spendable balance on an indigo-to-blue gradient: the period's title, the caption, the
// balance in large type, and the budget, income and expense of the period beneath.
class BalanceCard final : public QWidget {
    Q_OBJECT

public:
    explicit BalanceCard(QWidget *parent = nullptr);

    void setFigures(const QString &periodTitle, const QString &caption, double balance, double budget,
                    double income, double expense);

    QLabel *titleLabel() const { return m_title; }
    QLabel *balanceLabel() const { return m_balance; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QLabel *m_title;
    QLabel *m_caption;
    QLabel *m_balance;
    QLabel *m_budget;
    QLabel *m_income;
    QLabel *m_expense;
};
