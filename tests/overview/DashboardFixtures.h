// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "TestSupport.h"

#include "model/Budget.h"
#include "model/LedgerEntry.h"

// The records the dashboard's tests are built from: a fixed "now" in March 2024.
namespace DashboardFixtures {

using namespace Qt::StringLiterals;
using TestSupport::local;

inline QDateTime fixedNow()
{
    return local(2024, 3, 20, 10, 0);
}

inline LedgerEntry expense(double amount, const QDateTime &date, const QString &category = u"餐饮"_s)
{
    return LedgerEntry(amount, date, EntryKind::expense, category);
}

inline LedgerEntry income(double amount, const QDateTime &date, const QString &category = u"工资"_s)
{
    return LedgerEntry(amount, date, EntryKind::income, category);
}

inline Budget monthBudget(const QString &category, double limit, const QDateTime &month = fixedNow())
{
    return Budget(category, limit, month);
}

// Stored with odd times of day: only the days may matter.
inline Budget periodBudget(const QString &category, double limit, QDate first = {2024, 3, 15},
                           QDate last = {2024, 4, 14})
{
    return Budget(category, limit, fixedNow(), QDateTime(first, QTime(8, 30)),
                  QDateTime(last, QTime(20, 15)));
}

} // namespace DashboardFixtures
