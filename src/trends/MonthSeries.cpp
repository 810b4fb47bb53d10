// SPDX-License-Identifier: GPL-3.0-or-later
#include "MonthSeries.h"

#include "model/EntryKind.h"
#include "model/LocalCalendar.h"
#include "store/DailyTotals.h"

#include <algorithm>
#include <cmath>

MonthSeries MonthSeries::of(DailyTotals &totals, QDate first, int count, const QString &category, QDate today)
{
    MonthSeries series;
    series.m_category = category;
    const QDate start(first.year(), first.month(), 1);
    double sum = 0;
    int begun = 0;
    for (int i = 0; i < count; ++i) {
        Month month;
        month.first = start.addMonths(i);
        const DailyTotals::Figures figures =
            totals.within(LocalCalendar::wholeDays(month.first, month.first.addMonths(1).addDays(-1)));
        month.income = figures.of(EntryKind::income).value();
        month.expense = figures.of(EntryKind::expense).value();
        if (!category.isEmpty()) {
            month.category = figures.of(category, EntryKind::expense).value();
            month.share = month.expense > 0 ? month.category / month.expense : 0;
        }
        month.begun = month.first <= today;
        if (month.begun) {
            sum += series.charted(month);
            ++begun;
        }
        series.m_months.push_back(month);
    }
    series.m_average = begun > 0 ? sum / begun : 0;
    return series;
}

double MonthSeries::charted(const Month &month) const
{
    return m_category.isEmpty() ? month.expense : month.category;
}

double MonthSeries::reach() const
{
    double reach = 0;
    for (const Month &month : m_months) {
        if (m_category.isEmpty())
            reach = std::max({reach, month.income, month.expense, std::abs(month.balance())});
        else
            reach = std::max(reach, month.category);
    }
    return reach;
}

double MonthSeries::lowest() const
{
    double lowest = 0;
    if (m_category.isEmpty()) {
        for (const Month &month : m_months)
            lowest = std::min(lowest, month.balance());
    }
    return lowest;
}
