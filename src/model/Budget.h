// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "RecordRange.h"

#include <QDateTime>
#include <QString>
#include <QUuid>

#include <optional>
#include <vector>

struct DateInterval;
struct LedgerEntry;

// One spending limit for one expense category within a budget period. A budget without a
// period belongs to the month named by monthKey.
struct Budget {
    QUuid id;
    QString category;
    double limit = 0;
    QString monthKey;
    std::optional<QDateTime> periodStart;
    std::optional<QDateTime> periodEnd;

    Budget() = default;
    // month defaults to now; monthKey is taken from it.
    Budget(QString category, double limit, const QDateTime &month = {},
           std::optional<QDateTime> periodStart = {}, std::optional<QDateTime> periodEnd = {});

    // A period budget names both days; any other is a month budget.
    bool hasPeriod() const { return periodStart.has_value() && periodEnd.has_value(); }
    // What the budget covers: its whole days from the start of periodStart's day to the start
    // of the day after periodEnd's, or the calendar month of monthKey. Empty when the end day
    // lies before the start day or the month key does not name a month.
    DateInterval interval() const;
    bool contains(const QDateTime &instant) const;
    // The budgets in force at the instant, in input order. One period at most: among the
    // period budgets that contain it, those sharing the days of the latest-starting one;
    // only when there are none, the month budgets of the instant's month.
    static std::vector<Budget> activeRecords(RecordRange<Budget> budgets, const QDateTime &on);
    static std::vector<Budget> activeRecords(RecordRange<Budget> budgets);
    // "start - end" in the locale's medium date style, or "yyyy-MM 月度预算". Budgets of one
    // period share their title; lists group budgets by it.
    QString periodTitle() const;
    // Expenses of the budget's category within what it covers, over entries sorted newest
    // first (the store's order), summed in that order.
    double spent(RecordRange<LedgerEntry> entries) const;

    friend bool operator==(const Budget &a, const Budget &b) { return a.id == b.id; }
};
