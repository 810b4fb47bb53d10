#pragma once

#include "LedgerEntry.h"
#include "LocalCalendar.h"

#include <span>
#include <vector>

// Ranges of the store's entries, which are kept sorted newest first: a span of time is a
// contiguous run of them, found by binary search instead of a scan.
namespace LedgerSlice {

// The entries with start <= date < end, newest first. Empty for an invalid or empty interval.
std::span<const LedgerEntry> within(const std::vector<LedgerEntry> &newestFirst,
                                    const DateInterval &interval);

struct Totals {
    double income = 0;
    double expense = 0;
    double balance() const { return income - expense; }
};
// Sums in the given order.
Totals totals(std::span<const LedgerEntry> entries);

} // namespace LedgerSlice
