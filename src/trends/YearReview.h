// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/CategoryTotals.h"
#include "model/LedgerEntry.h"
#include "model/RecordRange.h"

#include <QDate>

#include <optional>
#include <vector>

class DailyTotals;

// The figures of one local year (年度账单): its income, expense and balance, the saving rate,
// the change against the year before, the five biggest expense categories, the dearest month,
// the biggest single expense, the average spend per day and the days with no spending. The sums
// come from the store's totals per day, as 统计's do for the same days.
class YearReview final {
public:
    struct Share {
        CategoryTotal total;
        // Of the year's expense, 0 to 1.
        double share = 0;
    };
    struct Change {
        double before = 0;
        // (this year - the year before) / the year before; empty when the year before is 0.
        std::optional<double> ratio;
    };

    // entries: the store's entries, newest first. today bounds the days counted in the year
    // that holds it.
    static YearReview of(DailyTotals &totals, RecordRange<LedgerEntry> entries, int year, QDate today);

    int year = 0;
    double income = 0;
    double expense = 0;
    double balance() const { return income - expense; }
    // The balance against the income; empty without income.
    std::optional<double> savingRate;
    Change incomeChange;
    Change expenseChange;
    // Largest first, at most five.
    std::vector<Share> topCategories;
    // The month (its first day) with the largest expense, and that expense; empty when the
    // year has none.
    std::optional<QDate> dearestMonth;
    double dearestMonthExpense = 0;
    std::optional<LedgerEntry> biggestExpense;
    // The days counted: the whole year, or up to today in the year that holds today.
    int daysCounted = 0;
    // Expense of the days counted, over their number.
    double averagePerDay = 0;
    int daysWithoutSpending = 0;
    // Whether the year holds any entry at all.
    bool empty = true;
};
