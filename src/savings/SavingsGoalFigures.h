// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/SavingsGoal.h"

#include <QString>

// What a goal's card shows: the saved amount against the target. The bar and the percentage
// stop at a full target; the saved amount is always the whole sum.
struct SavingsGoalFigures {
    double deposited = 0;
    double target = 0;

    static SavingsGoalFigures of(const SavingsGoal &goal, double deposited);

    // deposited ÷ target within 0...1. A target that is not above 0 (only a file written by
    // hand holds one) counts as reached once anything is saved, instead of dividing by it.
    double fraction() const;
    // deposited ÷ target ≥ 1, up to the rounding of binary sums: the bar turns green.
    bool reached() const;
    // The capped share as a whole percentage, the fraction dropped: "75".
    QString percent() const;
    // "75%"
    QString percentText() const;
    // "已存 ¥750.00"
    QString depositedText() const;
    // "目标 ¥1,000.00"
    QString targetText() const;
    // "预期 " + the expected day in the locale's medium date style.
    static QString expectedText(const SavingsGoal &goal);
};
