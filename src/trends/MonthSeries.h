// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDate>
#include <QString>

#include <vector>

class DailyTotals;

// Income and expense of consecutive local months, from the store's totals per day: each month
// is the whole days from its first to its last, so every entry falls in exactly one month and
// a month agrees to the cent with 统计's custom span of the same days.
class MonthSeries final {
public:
    struct Month {
        // The month's first day.
        QDate first;
        double income = 0;
        double expense = 0;
        // The chosen category's expense, and its share of the month's expense (0 to 1; 0 when
        // the month has no expense). Both 0 when no category is chosen.
        double category = 0;
        double share = 0;
        // Whether the month has begun by today; months to come take no part in the average.
        bool begun = true;

        double balance() const { return income - expense; }
    };

    // count months from the one holding first; category empty for none.
    static MonthSeries of(DailyTotals &totals, QDate first, int count, const QString &category, QDate today);

    const std::vector<Month> &months() const { return m_months; }
    QString category() const { return m_category; }
    // The figure each bar stands for: the category's expense when one is chosen, else the
    // month's expense.
    double charted(const Month &month) const;
    // The average of the charted figure over the months begun; 0 when none has.
    double average() const { return m_average; }
    // The largest figure the chart has to reach: income, expense and the size of a balance.
    double reach() const;
    // The lowest figure: 0, or the most negative balance when no category is chosen.
    double lowest() const;

private:
    std::vector<Month> m_months;
    QString m_category;
    double m_average = 0;
};
