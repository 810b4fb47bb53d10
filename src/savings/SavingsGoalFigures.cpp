// SPDX-License-Identifier: GPL-3.0-or-later
#include "SavingsGoalFigures.h"

#include "model/BudgetRowFigures.h"

#include "model/DateText.h"
#include "model/Money.h"

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

SavingsGoalFigures SavingsGoalFigures::of(const SavingsGoal &goal, double deposited)
{
    return {deposited, goal.targetAmount};
}

bool SavingsGoalFigures::reached() const
{
    if (!(target > 0))
        return deposited > 0;
    // 0.7 + 0.1 sums to 0.7999… in binary; a sum short of the target only by that rounding
    // has reached it, as its money text already says.
    return deposited / target >= 1 - 1e-9;
}

double SavingsGoalFigures::fraction() const
{
    if (reached())
        return 1;
    if (!(target > 0))
        return 0;
    const double ratio = deposited / target;
    return std::isfinite(ratio) ? std::clamp(ratio, 0.0, 1.0) : 0.0;
}

QString SavingsGoalFigures::percent() const
{
    if (reached())
        return u"100"_s;
    if (!(target > 0) || deposited <= 0)
        return u"0"_s;
    // Below the target the bar never reads 100.
    const double whole = BudgetRowFigures::wholeShare(deposited, target);
    return QString::number(std::clamp(whole, 0.0, 99.0), 'f', 0);
}

QString SavingsGoalFigures::percentText() const
{
    return percent() + u'%';
}

QString SavingsGoalFigures::depositedText() const
{
    return u"已存 "_s + Money::text(deposited);
}

QString SavingsGoalFigures::targetText() const
{
    return u"目标 "_s + Money::text(target);
}

QString SavingsGoalFigures::expectedText(const SavingsGoal &goal)
{
    return u"预期 "_s + DateText::mediumDate(goal.expectedDate.toLocalTime().date());
}
