// SPDX-License-Identifier: GPL-3.0-or-later
#include "LedgerSlice.h"

#include <algorithm>

std::span<const LedgerEntry> LedgerSlice::within(const std::vector<LedgerEntry> &newestFirst,
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

std::span<const LedgerEntry> LedgerSlice::withinClosed(const std::vector<LedgerEntry> &newestFirst,
                                                       const DateInterval &interval)
{
    if (!interval.end.isValid())
        return {};
    // Dates are whole milliseconds, so the closed interval is the half-open one a
    // millisecond longer.
    return within(newestFirst, DateInterval{interval.start, interval.end.addMSecs(1)});
}

std::span<const LedgerEntry> LedgerSlice::within(const std::vector<LedgerEntry> &newestFirst,
                                                 const PeriodSpan &span)
{
    return span.includesEnd ? withinClosed(newestFirst, span.interval) : within(newestFirst, span.interval);
}

LedgerSlice::Run LedgerSlice::Run::of(const std::vector<LedgerEntry> &entries,
                                      std::span<const LedgerEntry> run)
{
    if (run.empty())
        return {};
    return {static_cast<std::size_t>(run.data() - entries.data()), run.size()};
}

std::span<const LedgerEntry> LedgerSlice::Run::in(const std::vector<LedgerEntry> &entries) const
{
    const std::size_t start = std::min(offset, entries.size());
    return std::span<const LedgerEntry>(entries).subspan(start, std::min(count, entries.size() - start));
}

LedgerSlice::Totals LedgerSlice::totals(std::span<const LedgerEntry> entries)
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
