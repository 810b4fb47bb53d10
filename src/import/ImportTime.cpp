// SPDX-License-Identifier: GPL-3.0-or-later
#include "ImportTime.h"

#include <QRegularExpression>

#include <cmath>

using namespace Qt::StringLiterals;

namespace {

const QRegularExpression &dateTimePattern()
{
    static const QRegularExpression pattern(
        uR"(^(\d{4})(?:[-/.年](\d{1,2})[-/.月](\d{1,2})日?|(\d{2})(\d{2}))(?:(?:\s+|T)(\d{1,2}):(\d{2})(?::(\d{2})(?:\.\d+)?)?)?$)"_s);
    return pattern;
}

// 05/03/2024, 5.3.2024, 05-03-2024, with an optional time after.
const QRegularExpression &yearLastPattern()
{
    static const QRegularExpression pattern(
        uR"(^(\d{1,2})([-/.])(\d{1,2})\2(\d{4})(?:(?:\s+|T)(\d{1,2}):(\d{2})(?::(\d{2})(?:\.\d+)?)?)?$)"_s);
    return pattern;
}

// 12:30, 12:30:45, or a bank's 123045 (093045 written as a number loses its zero: 93045).
const QRegularExpression &timePattern()
{
    static const QRegularExpression pattern(
        uR"(^(?:(\d{1,2}):(\d{2})(?::(\d{2}))?|(\d{1,2})(\d{2})(\d{2}))$)"_s);
    return pattern;
}

// The local instant; a wall-clock time that a daylight-saving change skips is read with the
// offset in force before the change, so it lands as far past the gap as it was into it.
QDateTime localInstant(QDate date, QTime time)
{
    if (!date.isValid() || !time.isValid())
        return {};
    const QDateTime instant(date, time, Qt::LocalTime);
    if (instant.isValid() && instant.date() == date && instant.time() == time)
        return instant;
    const int offsetBefore = QDateTime(date.addDays(-1), QTime(12, 0), Qt::LocalTime).offsetFromUtc();
    return QDateTime(date, time, Qt::OffsetFromUTC, offsetBefore).toLocalTime();
}

int number(const QRegularExpressionMatch &match, int group)
{
    return match.capturedView(group).toInt();
}

} // namespace

QDateTime ImportTime::parse(const QString &text, bool dayFirst)
{
    const QString trimmed = text.trimmed();
    if (const QRegularExpressionMatch yearLast = yearLastPattern().match(trimmed); yearLast.hasMatch()) {
        const int first = number(yearLast, 1);
        const int second = number(yearLast, 3);
        const QDate date(number(yearLast, 4), dayFirst ? second : first, dayFirst ? first : second);
        QTime time(12, 0);
        if (yearLast.hasCaptured(5))
            time = QTime(number(yearLast, 5), number(yearLast, 6),
                         yearLast.hasCaptured(7) ? number(yearLast, 7) : 0);
        return localInstant(date, time);
    }
    const QRegularExpressionMatch match = dateTimePattern().match(trimmed);
    if (!match.hasMatch())
        return {};
    const int year = number(match, 1);
    const QDate date = match.hasCaptured(2) ? QDate(year, number(match, 2), number(match, 3))
                                            : QDate(year, number(match, 4), number(match, 5));
    QTime time(12, 0);
    if (match.hasCaptured(6))
        time = QTime(number(match, 6), number(match, 7), match.hasCaptured(8) ? number(match, 8) : 0);
    return localInstant(date, time);
}

QDateTime ImportTime::parse(const QString &date, const QString &time, bool dayFirst)
{
    const QString trimmedTime = time.trimmed();
    if (trimmedTime.isEmpty())
        return parse(date, dayFirst);
    const QDateTime day = parse(date, dayFirst);
    const QRegularExpressionMatch match = timePattern().match(trimmedTime);
    if (!day.isValid() || !match.hasMatch())
        return {};
    if (match.hasCaptured(4))
        return localInstant(day.date(), QTime(number(match, 4), number(match, 5), number(match, 6)));
    return localInstant(
        day.date(), QTime(number(match, 1), number(match, 2), match.hasCaptured(3) ? number(match, 3) : 0));
}

bool ImportTime::yearLastNumbers(const QString &text, int *first, int *second)
{
    const QRegularExpressionMatch match = yearLastPattern().match(text.trimmed());
    if (!match.hasMatch())
        return false;
    *first = number(match, 1);
    *second = number(match, 3);
    return true;
}

QDateTime ImportTime::fromWorkbookDay(const QString &text, bool date1904)
{
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    if (!ok || !(value >= 1.0 && value < 2958466.0))
        return {};
    auto days = static_cast<qint64>(std::floor(value));
    auto seconds = static_cast<int>(std::llround((value - static_cast<double>(days)) * 86400.0));
    if (seconds >= 86400) {
        ++days;
        seconds -= 86400;
    }
    const QDate base = date1904 ? QDate(1904, 1, 1) : QDate(1899, 12, 30);
    const QDate date = base.addDays(days);
    if (date.year() < 1900 || date.year() > 9999)
        return {};
    return localInstant(date, QTime(0, 0).addSecs(seconds));
}
