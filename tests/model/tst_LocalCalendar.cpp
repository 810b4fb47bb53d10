// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestRegistry.h"
#include "TestSupport.h"

#include "model/LocalCalendar.h"

#include <QLocale>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const QByteArray shanghai = "Asia/Shanghai";
const QByteArray newYork = "America/New_York";
const QByteArray berlin = "Europe/Berlin";
// Clocks jumped from 00:00 to 01:00 on 4 November 2018: that day has no midnight.
const QByteArray saoPaulo = "America/Sao_Paulo";
// Same on 10 March 2024.
const QByteArray havana = "America/Havana";

// An ISO 8601 text: local time without an offset, an absolute instant with "Z" or an offset.
// Parsed when called, so local texts follow the zone in force then.
QDateTime at(const QString &iso)
{
    const QDateTime instant = QDateTime::fromString(iso, Qt::ISODate);
    if (!instant.isValid())
        qFatal("bad or non-existent instant in a test table: %s", qPrintable(iso));
    return instant;
}

double hoursBetween(const QDateTime &from, const QDateTime &to)
{
    return from.secsTo(to) / 3600.0;
}

QLocale unitedStates()
{
    return QLocale(QLocale::English, QLocale::UnitedStates);
}

QLocale germany()
{
    return QLocale(QLocale::German, QLocale::Germany);
}

QLocale egypt()
{
    return QLocale(QLocale::Arabic, QLocale::Egypt);
}

// The interval's bounds as the row gives them (ISO texts in the current zone) and its length.
void checkBounds(const DateInterval &interval, const QString &start, const QString &end, double hours)
{
    QCOMPARE(interval.start, at(start));
    QCOMPARE(interval.end, at(end));
    QCOMPARE(hoursBetween(interval.start, interval.end), hours);
}

// One row of a table with the columns zone, instant, start, end and hours: in the row's zone,
// the interval computed for the instant has the expected bounds and length, and then passes
// the further checks.
template <class Checks> void checkIntervalRow(DateInterval (*compute)(const QDateTime &), Checks further)
{
    QFETCH(QByteArray, zone);
    QFETCH(QString, instant);
    QFETCH(QString, start);
    QFETCH(QString, end);
    QFETCH(double, hours);
    TestSupport::ScopedTimeZone timeZone(zone);

    const QDateTime when = at(instant);
    const DateInterval interval = compute(when);
    checkBounds(interval, start, end, hours);
    if (!QTest::currentTestFailed())
        further(when, interval);
}

} // namespace

