// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/AssetAccount.h"
#include "model/AssetAdjustment.h"
#include "model/RecordRange.h"

#include <QDateTime>
#include <QString>

#include <vector>

struct AssetTrendPoint {
    // The month's short name in the user's locale ("3月"); also the point's identity.
    QString month;
    double amount = 0;

    friend bool operator==(const AssetTrendPoint &, const AssetTrendPoint &) = default;
};

// The summed balance of every account at the end of each of the last six calendar months, the
// current one included, rebuilt from the records: an account counts from the month it was
// created in, an adjustment from the month of its date. Every dimension adds with a plus sign,
// so an amount owed raises the curve.
namespace AssetTrendCalculator {

// Oldest month first, as of Clock::now().
std::vector<AssetTrendPoint> sixMonthPoints(RecordRange<AssetAccount> accounts,
                                            RecordRange<AssetAdjustment> adjustments);
std::vector<AssetTrendPoint> sixMonthPoints(RecordRange<AssetAccount> accounts,
                                            RecordRange<AssetAdjustment> adjustments, const QDateTime &now);

} // namespace AssetTrendCalculator
