// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestRegistry.h"
#include "TestSupport.h"

#include "assets/AssetTrendCalculator.h"
#include "assets/AssetTrendCurve.h"
#include "model/RecordSequence.h"

#include <QRandomGenerator>
#include <QTest>

#include <cmath>
#include <cstring>

using namespace Qt::StringLiterals;
using TestSupport::local;

namespace {

// The rule as stated, with no index: for each month, each account created before its end,
// its opening balance plus its changes dated before that end.
std::vector<double> plainPoints(const std::vector<AssetAccount> &accounts,
                                const std::vector<AssetAdjustment> &adjustments, const QDateTime &now)
{
    const QDate first(now.date().year(), now.date().month(), 1);
    std::vector<double> amounts;
    for (int k = -5; k <= 0; ++k) {
        const QDateTime end = QDateTime(first.addMonths(k + 1), QTime(0, 0));
        double total = 0;
        for (const AssetAccount &account : accounts) {
            if (!(account.createdAt < end))
                continue;
            double sum = 0;
            for (const AssetAdjustment &adjustment : adjustments) {
                if (adjustment.accountID == account.id && adjustment.date < end)
                    sum += adjustment.amount;
            }
            total += account.openingBalance + sum;
        }
        amounts.push_back(total);
    }
    return amounts;
}

} // namespace

Q_DECLARE_METATYPE(std::vector<AssetAccount>)
Q_DECLARE_METATYPE(std::vector<AssetAdjustment>)

class AssetTrendTest final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void points_data();
    void points();
    void labels_data();
    void labels();
    void daylightSaving();
    void sameAsPlainRule_data();
    void sameAsPlainRule();
    void curve_data();
    void curve();
    void axisRange_data();
    void axisRange();
};

void AssetTrendTest::points_data()
{
    QTest::addColumn<std::vector<AssetAccount>>("accounts");
    QTest::addColumn<std::vector<AssetAdjustment>>("adjustments");
    QTest::addColumn<QList<double>>("amounts");

    // Now is 15 June 2024, 10:00.
    const AssetAccount today(u"现金"_s, u"现金"_s, u"自有资产"_s, 1000, local(2024, 6, 15, 9));
    QTest::newRow("created today") << std::vector{today} << std::vector<AssetAdjustment>{}
                                   << QList<double>{0, 0, 0, 0, 0, 1000};

    const AssetAccount lastMonth(u"微信"_s, u"微信"_s, u"自有资产"_s, 500, local(2024, 5, 20));
    QTest::newRow("created last month, changed this month")
        << std::vector{lastMonth} << std::vector{AssetAdjustment(lastMonth.id, 100, local(2024, 6, 2))}
        << QList<double>{0, 0, 0, 0, 500, 600};

    const AssetAccount loan(u"房贷"_s, u"房贷"_s, u"负债"_s, 3000, local(2024, 1, 10));
    const AssetAccount cash(u"现金"_s, u"现金"_s, u"自有资产"_s, 1000, local(2024, 1, 10));
    QTest::newRow("liability and cash add up") << std::vector{loan, cash} << std::vector<AssetAdjustment>{}
                                               << QList<double>{4000, 4000, 4000, 4000, 4000, 4000};
    QTest::newRow("a repayment lowers the curve")
        << std::vector{loan, cash} << std::vector{AssetAdjustment(loan.id, -500, local(2024, 3, 31, 23, 59))}
        << QList<double>{4000, 4000, 3500, 3500, 3500, 3500};

    QTest::newRow("change at the first instant of the next month")
        << std::vector{cash} << std::vector{AssetAdjustment(cash.id, 70, local(2024, 4, 1))}
        << QList<double>{1000, 1000, 1000, 1070, 1070, 1070};

    // Made in May but dated back to February: the account did not exist then.
    const AssetAccount late(u"补记"_s, u"现金"_s, u"自有资产"_s, 10, local(2024, 5, 1));
    QTest::newRow("backdated change of a later account")
        << std::vector{late} << std::vector{AssetAdjustment(late.id, 5, local(2024, 2, 10))}
        << QList<double>{0, 0, 0, 0, 15, 15};

    QTest::newRow("change of a deleted account")
        << std::vector{cash} << std::vector{AssetAdjustment(QUuid::createUuid(), 99, local(2024, 2, 10))}
        << QList<double>{1000, 1000, 1000, 1000, 1000, 1000};

    const AssetAccount stray(u"旧"_s, u"现金"_s, u"未知"_s, 8, local(2023, 1, 1));
    QTest::newRow("account of no dimension still counts")
        << std::vector{stray} << std::vector<AssetAdjustment>{} << QList<double>{8, 8, 8, 8, 8, 8};

    const AssetAccount future(u"未来"_s, u"现金"_s, u"自有资产"_s, 10, local(2024, 6, 30, 23, 59));
    QTest::newRow("future changes count in their month")
        << std::vector{future} << std::vector{AssetAdjustment(future.id, 5, local(2024, 7, 1))}
        << QList<double>{0, 0, 0, 0, 0, 10};
}

