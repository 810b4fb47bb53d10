// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/FixedAsset.h"

#include <QDateTime>
#include <QString>

// What the register derives from one item and today: nothing here is stored, so months used
// and left advance by themselves as the days pass, and a changed value shows at once.
struct FixedAssetFigures {
    // Whole calendar months from the purchase to now; 0 for a purchase date in the future.
    qint64 usedMonths = 0;
    // The useful life less the months used, never below 0.
    qint64 monthsLeft = 0;
    // The current value spread over the useful life. A stored life below one month (which
    // the forms never write) has nothing left to spread over and gives 0, never a division
    // by zero or a negative share.
    double monthlyDepreciation = 0;

    static FixedAssetFigures of(const FixedAsset &asset, const QDateTime &now);

    static qint64 usedMonthsBetween(const QDateTime &purchaseDate, const QDateTime &now);
    static qint64 monthsLeftOf(qint64 usefulLifeMonths, qint64 usedMonths);
    static double monthlyDepreciationOf(double currentValue, qint64 usefulLifeMonths);

    // "60 个月": plain digits, no grouping.
    static QString monthsText(qint64 months);
};
