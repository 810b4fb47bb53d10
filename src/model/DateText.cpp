// SPDX-License-Identifier: GPL-3.0-or-later
#include "DateText.h"

#include "ProgramLocale.h"

#include <QHash>
#include <QLocale>
#include <QTimeZone>

#include <unicode/datefmt.h>
#include <unicode/timezone.h>

#include <memory>
#include <mutex>

using namespace Qt::StringLiterals;

namespace {

QDate localDate(const QDateTime &instant)
{
    return instant.toLocalTime().date();
}

// Only the Chinese weekday names are locale data here.
const QLocale &chinese()
{
    return ProgramLocale::chinese();
}

// The ICU formatters of one style, one per locale name, in GMT: the wall-clock date and time
// are handed over as that same reading in GMT, so neither ICU's idea of the time zone nor a
// daylight saving change can move them.
enum class Style { mediumDate, longDate, numericDateShortTime };

const icu::DateFormat *formatterFor(Style style, const QString &localeName)
{
    static std::mutex mutex;
    static QHash<QString, std::shared_ptr<icu::DateFormat>> cache;
    const std::lock_guard lock(mutex);
    const QString key = QString::number(static_cast<int>(style)) + u'|' + localeName;
    auto it = cache.find(key);
    if (it == cache.end()) {
        const icu::Locale locale(localeName.toUtf8().constData());
        icu::DateFormat *created = nullptr;
        switch (style) {
        case Style::mediumDate:
            created = icu::DateFormat::createDateInstance(icu::DateFormat::kMedium, locale);
            break;
        case Style::longDate:
            created = icu::DateFormat::createDateInstance(icu::DateFormat::kLong, locale);
            break;
        case Style::numericDateShortTime:
            created = icu::DateFormat::createDateTimeInstance(icu::DateFormat::kShort,
                                                              icu::DateFormat::kShort, locale);
            break;
        }
        std::shared_ptr<icu::DateFormat> format(created);
        if (format)
            format->adoptTimeZone(icu::TimeZone::createTimeZone(u"GMT"));
        it = cache.insert(key, format);
    }
    return it.value().get();
}

// The local reading (day and time of day) in the style of the user's current locale.
QString formatWallClock(Style style, QDate day, QTime time)
{
    const icu::DateFormat *format = formatterFor(style, QLocale().name());
    if (!format)
        return {};
    const QDateTime reading(day, time, Qt::UTC);
    icu::UnicodeString text;
    format->format(static_cast<UDate>(reading.toMSecsSinceEpoch()), text);
    return QString(reinterpret_cast<const QChar *>(text.getBuffer()), text.length());
}

} // namespace

QString DateText::mediumDate(QDate day)
{
    if (!day.isValid())
        return {};
    const QString text = formatWallClock(Style::mediumDate, day, QTime(12, 0));
    return text.isEmpty() ? QLocale().toString(day, QLocale::ShortFormat) : text;
}

QString DateText::longDate(QDate day)
{
    if (!day.isValid())
        return {};
    const QString text = formatWallClock(Style::longDate, day, QTime(12, 0));
    return text.isEmpty() ? QLocale().toString(day, QLocale::LongFormat) : text;
}

QString DateText::numericDateShortTime(const QDateTime &instant)
{
    if (!instant.isValid())
        return {};
    const QDateTime local = instant.toLocalTime();
    // Seconds play no part in a short time.
    const QTime minute(local.time().hour(), local.time().minute());
    const QString text = formatWallClock(Style::numericDateShortTime, local.date(), minute);
    return text.isEmpty() ? QLocale().toString(local, QLocale::ShortFormat) : text;
}

QString DateText::monthKey(const QDateTime &instant)
{
    const QDate date = localDate(instant);
    return QString::asprintf("%04d-%02d", date.year(), date.month());
}

QString DateText::displayMonth(const QDateTime &instant)
{
    const QDate date = localDate(instant);
    return QString::asprintf("%04d", date.year()) + u'年' + QString::number(date.month()) + u'月';
}

QString DateText::displayDate(const QDateTime &instant)
{
    const QDate date = localDate(instant);
    return QString::number(date.month()) + u'月' + QString::number(date.day()) + u"日 "_s +
           chinese().dayName(date.dayOfWeek(), QLocale::LongFormat);
}
