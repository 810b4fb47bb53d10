// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>
#include <QString>

// Dates and times of bill files, which are local times of the person who exported them and
// are read as local times of the user's zone.
namespace ImportTime {

// "2024-03-05 12:30:45", "2024/3/5 12:30", "2024.03.05", "20240305", "2024年3月5日 8:05",
// with a "T" or blanks between date and time; with the year last, "05/03/2024" or
// "5.3.2024", whose first number is the month unless dayFirst. An invalid QDateTime for any
// other text or an impossible date. A date alone reads as 12:00, which lies on that day in
// every zone. A local time that a daylight-saving change skips moves forward by the gap.
QDateTime parse(const QString &text, bool dayFirst = false);

// A date text and a separate time text ("12:30", "12:30:45", "123045"); an empty time is 12:00.
QDateTime parse(const QString &date, const QString &time, bool dayFirst = false);

// The two numbers before the year of a year-last date ("05/03/2024" gives 5 and 3), so a
// reader can tell which is the day; false for any other text.
bool yearLastNumbers(const QString &text, int *first, int *second);

// A workbook day number (days since 1899-12-30, or since 1904-01-01 for date1904 books;
// the fraction is the time of day, rounded to the second). Invalid outside 1900 to 9999.
QDateTime fromWorkbookDay(const QString &number, bool date1904);

} // namespace ImportTime
