// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestRegistry.h"
#include "TestSupport.h"

#include "model/Budget.h"
#include "model/LedgerEntry.h"
#include "model/RecordSequence.h"

#include <QLocale>
#include <QTest>

#include <algorithm>

using namespace Qt::StringLiterals;
using TestSupport::local;

namespace {

// A period budget over whole days; the times of day are deliberately odd, since only the
// days may matter.
Budget period(const QString &category, QDate first, QDate last, QTime at = QTime(15, 47, 3))
{
    return Budget(category, 1000, local(2024, 1, 1), QDateTime(first, at),
                  QDateTime(last, at.addSecs(-3600)));
}

Budget monthBudget(const QString &category, int year, int month)
{
    return Budget(category, 500, local(year, month, 10));
}

QStringList categoriesOf(const std::vector<Budget> &budgets)
{
    QStringList names;
    for (const Budget &budget : budgets)
        names << budget.category;
    return names;
}

// Entries newest first, as the store keeps them.
RecordSequence<LedgerEntry> newestFirst(std::vector<LedgerEntry> entries)
{
    std::stable_sort(entries.begin(), entries.end(),
                     [](const LedgerEntry &a, const LedgerEntry &b) { return a.date > b.date; });
    return RecordSequence<LedgerEntry>(std::move(entries));
}

} // namespace

class tst_BudgetPeriods final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void containsWholeDays_data();
    void containsWholeDays();
    void activeRecords_data();
    void activeRecords();
    void titles();
    void spentCountsOnlyItsExpenses();
};

void tst_BudgetPeriods::containsWholeDays_data()
{
    QTest::addColumn<QByteArray>("zone");
    QTest::addColumn<QDate>("first");
    QTest::addColumn<QDate>("last");
    QTest::addColumn<QDateTime>("instant");
    QTest::addColumn<bool>("contained");

    const QByteArray shanghai = "Asia/Shanghai";
    const QDate nov15(2024, 11, 15);
    const QDate dec14(2024, 12, 14);
    QTest::newRow("first instant") << shanghai << nov15 << dec14 << QDateTime(nov15, QTime(0, 0)) << true;
    QTest::newRow("last second") << shanghai << nov15 << dec14 << QDateTime(dec14, QTime(23, 59, 59)) << true;
    QTest::newRow("day after") << shanghai << nov15 << dec14 << QDateTime(QDate(2024, 12, 15), QTime(0, 0))
                               << false;
    QTest::newRow("day before") << shanghai << nov15 << dec14
                                << QDateTime(QDate(2024, 11, 14), QTime(23, 59, 59)) << false;
    QTest::newRow("one day, morning") << shanghai << nov15 << nov15 << QDateTime(nov15, QTime(0, 0)) << true;
    QTest::newRow("one day, night") << shanghai << nov15 << nov15 << QDateTime(nov15, QTime(23, 59, 59))
                                    << true;
    QTest::newRow("one day, next") << shanghai << nov15 << nov15 << QDateTime(nov15.addDays(1), QTime(0, 0))
                                   << false;
    QTest::newRow("end before start")
        << shanghai << dec14 << nov15 << QDateTime(QDate(2024, 12, 1), QTime(12, 0)) << false;
    QTest::newRow("end before start, start day")
        << shanghai << dec14 << nov15 << QDateTime(dec14, QTime(12, 0)) << false;
    // 10 March 2024 lasts 23 hours in New York; its last hour still belongs to it.
    const QDate springForward(2024, 3, 10);
    QTest::newRow("23-hour last day") << QByteArray("America/New_York") << QDate(2024, 3, 1) << springForward
                                      << QDateTime(springForward, QTime(23, 30)) << true;
    QTest::newRow("after 23-hour day") << QByteArray("America/New_York") << QDate(2024, 3, 1) << springForward
                                       << QDateTime(springForward.addDays(1), QTime(0, 0)) << false;
    // 27 October 2024 lasts 25 hours in Berlin.
    const QDate fallBack(2024, 10, 27);
    QTest::newRow("25-hour last day")
        << QByteArray("Europe/Berlin") << fallBack << fallBack << QDateTime(fallBack, QTime(23, 59)) << true;
    // São Paulo skipped midnight on 4 November 2018: the day starts at 01:00.
    const QDate noMidnight(2018, 11, 4);
    QTest::newRow("day without midnight") << QByteArray("America/Sao_Paulo") << noMidnight << noMidnight
                                          << QDateTime(noMidnight, QTime(1, 0)) << true;
}

