// SPDX-License-Identifier: GPL-3.0-or-later
#include "LocalCalendar.h"

#include <algorithm>
#include <limits>

LocalCalendar::DayBounds LocalCalendar::dayHolding(qint64 at)
{
    constexpr qint64 last = std::numeric_limits<qint64>::max();
    const QDate date = QDateTime::fromMSecsSinceEpoch(at, Qt::LocalTime).date();
    DayBounds day;
    day.day = startOfDay(date);
    const QDateTime next = startOfDay(date.addDays(1));
    if (!day.day.isValid() || !next.isValid() || day.day.toMSecsSinceEpoch() > at ||
        next.toMSecsSinceEpoch() <= at)
        return {at, at == last ? at : at + 1, QDateTime()};
    day.start = day.day.toMSecsSinceEpoch();
    day.end = next.toMSecsSinceEpoch();
    return day;
}

QDate LocalCalendar::localDate(const QDateTime &instant)
{
    return instant.toLocalTime().date();
}

QDateTime LocalCalendar::startOfDay(QDate day)
{
    // QDate::startOfDay finds the first valid instant even where midnight is skipped.
    return day.startOfDay();
}

QDateTime LocalCalendar::startOfDay(const QDateTime &instant)
{
    return startOfDay(instant.toLocalTime().date());
}

QDateTime LocalCalendar::addDays(const QDateTime &instant, qint64 days)
{
    return instant.toLocalTime().addDays(days);
}

QDateTime LocalCalendar::onDay(const QDateTime &instant, QDate day)
{
    if (!day.isValid())
        return instant;
    const QDateTime moved = addDays(instant, instant.toLocalTime().date().daysTo(day));
    return moved.isValid() ? moved : startOfDay(day);
}

QDateTime LocalCalendar::addMonths(const QDateTime &instant, int months)
{
    return instant.toLocalTime().addMonths(months);
}

DateInterval LocalCalendar::wholeDays(QDate first, QDate last)
{
    return {startOfDay(first), startOfDay(last.addDays(1))};
}

DateInterval LocalCalendar::dayRange(const QDateTime &first, const QDateTime &last)
{
    const QDate firstDay = first.toLocalTime().date();
    const QDate lastDay = last.toLocalTime().date();
    if (lastDay < firstDay) {
        const QDateTime start = startOfDay(firstDay);
        return {start, start};
    }
    DateInterval interval = wholeDays(firstDay, lastDay);
    if (!interval.end.isValid())
        interval.end = last;
    return interval;
}

DateInterval LocalCalendar::dayInterval(const QDateTime &instant)
{
    const QDate day = instant.toLocalTime().date();
    return wholeDays(day, day);
}

DateInterval LocalCalendar::weekInterval(const QDateTime &instant, const QLocale &locale)
{
    const QDate day = instant.toLocalTime().date();
    const int first = static_cast<int>(locale.firstDayOfWeek());
    const int back = (day.dayOfWeek() - first + 7) % 7;
    const QDate weekStart = day.addDays(-back);
    return wholeDays(weekStart, weekStart.addDays(6));
}

DateInterval LocalCalendar::monthInterval(const QDateTime &instant)
{
    const QDate day = instant.toLocalTime().date();
    const QDate first(day.year(), day.month(), 1);
    return wholeDays(first, first.addMonths(1).addDays(-1));
}

int LocalCalendar::wholeMonthsBetween(const QDateTime &from, const QDateTime &to)
{
    if (to < from)
        return -wholeMonthsBetween(to, from);
    const QDateTime a = from.toLocalTime();
    const QDateTime b = to.toLocalTime();
    if (!a.date().isValid() || !b.date().isValid())
        return 0;
    // Counted in 64 bits and held to what an int holds: instants a few hundred million years
    // apart are as many months as the type can say.
    const qint64 count =
        (qint64(b.date().year()) - a.date().year()) * 12 + (b.date().month() - a.date().month());
    int months = static_cast<int>(std::min<qint64>(count, std::numeric_limits<int>::max()));
    while (months > 0) {
        const QDateTime stepped = a.addMonths(months);
        if (stepped.isValid() && stepped <= b)
            break;
        --months;
        if (!stepped.isValid())
            break;
    }
    return months;
}
