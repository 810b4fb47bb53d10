// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/Budget.h"
#include "model/BudgetHeaderFigures.h"
#include "model/BudgetRowFigures.h"

#include <QString>

#include <vector>

struct LedgerEntry;

// The budgets of one period under their shared title, with the figures of the period and of
// each budget (one row figure per budget, in the same order).
struct BudgetPeriodGroup {
    QString key;
    std::vector<Budget> budgets;
    BudgetHeaderFigures figures;
    std::vector<BudgetRowFigures> rows;

    // Totals the spending of the period and of each budget over the entries (newest first).
    void measure(RecordRange<LedgerEntry> entries);

    // Groups by period title; categories ascending and titles descending, both compared as
    // plain text by Unicode code point. Budgets of one category keep their input order.
    static std::vector<BudgetPeriodGroup> grouped(const std::vector<Budget> &budgets);
};
