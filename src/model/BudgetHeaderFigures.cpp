// SPDX-License-Identifier: GPL-3.0-or-later
#include "BudgetHeaderFigures.h"

#include "BudgetRowFigures.h"
#include "model/Budget.h"
#include "model/Money.h"

using namespace Qt::StringLiterals;

BudgetHeaderFigures BudgetHeaderFigures::of(const std::vector<Budget> &budgets,
                                            RecordRange<LedgerEntry> entries)
{
    BudgetHeaderFigures figures;
    for (const Budget &budget : budgets) {
        figures.totalSpent += budget.spent(entries);
        figures.totalLimit += budget.limit;
    }
    return figures;
}

double BudgetHeaderFigures::usage() const
{
    return totalLimit == 0 ? 0 : totalSpent / totalLimit;
}

QString BudgetHeaderFigures::usageText() const
{
    return u"已用 "_s + Money::text(totalSpent) + u" / "_s + Money::text(totalLimit) + u"（"_s +
           BudgetRowFigures::wholePercent(totalSpent, totalLimit) + u"%）"_s;
}

BudgetTone BudgetHeaderFigures::tone() const
{
    const double ratio = usage();
    if (ratio > 1)
        return BudgetTone::red;
    if (ratio > budgetWarningRatio)
        return BudgetTone::orange;
    return BudgetTone::secondary;
}
