// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "DashboardModel.h"

#include <QWidget>

#include <vector>

class AssistantCard;
class BalanceCard;
class BudgetSummaryView;
class EntryRow;
class ModelStore;
class QPushButton;
class QVBoxLayout;

// "概览": the two entry actions, the spendable balance of the current period, the assistant,
// the budget usage and the newest entries. It edits nothing; the entry actions ask for the
// shell's sheets and "管理" asks for the budget workspace, through signals.
class DashboardView final : public QWidget {
    Q_OBJECT

public:
    DashboardView(ModelStore &store, DailyTotals &totals, QWidget *parent = nullptr);

    DashboardModel &model() { return m_model; }
    QPushButton *smartEntryButton() const { return m_smartEntry; }
    QPushButton *addButton() const { return m_add; }
    BalanceCard *balanceCard() const { return m_balance; }
    AssistantCard *assistantCard() const { return m_assistant; }
    BudgetSummaryView *budgetSummary() const { return m_budgetSummary; }
    const std::vector<EntryRow *> &recentRows() const { return m_recentRows; }

Q_SIGNALS:
    // The shell owns the two entry sheets and the budget workspace; the dashboard only asks.
    void addRequested();
    void smartEntryRequested();
    void manageBudgetsRequested();

private:
    QWidget *buildRecentCard(QWidget *parent);
    void refresh();

    DashboardModel m_model;
    QPushButton *m_smartEntry = nullptr;
    QPushButton *m_add = nullptr;
    BalanceCard *m_balance = nullptr;
    AssistantCard *m_assistant = nullptr;
    BudgetSummaryView *m_budgetSummary = nullptr;
    QVBoxLayout *m_recentLayout = nullptr;
    std::vector<EntryRow *> m_recentRows;
};
