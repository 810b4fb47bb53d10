#include "CategoryTotals.h"

#include <QHash>

#include <algorithm>

std::vector<CategoryTotal> CategoryTotals::ranked(std::span<const LedgerEntry> entries, EntryKind kind)
{
    std::vector<CategoryTotal> totals;
    QHash<QString, std::size_t> positions;
    for (const LedgerEntry &entry : entries) {
        if (entry.kind() != kind)
            continue;
        const auto it = positions.constFind(entry.category);
        if (it != positions.cend()) {
            totals[*it].amount += entry.amount;
        } else {
            positions.insert(entry.category, totals.size());
            totals.push_back({entry.category, entry.amount});
        }
    }
    std::ranges::stable_sort(totals, std::ranges::greater{}, &CategoryTotal::amount);
    return totals;
}
