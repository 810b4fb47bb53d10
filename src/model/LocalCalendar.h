// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDate>
#include <QDateTime>
#include <QLocale>

// A span of time [start, end). Whole-day ranges exclude their end; the calendar's week and
// month intervals are checked with containsClosed, which includes the end instant.
struct DateInterval {
    QDateTime start;
    QDateTime end;

    bool contains(const QDateTime &instant) const { return start <= instant && instant < end; }
    bool containsClosed(const QDateTime &instant) const { return start <= instant && instant <= end; }
};

// Calendar arithmetic in local time. Days are whole calendar days, so a day may last 23 or
// 25 hours where daylight saving time changes, and midnight itself may not exist.
namespace LocalCalendar {

// The local day holding an instant, in milliseconds since the epoch: [start, end) are the first
// instants of that day and of the next (23 or 25 hours apart across a clock change), and start
// as a local date and time.
struct DayBounds {
    qint64 start = 0;
    qint64 end = 0;
    QDateTime day;

    bool holds(qint64 at) const { return start <= at && at < end; }
};
// An instant past what the calendar reaches is a day of its own, [at, at + 1) (with an invalid
// day), so the instants around it still fall on their own days.
DayBounds dayHolding(qint64 msecsSinceEpoch);
// The local calendar day of an instant.
QDate localDate(const QDateTime &instant);

QDateTime startOfDay(const QDateTime &instant);
QDateTime startOfDay(QDate day);
// Same local clock time n days later (or earlier).
QDateTime addDays(const QDateTime &instant, qint64 days);
// The same local clock time on another day, as a date picker moves it: whole days from the
// instant, so a clock time that a daylight saving change skips on that day stays valid. An
// invalid day leaves the instant as it is; a day the step cannot reach gives its first instant.
QDateTime onDay(const QDateTime &instant, QDate day);
// Same local clock time n months later; the day is clamped to the month's length.
QDateTime addMonths(const QDateTime &instant, int months);

// The day, week and month that contain the instant. Weeks start on the locale's first day.
DateInterval dayInterval(const QDateTime &instant);
DateInterval weekInterval(const QDateTime &instant, const QLocale &locale = QLocale());
DateInterval monthInterval(const QDateTime &instant);
// From the start of the first day up to the start of the day after the last.
DateInterval wholeDays(QDate first, QDate last);
// The whole local days from first's day to last's. A last day before the first gives an empty
// span at the first day's start, and a last day the calendar cannot step past ends the span at
// last itself, so the bounds are always valid for valid instants.
DateInterval dayRange(const QDateTime &first, const QDateTime &last);

// Complete months from one instant to another (negative when to is earlier): 31 Jan to
// 28 Feb is one month, 15 Jan to 14 Feb is none.
int wholeMonthsBetween(const QDateTime &from, const QDateTime &to);

} // namespace LocalCalendar