class LocalCalendarTest final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void timeZoneSwitchReachesQt()
    {
        // Every other test here relies on TZ changes being seen by Qt's local time.
        const QDateTime instant = at(u"2024-07-01T12:00:00Z"_s);
        {
            TestSupport::ScopedTimeZone zone(newYork);
            QCOMPARE(instant.toLocalTime().offsetFromUtc(), -4 * 3600);
        }
        {
            TestSupport::ScopedTimeZone zone(berlin);
            QCOMPARE(instant.toLocalTime().offsetFromUtc(), 2 * 3600);
        }
        QCOMPARE(instant.toLocalTime().offsetFromUtc(), 8 * 3600);
    }

    void startOfDay_data()
    {
        QTest::addColumn<QByteArray>("zone");
        QTest::addColumn<QString>("instant");
        QTest::addColumn<QString>("start");

        QTest::newRow("noon") << shanghai << u"2024-03-05T12:34:56"_s << u"2024-03-05T00:00:00"_s;
        QTest::newRow("midnight itself") << shanghai << u"2024-03-05T00:00:00"_s << u"2024-03-05T00:00:00"_s;
        QTest::newRow("last second") << shanghai << u"2024-03-05T23:59:59"_s << u"2024-03-05T00:00:00"_s;
        QTest::newRow("UTC instant on the next local day")
            << shanghai << u"2024-03-31T16:30:00Z"_s << u"2024-04-01T00:00:00"_s;
        QTest::newRow("New York spring-forward day")
            << newYork << u"2024-03-10T12:00:00"_s << u"2024-03-10T00:00:00"_s;
        QTest::newRow("New York repeated hour, second pass")
            << newYork << u"2024-11-03T01:30:00-05:00"_s << u"2024-11-03T00:00:00"_s;
        QTest::newRow("Berlin fall-back day")
            << berlin << u"2024-10-27T23:00:00"_s << u"2024-10-27T00:00:00"_s;
        QTest::newRow("Sao Paulo day without midnight")
            << saoPaulo << u"2018-11-04T12:00:00"_s << u"2018-11-04T01:00:00"_s;
        QTest::newRow("Havana day without midnight")
            << havana << u"2024-03-10T12:00:00"_s << u"2024-03-10T01:00:00"_s;
    }

    void startOfDay()
    {
        QFETCH(QByteArray, zone);
        QFETCH(QString, instant);
        QFETCH(QString, start);
        TestSupport::ScopedTimeZone timeZone(zone);

        const QDateTime when = at(instant);
        const QDateTime expected = at(start);
        QCOMPARE(LocalCalendar::startOfDay(when), expected);
        QCOMPARE(LocalCalendar::startOfDay(when.toLocalTime().date()), expected);
    }

    void addDays_data()
    {
        QTest::addColumn<QByteArray>("zone");
        QTest::addColumn<QString>("from");
        QTest::addColumn<qint64>("days");
        QTest::addColumn<QString>("to");
        QTest::addColumn<double>("hours");

        QTest::newRow("one day") << shanghai << u"2024-03-05T14:30:00"_s << qint64(1)
                                 << u"2024-03-06T14:30:00"_s << 24.0;
        QTest::newRow("zero days") << shanghai << u"2024-03-05T14:30:00"_s << qint64(0)
                                   << u"2024-03-05T14:30:00"_s << 0.0;
        QTest::newRow("back over a leap day")
            << shanghai << u"2024-03-01T10:00:00"_s << qint64(-1) << u"2024-02-29T10:00:00"_s << -24.0;
        QTest::newRow("into the next year")
            << shanghai << u"2024-12-31T08:00:00"_s << qint64(1) << u"2025-01-01T08:00:00"_s << 24.0;
        QTest::newRow("a leap year") << shanghai << u"2024-01-01T08:00:00"_s << qint64(366)
                                     << u"2025-01-01T08:00:00"_s << 366 * 24.0;
        QTest::newRow("UTC instant counted locally")
            << shanghai << u"2024-03-31T16:30:00Z"_s << qint64(1) << u"2024-04-02T00:30:00"_s << 24.0;
        QTest::newRow("New York over spring forward")
            << newYork << u"2024-03-09T12:00:00"_s << qint64(1) << u"2024-03-10T12:00:00"_s << 23.0;
        QTest::newRow("New York back over spring forward")
            << newYork << u"2024-03-10T12:00:00"_s << qint64(-1) << u"2024-03-09T12:00:00"_s << -23.0;
        QTest::newRow("New York, both after the change")
            << newYork << u"2024-03-11T09:00:00"_s << qint64(-1) << u"2024-03-10T09:00:00"_s << -24.0;
        QTest::newRow("New York over fall back")
            << newYork << u"2024-11-02T12:00:00"_s << qint64(1) << u"2024-11-03T12:00:00"_s << 25.0;
        // 02:30 does not exist on 10 March; the clock lands an hour later.
        QTest::newRow("New York onto the skipped hour")
            << newYork << u"2024-03-09T02:30:00"_s << qint64(1) << u"2024-03-10T03:30:00"_s << 24.0;
        QTest::newRow("Berlin week over spring forward")
            << berlin << u"2024-03-28T18:00:00"_s << qint64(7) << u"2024-04-04T18:00:00"_s << 167.0;
        QTest::newRow("Berlin over fall back")
            << berlin << u"2024-10-26T18:00:00"_s << qint64(1) << u"2024-10-27T18:00:00"_s << 25.0;
        QTest::newRow("Sao Paulo onto the missing midnight")
            << saoPaulo << u"2018-11-03T00:00:00"_s << qint64(1) << u"2018-11-04T01:00:00"_s << 24.0;
    }

    void addDays()
    {
        QFETCH(QByteArray, zone);
        QFETCH(QString, from);
        QFETCH(qint64, days);
        QFETCH(QString, to);
        QFETCH(double, hours);
        TestSupport::ScopedTimeZone timeZone(zone);

        const QDateTime start = at(from);
        const QDateTime result = LocalCalendar::addDays(start, days);
        QVERIFY(result.isValid());
        QCOMPARE(result, at(to));
        QCOMPARE(hoursBetween(start, result), hours);
    }

    void addMonths_data()
    {
        QTest::addColumn<QByteArray>("zone");
        QTest::addColumn<QString>("from");
        QTest::addColumn<int>("months");
        QTest::addColumn<QString>("to");

        QTest::newRow("31 Jan + 1 clamps to leap day")
            << shanghai << u"2024-01-31T09:00:00"_s << 1 << u"2024-02-29T09:00:00"_s;
        QTest::newRow("31 Jan + 1 clamps to 28 Feb")
            << shanghai << u"2023-01-31T09:00:00"_s << 1 << u"2023-02-28T09:00:00"_s;
        QTest::newRow("31 Jan + 2 keeps the 31st")
            << shanghai << u"2024-01-31T09:00:00"_s << 2 << u"2024-03-31T09:00:00"_s;
        QTest::newRow("31 Mar - 1 clamps")
            << shanghai << u"2024-03-31T09:00:00"_s << -1 << u"2024-02-29T09:00:00"_s;
        QTest::newRow("leap day + 12")
            << shanghai << u"2024-02-29T09:00:00"_s << 12 << u"2025-02-28T09:00:00"_s;
        QTest::newRow("December + 1")
            << shanghai << u"2024-12-15T20:00:00"_s << 1 << u"2025-01-15T20:00:00"_s;
        QTest::newRow("January - 1") << shanghai << u"2024-01-15T20:00:00"_s << -1
                                     << u"2023-12-15T20:00:00"_s;
        QTest::newRow("zero months") << shanghai << u"2024-01-31T09:00:00"_s << 0 << u"2024-01-31T09:00:00"_s;
        // 16:30 UTC on 30 January is 00:30 on 31 January in Shanghai: the local day is clamped.
        QTest::newRow("UTC instant counted locally")
            << shanghai << u"2024-01-30T16:30:00Z"_s << 1 << u"2024-02-29T00:30:00"_s;
        QTest::newRow("New York over spring forward")
            << newYork << u"2024-02-10T12:00:00"_s << 1 << u"2024-03-10T12:00:00"_s;
        QTest::newRow("New York onto the skipped hour")
            << newYork << u"2024-02-10T02:30:00"_s << 1 << u"2024-03-10T03:30:00"_s;
        QTest::newRow("Berlin over fall back")
            << berlin << u"2024-10-15T23:30:00"_s << 1 << u"2024-11-15T23:30:00"_s;
    }

    void addMonths()
    {
        QFETCH(QByteArray, zone);
        QFETCH(QString, from);
        QFETCH(int, months);
        QFETCH(QString, to);
        TestSupport::ScopedTimeZone timeZone(zone);

        const QDateTime result = LocalCalendar::addMonths(at(from), months);
        QVERIFY(result.isValid());
        QCOMPARE(result, at(to));
    }

    void dayInterval_data()
    {
        QTest::addColumn<QByteArray>("zone");
        QTest::addColumn<QString>("instant");
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("end");
        QTest::addColumn<double>("hours");

        QTest::newRow("Shanghai") << shanghai << u"2024-03-05T12:00:00"_s << u"2024-03-05T00:00:00"_s
                                  << u"2024-03-06T00:00:00"_s << 24.0;
        QTest::newRow("Shanghai, UTC instant")
            << shanghai << u"2024-03-31T16:30:00Z"_s << u"2024-04-01T00:00:00"_s << u"2024-04-02T00:00:00"_s
            << 24.0;
        QTest::newRow("New York spring forward")
            << newYork << u"2024-03-10T12:00:00"_s << u"2024-03-10T00:00:00"_s << u"2024-03-11T00:00:00"_s
            << 23.0;
        QTest::newRow("New York fall back") << newYork << u"2024-11-03T12:00:00"_s << u"2024-11-03T00:00:00"_s
                                            << u"2024-11-04T00:00:00"_s << 25.0;
        QTest::newRow("New York day before spring forward")
            << newYork << u"2024-03-09T23:59:59"_s << u"2024-03-09T00:00:00"_s << u"2024-03-10T00:00:00"_s
            << 24.0;
        QTest::newRow("Berlin spring forward")
            << berlin << u"2024-03-31T12:00:00"_s << u"2024-03-31T00:00:00"_s << u"2024-04-01T00:00:00"_s
            << 23.0;
        QTest::newRow("Berlin fall back") << berlin << u"2024-10-27T12:00:00"_s << u"2024-10-27T00:00:00"_s
                                          << u"2024-10-28T00:00:00"_s << 25.0;
        QTest::newRow("Sao Paulo day without midnight")
            << saoPaulo << u"2018-11-04T12:00:00"_s << u"2018-11-04T01:00:00"_s << u"2018-11-05T00:00:00"_s
            << 23.0;
        QTest::newRow("Sao Paulo day before") << saoPaulo << u"2018-11-03T12:00:00"_s
                                              << u"2018-11-03T00:00:00"_s << u"2018-11-04T01:00:00"_s << 24.0;
        QTest::newRow("Havana day without midnight")
            << havana << u"2024-03-10T12:00:00"_s << u"2024-03-10T01:00:00"_s << u"2024-03-11T00:00:00"_s
            << 23.0;
    }

    void dayInterval()
    {
        checkIntervalRow(&LocalCalendar::dayInterval, [](const QDateTime &when, const DateInterval &day) {
            QVERIFY(day.contains(when));
            QVERIFY(day.contains(day.start));
            QVERIFY(!day.contains(day.end));
        });
    }

    void weekInterval_data()
    {
        QTest::addColumn<QByteArray>("zone");
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("instant");
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("end");
        QTest::addColumn<double>("hours");

        QTest::newRow("Sunday start") << shanghai << unitedStates() << u"2024-03-06T12:00:00"_s
                                      << u"2024-03-03T00:00:00"_s << u"2024-03-10T00:00:00"_s << 168.0;
        QTest::newRow("Monday start") << shanghai << germany() << u"2024-03-06T12:00:00"_s
                                      << u"2024-03-04T00:00:00"_s << u"2024-03-11T00:00:00"_s << 168.0;
        QTest::newRow("Saturday start") << shanghai << egypt() << u"2024-03-06T12:00:00"_s
                                        << u"2024-03-02T00:00:00"_s << u"2024-03-09T00:00:00"_s << 168.0;
        QTest::newRow("on the first weekday at midnight")
            << shanghai << unitedStates() << u"2024-03-03T00:00:00"_s << u"2024-03-03T00:00:00"_s
            << u"2024-03-10T00:00:00"_s << 168.0;
        QTest::newRow("last second of the week")
            << shanghai << unitedStates() << u"2024-03-09T23:59:59"_s << u"2024-03-03T00:00:00"_s
            << u"2024-03-10T00:00:00"_s << 168.0;
        QTest::newRow("Sunday in a Monday week")
            << shanghai << germany() << u"2024-03-10T23:00:00"_s << u"2024-03-04T00:00:00"_s
            << u"2024-03-11T00:00:00"_s << 168.0;
        QTest::newRow("across New Year") << shanghai << germany() << u"2025-01-01T12:00:00"_s
                                         << u"2024-12-30T00:00:00"_s << u"2025-01-06T00:00:00"_s << 168.0;
        QTest::newRow("New York spring forward, Sunday start")
            << newYork << unitedStates() << u"2024-03-12T12:00:00"_s << u"2024-03-10T00:00:00"_s
            << u"2024-03-17T00:00:00"_s << 167.0;
        QTest::newRow("New York spring forward, Monday start")
            << newYork << germany() << u"2024-03-10T12:00:00"_s << u"2024-03-04T00:00:00"_s
            << u"2024-03-11T00:00:00"_s << 167.0;
        QTest::newRow("New York fall back, Sunday start")
            << newYork << unitedStates() << u"2024-11-05T12:00:00"_s << u"2024-11-03T00:00:00"_s
            << u"2024-11-10T00:00:00"_s << 169.0;
        QTest::newRow("Berlin spring forward")
            << berlin << germany() << u"2024-03-31T12:00:00"_s << u"2024-03-25T00:00:00"_s
            << u"2024-04-01T00:00:00"_s << 167.0;
        QTest::newRow("Berlin fall back") << berlin << germany() << u"2024-10-27T12:00:00"_s
                                          << u"2024-10-21T00:00:00"_s << u"2024-10-28T00:00:00"_s << 169.0;
        QTest::newRow("Sao Paulo week starting without midnight")
            << saoPaulo << unitedStates() << u"2018-11-06T12:00:00"_s << u"2018-11-04T01:00:00"_s
            << u"2018-11-11T00:00:00"_s << 167.0;
    }

    void weekInterval()
    {
        QFETCH(QByteArray, zone);
        QFETCH(QLocale, locale);
        QFETCH(QString, instant);
        QFETCH(QString, start);
        QFETCH(QString, end);
        QFETCH(double, hours);
        TestSupport::ScopedTimeZone timeZone(zone);

        const QDateTime when = at(instant);
        const DateInterval week = LocalCalendar::weekInterval(when, locale);
        checkBounds(week, start, end, hours);
        if (QTest::currentTestFailed())
            return;
        QCOMPARE(week.start.toLocalTime().date().daysTo(week.end.toLocalTime().date()), qint64(7));
        QVERIFY(week.containsClosed(when));
    }

    void weekFollowsDefaultLocale_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<int>("firstWeekday");

        QTest::newRow("en_US") << unitedStates() << int(Qt::Sunday);
        QTest::newRow("de_DE") << germany() << int(Qt::Monday);
        QTest::newRow("ar_EG") << egypt() << int(Qt::Saturday);
    }

    void weekFollowsDefaultLocale()
    {
        QFETCH(QLocale, locale);
        QFETCH(int, firstWeekday);
        TestSupport::ScopedLocale scoped(locale);

        // Every day of one fortnight lies in a week that starts on the locale's first day.
        for (int offset = 0; offset < 14; ++offset) {
            const QDateTime when = at(u"2024-03-01T12:00:00"_s).addDays(offset);
            const DateInterval week = LocalCalendar::weekInterval(when);
            QCOMPARE(week.start.date().dayOfWeek(), firstWeekday);
            QVERIFY(week.contains(when));
        }
    }

    void monthInterval_data()
    {
        QTest::addColumn<QByteArray>("zone");
        QTest::addColumn<QString>("instant");
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("end");
        QTest::addColumn<double>("hours");

        QTest::newRow("leap February") << shanghai << u"2024-02-15T12:00:00"_s << u"2024-02-01T00:00:00"_s
                                       << u"2024-03-01T00:00:00"_s << 29 * 24.0;
        QTest::newRow("first instant of the month")
            << shanghai << u"2024-04-01T00:00:00"_s << u"2024-04-01T00:00:00"_s << u"2024-05-01T00:00:00"_s
            << 30 * 24.0;
        QTest::newRow("last second of the month")
            << shanghai << u"2024-04-30T23:59:59"_s << u"2024-04-01T00:00:00"_s << u"2024-05-01T00:00:00"_s
            << 30 * 24.0;
        QTest::newRow("December") << shanghai << u"2024-12-31T12:00:00"_s << u"2024-12-01T00:00:00"_s
                                  << u"2025-01-01T00:00:00"_s << 31 * 24.0;
        QTest::newRow("UTC instant in the next local month")
            << shanghai << u"2024-03-31T16:30:00Z"_s << u"2024-04-01T00:00:00"_s << u"2024-05-01T00:00:00"_s
            << 30 * 24.0;
        QTest::newRow("New York March") << newYork << u"2024-03-20T12:00:00"_s << u"2024-03-01T00:00:00"_s
                                        << u"2024-04-01T00:00:00"_s << 743.0;
        QTest::newRow("New York November") << newYork << u"2024-11-20T12:00:00"_s << u"2024-11-01T00:00:00"_s
                                           << u"2024-12-01T00:00:00"_s << 721.0;
        QTest::newRow("Berlin March") << berlin << u"2024-03-01T00:00:00"_s << u"2024-03-01T00:00:00"_s
                                      << u"2024-04-01T00:00:00"_s << 743.0;
        QTest::newRow("Berlin October") << berlin << u"2024-10-31T23:59:59"_s << u"2024-10-01T00:00:00"_s
                                        << u"2024-11-01T00:00:00"_s << 745.0;
        QTest::newRow("Sao Paulo November") << saoPaulo << u"2018-11-04T12:00:00"_s
                                            << u"2018-11-01T00:00:00"_s << u"2018-12-01T00:00:00"_s << 719.0;
    }

    void monthInterval()
    {
        checkIntervalRow(&LocalCalendar::monthInterval, [](const QDateTime &when, const DateInterval &month) {
            QVERIFY(month.containsClosed(when));
        });
    }

    void wholeDays_data()
    {
        QTest::addColumn<QByteArray>("zone");
        QTest::addColumn<QDate>("first");
        QTest::addColumn<QDate>("last");
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("end");
        QTest::addColumn<double>("hours");

        QTest::newRow("one day") << shanghai << QDate(2024, 3, 5) << QDate(2024, 3, 5)
                                 << u"2024-03-05T00:00:00"_s << u"2024-03-06T00:00:00"_s << 24.0;
        QTest::newRow("over a month end") << shanghai << QDate(2024, 2, 28) << QDate(2024, 3, 1)
                                          << u"2024-02-28T00:00:00"_s << u"2024-03-02T00:00:00"_s << 72.0;
        QTest::newRow("New York over spring forward")
            << newYork << QDate(2024, 3, 9) << QDate(2024, 3, 10) << u"2024-03-09T00:00:00"_s
            << u"2024-03-11T00:00:00"_s << 47.0;
        QTest::newRow("Sao Paulo ending on the day without midnight")
            << saoPaulo << QDate(2018, 11, 3) << QDate(2018, 11, 3) << u"2018-11-03T00:00:00"_s
            << u"2018-11-04T01:00:00"_s << 24.0;
    }

    void wholeDays()
    {
        QFETCH(QByteArray, zone);
        QFETCH(QDate, first);
        QFETCH(QDate, last);
        QFETCH(QString, start);
        QFETCH(QString, end);
        QFETCH(double, hours);
        TestSupport::ScopedTimeZone timeZone(zone);

        checkBounds(LocalCalendar::wholeDays(first, last), start, end, hours);
    }

    void wholeDaysBounds_data()
    {
        QTest::addColumn<QString>("probe");
        QTest::addColumn<bool>("inside");

        QTest::newRow("second before the first day") << u"2024-03-08T23:59:59"_s << false;
        QTest::newRow("start of the first day") << u"2024-03-09T00:00:00"_s << true;
        QTest::newRow("in the skipped hour's place") << u"2024-03-10T07:30:00Z"_s << true;
        QTest::newRow("last second of the last day") << u"2024-03-10T23:59:59"_s << true;
        QTest::newRow("start of the day after") << u"2024-03-11T00:00:00"_s << false;
    }

    void wholeDaysBounds()
    {
        QFETCH(QString, probe);
        QFETCH(bool, inside);
        TestSupport::ScopedTimeZone timeZone(newYork);

        const DateInterval days = LocalCalendar::wholeDays(QDate(2024, 3, 9), QDate(2024, 3, 10));
        QCOMPARE(days.contains(at(probe)), inside);
    }

    void closedAndHalfOpen_data()
    {
        QTest::addColumn<qint64>("secondsFromStart");
        QTest::addColumn<bool>("contains");
        QTest::addColumn<bool>("containsClosed");

        const qint64 week = 7 * 24 * 3600;
        QTest::newRow("second before the start") << qint64(-1) << false << false;
        QTest::newRow("start") << qint64(0) << true << true;
        QTest::newRow("second before the end") << week - 1 << true << true;
        QTest::newRow("end") << week << false << true;
        QTest::newRow("second after the end") << week + 1 << false << false;
    }

    void closedAndHalfOpen()
    {
        QFETCH(qint64, secondsFromStart);
        QFETCH(bool, contains);
        QFETCH(bool, containsClosed);

        const DateInterval week = LocalCalendar::weekInterval(at(u"2024-03-06T12:00:00"_s), germany());
        const QDateTime probe = week.start.addSecs(secondsFromStart);
        QCOMPARE(week.contains(probe), contains);
        QCOMPARE(week.containsClosed(probe), containsClosed);
    }

    void wholeMonthsBetween_data()
    {
        QTest::addColumn<QByteArray>("zone");
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<int>("months");

        QTest::newRow("same instant")
            << shanghai << u"2024-01-15T10:00:00"_s << u"2024-01-15T10:00:00"_s << 0;
        QTest::newRow("15 Jan to 14 Feb")
            << shanghai << u"2024-01-15T10:00:00"_s << u"2024-02-14T10:00:00"_s << 0;
        QTest::newRow("one second short of a month")
            << shanghai << u"2024-01-15T10:00:00"_s << u"2024-02-15T09:59:59"_s << 0;
        QTest::newRow("15 Jan to 15 Feb")
            << shanghai << u"2024-01-15T10:00:00"_s << u"2024-02-15T10:00:00"_s << 1;
        QTest::newRow("31 Jan to 29 Feb 2024")
            << shanghai << u"2024-01-31T00:00:00"_s << u"2024-02-29T00:00:00"_s << 1;
        QTest::newRow("31 Jan to 28 Feb 2024")
            << shanghai << u"2024-01-31T00:00:00"_s << u"2024-02-28T00:00:00"_s << 0;
        QTest::newRow("31 Jan to 28 Feb 2023")
            << shanghai << u"2023-01-31T00:00:00"_s << u"2023-02-28T00:00:00"_s << 1;
        QTest::newRow("31 Jan to 30 Mar")
            << shanghai << u"2024-01-31T00:00:00"_s << u"2024-03-30T00:00:00"_s << 1;
        QTest::newRow("31 Jan to 31 Mar")
            << shanghai << u"2024-01-31T00:00:00"_s << u"2024-03-31T00:00:00"_s << 2;
        QTest::newRow("a year") << shanghai << u"2023-03-15T00:00:00"_s << u"2024-03-15T00:00:00"_s << 12;
        QTest::newRow("a day short of a year")
            << shanghai << u"2023-03-15T00:00:00"_s << u"2024-03-14T00:00:00"_s << 11;
        QTest::newRow("reversed month")
            << shanghai << u"2024-02-15T10:00:00"_s << u"2024-01-15T10:00:00"_s << -1;
        QTest::newRow("reversed 14 months")
            << shanghai << u"2024-03-15T00:00:00"_s << u"2023-01-15T00:00:00"_s << -14;
        QTest::newRow("reversed, less than a month")
            << shanghai << u"2024-02-14T10:00:00"_s << u"2024-01-15T10:00:00"_s << 0;
        // From 00:30 on 31 January local time; in UTC it would still be 30 January.
        QTest::newRow("UTC instant counted in local months")
            << shanghai << u"2024-01-30T16:30:00Z"_s << u"2024-02-29T00:30:00"_s << 1;
        QTest::newRow("New York over spring forward")
            << newYork << u"2024-02-10T12:00:00"_s << u"2024-03-10T12:00:00"_s << 1;
        QTest::newRow("New York over spring forward, second short")
            << newYork << u"2024-02-10T12:00:00"_s << u"2024-03-10T11:59:59"_s << 0;
        QTest::newRow("New York over fall back")
            << newYork << u"2024-10-03T12:00:00"_s << u"2024-11-03T12:00:00"_s << 1;
        QTest::newRow("New York year over both changes")
            << newYork << u"2024-01-01T00:00:00"_s << u"2025-01-01T00:00:00"_s << 12;
        QTest::newRow("Sao Paulo to the day without midnight")
            << saoPaulo << u"2018-10-04T00:00:00"_s << u"2018-11-04T01:00:00"_s << 1;
    }

    void wholeMonthsBetween()
    {
        QFETCH(QByteArray, zone);
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(int, months);
        TestSupport::ScopedTimeZone timeZone(zone);

        QCOMPARE(LocalCalendar::wholeMonthsBetween(at(from), at(to)), months);
    }
};

PENNYLOOM_TEST(LocalCalendarTest)
#include "tst_LocalCalendar.moc"
