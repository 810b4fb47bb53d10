// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "EntryKind.h"
#include "LedgerEntry.h"
#include "RecordRange.h"

#include <QString>

#include <vector>

// The money of one category within a set of entries.
struct CategoryTotal {
    QString name;
    double amount = 0;

    friend bool operator==(const CategoryTotal &, const CategoryTotal &) = default;
};

namespace CategoryTotals {

// The entries of one kind grouped by their category's exact text, with the sums a screen
// shows beside them, all from one pass over the entries.
struct Ranking {
    // One total per category of the kind, largest first. Equal totals keep the order in
    // which their categories first appear.
    std::vector<CategoryTotal> totals;
    // Sum and number of the entries of the kind, and the sum of the entries of the other.
    double kindSum = 0;
    int kindCount = 0;
    double otherSum = 0;
};

// Sums in the order of the entries.
Ranking ranked(RecordRange<LedgerEntry> entries, EntryKind kind);

} // namespace CategoryTotals
