// SPDX-License-Identifier: GPL-3.0-or-later
#include "PossibleDuplicates.h"

#include <cmath>

PossibleDuplicates::PossibleDuplicates(RecordRange<LedgerEntry> held)
{
    m_held.reserve(qsizetype(held.size()));
    for (const LedgerEntry &entry : held)
        m_held.insert(keyOf(entry), entry.id);
}

QUuid PossibleDuplicates::match(const LedgerEntry &candidate) const
{
    return m_held.value(keyOf(candidate));
}

PossibleDuplicates::Key PossibleDuplicates::keyOf(const LedgerEntry &entry)
{
    // Cents rounded, not cut: 0.1 + 0.2 and 0.3 are the same amount on a statement.
    return {entry.date.toLocalTime().date().toJulianDay(), std::llround(entry.amount * 100),
            entry.kind() == EntryKind::income, entry.note};
}
