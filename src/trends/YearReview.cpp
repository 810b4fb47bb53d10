// SPDX-License-Identifier: GPL-3.0-or-later
#include "YearReview.h"

#include "model/EntryKind.h"
#include "model/LedgerSlice.h"
#include "model/LocalCalendar.h"
#include "store/DailyTotals.h"

#include <array>

namespace {

YearReview::Change changeOf(double now, double before)
{
    YearReview::Change change;
    change.before = before;
    if (before != 0)
        change.ratio = (now - before) / before;
    return change;
}

} // namespace

YearReview YearReview::of(DailyTotals &totals, RecordRange<LedgerEntry> entries, int year, QDate today)
{
    YearReview review;
    review.year = year;
    const QDate first(year, 1, 1);
    const QDate last(year, 12, 31);
    const DateInterval span = LocalCalendar::wholeDays(first, last);

    const DailyTotals::Figures figures = totals.within(span);
    review.income = figures.of(EntryKind::income).value();
    review.expense = figures.of(EntryKind::expense).value();
    review.empty = figures.of(EntryKind::income).count == 0 && figures.of(EntryKind::expense).count == 0;
    if (review.income > 0)
        review.savingRate = review.balance() / review.income;

    const DailyTotals::Figures before =
        totals.within(LocalCalendar::wholeDays(first.addYears(-1), last.addYears(-1)));
    review.incomeChange = changeOf(review.income, before.of(EntryKind::income).value());
    review.expenseChange = changeOf(review.expense, before.of(EntryKind::expense).value());

    const CategoryTotals::Ranking ranking = figures.ranked(EntryKind::expense);
    for (std::size_t i = 0; i < ranking.totals.size() && i < 5; ++i) {
        const CategoryTotal &total = ranking.totals[i];
        review.topCategories.push_back({total, review.expense > 0 ? total.amount / review.expense : 0});
    }

    // The days, newest first, summed into their months as within() sums a month's days.
    const bool holdsToday = today.year() == year;
    const qint64 countedEnd = holdsToday ? LocalCalendar::startOfDay(today.addDays(1)).toMSecsSinceEpoch()
                                         : span.end.toMSecsSinceEpoch();
    std::array<qint64, 13> monthStarts{};
    for (int m = 0; m < 12; ++m)
        monthStarts[std::size_t(m)] = LocalCalendar::startOfDay(QDate(year, m + 1, 1)).toMSecsSinceEpoch();
    monthStarts[12] = span.end.toMSecsSinceEpoch();
    std::array<DailyTotals::Sum, 12> months{};
    DailyTotals::Sum counted;
    int daysSpent = 0;
    int month = 11;
    for (const DailyTotals::DaySums &day : totals.days(span)) {
        while (month > 0 && day.start < monthStarts[std::size_t(month)])
            --month;
        const DailyTotals::Sum &spent = day.of(EntryKind::expense);
        months[std::size_t(month)].add(spent);
        if (day.start < countedEnd) {
            counted.add(spent);
            if (spent.count > 0)
                ++daysSpent;
        }
    }
    for (int m = 0; m < 12; ++m) {
        const double expense = months[std::size_t(m)].value();
        if (months[std::size_t(m)].count > 0 &&
            (!review.dearestMonth || expense > review.dearestMonthExpense)) {
            review.dearestMonth = QDate(year, m + 1, 1);
            review.dearestMonthExpense = expense;
        }
    }
    review.daysCounted = holdsToday ? int(first.daysTo(today)) + 1 : int(first.daysTo(last)) + 1;
    review.daysWithoutSpending = review.daysCounted - daysSpent;
    review.averagePerDay = review.daysCounted > 0 ? counted.value() / review.daysCounted : 0;

    for (const LedgerEntry &entry : LedgerSlice::within(entries, span)) {
        // The amount first: most entries are no record, and reading the kind compares texts.
        if ((!review.biggestExpense || entry.amount > review.biggestExpense->amount) &&
            entry.kind() == EntryKind::expense)
            review.biggestExpense = entry;
    }
    return review;
}
