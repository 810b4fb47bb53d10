// SPDX-License-Identifier: GPL-3.0-or-later
#include "AssetTrendCalculator.h"

#include "model/Clock.h"
#include "model/LocalCalendar.h"

#include <QHash>
#include <QLocale>

#include <array>

namespace {

constexpr int months = 6;

struct Month {
    QString label;
    qint64 end = 0; // first instant of the following month
};

} // namespace

std::vector<AssetTrendPoint> AssetTrendCalculator::sixMonthPoints(RecordRange<AssetAccount> accounts,
                                                                  RecordRange<AssetAdjustment> adjustments)
{
    return sixMonthPoints(accounts, adjustments, Clock::now());
}

std::vector<AssetTrendPoint> AssetTrendCalculator::sixMonthPoints(RecordRange<AssetAccount> accounts,
                                                                  RecordRange<AssetAdjustment> adjustments,
                                                                  const QDateTime &now)
{
    // Month starts come from calendar days, so a midnight lost to daylight saving moves the
    // start to the first instant that exists instead of failing.
    const QDate today = now.toLocalTime().date();
    const QDate currentFirst(today.year(), today.month(), 1);
    const QLocale locale;
    std::vector<Month> ends;
    for (int k = 1 - months; k <= 0; ++k) {
        const QDate first = currentFirst.addMonths(k);
        const QDateTime end = LocalCalendar::startOfDay(first.addMonths(1));
        if (!first.isValid() || !end.isValid())
            continue;
        ends.push_back({locale.monthName(first.month(), QLocale::ShortFormat), end.toMSecsSinceEpoch()});
    }

    // Each account's adjustments summed per month end, in the adjustments' own order, as the
    // plain per-account pass would sum them; one pass over the adjustments instead of one per
    // account and month.
    QHash<QUuid, qsizetype> slotOf;
    slotOf.reserve(qsizetype(accounts.size()));
    for (qsizetype i = 0; i < qsizetype(accounts.size()); ++i)
        slotOf.insert(accounts[size_t(i)].id, i);
    std::vector<std::array<double, months>> sums(accounts.size(), std::array<double, months>{});
    const size_t count = ends.size();
    for (const AssetAdjustment &adjustment : adjustments) {
        const auto slot = slotOf.constFind(adjustment.accountID);
        if (slot == slotOf.cend())
            continue;
        const qint64 at = adjustment.date.toMSecsSinceEpoch();
        std::array<double, months> &row = sums[size_t(*slot)];
        for (size_t m = 0; m < count; ++m) {
            if (at < ends[m].end)
                row[m] += adjustment.amount;
        }
    }

    std::vector<AssetTrendPoint> points;
    points.reserve(count);
    for (size_t m = 0; m < count; ++m) {
        double amount = 0;
        for (size_t i = 0; i < accounts.size(); ++i) {
            if (accounts[i].createdAt.toMSecsSinceEpoch() < ends[m].end)
                amount += accounts[i].openingBalance + sums[i][m];
        }
        points.push_back({ends[m].label, amount});
    }
    return points;
}
