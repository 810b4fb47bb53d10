// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestRegistry.h"
#include "TestSupport.h"

#include "model/DateText.h"

#include <QLocale>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// An ISO 8601 text: local time without an offset, an absolute instant with "Z" or an offset.
// Parsed at the time of the call, so local texts follow the zone in force then.
QDateTime at(const QString &iso)
{
    const QDateTime instant = QDateTime::fromString(iso, Qt::ISODate);
    if (!instant.isValid())
        qFatal("bad instant in a test table: %s", qPrintable(iso));
    return instant;
}

} // namespace

class DateTextTest final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void texts_data()
    {
        QTest::addColumn<QByteArray>("zone");
        QTest::addColumn<QString>("instant");
        QTest::addColumn<QString>("monthKey");
        QTest::addColumn<QString>("displayMonth");
        QTest::addColumn<QString>("displayDate");

        const QByteArray shanghai = "Asia/Shanghai";
        QTest::newRow("ordinary Tuesday")
            << shanghai << u"2024-03-05T09:15:00"_s << u"2024-03"_s << u"2024年3月"_s << u"3月5日 星期二"_s;
        QTest::newRow("Sunday") << shanghai << u"2024-03-10T12:00:00"_s << u"2024-03"_s << u"2024年3月"_s
                                << u"3月10日 星期日"_s;
        QTest::newRow("leap day") << shanghai << u"2024-02-29T00:00:00"_s << u"2024-02"_s << u"2024年2月"_s
                                  << u"2月29日 星期四"_s;
        QTest::newRow("last second of a year") << shanghai << u"2024-12-31T23:59:59"_s << u"2024-12"_s
                                               << u"2024年12月"_s << u"12月31日 星期二"_s;
        QTest::newRow("first instant of a year")
            << shanghai << u"2025-01-01T00:00:00"_s << u"2025-01"_s << u"2025年1月"_s << u"1月1日 星期三"_s;
        QTest::newRow("three-digit year padded")
            << shanghai << u"0999-07-04T12:00:00"_s << u"0999-07"_s << u"0999年7月"_s << u"7月4日 星期四"_s;
        // 16:30 UTC on 31 March is 00:30 on 1 April in Shanghai.
        QTest::newRow("UTC instant in Shanghai")
            << shanghai << u"2024-03-31T16:30:00Z"_s << u"2024-04"_s << u"2024年4月"_s << u"4月1日 星期一"_s;
        QTest::newRow("offset instant in Shanghai") << shanghai << u"2024-03-31T23:30:00+09:00"_s
                                                    << u"2024-03"_s << u"2024年3月"_s << u"3月31日 星期日"_s;

        const QByteArray newYork = "America/New_York";
        QTest::newRow("New York local")
            << newYork << u"2024-03-10T03:30:00"_s << u"2024-03"_s << u"2024年3月"_s << u"3月10日 星期日"_s;
        // Still 29 February in New York while it is already March in UTC and in Shanghai.
        QTest::newRow("UTC instant in New York")
            << newYork << u"2024-03-01T03:00:00Z"_s << u"2024-02"_s << u"2024年2月"_s << u"2月29日 星期四"_s;
        QTest::newRow("New Year UTC in New York") << newYork << u"2025-01-01T00:30:00Z"_s << u"2024-12"_s
                                                  << u"2024年12月"_s << u"12月31日 星期二"_s;

        const QByteArray berlin = "Europe/Berlin";
        // Summer time: 22:30 UTC on 31 March is 00:30 on 1 April in Berlin.
        QTest::newRow("UTC instant in Berlin summer")
            << berlin << u"2024-03-31T22:30:00Z"_s << u"2024-04"_s << u"2024年4月"_s << u"4月1日 星期一"_s;
        // Winter time: 22:30 UTC on 31 January is still 23:30 on 31 January.
        QTest::newRow("UTC instant in Berlin winter")
            << berlin << u"2024-01-31T22:30:00Z"_s << u"2024-01"_s << u"2024年1月"_s << u"1月31日 星期三"_s;
    }

    void texts()
    {
        QFETCH(QByteArray, zone);
        QFETCH(QString, instant);
        QFETCH(QString, monthKey);
        QFETCH(QString, displayMonth);
        QFETCH(QString, displayDate);
        TestSupport::ScopedTimeZone timeZone(zone);

        const QDateTime when = at(instant);
        QCOMPARE(DateText::monthKey(when), monthKey);
        QCOMPARE(DateText::displayMonth(when), displayMonth);
        QCOMPARE(DateText::displayDate(when), displayDate);
    }

    void sameMonth_data()
    {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        QTest::addColumn<bool>("same");

        QTest::newRow("1 Mar 00:00 and 31 Mar 23:59")
            << u"2024-03-01T00:00:00"_s << u"2024-03-31T23:59:00"_s << true;
        QTest::newRow("31 Mar 23:59:59 and 1 Apr 00:00")
            << u"2024-03-31T23:59:59"_s << u"2024-04-01T00:00:00"_s << false;
        QTest::newRow("same month of another year")
            << u"2023-03-15T12:00:00"_s << u"2024-03-15T12:00:00"_s << false;
        QTest::newRow("UTC instant and local time of one day")
            << u"2024-03-31T16:30:00Z"_s << u"2024-04-01T08:00:00"_s << true;
    }

    void sameMonth()
    {
        QFETCH(QString, first);
        QFETCH(QString, second);
        QFETCH(bool, same);
        QCOMPARE(DateText::monthKey(at(first)) == DateText::monthKey(at(second)), same);
    }

    void keysOrderAsText_data()
    {
        QTest::addColumn<QString>("earlier");
        QTest::addColumn<QString>("later");

        QTest::newRow("across a year boundary") << u"2023-12-31T23:59:59"_s << u"2024-01-01T00:00:00"_s;
        QTest::newRow("one-digit and two-digit months")
            << u"2024-02-15T00:00:00"_s << u"2024-10-15T00:00:00"_s;
        QTest::newRow("September and October") << u"2024-09-30T12:00:00"_s << u"2024-10-01T12:00:00"_s;
        QTest::newRow("December before next January") << u"2023-12-01T00:00:00"_s << u"2024-01-31T00:00:00"_s;
        QTest::newRow("three-digit year before four-digit")
            << u"0999-12-01T00:00:00"_s << u"1000-01-01T00:00:00"_s;
    }

    void keysOrderAsText()
    {
        QFETCH(QString, earlier);
        QFETCH(QString, later);
        const QString a = DateText::monthKey(at(earlier));
        const QString b = DateText::monthKey(at(later));
        QVERIFY2(a < b, qPrintable(a + u" / "_s + b));
    }

    void independentOfLocale_data()
    {
        QTest::addColumn<QLocale>("locale");

        QTest::newRow("ar_EG") << QLocale(QLocale::Arabic, QLocale::Egypt);
        QTest::newRow("th_TH") << QLocale(QLocale::Thai, QLocale::Thailand);
        QTest::newRow("fa_IR") << QLocale(QLocale::Persian, QLocale::Iran);
        QTest::newRow("en_US") << QLocale(QLocale::English, QLocale::UnitedStates);
        QTest::newRow("ja_JP") << QLocale(QLocale::Japanese, QLocale::Japan);
        QTest::newRow("hi_IN") << QLocale(QLocale::Hindi, QLocale::India);
    }

    void independentOfLocale()
    {
        QFETCH(QLocale, locale);
        TestSupport::ScopedLocale scoped(locale);

        const QDateTime when = at(u"2024-03-05T09:15:00"_s);
        QCOMPARE(DateText::monthKey(when), u"2024-03"_s);
        QCOMPARE(DateText::displayMonth(when), u"2024年3月"_s);
        QCOMPARE(DateText::displayDate(when), u"3月5日 星期二"_s);
    }
};

PENNYLOOM_TEST(DateTextTest)
#include "tst_DateText.moc"
