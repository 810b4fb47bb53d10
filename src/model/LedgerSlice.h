// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "LedgerEntry.h"
#include "LocalCalendar.h"
#include "PeriodSelection.h"
#include "RecordRange.h"

#include <cstddef>

// Ranges of the store's entries, which are kept sorted newest first: a span of time is a
// contiguous run of them, found by binary search instead of a scan.
namespace LedgerSlice {

// The entries with start <= date < end, newest first. Empty for an invalid or empty interval.
RecordRange<LedgerEntry> within(RecordRange<LedgerEntry> newestFirst, const DateInterval &interval);
// The entries with start <= date <= end: the calendar's week and month intervals, and every
// interval of the receipt, count their end instant too.
RecordRange<LedgerEntry> withinClosed(RecordRange<LedgerEntry> newestFirst, const DateInterval &interval);
// The entries of a period's span, with or without its end instant as the span says.
RecordRange<LedgerEntry> within(RecordRange<LedgerEntry> newestFirst, const PeriodSpan &span);

// A run of the store's entries held by position rather than by iterators, so a screen that is
// asked for it between a store change and its own recomputation never reads freed memory.
struct Run {
    std::size_t offset = 0;
    std::size_t count = 0;

    static Run of(RecordRange<LedgerEntry> entries, RecordRange<LedgerEntry> run);
    // The run within the entries as they are now, clipped to their length.
    RecordRange<LedgerEntry> in(RecordRange<LedgerEntry> entries) const;
};

struct Totals {
    double income = 0;
    double expense = 0;
    double balance() const { return income - expense; }
};
// Sums in the given order.
Totals totals(RecordRange<LedgerEntry> entries);

} // namespace LedgerSlice
