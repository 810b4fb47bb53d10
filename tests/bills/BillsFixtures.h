// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "TestSupport.h"

#include "model/LedgerEntry.h"

// The entries the bills tests are built from: a fixed "now" on 10 April 2024.
namespace BillsFixtures {

using TestSupport::local;

inline QDateTime fixedNow()
{
    return local(2024, 4, 10, 12, 0);
}

inline LedgerEntry entry(double amount, const QDateTime &date, EntryKind kind, const QString &category,
                         const QString &note = {})
{
    return LedgerEntry(amount, date, kind, category, note);
}

} // namespace BillsFixtures
