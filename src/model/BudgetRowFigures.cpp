// SPDX-License-Identifier: GPL-3.0-or-later
#include "BudgetRowFigures.h"

#include "model/Budget.h"
#include "model/Money.h"

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

BudgetRowFigures BudgetRowFigures::of(const Budget &budget, RecordRange<LedgerEntry> entries)
{
    return {budget.spent(entries), budget.limit};
}

double BudgetRowFigures::wholeShare(double part, double whole)
{
    if (whole == 0)
        return 0;
    const double share = part * 100 / whole;
    if (!std::isfinite(share))
        return 0;
    const double nearest = std::round(share);
    const double value =
        std::abs(share - nearest) <= 1e-9 * std::max(1.0, std::abs(share)) ? nearest : std::trunc(share);
    // Adding zero turns a truncated -0 into 0, so a tiny negative share never reads "-0".
    return value + 0.0;
}

QString BudgetRowFigures::wholePercent(double part, double whole)
{
    return QString::number(wholeShare(part, whole), 'f', 0);
}

QString BudgetRowFigures::percent() const
{
    return wholePercent(spent, limit);
}

QString BudgetRowFigures::percentText() const
{
    return u"已用 "_s + percent() + u"%"_s;
}

QString BudgetRowFigures::remainingText() const
{
    return u"结余 "_s + Money::text(remaining());
}

QString BudgetRowFigures::usageText() const
{
    return u"已用 "_s + Money::text(spent) + u" / "_s + Money::text(limit);
}

double BudgetRowFigures::barValue() const
{
    if (spent > limit)
        return 1;
    if (limit == 0)
        return 0;
    const double ratio = spent / limit;
    return std::isfinite(ratio) ? std::clamp(ratio, 0.0, 1.0) : 0.0;
}

BudgetTone BudgetRowFigures::percentTone() const
{
    if (limit == 0)
        return BudgetTone::indigo;
    const double ratio = spent / limit;
    if (ratio > 1)
        return BudgetTone::red;
    if (ratio > budgetWarningRatio)
        return BudgetTone::orange;
    return BudgetTone::indigo;
}

BudgetTone BudgetRowFigures::remainingTone() const
{
    return limit < spent ? BudgetTone::red : BudgetTone::secondary;
}

BudgetTone BudgetRowFigures::barTone() const
{
    if (spent > limit)
        return BudgetTone::red;
    if (limit != 0 && spent / limit > budgetWarningRatio)
        return BudgetTone::orange;
    return BudgetTone::indigo;
}
