// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/Budget.h"
#include "model/BudgetHeaderFigures.h"
#include "model/LedgerEntry.h"

#include <QWidget>

#include <vector>

class QLabel;
class QToolButton;

// The header line of one budget period: its title, the summed use of its budgets
// ("预算使用汇总" over "已用 ¥… / ¥…（P%）") and a trash button that asks to delete it.
class BudgetPeriodHeader final : public QWidget {
    Q_OBJECT

public:
    BudgetPeriodHeader(const QString &title, const BudgetHeaderFigures &figures, QWidget *parent = nullptr);

    QString title() const;
    const BudgetHeaderFigures &figures() const { return m_figures; }
    QLabel *titleLabel() const { return m_title; }
    QLabel *usageLabel() const { return m_usage; }
    QToolButton *deleteButton() const { return m_delete; }

Q_SIGNALS:
    void deleteRequested();

private:
    BudgetHeaderFigures m_figures;
    QLabel *m_title;
    QLabel *m_usage;
    QToolButton *m_delete;
};
