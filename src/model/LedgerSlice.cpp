// SPDX-License-Identifier: GPL-3.0-or-later
#include "LedgerSlice.h"

#include <algorithm>

RecordRange<LedgerEntry> LedgerSlice::within(RecordRange<LedgerEntry> newestFirst,
                                             const DateInterval &interval)
{
    if (!interval.start.isValid() || !interval.end.isValid() || !(interval.start < interval.end))
        return {};
    const qint64 start = interval.start.toMSecsSinceEpoch();
    const qint64 end = interval.end.toMSecsSinceEpoch();
    // Descending dates: first the entries at or after end, then the run we want.
    const auto first =
        std::partition_point(newestFirst.begin(), newestFirst.end(),
                             [end](const LedgerEntry &e) { return e.date.toMSecsSinceEpoch() >= end; });
    const auto last = std::partition_point(first, newestFirst.end(), [start](const LedgerEntry &e) {
        return e.date.toMSecsSinceEpoch() >= start;
    });
    return {first, last};
}

RecordRange<LedgerEntry> LedgerSlice::withinClosed(RecordRange<LedgerEntry> newestFirst,
                                                   const DateInterval &interval)
{
    if (!interval.end.isValid())
        return {};
    // Dates are whole milliseconds, so the closed interval is the half-open one a
    // millisecond longer.
    return within(newestFirst, DateInterval{interval.start, interval.end.addMSecs(1)});
}

RecordRange<LedgerEntry> LedgerSlice::within(RecordRange<LedgerEntry> newestFirst, const PeriodSpan &span)
{
    return span.includesEnd ? withinClosed(newestFirst, span.interval) : within(newestFirst, span.interval);
}

LedgerSlice::Run LedgerSlice::Run::of(RecordRange<LedgerEntry> entries, RecordRange<LedgerEntry> run)
{
    if (run.empty())
        return {};
    return {static_cast<std::size_t>(run.begin() - entries.begin()), run.size()};
}

RecordRange<LedgerEntry> LedgerSlice::Run::in(RecordRange<LedgerEntry> entries) const
{
    return entries.subrange(offset, count);
}

LedgerSlice::Totals LedgerSlice::totals(RecordRange<LedgerEntry> entries)
{
    Totals totals;
    for (const LedgerEntry &entry : entries) {
        if (entry.kind() == EntryKind::income)
            totals.income += entry.amount;
        else
            totals.expense += entry.amount;
    }
    return totals;
}