void AssetTrendTest::points()
{
    QFETCH(std::vector<AssetAccount>, accounts);
    QFETCH(std::vector<AssetAdjustment>, adjustments);
    QFETCH(QList<double>, amounts);

    const std::vector<AssetTrendPoint> points = AssetTrendCalculator::sixMonthPoints(
        RecordSequence<AssetAccount>(accounts), RecordSequence<AssetAdjustment>(adjustments),
        local(2024, 6, 15, 10));
    QList<double> got;
    for (const AssetTrendPoint &point : points)
        got.append(point.amount);
    QCOMPARE(got, amounts);
    QCOMPARE(points.front().month, u"1月"_s);
    QCOMPARE(points.back().month, u"6月"_s);
}

void AssetTrendTest::labels_data()
{
    QTest::addColumn<QDateTime>("now");
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QStringList>("months");

    QTest::newRow("February, across the year end")
        << local(2025, 2, 3, 12) << u"zh_CN"_s
        << QStringList{u"9月"_s, u"10月"_s, u"11月"_s, u"12月"_s, u"1月"_s, u"2月"_s};
    QTest::newRow("last instant of December")
        << local(2024, 12, 31, 23, 59, 59) << u"zh_CN"_s
        << QStringList{u"7月"_s, u"8月"_s, u"9月"_s, u"10月"_s, u"11月"_s, u"12月"_s};
    QTest::newRow("English locale") << local(2025, 2, 3, 12) << u"en_US"_s
                                    << QStringList{u"Sep"_s, u"Oct"_s, u"Nov"_s,
                                                   u"Dec"_s, u"Jan"_s, u"Feb"_s};
}

void AssetTrendTest::labels()
{
    QFETCH(QDateTime, now);
    QFETCH(QString, locale);
    QFETCH(QStringList, months);

    TestSupport::ScopedLocale scoped{QLocale(locale)};
    QStringList got;
    for (const AssetTrendPoint &point : AssetTrendCalculator::sixMonthPoints({}, {}, now))
        got.append(point.month);
    QCOMPARE(got, months);
}

// In Berlin, March's end is the first instant of 1 April local time, after the clocks went
// forward: a change at 23:30 on 31 March is March's, one at 00:00 on 1 April is April's.
void AssetTrendTest::daylightSaving()
{
    TestSupport::ScopedTimeZone berlin("Europe/Berlin");
    const AssetAccount cash(u"现金"_s, u"现金"_s, u"自有资产"_s, 0, local(2024, 1, 1));
    const std::vector<AssetAdjustment> changes{AssetAdjustment(cash.id, 1, local(2024, 3, 31, 23, 30)),
                                               AssetAdjustment(cash.id, 10, local(2024, 4, 1))};
    const std::vector<AssetTrendPoint> points = AssetTrendCalculator::sixMonthPoints(
        RecordSequence<AssetAccount>(std::vector{cash}), RecordSequence<AssetAdjustment>(changes),
        local(2024, 4, 10, 12));
    QCOMPARE(points[4].month, u"3月"_s);
    QCOMPARE(points[4].amount, 1.0);
    QCOMPARE(points[5].amount, 11.0);
}

void AssetTrendTest::sameAsPlainRule_data()
{
    QTest::addColumn<quint32>("seed");
    QTest::addColumn<int>("accounts");
    QTest::addColumn<int>("adjustments");

    QTest::newRow("few accounts") << 3u << 4 << 3000;
    QTest::newRow("many accounts") << 77u << 200 << 5000;
}

