// SPDX-License-Identifier: GPL-3.0-or-later
#include "DashboardFixtures.h"
#include "TestRegistry.h"
#include "TestSupport.h"

#include "overview/DashboardModel.h"
#include "store/ModelStore.h"

#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;
using TestSupport::local;
using namespace DashboardFixtures;

class DashboardModelTest final : public TestSupport::StoreFixture {
    Q_OBJECT

private Q_SLOTS:
    void init() { QVERIFY(openStore(fixedNow())); }
    void cleanup() { closeStore(); }

    void monthWithoutBudgets();
    void monthBudgetsOnly();
    void periodBounds_data();
    void periodBounds();
    void assistant_data();
    void assistant();
    void budgetRows_data();
    void budgetRows();
    void recentSpansMonths();
    void followsStoreAndClock();
    void daylightSavingPeriod_data();
    void daylightSavingPeriod();
};

void DashboardModelTest::monthWithoutBudgets()
{
    QVERIFY(m_store->insert(expense(100, local(2024, 3, 1))));
    QVERIFY(m_store->insert(expense(50.5, local(2024, 3, 20, 9, 0), u"交通"_s)));
    QVERIFY(m_store->insert(income(1000, local(2024, 3, 10, 12, 0))));
    QVERIFY(m_store->insert(expense(30, local(2024, 2, 29, 23, 59, 59))));
    QVERIFY(m_store->insert(expense(40, local(2024, 4, 1))));

    DailyTotals totals(*m_store);

    DashboardModel model(*m_store, totals);
    QVERIFY(!model.activeCustomPeriod());
    QCOMPARE(model.periodEntries().size(), std::size_t(3));
    QCOMPARE(model.budget(), 0.0);
    QCOMPARE(model.expense(), 150.5);
    QCOMPARE(model.income(), 1000.0);
    // Incomes never raise what may be spent.
    QCOMPARE(model.balance(), -150.5);
    QCOMPARE(model.periodTitle(), u"2024年3月"_s);
    QCOMPARE(model.balanceCaption(), u"本月可支配余额"_s);
    QCOMPARE(model.assistant().message, u"设置预算后，我会为你追踪花费与结余。"_s);
    QVERIFY(model.budgetRows().empty());
}

void DashboardModelTest::monthBudgetsOnly()
{
    QVERIFY(m_store->insert(monthBudget(u"餐饮"_s, 1000)));
    QVERIFY(m_store->insert(periodBudget(u"购物"_s, 800, {2024, 1, 1}, {2024, 1, 31})));
    QVERIFY(m_store->insert(monthBudget(u"餐饮"_s, 9999, local(2024, 2, 10))));
    QVERIFY(m_store->insert(monthBudget(u"交通"_s, 500)));
    QVERIFY(m_store->insert(expense(300, local(2024, 3, 3, 12, 0))));
    QVERIFY(m_store->insert(expense(150, local(2024, 3, 5, 8, 0), u"购物"_s)));

    DailyTotals totals(*m_store);

    DashboardModel model(*m_store, totals);
    QVERIFY(!model.isCustomPeriod());
    QCOMPARE(model.budget(), 1500.0);
    QCOMPARE(model.balance(), 1050.0);
    QCOMPARE(model.periodTitle(), u"2024年3月"_s);
    QCOMPARE(model.assistant().message, u"本月预算使用 30%，目前节奏不错。"_s);
    // One row per active budget, in store order.
    QCOMPARE(model.budgetRows().size(), std::size_t(2));
    QCOMPARE(model.budgetRows()[0].amountText, u"¥300.00 / ¥1,000.00"_s);
    QCOMPARE(model.budgetRows()[1].category, u"交通"_s);
}

void DashboardModelTest::periodBounds_data()
{
    QTest::addColumn<QDateTime>("date");
    QTest::addColumn<bool>("counted");

    QTest::newRow("last second before the first day") << local(2024, 3, 14, 23, 59, 59) << false;
    QTest::newRow("first day at midnight") << local(2024, 3, 15) << true;
    QTest::newRow("last day at 23:59") << local(2024, 4, 14, 23, 59) << true;
    QTest::newRow("next day at midnight") << local(2024, 4, 15) << false;
}

void DashboardModelTest::periodBounds()
{
    QFETCH(QDateTime, date);
    QFETCH(bool, counted);

    const Budget period = periodBudget(u"餐饮"_s, 2000);
    QVERIFY(m_store->insert(monthBudget(u"交通"_s, 700)));
    QVERIFY(m_store->insert(period));
    QVERIFY(m_store->insert(expense(120, date)));

    DailyTotals totals(*m_store);

    DashboardModel model(*m_store, totals);
    QVERIFY(model.activeCustomPeriod());
    QCOMPARE(model.activeCustomPeriod()->first, *period.periodStart);
    QCOMPARE(model.activeCustomPeriod()->second, *period.periodEnd);
    // The month budget is left out while a period is in force.
    QCOMPARE(model.budget(), 2000.0);
    QCOMPARE(model.expense(), counted ? 120.0 : 0.0);
    QCOMPARE(model.budgetRows().at(0).spent, counted ? 120.0 : 0.0);
    QCOMPARE(model.balanceCaption(), u"当前周期可支配余额"_s);
    QCOMPARE(model.periodTitle(), u"预算周期 3月15日—4月14日"_s);

    // The days of the title are Chinese whatever the user's locale.
    const TestSupport::ScopedLocale english(QLocale(QLocale::English, QLocale::UnitedStates));
    model.recompute();
    QCOMPARE(model.periodTitle(), u"预算周期 3月15日—4月14日"_s);
}