void tst_BudgetPeriods::containsWholeDays()
{
    QFETCH(QByteArray, zone);
    QFETCH(QDate, first);
    QFETCH(QDate, last);
    QFETCH(QDateTime, instant);
    QFETCH(bool, contained);
    const TestSupport::ScopedTimeZone scopedZone(zone);
    // Rebuilt in the zone: the table's local times were read before it was switched.
    const QDateTime at(instant.date(), instant.time());
    QCOMPARE(period(u"餐饮"_s, first, last).contains(at), contained);
}

void tst_BudgetPeriods::activeRecords_data()
{
    QTest::addColumn<std::vector<Budget>>("budgets");
    QTest::addColumn<QDateTime>("on");
    QTest::addColumn<QStringList>("expected");

    const QDate dec1(2024, 12, 1);
    const QDate dec15(2024, 12, 15);
    const QDate dec31(2024, 12, 31);
    const QDate jan14(2025, 1, 14);
    const std::vector<Budget> overlapping{period(u"餐饮"_s, dec1, dec31), period(u"交通"_s, dec15, jan14),
                                          period(u"购物"_s, dec1, dec31), period(u"娱乐"_s, dec15, jan14)};
    QTest::newRow("overlap, later start wins")
        << overlapping << local(2024, 12, 20, 12) << QStringList{u"交通"_s, u"娱乐"_s};
    QTest::newRow("overlap, only the first covers")
        << overlapping << local(2024, 12, 10, 12) << QStringList{u"餐饮"_s, u"购物"_s};
    QTest::newRow("overlap, after both") << overlapping << local(2025, 1, 15) << QStringList{};

    // Same days, different times of day: one period, active together.
    const std::vector<Budget> sameDays{period(u"餐饮"_s, dec1, dec31, QTime(8, 0)),
                                       period(u"交通"_s, dec1, dec31, QTime(22, 30))};
    QTest::newRow("times of day ignored")
        << sameDays << local(2024, 12, 1, 0, 0) << QStringList{u"餐饮"_s, u"交通"_s};

    // The later-starting candidate is the one with the later day; among equal starts the
    // first in input order decides which days win.
    const std::vector<Budget> equalStarts{period(u"餐饮"_s, dec1, dec31), period(u"交通"_s, dec1, jan14),
                                          period(u"购物"_s, dec1, dec31)};
    QTest::newRow("equal starts, first wins")
        << equalStarts << local(2024, 12, 20) << QStringList{u"餐饮"_s, u"购物"_s};

    const std::vector<Budget> mixed{monthBudget(u"餐饮"_s, 2024, 12), period(u"交通"_s, dec15, jan14),
                                    monthBudget(u"购物"_s, 2024, 12), monthBudget(u"娱乐"_s, 2024, 11)};
    QTest::newRow("period shadows month budgets") << mixed << local(2024, 12, 20) << QStringList{u"交通"_s};
    QTest::newRow("month budgets when no period covers")
        << mixed << local(2024, 12, 3) << QStringList{u"餐饮"_s, u"购物"_s};
    QTest::newRow("nothing in force") << mixed << local(2024, 10, 3) << QStringList{};

    // A budget naming only one day of a period is a month budget.
    Budget halfPeriod(u"医疗"_s, 100, local(2024, 12, 5), QDateTime(dec1, QTime(0, 0)), std::nullopt);
    QTest::newRow("half period is a month budget")
        << std::vector<Budget>{halfPeriod} << local(2024, 12, 31, 23, 59) << QStringList{u"医疗"_s};
    const std::vector<Budget> backwards{period(u"餐饮"_s, dec31, dec1), monthBudget(u"交通"_s, 2024, 12)};
    QTest::newRow("backwards period never active")
        << backwards << local(2024, 12, 10) << QStringList{u"交通"_s};
}

