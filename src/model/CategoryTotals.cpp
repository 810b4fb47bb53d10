// SPDX-License-Identifier: GPL-3.0-or-later
#include "CategoryTotals.h"

#include <QHash>

#include <algorithm>

CategoryTotals::Ranking CategoryTotals::ranked(RecordRange<LedgerEntry> entries, EntryKind kind)
{
    Ranking ranking;
    std::vector<CategoryTotal> &totals = ranking.totals;
    QHash<QString, std::size_t> positions;
    // Equal texts read from the store share their characters, so the address of a category's
    // characters finds its total without hashing the text; the hash decides the rest.
    struct Known {
        const QChar *characters;
        qsizetype size;
        std::size_t position;
    };
    std::vector<Known> known;
    const auto positionOf = [&](const QString &category) {
        for (const Known &k : known) {
            if (k.characters == category.constData() && k.size == category.size())
                return k.position;
        }
        auto it = positions.constFind(category);
        if (it == positions.cend()) {
            it = positions.insert(category, totals.size());
            totals.push_back({category, 0});
        }
        if (known.size() < 32)
            known.push_back({category.constData(), category.size(), *it});
        return *it;
    };
    for (const LedgerEntry &entry : entries) {
        if (entry.kind() != kind) {
            ranking.otherSum += entry.amount;
            continue;
        }
        ranking.kindSum += entry.amount;
        ++ranking.kindCount;
        totals[positionOf(entry.category)].amount += entry.amount;
    }
    std::ranges::stable_sort(totals, std::ranges::greater{}, &CategoryTotal::amount);
    return ranking;
}
