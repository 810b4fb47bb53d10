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
