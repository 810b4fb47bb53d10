// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>
#include <QString>

// Fixed-pattern date texts, all in the local time zone and the Gregorian calendar.
namespace DateText {

// "yyyy-MM" with Western digits whatever the user's locale: 2024-03. Two instants are in
// the same month exactly when their month keys are equal, and keys order chronologically.
QString monthKey(const QDateTime &instant);
// "yyyy年M月": 2024年3月.
QString displayMonth(const QDateTime &instant);
// "M月d日 EEEE" in Chinese: 3月5日 星期二.
QString displayDate(const QDateTime &instant);

// The day in the medium date style of the user's current locale (QLocale()), without time:
// 2024年11月15日 in zh_CN, Nov 15, 2024 in en_US. Equal days give equal texts.
QString mediumDate(QDate day);
// The day in the long date style of the user's current locale, without time: 2024年11月15日
// in zh_CN, November 15, 2024 in en_US.
QString longDate(QDate day);
// The local date in the locale's numeric style and the time of day in its short style:
// 2024/11/15 14:05 in zh_CN, 11/15/24, 2:05 PM in en_US.
QString numericDateShortTime(const QDateTime &instant);

} // namespace DateText
