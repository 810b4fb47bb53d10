// SPDX-License-Identifier: GPL-3.0-or-later
#include "DayBoundaries.h"

#include "model/LocalCalendar.h"

#include <limits>

DayBoundaries::Day DayBoundaries::of(qint64 at)
{
    const QDate date = QDateTime::fromMSecsSinceEpoch(at, Qt::LocalTime).date();
    Day day;
    day.day = LocalCalendar::startOfDay(date);
    if (!day.day.isValid()) {
        // An instant past what the calendar reaches is a day of its own, so the entries around
        // it still group by their days.
        day.start = at;
        day.end = at == std::numeric_limits<qint64>::max() ? at : at + 1;
        return day;
    }
    day.start = day.day.toMSecsSinceEpoch();
    const QDateTime next = LocalCalendar::startOfDay(date.addDays(1));
    day.end = next.isValid() ? next.toMSecsSinceEpoch() : std::numeric_limits<qint64>::max();
    return day;
}
