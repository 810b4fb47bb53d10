#pragma once

#include "model/AssetAdjustment.h"
#include "model/LocalCalendar.h"

#include <QDateTime>
#include <QString>

#include <array>
#include <span>
#include <vector>

// The spans the two ledgers can show.
enum class AssetLedgerPeriod { day, week, month, custom };

// The span a ledger shows. Day and custom spans are whole days, half-open; week and month
// spans are the calendar's intervals, which include their end instant.
struct AssetLedgerRange {
    DateInterval interval;
    bool includesEnd = false;

    bool contains(const QDateTime &instant) const
    {
        return includesEnd ? interval.containsClosed(instant) : interval.contains(instant);
    }
};

namespace AssetLedgerPeriods {

inline constexpr std::array<AssetLedgerPeriod, 4> all{AssetLedgerPeriod::day, AssetLedgerPeriod::week,
                                                      AssetLedgerPeriod::month, AssetLedgerPeriod::custom};

// "按日", "按周", "按月", "自定义".
QString title(AssetLedgerPeriod period);
// The label of the single day picker: "选择日期", "选择所在周", "选择所在月"; empty for custom.
QString pickerLabel(AssetLedgerPeriod period);

// The span for the chosen period: the selected date counts for day, week and month, the two
// custom dates only for custom. A custom start after its end gives a span holding nothing.
AssetLedgerRange range(AssetLedgerPeriod period, const QDateTime &selectedDate, const QDateTime &startDate,
                       const QDateTime &endDate);

// The adjustments in the span, from the store's list kept newest first: a binary search, not
// a scan. Newest first.
std::span<const AssetAdjustment> within(const std::vector<AssetAdjustment> &newestFirst,
                                        const AssetLedgerRange &range);

// The instant's local time of day moved onto another day, by whole days, so a time of day
// that falls into a daylight saving gap on that day still gives a valid instant.
QDateTime movedToDay(const QDateTime &instant, QDate day);

} // namespace AssetLedgerPeriods
