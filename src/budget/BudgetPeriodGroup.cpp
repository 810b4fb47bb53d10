// SPDX-License-Identifier: GPL-3.0-or-later
#include "BudgetPeriodGroup.h"

#include <algorithm>

namespace {

// QString's own ordering compares UTF-16 code units, which puts characters beyond the basic
// plane before U+E000…U+FFFF; comparing scalar values keeps plain code point order.
bool codePointLess(const QString &a, const QString &b)
{
    return std::ranges::lexicographical_compare(a.toUcs4(), b.toUcs4());
}

} // namespace

std::vector<BudgetPeriodGroup> BudgetPeriodGroup::grouped(const std::vector<Budget> &budgets)
{
    std::vector<BudgetPeriodGroup> groups;
    for (const Budget &budget : budgets) {
        const QString title = budget.periodTitle();
        auto group = std::ranges::find(groups, title, &BudgetPeriodGroup::key);
        if (group == groups.end())
            group = groups.insert(groups.end(), BudgetPeriodGroup{title, {}, {}, {}});
        group->budgets.push_back(budget);
    }
    for (BudgetPeriodGroup &group : groups) {
        std::ranges::stable_sort(group.budgets, codePointLess, &Budget::category);
    }
    std::ranges::stable_sort(groups, [](const BudgetPeriodGroup &a, const BudgetPeriodGroup &b) {
        return codePointLess(b.key, a.key);
    });
    return groups;
}

void BudgetPeriodGroup::measure(RecordRange<LedgerEntry> entries)
{
    figures = BudgetHeaderFigures::of(budgets, entries);
    rows.clear();
    rows.reserve(budgets.size());
    for (const Budget &budget : budgets)
        rows.push_back(BudgetRowFigures::of(budget, entries));
}