void DashboardModelTest::assistant_data()
{
    QTest::addColumn<double>("spent");
    QTest::addColumn<double>("limit");
    QTest::addColumn<bool>("period");
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("warningIcon");
    QTest::addColumn<BudgetTone>("iconTone");
    QTest::addColumn<BudgetTone>("backgroundTone");

    const auto indigo = BudgetTone::indigo;
    const auto orange = BudgetTone::orange;
    QTest::newRow("limit 0") << 50.0 << 0.0 << true << u"设置预算后，我会为你追踪花费与结余。"_s << false
                             << indigo << indigo;
    QTest::newRow("79.99 %") << 2399.7 << 3000.0 << false << u"本月预算使用 79%，目前节奏不错。"_s << false
                             << indigo << indigo;
    QTest::newRow("80 %") << 2400.0 << 3000.0 << false << u"本月预算已使用 80%，余额需要精打细算。"_s << false
                          << orange << indigo;
    QTest::newRow("90 % of a period")
        << 2700.0 << 3000.0 << true << u"当前周期预算已使用 90%，余额需要精打细算。"_s << false << orange
        << indigo;
    QTest::newRow("100 %") << 3000.0 << 3000.0 << false << u"本月预算已经超支，建议暂停非必要消费。"_s << true
                           << orange << orange;
    QTest::newRow("over a period") << 3500.0 << 3000.0 << true
                                   << u"当前周期预算已经超支，建议暂停非必要消费。"_s << true << orange
                                   << orange;
}

void DashboardModelTest::assistant()
{
    QFETCH(double, spent);
    QFETCH(double, limit);
    QFETCH(bool, period);
    QFETCH(QString, message);
    QFETCH(bool, warningIcon);
    QFETCH(BudgetTone, iconTone);
    QFETCH(BudgetTone, backgroundTone);

    QVERIFY(m_store->insert(period ? periodBudget(u"餐饮"_s, limit) : monthBudget(u"餐饮"_s, limit)));
    QVERIFY(m_store->insert(expense(spent, local(2024, 3, 20, 9, 0))));

    DailyTotals totals(*m_store);

    DashboardModel model(*m_store, totals);
    QCOMPARE(model.assistant().message, message);
    QCOMPARE(model.assistant().symbol, warningIcon ? u"exclamationmark.triangle.fill"_s : u"sparkles"_s);
    QCOMPARE(model.assistant().iconTone, iconTone);
    QCOMPARE(model.assistant().backgroundTone, backgroundTone);
}

void DashboardModelTest::budgetRows_data()
{
    QTest::addColumn<double>("limit");
    QTest::addColumn<double>("spent");
    QTest::addColumn<QString>("percent");
    QTest::addColumn<BudgetTone>("percentTone");
    QTest::addColumn<double>("fraction");
    QTest::addColumn<BudgetTone>("barTone");

    const auto indigo = BudgetTone::indigo;
    const auto orange = BudgetTone::orange;
    const auto red = BudgetTone::red;
    QTest::newRow("80 %") << 1000.0 << 800.0 << u"80%"_s << indigo << 0.8 << indigo;
    QTest::newRow("80.01 %") << 1000.0 << 800.1 << u"80%"_s << orange << 0.8001 << orange;
    QTest::newRow("100 %") << 1000.0 << 1000.0 << u"100%"_s << orange << 1.0 << orange;
    QTest::newRow("over") << 1000.0 << 1250.0 << u"125%"_s << red << 1.0 << red;
    QTest::newRow("29 of 100 is not 28") << 100.0 << 29.0 << u"29%"_s << indigo << 0.29 << indigo;
    QTest::newRow("limit 0, spent") << 0.0 << 20.0 << u"0%"_s << indigo << 1.0 << red;
    QTest::newRow("limit 0, nothing spent") << 0.0 << 0.0 << u"0%"_s << indigo << 0.0 << indigo;
}

