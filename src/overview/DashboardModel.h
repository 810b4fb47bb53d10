// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/Budget.h"
#include "model/BudgetTone.h"
#include "model/LedgerEntry.h"
#include "model/LocalCalendar.h"
#include "model/RecordRange.h"
#include "store/DailyTotals.h"

#include <QDateTime>
#include <QObject>
#include <QString>

#include <cstddef>
#include <optional>
#include <utility>
#include <vector>

class ModelStore;

// The figures of the overview: the budgets in force now, the entries of the current budget
// period (the current month when no period budget is in force), the spendable balance, the
// assistant's verdict, one usage row per active budget and the newest entries. Everything is
// recomputed whenever the store's entries or budgets change, with "now" read afresh; the
// figures are sums over the period's days from the store's totals per day, and the period's
// entries a binary search, whatever the store holds.
class DashboardModel final : public QObject {
    Q_OBJECT

public:
    struct Assistant {
        QString message;
        QString symbol;
        BudgetTone iconTone = BudgetTone::indigo;
        // Indigo or orange, each as a faint wash behind the card.
        BudgetTone backgroundTone = BudgetTone::indigo;
    };

    struct BudgetRow {
        QString category;
        QString symbol;
        double spent = 0;
        double limit = 0;
        // "80%"
        QString percentText;
        BudgetTone percentTone = BudgetTone::indigo;
        // "¥800.00 / ¥1,000.00"
        QString amountText;
        // How much of the bar is filled, within 0...1.
        double fraction = 0;
        BudgetTone barTone = BudgetTone::indigo;
    };

    static constexpr std::size_t recentCount = 5;

    // The totals are the store's, kept by whoever holds the store.
    DashboardModel(ModelStore &store, DailyTotals &totals, QObject *parent = nullptr);

    // Reads the store and the clock again and emits changed().
    void recompute();

    // The moment the figures were computed for.
    QDateTime now() const { return m_now; }
    const std::vector<Budget> &activeBudgets() const { return m_active; }
    // The stored first and last day of the active period, when a period budget is in force.
    std::optional<std::pair<QDateTime, QDateTime>> activeCustomPeriod() const { return m_customPeriod; }
    bool isCustomPeriod() const { return m_customPeriod.has_value(); }
    // The period's whole days, or the current month.
    DateInterval periodInterval() const { return m_interval; }
    // The entries of the period, both kinds, newest first; a view into the store.
    RecordRange<LedgerEntry> periodEntries() const;

    double budget() const { return m_budget; }
    double expense() const { return m_expense; }
    double income() const { return m_income; }
    // What may still be spent: budget minus expense. Incomes play no part.
    double balance() const { return m_budget - m_expense; }

    // "预算周期 3月15日—4月14日", or the current month as "2024年3月".
    QString periodTitle() const { return m_periodTitle; }
    // "当前周期可支配余额" or "本月可支配余额".
    QString balanceCaption() const;
    const Assistant &assistant() const { return m_assistant; }
    const std::vector<BudgetRow> &budgetRows() const { return m_rows; }
    // The newest entries of all time, at most recentCount.
    const std::vector<LedgerEntry> &recentEntries() const { return m_recent; }

    // The assistant's verdict on spending against a budget. Its thresholds are inclusive:
    // 80 % already warns, 100 % is already over.
    static Assistant assistantFor(double expense, double budget, bool isCustomPeriod);
    // One budget's usage row, with the thresholds of every budget row: strict, so exactly
    // 80 % is still on track.
    static BudgetRow budgetRowFor(const Budget &budget, double spent);
    // "预算周期 " + first and last day as "M月d日" in Chinese, whatever the user's locale.
    static QString customPeriodTitle(const QDateTime &start, const QDateTime &end);

Q_SIGNALS:
    void changed();

private:
    std::vector<BudgetRow> computeRows(DailyTotals &totals, const DailyTotals::Figures &period) const;

    ModelStore &m_store;
    DailyTotals &m_totals;
    QDateTime m_now;
    std::vector<Budget> m_active;
    std::optional<std::pair<QDateTime, QDateTime>> m_customPeriod;
    DateInterval m_interval;
    // The period as a range of store positions, so no pointer outlives a store change.
    std::size_t m_periodOffset = 0;
    std::size_t m_periodCount = 0;
    double m_budget = 0;
    double m_expense = 0;
    double m_income = 0;
    QString m_periodTitle;
    Assistant m_assistant;
    std::vector<BudgetRow> m_rows;
    std::vector<LedgerEntry> m_recent;
};