// The one pass over the changes adds them in the order the plain rule does: same bits.
void AssetTrendTest::sameAsPlainRule()
{
    QFETCH(quint32, seed);
    QFETCH(int, accounts);
    QFETCH(int, adjustments);

    QRandomGenerator random(seed);
    const QDateTime now = local(2024, 6, 15, 10);
    const auto someDay = [&] { return now.addSecs(-qint64(random.bounded(250 * 86400))); };
    std::vector<AssetAccount> held;
    for (int i = 0; i < accounts; ++i)
        held.emplace_back(u"账户"_s, u"现金"_s, u"负债"_s, random.bounded(100000) / 100.0, someDay());
    std::vector<AssetAdjustment> changes;
    for (int i = 0; i < adjustments; ++i)
        changes.emplace_back(held[size_t(random.bounded(accounts))].id,
                             (random.bounded(20001) - 10000) / 100.0, someDay());

    const std::vector<AssetTrendPoint> points = AssetTrendCalculator::sixMonthPoints(
        RecordSequence<AssetAccount>(held), RecordSequence<AssetAdjustment>(changes), now);
    const std::vector<double> plain = plainPoints(held, changes, now);
    QCOMPARE(points.size(), plain.size());
    for (size_t i = 0; i < plain.size(); ++i)
        QVERIFY(std::memcmp(&points[i].amount, &plain[i], sizeof(double)) == 0);
}

void AssetTrendTest::curve_data()
{
    QTest::addColumn<QList<double>>("values");

    QTest::newRow("zero months, then a rise") << QList<double>{0, 0, 0, 4000, 4000, 3500};
    QTest::newRow("a spike between flat runs") << QList<double>{100, 100, 9000, 100, 100, 100};
    QTest::newRow("up and down every month") << QList<double>{-50, 800, -900, 1200, 0, 0.5};
    QTest::newRow("steep then gentle") << QList<double>{0, 10000, 10010, 10020, 12000, -3000};
    QTest::newRow("all negative") << QList<double>{-1200, -1200, -800, -800.25, -5000, -4999};
    QTest::newRow("two months") << QList<double>{3, -3};
}

// The line passes through every month, is flat between equal months and never leaves the
// band between two neighbouring months.
void AssetTrendTest::curve()
{
    QFETCH(QList<double>, values);

    const QList<QPointF> curve = AssetTrendCurve::through(values, 16);
    QCOMPARE(curve.size(), (values.size() - 1) * 16 + 1);
    for (const QPointF &point : curve) {
        const qsizetype month = std::min(qsizetype(point.x()), values.size() - 2);
        const double from = values[month];
        const double to = values[month + 1];
        const QString where = u"x %1, y %2"_s.arg(point.x()).arg(point.y());
        if (point.x() == double(qsizetype(point.x())))
            QVERIFY2(point.y() == values[qsizetype(point.x())], qPrintable(where));
        if (from == to)
            QVERIFY2(point.y() == from, qPrintable(where));
        QVERIFY2(point.y() >= std::min(from, to) && point.y() <= std::max(from, to), qPrintable(where));
    }
}

void AssetTrendTest::axisRange_data()
{
    QTest::addColumn<QList<double>>("values");

    QTest::newRow("all zero") << QList<double>{0, 0, 0, 0, 0, 0};
    QTest::newRow("zero months, then a rise") << QList<double>{0, 0, 0, 4000, 4000, 3500};
    QTest::newRow("all negative") << QList<double>{-1200, -1200, -800, -800, -5000, -4999};
    QTest::newRow("across zero") << QList<double>{300, -74, 0, 1250.5, -20, 7};
    QTest::newRow("far from zero") << QList<double>{98000, 99000, 100000, 100000, 99500, 101000};
}

// Zero is on the axis, as the shading ends there, and no month sits on its edge.
void AssetTrendTest::axisRange()
{
    QFETCH(QList<double>, values);

    const AssetTrendCurve::AxisRange range = AssetTrendCurve::axisRange(values);
    QVERIFY(range.low <= 0 && range.high >= 0);
    const double height = range.high - range.low;
    QVERIFY(height > 0);
    for (double value : values) {
        QVERIFY2(value - range.low >= 0.05 * height, qPrintable(QString::number(value)));
        QVERIFY2(range.high - value >= 0.05 * height, qPrintable(QString::number(value)));
    }
    // Round ticks of whole yuan.
    const double power = std::pow(10.0, std::floor(std::log10(range.step)));
    QVERIFY(range.step >= 1);
    QVERIFY2(QList<double>({1, 2, 2.5, 5}).contains(range.step / power),
             qPrintable(QString::number(range.step)));
}

#include "tst_AssetTrend.moc"
PENNYLOOM_TEST(AssetTrendTest)
