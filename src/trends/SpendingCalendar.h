// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDate>

#include <vector>

class DailyTotals;

// The expense of every local day of one month, or of a whole year, each with the shade it is
// drawn in: 0 for a day with no expense, then 1 to levelCount by where the day's expense stands
// among the days of the span that have one (its quartile), so one dear day does not wash out
// the rest.
class SpendingCalendar final {
public:
    static constexpr int levelCount = 4;

    struct Day {
        QDate date;
        double expense = 0;
        // The number of expense entries.
        int count = 0;
        int level = 0;
    };

    // month 1 to 12, or 0 for the whole year.
    static SpendingCalendar of(DailyTotals &totals, int year, int month);

    int year() const { return m_year; }
    int month() const { return m_month; }
    // Every day of the span in calendar order, days without entries included.
    const std::vector<Day> &days() const { return m_days; }
    // The day of the date; nullptr when it is not in the span.
    const Day *find(QDate date) const;
    double total() const { return m_total; }
    // The dearest day's expense.
    double highest() const { return m_highest; }

private:
    int m_year = 0;
    int m_month = 0;
    std::vector<Day> m_days;
    double m_total = 0;
    double m_highest = 0;
};
