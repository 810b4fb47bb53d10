// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestRegistry.h"
#include "TestSupport.h"

#include "budget/BudgetModel.h"
#include "model/BudgetRowFigures.h"
#include "store/ModelStore.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;
using TestSupport::local;
using TestSupport::openStore;

namespace {

QDate day(const QDateTime &instant)
{
    return instant.toLocalTime().date();
}

} // namespace

class BudgetModelTest final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initialPeriodEnd_data();
    void initialPeriodEnd();
    void periodsFollowToday();
    void periodAcrossDaylightSavingChange();
    void dayChosenInClockGap();
};

void BudgetModelTest::initialPeriodEnd_data()
{
    QTest::addColumn<QDateTime>("now");
    QTest::addColumn<QDate>("end");

    QTest::newRow("6 December") << local(2024, 12, 6, 10, 15) << QDate(2025, 1, 5);
    QTest::newRow("31 January, leap year") << local(2024, 1, 31, 8) << QDate(2024, 2, 28);
    QTest::newRow("31 January") << local(2023, 1, 31, 23, 59) << QDate(2023, 2, 27);
    QTest::newRow("29 February") << local(2024, 2, 29, 12) << QDate(2024, 3, 28);
    QTest::newRow("1 March") << local(2024, 3, 1, 0, 0) << QDate(2024, 3, 31);
    QTest::newRow("31 May") << local(2024, 5, 31, 18) << QDate(2024, 6, 29);
}

// A fresh screen and "新建预算周期" propose a month from today, less a day.
void BudgetModelTest::initialPeriodEnd()
{
    QFETCH(QDateTime, now);
    QFETCH(QDate, end);

    TestSupport::ScopedClock clock(now.addDays(-3));
    QTemporaryDir dir;
    std::unique_ptr<ModelStore> store = openStore(dir);
    QVERIFY(store);

    BudgetModel model(*store);
    clock.clock().set(now);
    model.startNewPeriod();
    QCOMPARE(model.periodStart(), now);
    QCOMPARE(day(model.periodEnd()), end);
}

// Which period is current depends on today alone: a period moves to the past records when
// it ends, without any change to the store, as soon as the screen recomputes.
void BudgetModelTest::periodsFollowToday()
{
    TestSupport::ScopedClock clock(local(2024, 3, 31, 23, 59, 59));
    QTemporaryDir dir;
    std::unique_ptr<ModelStore> store = openStore(dir);
    QVERIFY(store);
    const Budget march(u"餐饮"_s, 100, local(2024, 2, 20), local(2024, 3, 1, 9), local(2024, 3, 31, 9));
    const Budget april(u"交通"_s, 100, local(2024, 2, 20), local(2024, 4, 1, 20), local(2024, 4, 30, 20));
    const Budget monthly(u"购物"_s, 100, local(2024, 4, 8));
    for (const Budget &budget : {march, april, monthly})
        QVERIFY(store->insert(budget));

    BudgetModel model(*store);
    QSignalSpy changed(&model, &BudgetModel::changed);
    QCOMPARE(model.currentGroups().size(), size_t(1));
    QCOMPARE(model.currentGroups().front().budgets.front().id, march.id);
    QCOMPARE(model.pastGroups().size(), size_t(2));
    QVERIFY(model.canAddToCurrentPeriod());

    clock.clock().advanceSeconds(1);
    model.refresh();
    QCOMPARE(changed.count(), 1);
    QCOMPARE(model.currentGroups().size(), size_t(1));
    QCOMPARE(model.currentGroups().front().budgets.front().id, april.id);
    QCOMPARE(model.pastGroups().size(), size_t(2));

    // A new entry is enough to recompute with a fresh "now".
    clock.clock().set(local(2024, 5, 1, 0, 0));
    QVERIFY(store->insert(LedgerEntry(5, local(2024, 4, 2), EntryKind::expense, u"交通"_s)));
    QCOMPARE(changed.count(), 2);
    QVERIFY(model.currentGroups().empty());
    QCOMPARE(model.pastGroups().size(), size_t(3));
    QVERIFY(!model.canAddToCurrentPeriod());
    QVERIFY(model.activeBudgets().empty());
}

