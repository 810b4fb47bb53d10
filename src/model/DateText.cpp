#include "DateText.h"

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

// Built once: only the Chinese weekday names are locale data here.
const QLocale &chinese()
{
    static const QLocale locale(QLocale::Chinese, QLocale::SimplifiedHanScript, QLocale::China);
    return locale;
}

// One ICU formatter per locale name, in GMT: the day is handed over as its own noon in GMT,
// so neither ICU's idea of the time zone nor a daylight saving change can move it.
const icu::DateFormat *formatterFor(icu::DateFormat::EStyle style, const QString &localeName)
{
    static std::mutex mutex;
    static QHash<QString, std::shared_ptr<icu::DateFormat>> cache;
    const std::lock_guard lock(mutex);
    const QString key = QString::number(style) + u' ' + localeName;
    auto it = cache.find(key);
    if (it == cache.end()) {
        std::shared_ptr<icu::DateFormat> format(
            icu::DateFormat::createDateInstance(style, icu::Locale(localeName.toUtf8().constData())));
        if (format)
            format->adoptTimeZone(icu::TimeZone::createTimeZone(u"GMT"));
        it = cache.insert(key, format);
    }
    return it.value().get();
}

QString styledDate(QDate day, icu::DateFormat::EStyle style, QLocale::FormatType fallback)
{
    if (!day.isValid())
        return {};
    if (const icu::DateFormat *format = formatterFor(style, QLocale().name())) {
        const QDateTime noon(day, QTime(12, 0), Qt::UTC);
        icu::UnicodeString text;
        format->format(static_cast<UDate>(noon.toMSecsSinceEpoch()), text);
        return QString(reinterpret_cast<const QChar *>(text.getBuffer()), text.length());
    }
    return QLocale().toString(day, fallback);
}

} // namespace

QString DateText::mediumDate(QDate day)
{
    return styledDate(day, icu::DateFormat::kMedium, QLocale::ShortFormat);
}

QString DateText::longDate(QDate day)
{
    return styledDate(day, icu::DateFormat::kLong, QLocale::LongFormat);
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
