#include "DateText.h"

#include <QLocale>

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

} // namespace

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
    return QString::number(date.month()) + u'月' + QString::number(date.day()) + u"日 "_s
         + chinese().dayName(date.dayOfWeek(), QLocale::LongFormat);
}
