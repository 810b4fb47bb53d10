// SPDX-License-Identifier: GPL-3.0-or-later
#include "Budget.h"

#include "Clock.h"
#include "DateText.h"
#include "LedgerEntry.h"
#include "LedgerSlice.h"
#include "LocalCalendar.h"
#include "RecordId.h"

using namespace Qt::StringLiterals;

namespace {

bool sameDay(const QDateTime &a, const QDateTime &b)
{
    return LocalCalendar::localDate(a) == LocalCalendar::localDate(b);
}

// The first day of the month named "yyyy-MM", or an invalid date.
QDate monthOfKey(const QString &key)
{
    if (key.size() != 7 || key.at(4) != u'-')
        return {};
    bool yearOk = false;
    bool monthOk = false;
    const int year = QStringView(key).left(4).toInt(&yearOk);
    const int month = QStringView(key).mid(5).toInt(&monthOk);
    if (!yearOk || !monthOk || month < 1 || month > 12)
        return {};
    return QDate(year, month, 1);
}

} // namespace

Budget::Budget(QString category, double limit, const QDateTime &month, std::optional<QDateTime> periodStart,
               std::optional<QDateTime> periodEnd)
    : id(RecordId::fresh())
    , category(std::move(category))
    , limit(limit)
    , monthKey(DateText::monthKey(month.isValid() ? month : Clock::now()))
    , periodStart(std::move(periodStart))
    , periodEnd(std::move(periodEnd))
{
}

DateInterval Budget::interval() const
{
    if (hasPeriod())
        return LocalCalendar::dayRange(*periodStart, *periodEnd);
    const QDate first = monthOfKey(monthKey);
    if (!first.isValid())
        return {};
    return LocalCalendar::wholeDays(first, first.addMonths(1).addDays(-1));
}

bool Budget::contains(const QDateTime &instant) const
{
    if (hasPeriod())
        return interval().contains(instant);
    // Month budgets match by the month key's text, as they always have.
    return DateText::monthKey(instant) == monthKey;
}

std::vector<Budget> Budget::activeRecords(RecordRange<Budget> budgets)
{
    return activeRecords(budgets, Clock::now());
}

std::vector<Budget> Budget::activeRecords(RecordRange<Budget> budgets, const QDateTime &on)
{
    std::vector<Budget> result;
    const Budget *winner = nullptr;
    for (const Budget &budget : budgets) {
        if (budget.hasPeriod() && budget.contains(on) &&
            (!winner || *budget.periodStart > *winner->periodStart))
            winner = &budget;
    }
    if (winner) {
        for (const Budget &budget : budgets) {
            if (budget.hasPeriod() && budget.contains(on) &&
                sameDay(*budget.periodStart, *winner->periodStart) &&
                sameDay(*budget.periodEnd, *winner->periodEnd))
                result.push_back(budget);
        }
        return result;
    }
    for (const Budget &budget : budgets) {
        if (!budget.hasPeriod() && budget.contains(on))
            result.push_back(budget);
    }
    return result;
}

QString Budget::periodTitle() const
{
    if (hasPeriod())
        return DateText::mediumDate(LocalCalendar::localDate(*periodStart)) + u" - "_s +
               DateText::mediumDate(LocalCalendar::localDate(*periodEnd));
    return monthKey + u" 月度预算"_s;
}

double Budget::spent(RecordRange<LedgerEntry> entries) const
{
    const DateInterval span = interval();
    if (!span.start.isValid() || !span.end.isValid())
        return 0;
    double sum = 0;
    for (const LedgerEntry &entry : LedgerSlice::within(entries, span)) {
        if (entry.kind() == EntryKind::expense && entry.category == category)
            sum += entry.amount;
    }
    return sum;
}
