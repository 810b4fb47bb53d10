// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestRegistry.h"
#include "TestSupport.h"

#include "fixedassets/FixedAssetCategory.h"
#include "fixedassets/FixedAssetFigures.h"

#include <QTest>
#include <QTimeZone>

#include <limits>

using namespace Qt::StringLiterals;
using TestSupport::local;

namespace {

// Local date and time in the named zone.
QDateTime in(const QByteArray &zone, int year, int month, int day, int hour = 0, int minute = 0)
{
    return QDateTime(QDate(year, month, day), QTime(hour, minute), QTimeZone(zone));
}

} // namespace

class FixedAssetFiguresTest final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void usedMonths_data();
    void usedMonths();
    void monthsLeft_data();
    void monthsLeft();
    void monthlyDepreciation_data();
    void monthlyDepreciation();
    void figuresOfAnItem();
    void categoryIcons_data();
    void categoryIcons();
};

void FixedAssetFiguresTest::usedMonths_data()
{
    QTest::addColumn<QByteArray>("zone");
    QTest::addColumn<QDateTime>("purchase");
    QTest::addColumn<QDateTime>("now");
    QTest::addColumn<qint64>("used");

    const QByteArray shanghai = "Asia/Shanghai";
    const QByteArray newYork = "America/New_York";
    const QByteArray berlin = "Europe/Berlin";
    QTest::newRow("bought today") << shanghai << in(shanghai, 2024, 5, 4, 9) << in(shanghai, 2024, 5, 4, 18)
                                  << 0LL;
    QTest::newRow("5 March to 4 May")
        << shanghai << in(shanghai, 2024, 3, 5, 10) << in(shanghai, 2024, 5, 4, 23, 59) << 1LL;
    QTest::newRow("5 March to 5 May, same hour")
        << shanghai << in(shanghai, 2024, 3, 5, 10) << in(shanghai, 2024, 5, 5, 10) << 2LL;
    QTest::newRow("5 March to 5 May, an hour early")
        << shanghai << in(shanghai, 2024, 3, 5, 10) << in(shanghai, 2024, 5, 5, 9) << 1LL;
    QTest::newRow("31 January to 29 February")
        << shanghai << in(shanghai, 2024, 1, 31, 12) << in(shanghai, 2024, 2, 29, 12) << 1LL;
    QTest::newRow("31 January to 28 February, not leap")
        << shanghai << in(shanghai, 2023, 1, 31, 12) << in(shanghai, 2023, 2, 28, 12) << 1LL;
    QTest::newRow("across a year end")
        << shanghai << in(shanghai, 2023, 11, 20) << in(shanghai, 2024, 2, 19, 23) << 2LL;
    QTest::newRow("70 months ago") << shanghai << in(shanghai, 2018, 7, 1, 8) << in(shanghai, 2024, 5, 1, 8)
                                   << 70LL;
    QTest::newRow("purchase tomorrow")
        << shanghai << in(shanghai, 2024, 5, 5, 8) << in(shanghai, 2024, 5, 4, 8) << 0LL;
    QTest::newRow("purchase years ahead")
        << shanghai << in(shanghai, 2030, 1, 1) << in(shanghai, 2024, 5, 4) << 0LL;
    // Local clock months, not spans of 30 days: the hour lost to daylight saving time
    // does not take a month away, nor does the hour gained add one.
    QTest::newRow("New York, across spring forward")
        << newYork << in(newYork, 2024, 2, 10, 12) << in(newYork, 2024, 3, 10, 12) << 1LL;
    QTest::newRow("New York, an hour short after spring forward")
        << newYork << in(newYork, 2024, 2, 10, 12) << in(newYork, 2024, 3, 10, 11) << 0LL;
    QTest::newRow("Berlin, across fall back")
        << berlin << in(berlin, 2024, 9, 27, 0, 30) << in(berlin, 2024, 10, 27, 0, 30) << 1LL;
    QTest::newRow("Berlin, bought just before midnight")
        << berlin << in(berlin, 2024, 3, 30, 23, 30) << in(berlin, 2024, 4, 30, 23, 29) << 0LL;
    QTest::newRow("no purchase date") << shanghai << QDateTime() << in(shanghai, 2024, 5, 4) << 0LL;
}

void FixedAssetFiguresTest::usedMonths()
{
    QFETCH(QByteArray, zone);
    QFETCH(QDateTime, purchase);
    QFETCH(QDateTime, now);
    QFETCH(qint64, used);

    TestSupport::ScopedTimeZone pinned(zone);
    QCOMPARE(FixedAssetFigures::usedMonthsBetween(purchase, now), used);
}

