// SPDX-License-Identifier: GPL-3.0-or-later
#include "FixedAssetFigures.h"

#include "model/LocalCalendar.h"

#include <algorithm>

using namespace Qt::StringLiterals;

FixedAssetFigures FixedAssetFigures::of(const FixedAsset &asset, const QDateTime &now)
{
    FixedAssetFigures figures;
    figures.usedMonths = usedMonthsBetween(asset.purchaseDate, now);
    figures.monthsLeft = monthsLeftOf(asset.usefulLifeMonths, figures.usedMonths);
    figures.monthlyDepreciation = monthlyDepreciationOf(asset.currentValue, asset.usefulLifeMonths);
    return figures;
}

qint64 FixedAssetFigures::usedMonthsBetween(const QDateTime &purchaseDate, const QDateTime &now)
{
    if (!purchaseDate.isValid() || !now.isValid())
        return 0;
    return std::max(0, LocalCalendar::wholeMonthsBetween(purchaseDate, now));
}

qint64 FixedAssetFigures::monthsLeftOf(qint64 usefulLifeMonths, qint64 usedMonths)
{
    // Compared before subtracting: a stored life near the lowest 64-bit value must not wrap.
    return usefulLifeMonths > usedMonths ? usefulLifeMonths - usedMonths : 0;
}

double FixedAssetFigures::monthlyDepreciationOf(double currentValue, qint64 usefulLifeMonths)
{
    if (usefulLifeMonths < 1)
        return 0;
    return currentValue / static_cast<double>(usefulLifeMonths);
}

QString FixedAssetFigures::monthsText(qint64 months)
{
    return QString::number(months) + u" 个月"_s;
}
