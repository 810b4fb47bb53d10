// SPDX-License-Identifier: GPL-3.0-or-later
#include "SpendingCalendar.h"

#include "model/EntryKind.h"
#include "model/LocalCalendar.h"
#include "store/DailyTotals.h"

#include <QDateTime>

#include <algorithm>

SpendingCalendar SpendingCalendar::of(DailyTotals &totals, int year, int month)
{
    SpendingCalendar calendar;
    calendar.m_year = year;
    calendar.m_month = month;
    const QDate first = month == 0 ? QDate(year, 1, 1) : QDate(year, month, 1);
    const QDate last = month == 0 ? QDate(year, 12, 31) : first.addMonths(1).addDays(-1);
    for (QDate d = first; d <= last; d = d.addDays(1))
        calendar.m_days.push_back({d, 0, 0, 0});

    // The held days come newest first, each at its first instant; their dates are found by
    // walking the calendar's days down alongside them.
    std::size_t at = calendar.m_days.size();
    qint64 dayStart = LocalCalendar::startOfDay(last).toMSecsSinceEpoch();
    DailyTotals::Sum whole;
    for (const DailyTotals::DaySums &sums : totals.days(LocalCalendar::wholeDays(first, last))) {
        while (at > 0 && sums.start < dayStart) {
            --at;
            if (at > 0)
                dayStart = LocalCalendar::startOfDay(calendar.m_days[at - 1].date).toMSecsSinceEpoch();
        }
        if (at == 0)
            break;
        const DailyTotals::Sum &spent = sums.of(EntryKind::expense);
        Day &day = calendar.m_days[at - 1];
        day.expense = spent.value();
        day.count = spent.count;
        whole.add(spent);
    }
    calendar.m_total = whole.value();

    std::vector<double> spent;
    for (const Day &day : calendar.m_days) {
        if (day.count > 0)
            spent.push_back(day.expense);
    }
    std::ranges::sort(spent);
    if (!spent.empty())
        calendar.m_highest = spent.back();
    for (Day &day : calendar.m_days) {
        if (day.count == 0)
            continue;
        // The share of spending days strictly cheaper than this one, in quarters.
        const auto below = std::ranges::lower_bound(spent, day.expense) - spent.begin();
        day.level = 1 + int(below * levelCount / qsizetype(spent.size()));
        day.level = std::min(day.level, levelCount);
    }
    return calendar;
}

const SpendingCalendar::Day *SpendingCalendar::find(QDate date) const
{
    if (m_days.empty() || date < m_days.front().date || date > m_days.back().date)
        return nullptr;
    return &m_days[std::size_t(m_days.front().date.daysTo(date))];
}