void FixedAssetFiguresTest::monthsLeft_data()
{
    QTest::addColumn<qint64>("life");
    QTest::addColumn<qint64>("used");
    QTest::addColumn<qint64>("left");

    constexpr qint64 lowest = std::numeric_limits<qint64>::min();
    constexpr qint64 highest = std::numeric_limits<qint64>::max();
    QTest::newRow("new item") << 60LL << 0LL << 60LL;
    QTest::newRow("part used") << 60LL << 18LL << 42LL;
    QTest::newRow("used up exactly") << 60LL << 60LL << 0LL;
    QTest::newRow("used past its life") << 60LL << 70LL << 0LL;
    QTest::newRow("stored life of zero") << 0LL << 3LL << 0LL;
    QTest::newRow("stored negative life") << -12LL << 0LL << 0LL;
    QTest::newRow("lowest stored life") << lowest << 5LL << 0LL;
    QTest::newRow("highest stored life") << highest << 0LL << highest;
    QTest::newRow("highest stored life, part used") << highest << 1LL << highest - 1;
}

void FixedAssetFiguresTest::monthsLeft()
{
    QFETCH(qint64, life);
    QFETCH(qint64, used);
    QFETCH(qint64, left);
    QCOMPARE(FixedAssetFigures::monthsLeftOf(life, used), left);
}

void FixedAssetFiguresTest::monthlyDepreciation_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<qint64>("life");
    QTest::addColumn<double>("perMonth");

    QTest::newRow("12000 over 60") << 12000.0 << 60LL << 200.0;
    QTest::newRow("3000 over 30") << 3000.0 << 30LL << 100.0;
    QTest::newRow("one month") << 8999.0 << 1LL << 8999.0;
    QTest::newRow("worth nothing") << 0.0 << 60LL << 0.0;
    QTest::newRow("stored life of zero") << 5000.0 << 0LL << 0.0;
    QTest::newRow("stored negative life") << 5000.0 << -10LL << 0.0;
    QTest::newRow("lowest stored life") << 5000.0 << std::numeric_limits<qint64>::min() << 0.0;
}

void FixedAssetFiguresTest::monthlyDepreciation()
{
    QFETCH(double, value);
    QFETCH(qint64, life);
    QFETCH(double, perMonth);
    const double result = FixedAssetFigures::monthlyDepreciationOf(value, life);
    QVERIFY(std::isfinite(result));
    QCOMPARE(result, perMonth);
}

// The three figures of one record, as the card and the detail read them.
void FixedAssetFiguresTest::figuresOfAnItem()
{
    const FixedAsset laptop(u"电子设备"_s, u"笔记本电脑"_s, 9000, local(2023, 1, 15, 20), 36);
    const FixedAssetFigures figures = FixedAssetFigures::of(laptop, local(2024, 5, 15, 19));
    QCOMPARE(figures.usedMonths, 15);
    QCOMPARE(figures.monthsLeft, 21);
    QCOMPARE(figures.monthlyDepreciation, 250.0);
    QCOMPARE(FixedAssetFigures::monthsText(figures.monthsLeft), u"21 个月"_s);
    QCOMPARE(FixedAssetFigures::monthsText(123456), u"123456 个月"_s);
}

void FixedAssetFiguresTest::categoryIcons_data()
{
    QTest::addColumn<QString>("category");
    QTest::addColumn<QString>("icon");

    QTest::newRow("property") << u"房产"_s << u"house.fill"_s;
    QTest::newRow("camera gear") << u"摄影器材"_s << u"camera.fill"_s;
    QTest::newRow("other") << u"其他"_s << u"shippingbox.fill"_s;
    QTest::newRow("not a category") << u"游艇"_s << u"shippingbox.fill"_s;
    QTest::newRow("empty") << QString() << u"shippingbox.fill"_s;
    QTest::newRow("with a blank") << u"车辆 "_s << u"shippingbox.fill"_s;
    QTest::newRow("part of a name") << u"电子"_s << u"shippingbox.fill"_s;
    QTest::newRow("a ledger category") << u"餐饮"_s << u"shippingbox.fill"_s;
}

void FixedAssetFiguresTest::categoryIcons()
{
    QFETCH(QString, category);
    QFETCH(QString, icon);
    QCOMPARE(FixedAssetCategory::icon(category), icon);
    QCOMPARE(FixedAssetCategory::all().contains(category),
             icon != u"shippingbox.fill"_s || category == u"其他"_s);
}

PENNYLOOM_TEST(FixedAssetFiguresTest)

#include "tst_FixedAssetFigures.moc"
