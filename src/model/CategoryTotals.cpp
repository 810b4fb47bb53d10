#include "CategoryTotals.h"

#include <QHash>

#include <algorithm>

CategoryTotals::Ranking CategoryTotals::ranked(std::span<const LedgerEntry> entries, EntryKind kind)
{
    Ranking ranking;
    std::vector<CategoryTotal> &totals = ranking.totals;
    QHash<QString, std::size_t> positions;
    for (const LedgerEntry &entry : entries) {
        if (entry.kind() != kind) {
            ranking.otherSum += entry.amount;
            continue;
        }
        ranking.kindSum += entry.amount;
        ++ranking.kindCount;
        const auto it = positions.constFind(entry.category);
        if (it != positions.cend()) {
            totals[*it].amount += entry.amount;
        } else {
            positions.insert(entry.category, totals.size());
            totals.push_back({entry.category, entry.amount});
        }
    }
    std::ranges::stable_sort(totals, std::ranges::greater{}, &CategoryTotal::amount);
    return ranking;
}
