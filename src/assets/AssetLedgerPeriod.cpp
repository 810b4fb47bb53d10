#include "AssetLedgerPeriod.h"

#include <algorithm>

using namespace Qt::StringLiterals;

QString AssetLedgerPeriods::title(AssetLedgerPeriod period)
{
    switch (period) {
    case AssetLedgerPeriod::day:
        return u"按日"_s;
    case AssetLedgerPeriod::week:
        return u"按周"_s;
    case AssetLedgerPeriod::month:
        return u"按月"_s;
    case AssetLedgerPeriod::custom:
        return u"自定义"_s;
    }
    return {};
}

QString AssetLedgerPeriods::pickerLabel(AssetLedgerPeriod period)
{
    switch (period) {
    case AssetLedgerPeriod::day:
        return u"选择日期"_s;
    case AssetLedgerPeriod::week:
        return u"选择所在周"_s;
    case AssetLedgerPeriod::month:
        return u"选择所在月"_s;
    case AssetLedgerPeriod::custom:
        break;
    }
    return {};
}

AssetLedgerRange AssetLedgerPeriods::range(AssetLedgerPeriod period, const QDateTime &selectedDate,
                                           const QDateTime &startDate, const QDateTime &endDate)
{
    switch (period) {
    case AssetLedgerPeriod::day:
        return {LocalCalendar::dayInterval(selectedDate), false};
    case AssetLedgerPeriod::week:
        return {LocalCalendar::weekInterval(selectedDate), true};
    case AssetLedgerPeriod::month:
        return {LocalCalendar::monthInterval(selectedDate), true};
    case AssetLedgerPeriod::custom:
        return {LocalCalendar::wholeDays(startDate.toLocalTime().date(), endDate.toLocalTime().date()),
                false};
    }
    return {};
}

std::span<const AssetAdjustment> AssetLedgerPeriods::within(const std::vector<AssetAdjustment> &newestFirst,
                                                            const AssetLedgerRange &range)
{
    const DateInterval &interval = range.interval;
    if (!interval.start.isValid() || !interval.end.isValid() || interval.end < interval.start)
        return {};
    const qint64 start = interval.start.toMSecsSinceEpoch();
    const qint64 end = interval.end.toMSecsSinceEpoch();
    const bool closed = range.includesEnd;
    // Descending dates: first the changes after the span, then the run we want.
    const auto first =
        std::partition_point(newestFirst.begin(), newestFirst.end(), [=](const AssetAdjustment &a) {
            const qint64 at = a.date.toMSecsSinceEpoch();
            return closed ? at > end : at >= end;
        });
    const auto last = std::partition_point(first, newestFirst.end(), [start](const AssetAdjustment &a) {
        return a.date.toMSecsSinceEpoch() >= start;
    });
    return {first, last};
}

QDateTime AssetLedgerPeriods::movedToDay(const QDateTime &instant, QDate day)
{
    if (!day.isValid())
        return instant;
    return LocalCalendar::addDays(instant, instant.toLocalTime().date().daysTo(day));
}
