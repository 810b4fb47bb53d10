// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "BudgetTone.h"
#include "RecordRange.h"

#include <QString>

#include <vector>

struct Budget;
struct LedgerEntry;

// The figures of one category's budget row: what was spent against the limit, as texts and
// colour roles. Over 80 % of the limit is orange, over 100 % red; exactly 80 % and exactly
// 100 % are not over yet.
struct BudgetRowFigures {
    double spent = 0;
    double limit = 0;

    // The budget's spending over the store's entries (newest first).
    static BudgetRowFigures of(const Budget &budget, RecordRange<LedgerEntry> entries);

    double remaining() const { return limit - spent; }
    // spent × 100 ÷ limit with the fraction dropped, in plain digits; "0" when the limit is 0.
    QString percent() const;
    // "已用 P%"
    QString percentText() const;
    // "结余 ¥…", negative once the limit is exceeded.
    QString remainingText() const;
    // "已用 ¥spent / ¥limit"
    QString usageText() const;
    // How full the bar is: spent ÷ limit within 0...1 (a full bar past the limit).
    double barValue() const;

    BudgetTone percentTone() const;
    BudgetTone remainingTone() const;
    BudgetTone barTone() const;

    // A share as a whole percentage: part × 100 ÷ whole, the fraction dropped (33.339 of 100
    // gives 33). A share that misses a whole percent only by binary rounding counts as that
    // percent: 0.29 × 100 ÷ 1 is 28.999… and still gives 29. 0 when whole is 0.
    static double wholeShare(double part, double whole);
    // wholeShare in plain digits.
    static QString wholePercent(double part, double whole);
};
