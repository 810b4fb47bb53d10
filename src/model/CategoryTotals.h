#pragma once

#include "EntryKind.h"
#include "LedgerEntry.h"

#include <QString>

#include <span>
#include <vector>

// The money of one category within a set of entries.
struct CategoryTotal {
    QString name;
    double amount = 0;

    friend bool operator==(const CategoryTotal &, const CategoryTotal &) = default;
};

namespace CategoryTotals {

// The entries of one kind grouped by their category's exact text, one total per group,
// largest first. Equal totals keep the order in which their categories first appear.
std::vector<CategoryTotal> ranked(std::span<const LedgerEntry> entries, EntryKind kind);

} // namespace CategoryTotals