void tst_BudgetPeriods::activeRecords()
{
    QFETCH(std::vector<Budget>, budgets);
    QFETCH(QDateTime, on);
    QFETCH(QStringList, expected);
    QCOMPARE(categoriesOf(Budget::activeRecords(RecordSequence<Budget>(budgets), on)), expected);
}

void tst_BudgetPeriods::titles()
{
    const Budget morning = period(u"餐饮"_s, QDate(2024, 11, 15), QDate(2024, 12, 14), QTime(0, 5));
    const Budget night = period(u"交通"_s, QDate(2024, 11, 15), QDate(2024, 12, 14), QTime(23, 55));
    QCOMPARE(morning.periodTitle(), u"2024年11月15日 - 2024年12月14日"_s);
    QCOMPARE(night.periodTitle(), morning.periodTitle());
    QCOMPARE(monthBudget(u"餐饮"_s, 2024, 3).periodTitle(), u"2024-03 月度预算"_s);
    {
        const TestSupport::ScopedLocale english(QLocale(QLocale::English, QLocale::UnitedStates));
        QCOMPARE(morning.periodTitle(), u"Nov 15, 2024 - Dec 14, 2024"_s);
    }
    // The title names the local days even where a stored instant is another day in UTC.
    const TestSupport::ScopedTimeZone zone("Pacific/Auckland");
    const Budget farEast = period(u"餐饮"_s, QDate(2024, 11, 15), QDate(2024, 12, 14), QTime(0, 30));
    QCOMPARE(farEast.periodTitle(), u"2024年11月15日 - 2024年12月14日"_s);
}

void tst_BudgetPeriods::spentCountsOnlyItsExpenses()
{
    const Budget budget = period(u"餐饮"_s, QDate(2024, 11, 15), QDate(2024, 12, 14));
    const RecordSequence<LedgerEntry> entries = newestFirst({
        LedgerEntry(10, local(2024, 11, 15, 0, 0), EntryKind::expense, u"餐饮"_s),
        LedgerEntry(20, local(2024, 12, 14, 23, 59, 59), EntryKind::expense, u"餐饮"_s),
        LedgerEntry(40, local(2024, 12, 15, 0, 0), EntryKind::expense, u"餐饮"_s),
        LedgerEntry(80, local(2024, 11, 14, 23, 59, 59), EntryKind::expense, u"餐饮"_s),
        LedgerEntry(160, local(2024, 12, 1), EntryKind::income, u"餐饮"_s),
        LedgerEntry(320, local(2024, 12, 1), EntryKind::expense, u"餐饮 "_s),
        LedgerEntry(640, local(2024, 12, 1), EntryKind::expense, u"交通"_s),
    });
    QCOMPARE(budget.spent(entries), 30.0);
    QCOMPARE(monthBudget(u"餐饮"_s, 2024, 12).spent(entries), 60.0);
    QCOMPARE(monthBudget(u"餐饮"_s, 2024, 11).spent(entries), 90.0);
    QCOMPARE(period(u"餐饮"_s, QDate(2024, 12, 14), QDate(2024, 11, 15)).spent(entries), 0.0);
    Budget broken = monthBudget(u"餐饮"_s, 2024, 12);
    broken.monthKey = u"2024-13"_s;
    QCOMPARE(broken.spent(entries), 0.0);
    QCOMPARE(budget.spent({}), 0.0);
}

PENNYLOOM_TEST(tst_BudgetPeriods)
#include "tst_BudgetPeriods.moc"