void DashboardModelTest::budgetRows()
{
    QFETCH(double, limit);
    QFETCH(double, spent);
    QFETCH(QString, percent);
    QFETCH(BudgetTone, percentTone);
    QFETCH(double, fraction);
    QFETCH(BudgetTone, barTone);

    QVERIFY(m_store->insert(monthBudget(u"餐饮"_s, limit)));
    if (spent > 0)
        QVERIFY(m_store->insert(expense(spent, local(2024, 3, 8, 19, 0))));
    // None of these is an expense of the category in the month.
    QVERIFY(m_store->insert(income(500, local(2024, 3, 9, 9, 0), u"餐饮"_s)));
    QVERIFY(m_store->insert(expense(77, local(2024, 3, 9, 10, 0), u"交通"_s)));
    QVERIFY(m_store->insert(expense(999, local(2024, 2, 29, 12, 0))));

    DailyTotals totals(*m_store);

    DashboardModel model(*m_store, totals);
    const DashboardModel::BudgetRow &row = model.budgetRows().at(0);
    QCOMPARE(row.spent, spent);
    QCOMPARE(row.percentText, percent);
    QCOMPARE(row.percentTone, percentTone);
    QCOMPARE(row.fraction, fraction);
    QCOMPARE(row.barTone, barTone);
}

void DashboardModelTest::recentSpansMonths()
{
    for (int day : {24, 25, 26, 27, 28})
        QVERIFY(m_store->insert(expense(10, local(2024, 2, day))));
    QVERIFY(m_store->insert(expense(10, local(2024, 3, 18))));
    QVERIFY(m_store->insert(expense(10, local(2024, 3, 19))));

    DailyTotals totals(*m_store);

    DashboardModel model(*m_store, totals);
    QCOMPARE(model.recentEntries().size(), std::size_t(5));
    QCOMPARE(model.recentEntries().front().date, local(2024, 3, 19));
    QCOMPARE(model.recentEntries().back().date, local(2024, 2, 26));
    // February's entries are listed but count in no figure of March.
    QCOMPARE(model.expense(), 20.0);
}

void DashboardModelTest::followsStoreAndClock()
{
    DailyTotals totals(*m_store);
    DashboardModel model(*m_store, totals);
    QSignalSpy changed(&model, &DashboardModel::changed);

    const LedgerEntry lunch = expense(32, local(2024, 3, 20, 9, 0));
    QVERIFY(m_store->insert(lunch));
    QVERIFY(m_store->insert(monthBudget(u"餐饮"_s, 100)));
    QCOMPARE(changed.count(), 2);
    QCOMPARE(model.balance(), 68.0);
    QCOMPARE(model.recentEntries().size(), std::size_t(1));

    QVERIFY(m_store->remove<LedgerEntry>(lunch.id));
    QCOMPARE(model.expense(), 0.0);
    QVERIFY(model.periodEntries().empty());
    QVERIFY(model.recentEntries().empty());

    // Now is read again: in April, March's budget no longer applies.
    m_clock->clock().set(local(2024, 4, 1));
    model.recompute();
    QCOMPARE(model.periodTitle(), u"2024年4月"_s);
    QCOMPARE(model.budget(), 0.0);
}

void DashboardModelTest::daylightSavingPeriod_data()
{
    QTest::addColumn<QDate>("first");
    QTest::addColumn<QDate>("last");
    QTest::addColumn<int>("hours");
    QTest::addColumn<QString>("title");

    QTest::newRow("spans the spring change")
        << QDate(2024, 3, 1) << QDate(2024, 3, 14) << 14 * 24 - 1 << u"预算周期 3月1日—3月14日"_s;
    QTest::newRow("ends on the 23-hour day")
        << QDate(2024, 3, 1) << QDate(2024, 3, 10) << 10 * 24 - 1 << u"预算周期 3月1日—3月10日"_s;
    QTest::newRow("ends on the 25-hour day")
        << QDate(2024, 10, 20) << QDate(2024, 11, 3) << 15 * 24 + 1 << u"预算周期 10月20日—11月3日"_s;
}

void DashboardModelTest::daylightSavingPeriod()
{
    QFETCH(QDate, first);
    QFETCH(QDate, last);
    QFETCH(int, hours);
    QFETCH(QString, title);

    const TestSupport::ScopedTimeZone zone("America/New_York");
    // Late on the last day, after the change.
    m_clock->clock().set(QDateTime(last, QTime(22, 0)));
    QVERIFY(m_store->insert(periodBudget(u"餐饮"_s, 1000, first, last)));
    QVERIFY(m_store->insert(expense(1, QDateTime(first, QTime(0, 0)))));
    QVERIFY(m_store->insert(expense(2, QDateTime(last, QTime(23, 59)))));
    QVERIFY(m_store->insert(expense(4, QDateTime(first.addDays(-1), QTime(23, 59, 59)))));
    QVERIFY(m_store->insert(expense(8, QDateTime(last.addDays(1), QTime(0, 0)))));

    DailyTotals totals(*m_store);

    DashboardModel model(*m_store, totals);
    QVERIFY(model.isCustomPeriod());
    QCOMPARE(model.periodInterval().start.secsTo(model.periodInterval().end), qint64(hours) * 3600);
    QCOMPARE(model.expense(), 3.0);
    QCOMPARE(model.budgetRows().at(0).spent, 3.0);
    QCOMPARE(model.periodTitle(), title);
}

PENNYLOOM_TEST(DashboardModelTest)
#include "tst_DashboardModel.moc"