// In a zone with daylight saving time a period keeps its whole first and last days on both
// sides of the October change, through the store file and back.
void BudgetModelTest::periodAcrossDaylightSavingChange()
{
    TestSupport::ScopedTimeZone zone("Europe/Berlin");
    TestSupport::ScopedClock clock(local(2024, 10, 20, 10, 0));
    QTemporaryDir dir;
    std::unique_ptr<ModelStore> store = openStore(dir);
    QVERIFY(store);

    {
        BudgetModel model(*store);
        QCOMPARE(day(model.periodEnd()), QDate(2024, 11, 19));
        model.startNewPeriod();
        model.setAmount(u"300"_s);
        QVERIFY(model.saveBudget());
        QVERIFY(!model.showingAdd());
    }
    const std::vector<LedgerEntry> entries{
        LedgerEntry(1, local(2024, 10, 19, 23, 59, 59), EntryKind::expense, u"餐饮"_s),
        LedgerEntry(2, local(2024, 10, 20, 0, 0), EntryKind::expense, u"餐饮"_s),
        LedgerEntry(4, local(2024, 10, 27, 2, 30), EntryKind::expense, u"餐饮"_s),
        LedgerEntry(8, local(2024, 11, 19, 23, 30), EntryKind::expense, u"餐饮"_s),
        LedgerEntry(16, local(2024, 11, 20, 0, 0), EntryKind::expense, u"餐饮"_s),
    };
    for (const LedgerEntry &entry : entries)
        QVERIFY(store->insert(entry));

    store.reset();
    store = openStore(dir);
    QVERIFY(store);
    for (const QDateTime &now : {local(2024, 10, 27, 2, 30), local(2024, 11, 19, 23, 59, 59)}) {
        clock.clock().set(now);
        BudgetModel model(*store);
        QCOMPARE(model.currentGroups().size(), size_t(1));
        QCOMPARE(model.currentGroups().front().key, u"2024年10月20日 - 2024年11月19日"_s);
        QCOMPARE(model.currentGroups().front().rows.front().spent, 14.0);
        QCOMPARE(model.currentGroups().front().figures.totalSpent, 14.0);
    }
    clock.clock().set(local(2024, 11, 20, 0, 0));
    BudgetModel model(*store);
    QVERIFY(model.currentGroups().empty());
    QCOMPARE(model.pastGroups().size(), size_t(1));
}

// The form keeps the time of day of now. Opened at 02:30, choosing the spring-forward day,
// on which 02:30 never happens, must still store that day and not the one shown before.
void BudgetModelTest::dayChosenInClockGap()
{
    TestSupport::ScopedTimeZone zone("Europe/Berlin");
    TestSupport::ScopedClock clock(QDateTime(QDate(2024, 3, 20), QTime(2, 30)));
    QTemporaryDir dir;
    std::unique_ptr<ModelStore> store = openStore(dir);
    QVERIFY(store);

    BudgetModel model(*store);
    model.startNewPeriod();
    model.setEndDay(QDate(2024, 3, 31));
    QCOMPARE(day(model.periodEnd()), QDate(2024, 3, 31));
    model.setEndDay(QDate(2024, 4, 30));
    model.setStartDay(QDate(2024, 3, 31));
    QCOMPARE(day(model.periodStart()), QDate(2024, 3, 31));
    model.setAmount(u"300"_s);
    QVERIFY(model.saveBudget());

    QCOMPARE(store->budgets().size(), size_t(1));
    const Budget &saved = store->budgets().front();
    QCOMPARE(day(*saved.periodStart), QDate(2024, 3, 31));
    QCOMPARE(day(*saved.periodEnd), QDate(2024, 4, 30));
}

PENNYLOOM_TEST(BudgetModelTest)

#include "tst_BudgetModel.moc"
