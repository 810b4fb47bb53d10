// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "BudgetTone.h"
#include "RecordRange.h"

#include <QString>

#include <vector>

struct Budget;
struct LedgerEntry;

// The summary of one budget period: the spending of all its budgets against the sum of
// their limits.
struct BudgetHeaderFigures {
    double totalSpent = 0;
    double totalLimit = 0;

    // Sums each budget's own spending, in order: an entry counts once per budget that
    // covers it.
    static BudgetHeaderFigures of(const std::vector<Budget> &budgets, RecordRange<LedgerEntry> entries);

    // totalSpent ÷ totalLimit; 0 when the limits sum to 0.
    double usage() const;
    // "已用 ¥spent / ¥limit（P%）"
    QString usageText() const;
    // Red past 100 %, orange past 80 %, otherwise the secondary colour.
    BudgetTone tone() const;
};
